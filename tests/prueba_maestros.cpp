// Master data sent end to end: upserted under the key it has in every company, whatever
// the replace choice, with the article sub-records cleared online on a delete.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::EjecutarSql;
using prueba::EscenarioEnvio;
using prueba::Insertar;
using prueba::Literal;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

std::string Cuenta(const std::string& codigo, const std::string& nombre) {
    return Insertar("CUENTAS", {{"CUEN_COD", Literal(codigo)},
                                {"CUEN_NOMBRE", Literal(nombre)},
                                {"CUEN_PORCRETE", "2.5"}});
}
std::string Unidad(const std::string& articulo, const std::string& unidad,
                   const std::string& factor) {
    return Insertar("UNIDAD_ARTICULO", {{"ARTI_COD", Literal(articulo)},
                                        {"UNAR_UNIDAD", Literal(unidad)},
                                        {"UNAR_FACTOR", factor}});
}
std::string Precio(const std::string& lista, const std::string& articulo,
                   const std::string& precio) {
    return Insertar(
        "PRECIOS_ARTICULO",
        {{"LIPR_COD", Literal(lista)}, {"ARTI_COD", Literal(articulo)}, {"PRAR_PRECIO", precio}});
}
std::string Componente(const std::string& articulo, int item, const std::string& cantidad) {
    return Insertar("ARTICULOS_PRODUCTO", {{"ARTI_COD", Literal(articulo)},
                                           {"ARPR_ITEM", std::to_string(item)},
                                           {"ARPR_COMPONENTE", "'B00" + std::to_string(item) + "'"},
                                           {"ARPR_CANTIDAD", cantidad}});
}
std::string LineaInterfaz(const std::string& tabla, const std::string& columnaId, int id,
                          const std::string& columnaItem, int item, const std::string& cuenta) {
    return Insertar(tabla, {{columnaId, std::to_string(id)},
                            {columnaItem, std::to_string(item)},
                            {"CUEN_COD", Literal(cuenta)}});
}

const char kUnidades[] =
    "SELECT ARTI_COD, UNAR_UNIDAD, UNAR_FACTOR FROM UNIDAD_ARTICULO ORDER BY ARTI_COD, UNAR_UNIDAD";

TEST(CuentasEnLinea, SeActualizanAunqueNoSeReemplaceYUnBorradoNoToca) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {Cuenta("110505", "CAJA GENERAL"), Cuenta("110510", "CAJA MENOR"),
                             Auditoria(1, 100, 0, "M", "110505", "2026-03-02", "10:00:00"),
                             Auditoria(2, 100, 0, "I", "110510", "2026-03-02", "10:01:00"),
                             // Deleted in the origin: the destination keeps it.
                             Auditoria(3, 100, 0, "D", "999999", "2026-03-02", "10:02:00")});
    EjecutarSql(e.destino(), {Cuenta("110505", "CAJA"), Cuenta("999999", "TRANSITORIA")});
    e.parametros.enLinea = true;
    e.parametros.reemplazar = false;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 3);
    EXPECT_EQ(
        Textos(e.destino(), "SELECT CUEN_COD, CUEN_NOMBRE FROM CUENTAS ORDER BY CUEN_COD"),
        (Filas{{"110505", "CAJA GENERAL"}, {"110510", "CAJA MENOR"}, {"999999", "TRANSITORIA"}}));
}

TEST(CobradoresEnLinea, ElCodigoVaSinComillas) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {"INSERT INTO COBRADORES (COBR_COD, COBR_NOMBRE) VALUES (7, 'LUIS')",
                             Auditoria(1, 105, 0, "I", "7")});
    e.parametros.enLinea = true;

    std::vector<std::string> origen, destino;
    e.componentes.dbCia.monitor = [&](const std::string& t) { origen.push_back(t); };
    e.componentes.dbEnvio.monitor = [&](const std::string& t) { destino.push_back(t); };
    ResultadoEnvio r = e.enviar();
    auto visto = [](const std::vector<std::string>& textos, const std::string& texto) {
        return std::find(textos.begin(), textos.end(), texto) != textos.end();
    };
    const bool leidoSinComillas = visto(origen, "select * from cobradores where cobr_cod = 7");
    const bool buscadoSinComillas = visto(destino, "SELECT * FROM COBRADORES WHERE COBR_COD = 7");

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_TRUE(leidoSinComillas);
    EXPECT_TRUE(buscadoSinComillas);
    EXPECT_EQ(Textos(e.destino(), "SELECT COBR_COD, COBR_NOMBRE FROM COBRADORES"),
              (Filas{{"7", "LUIS"}}));
}

TEST(InterfacesEnLinea, DosLineasContraTresActualizanLasDosYDejanLaTercera) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(),
                {
                    "INSERT INTO INTERFAZ_BANCOS (INBA_ID, INBA_NOMBRE, TIDO_COD) VALUES (4, "
                    "'CHEQUES', 72)",
                    LineaInterfaz("INTERFAZ_BANCOS_CTAS", "INBA_ID", 4, "INBC_ITEM", 1, "111005"),
                    LineaInterfaz("INTERFAZ_BANCOS_CTAS", "INBA_ID", 4, "INBC_ITEM", 2, "220505"),
                    Auditoria(1, 111, 4, "M", ""),
                });
    EjecutarSql(
        e.destino(),
        {
            "INSERT INTO INTERFAZ_BANCOS (INBA_ID, INBA_NOMBRE, TIDO_COD) VALUES (4, 'CHQ', 72)",
            LineaInterfaz("INTERFAZ_BANCOS_CTAS", "INBA_ID", 4, "INBC_ITEM", 1, "1"),
            LineaInterfaz("INTERFAZ_BANCOS_CTAS", "INBA_ID", 4, "INBC_ITEM", 2, "2"),
            LineaInterfaz("INTERFAZ_BANCOS_CTAS", "INBA_ID", 4, "INBC_ITEM", 3, "3"),
            // Another interface's line with the same item number.
            LineaInterfaz("INTERFAZ_BANCOS_CTAS", "INBA_ID", 5, "INBC_ITEM", 1, "5"),
        });
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(Textos(e.destino(), "SELECT INBA_ID, INBA_NOMBRE FROM INTERFAZ_BANCOS"),
              (Filas{{"4", "CHEQUES"}}));
    EXPECT_EQ(
        Textos(e.destino(),
               "SELECT INBA_ID, INBC_ITEM, CUEN_COD FROM INTERFAZ_BANCOS_CTAS "
               "ORDER BY INBA_ID, INBC_ITEM"),
        (Filas{{"4", "1", "111005"}, {"4", "2", "220505"}, {"4", "3", "3"}, {"5", "1", "5"}}));
}

TEST(InterfacesFueraDeLinea, UnaInterfazNuevaLlegaConSuIdYSusLineas) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(),
                {
                    "INSERT INTO INTERFAZ_CAJA (INCJ_ID, INCJ_NOMBRE) VALUES (9, 'RECIBOS')",
                    LineaInterfaz("INTERFAZ_CAJA_CTAS", "INCJ_ID", 9, "INJC_ITEM", 1, "110505"),
                    LineaInterfaz("INTERFAZ_CAJA_CTAS", "INCJ_ID", 9, "INJC_ITEM", 2, "130505"),
                    Auditoria(1, 112, 9, "I", ""),
                });

    e.enviar();

    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT INCJ_ID, INCJ_NOMBRE FROM INTERFAZ_CAJA"),
              (Filas{{"9", "RECIBOS"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(),
                     "SELECT INCJ_ID, INJC_ITEM, CUEN_COD FROM "
                     "INTERFAZ_CAJA_CTAS ORDER BY INJC_ITEM"),
              (Filas{{"9", "1", "110505"}, {"9", "2", "130505"}}));
}

TEST(UnidadesEnLinea, UnBorradoDejaExactamenteLasUnidadesQueQuedanEnElOrigen) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {Unidad("A001", "UND", "1"), Unidad("A001", "CAJ6", "6"),
                             Auditoria(1, 124, 0, "D", "A001")});
    EjecutarSql(e.destino(), {Unidad("A001", "UND", "2"), Unidad("A001", "CAJ12", "12"),
                              Unidad("A001", "DOC", "12"), Unidad("A002", "UND", "1")});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(Textos(e.destino(), kUnidades), (Filas{{"A001", "CAJ6", "6.000000"},
                                                     {"A001", "UND", "1.000000"},
                                                     {"A002", "UND", "1.000000"}}));
}

TEST(UnidadesFueraDeLinea, UnBorradoSoloActualizaYNoQuitaNada) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {Unidad("A001", "UND", "1"), Unidad("A001", "CAJ6", "6"),
                             Auditoria(1, 124, 0, "D", "A001")});
    // The transfer file is a copy of the template: units put there stand in the file.
    EjecutarSql(e.instalacion.ubicacion(e.acceso, "sop/envio.fdb"),
                {Unidad("A001", "UND", "2"), Unidad("A001", "CAJ12", "12")});

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(Textos(e.archivoEnvio(), kUnidades), (Filas{{"A001", "CAJ12", "12.000000"},
                                                          {"A001", "CAJ6", "6.000000"},
                                                          {"A001", "UND", "1.000000"}}));
}

TEST(PreciosEnLinea, CadaPrecioSeCasaPorSuListaDePrecios) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {Precio("01", "A001", "12500"), Precio("03", "A001", "11000"),
                             Precio("01", "A002", "900"), Auditoria(1, 126, 0, "M", "A001")});
    EjecutarSql(e.destino(), {Precio("01", "A001", "10000"), Precio("02", "A001", "9000"),
                              Precio("01", "A002", "800")});
    e.parametros.enLinea = true;

    e.enviar();

    EXPECT_EQ(Textos(e.destino(),
                     "SELECT LIPR_COD, ARTI_COD, PRAR_PRECIO FROM PRECIOS_ARTICULO "
                     "ORDER BY ARTI_COD, LIPR_COD"),
              (Filas{{"01", "A001", "12500.0000"},
                     {"02", "A001", "9000.0000"},
                     {"03", "A001", "11000.0000"},
                     {"01", "A002", "800.0000"}}));
}

TEST(ArticulosEnLinea, LaActualizacionCopiaValoresSimplesYUnNuloSigueNulo) {
    EscenarioEnvio e;
    EjecutarSql(
        e.origen(),
        {
            "INSERT INTO ARTICULO (ARTI_COD, ARTI_NOMBRE, ARTI_PRECIO) VALUES ('A001', 'CAF\xC9', "
            "12500)",
            "INSERT INTO ARTICULO (ARTI_COD, ARTI_NOMBRE, ARTI_PRECIO) VALUES ('A002', 'AZ\xDA"
            "CAR', 4300)",
            Auditoria(1, 101, 0, "M", "A001", "2026-03-02", "10:00:00"),
            Auditoria(2, 101, 0, "I", "A002", "2026-03-02", "10:01:00"),
        });
    EjecutarSql(e.destino(), {"INSERT INTO ARTICULO (ARTI_COD, ARTI_NOMBRE, ARTI_COSTOPROM) "
                              "VALUES ('A001', 'CAFE', 8200)"});
    e.parametros.enLinea = true;

    e.enviar();

    // The update takes the origin's null average cost as it is; a new article goes through
    // the positional copy, which reads an exact numeric null as 0.
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT ARTI_COD, ARTI_NOMBRE, ARTI_PRECIO, ARTI_COSTOPROM "
                     "FROM ARTICULO ORDER BY ARTI_COD"),
              (Filas{{"A001", "CAF\xC9", "12500.0000", "<null>"},
                     {"A002",
                      "AZ\xDA"
                      "CAR",
                      "4300.0000", "0.0000"}}));
}

TEST(ComponentesEnLinea, UnaFilaRechazadaFallaLaEntradaYElDestinoQuedaComoEstaba) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {Componente("A001", 1, "2"), Componente("A001", 2, "500"),
                             Componente("A001", 3, "4"), Auditoria(1, 128, 0, "M", "A001")});
    // The destination refuses the second row; it held the first one with another quantity.
    EjecutarSql(e.destino(), {Componente("A001", 1, "9"),
                              "ALTER TABLE ARTICULOS_PRODUCTO ADD CONSTRAINT CK_PRUEBA "
                              "CHECK (ARPR_CANTIDAD < 100)",
                              "COMMIT"});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.fallidas, 1);
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT ARTI_COD, ARPR_ITEM, ARPR_CANTIDAD "
                     "FROM ARTICULOS_PRODUCTO ORDER BY ARPR_ITEM"),
              (Filas{{"A001", "1", "9.0000"}}))
        << "none of the entry's rows stays, the first one neither";
    EXPECT_EQ(Textos(e.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA"), (Filas{{"N"}}));
    EXPECT_NE(e.errores().find("Error transmitiendo COMPONENTES DE ARTICULOS A001"),
              std::string::npos);
}

}  // namespace
}  // namespace velmora
