// Send runs end to end, from the journal of company 001 to company 002 or its transfer file.
#include <gtest/gtest.h>

#include "foundation/clave.h"
#include "tests/soporte/concluido.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::Concluido;
using prueba::Corrida;
using prueba::ErroresMostrado;
using prueba::EjecutarSql;
using prueba::EscenarioEnvio;
using prueba::Factura;
using prueba::Marcas;
using prueba::SinFechas;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

Filas Facturas(const std::string& ubicacion) {
    return Textos(ubicacion,
                  "SELECT FACT_ID, PREF_PRE, FACT_NUMERO, FACT_ANULADO FROM FACTURAS "
                  "ORDER BY FACT_ID");
}

Filas Detalles(const std::string& ubicacion) {
    return Textos(ubicacion,
                  "SELECT FACT_ID, FADE_ITEM, ARTI_COD FROM FACTURAS_DETALLE "
                  "ORDER BY FACT_ID, FADE_ITEM");
}

TEST(EnvioEnLinea, CreaLaFacturaConUnIdNuevoEnElEncabezadoYEnCadaDetalle) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 2);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);
    // The destination already holds ids up to 40, so the view hands out 41.
    EjecutarSql(e.destino(), Factura(40, "XX", "000001", 0));
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(e.dialogos.llamadas(),
              (std::vector<Llamada>{
                  Mensaje(Concluido(Corrida::Envio, {.visitadas = 1, .copiadas = 1}))}));
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT FACT_ID, PREF_PRE, FACT_NUMERO, FACT_TASACAMBIO, "
                     "FACT_TOTAL FROM FACTURAS WHERE PREF_PRE = 'FV'"),
              (Filas{{"41", "FV", "000123", "1.234600", "116.60"}}));
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT FACT_ID, FADE_ITEM, FADE_CANTDEV FROM FACTURAS_DETALLE "
                     "ORDER BY FADE_ITEM"),
              (Filas{{"41", "1", "0.0000"}, {"41", "2", "0.0000"}}));
    EXPECT_EQ(Textos(e.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA"), (Filas{{"S"}}));
}

TEST(EnvioEnLinea, ReemplazaElDocumentoExistenteOLoOmite) {
    for (bool reemplazar : {true, false}) {
        SCOPED_TRACE(reemplazar ? "Reemplazar" : "Omitir (no recibir)");
        EscenarioEnvio e;
        auto sql = Factura(7, "FV", "000123", 2);
        sql.push_back(Auditoria(1, 31, 7, "M", "FV000123"));
        EjecutarSql(e.origen(), sql);
        auto antes = Factura(5, "FV", "000123", 3);
        antes.push_back("UPDATE FACTURAS SET TERC_NIT = 'viejo' WHERE FACT_ID = 5");
        EjecutarSql(e.destino(), antes);
        e.parametros.enLinea = true;
        e.parametros.reemplazar = reemplazar;

        EXPECT_EQ(e.enviar().enviadas, 1);

        EXPECT_EQ(Textos(e.destino(), "SELECT FACT_ID, TERC_NIT FROM FACTURAS"),
                  (Filas{{"5", reemplazar ? "900123" : "viejo"}}))
            << "the target keeps its own id";
        EXPECT_EQ(Detalles(e.destino()).size(), reemplazar ? 2u : 3u);
        for (const auto& d : Detalles(e.destino())) EXPECT_EQ(d[0], "5");
        EXPECT_EQ(Marcas(e), std::vector<std::string>{"S"});
    }
}

TEST(EnvioEnLinea, AnulaYBorraEnElDestino) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(),
                {Auditoria(1, 31, 70, "A", "FV000001"), Auditoria(2, 31, 71, "D", "FV000002"),
                 Auditoria(3, 31, 72, "D", "FV000009")});  // not in the target
    auto destino = Factura(10, "FV", "000001", 2);
    for (auto& s : Factura(11, "FV", "000002", 2)) destino.push_back(s);
    for (auto& s : Factura(12, "FV", "000003", 1)) destino.push_back(s);
    EjecutarSql(e.destino(), destino);
    e.parametros.enLinea = true;

    EXPECT_EQ(e.enviar().enviadas, 3);

    EXPECT_EQ(Facturas(e.destino()),
              (Filas{{"10", "FV", "000001", "S"}, {"12", "FV", "000003", "N"}}));
    // The deleted invoice's rows go with it; nobody else's rows are touched.
    EXPECT_EQ(Detalles(e.destino()),
              (Filas{{"10", "1", "A001"}, {"10", "2", "A002"}, {"12", "1", "A001"}}));
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"S", "S", "S"}));
}

class DetalleFallido : public ::testing::TestWithParam<bool> {};

// The destination refuses the second row of the first invoice.
TEST_P(DetalleFallido, QuitaElDocumentoRegistraElErrorYPregunta) {
    const bool seguir = GetParam();
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 3);
    for (auto& s : Factura(8, "FV", "000124", 1)) sql.push_back(s);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123", "2026-03-02", "10:00:00"));
    sql.push_back(Auditoria(2, 31, 8, "I", "FV000124", "2026-03-02", "11:00:00"));
    EjecutarSql(e.origen(), sql);
    EjecutarSql(e.destino(), {"ALTER TABLE FACTURAS_DETALLE ADD CONSTRAINT SIN_ITEM_2 "
                              "CHECK (FADE_ITEM <> 2)",
                              "COMMIT"});
    e.parametros.enLinea = true;
    e.dialogos.responder({seguir});

    ResultadoEnvio r = e.enviar();

    const std::string falla = "Error transmitiendo FACTURAS DE VENTA FV000123";
    const auto& ll = e.dialogos.llamadas();
    ASSERT_GE(ll.size(), 5u);
    EXPECT_NE(ll[0].texto.find("SIN_ITEM_2"), std::string::npos) << ll[0].texto;
    EXPECT_EQ(ll,
              (std::vector<Llamada>{Mensaje(ll[0].texto), Pitido(),
                                    Error(ll[0].texto.substr(0, ll[0].texto.size() - 1)),
                                    Confirmacion(falla + ". Continuar?"),
                                    Mensaje(Concluido(Corrida::Envio,
                                                      {.visitadas = seguir ? 2 : 1,
                                                       .copiadas = seguir ? 1 : 0,
                                                       .fallidas = 1},
                                                      ErroresMostrado(e.instalacion)))}));
    EXPECT_EQ(SinFechas(e.errores()), "F,H,PRUEBA," + falla + "\r\n");
    EXPECT_EQ(r.fallidas, 1);
    if (seguir) {
        // The next invoice gets the id the failed one had; it must not inherit its rows.
        EXPECT_EQ(Facturas(e.destino()), (Filas{{"1", "FV", "000124", "N"}}));
        EXPECT_EQ(Detalles(e.destino()), (Filas{{"1", "1", "A001"}}));
        EXPECT_EQ(Marcas(e), (std::vector<std::string>{"N", "S"}));
        EXPECT_EQ(SinFechas(e.traza()), "F,H,1,31,FV000123\r\nF,H,2,31,FV000124\r\n");
    } else {
        EXPECT_TRUE(Facturas(e.destino()).empty());
        EXPECT_TRUE(Detalles(e.destino()).empty());
        EXPECT_EQ(Marcas(e), (std::vector<std::string>{"N", "N"}));
        EXPECT_EQ(SinFechas(e.traza()), "F,H,1,31,FV000123\r\n") << "the rest is not visited";
    }
}

INSTANTIATE_TEST_SUITE_P(Respuestas, DetalleFallido, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Si" : "No"; });

TEST(EnvioFueraDeLinea, LlenaElArchivoConLosIdsDeOrigenYCadaFilaDelDiario) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 2);
    for (auto& s : Factura(8, "FV", "000124", 1)) sql.push_back(s);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123", "2026-03-02", "09:00:00"));
    sql.push_back(Auditoria(2, 19, 0, "I", "XX000001", "2026-03-02", "09:30:00"));   // no copy
    sql.push_back(Auditoria(3, 34, 9, "I", "PD000001", "2026-03-02", "10:00:00"));   // unmarked
    sql.push_back(Auditoria(4, 31, 99, "I", "FV000999", "2026-03-02", "11:00:00"));  // gone
    sql.push_back(Auditoria(5, 31, 7, "A", "FV000123", "2026-03-02", "12:00:00"));
    sql.push_back(Auditoria(6, 31, 8, "I", "FV000124", "2026-03-01", "08:00:00"));  // earliest
    EjecutarSql(e.origen(), sql);
    e.parametros.tipos.push_back({19, "SIN COPIA", true});
    for (auto& t : e.parametros.tipos)
        if (t.codigo == 34) t.marcado = false;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.visitadas, 6);
    EXPECT_EQ(Facturas(e.archivoEnvio()),
              (Filas{{"7", "FV", "000123", "N"}, {"8", "FV", "000124", "N"}}))
        << "origin ids kept; the annulment is left to the receiver";
    EXPECT_EQ(Detalles(e.archivoEnvio()),
              (Filas{{"7", "1", "A001"}, {"7", "2", "A002"}, {"8", "1", "A001"}}));
    EXPECT_EQ(
        Textos(e.archivoEnvio(), "SELECT AUDI_ID, AUDI_OPER, AUDI_ENVIO FROM AUDITORIA"),
        (Filas{
            {"6", "I", "N"}, {"1", "I", "N"}, {"2", "I", "N"}, {"4", "I", "N"}, {"5", "A", "N"}}))
        << "every visited, selected entry in journal order";
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"S", "S", "N", "S", "S", "S"}));
    EXPECT_TRUE(Facturas(e.destino()).empty()) << "offline leaves the destination alone";
    EXPECT_EQ(SinFechas(e.traza()),
              "F,H,6,31,FV000124\r\nF,H,1,31,FV000123\r\nF,H,2,19,XX000001\r\n"
              "F,H,3,34,PD000001\r\nF,H,4,31,FV000999\r\nF,H,5,31,FV000123\r\n");
    EXPECT_EQ(e.errores(), "");
}

TEST(EnvioFueraDeLinea, LasEntradasFiltradasViajanEnElArchivoYLasFallidasNo) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 2);
    for (auto& s : Factura(8, "NC", "000001", 1)) sql.push_back(s);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123", "2026-03-02", "09:00:00"));  // fails
    sql.push_back(Auditoria(2, 31, 8, "I", "NC000001", "2026-03-02", "10:00:00"));  // filtered
    EjecutarSql(e.origen(), sql);
    EjecutarSql(e.instalacion.ubicacion(e.acceso, "sop/envio.fdb"),
                {"ALTER TABLE FACTURAS_DETALLE ADD CONSTRAINT SIN_ITEM_2 CHECK (FADE_ITEM <> 2)",
                 "COMMIT"});
    e.parametros.prefijo = "FV";

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.fallidas, 1);
    EXPECT_EQ(r.noSeleccionadas, 1);
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT AUDI_ID FROM AUDITORIA"), (Filas{{"2"}}))
        << "the failed entry's row goes back with the entry; the filtered one travels";
    EXPECT_TRUE(Facturas(e.archivoEnvio()).empty()) << "nothing of the failed invoice is left";
    EXPECT_TRUE(Detalles(e.archivoEnvio()).empty());
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"N", "S"}));
}

TEST(EnvioFueraDeLinea, UnaFilaDelDiarioQueElArchivoRechazaDejaLaEntradaSinEnviar) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    sql.push_back(Auditoria(2, 31, 7, "M", "FV000123"));
    sql.push_back("UPDATE AUDITORIA SET AUDI_RAZON = 'rechazada' WHERE AUDI_ID = 2");
    EjecutarSql(e.origen(), sql);
    EjecutarSql(e.instalacion.ubicacion(e.acceso, "sop/envio.fdb"),
                {"ALTER TABLE AUDITORIA ADD CONSTRAINT SIN_RECHAZO "
                 "CHECK (AUDI_RAZON <> 'rechazada')",
                 "COMMIT"});

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.fallidas, 1);
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"S", "N"}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT AUDI_ID FROM AUDITORIA"), (Filas{{"1"}}));
    EXPECT_EQ(SinFechas(e.errores()),
              "F,H,PRUEBA,Error transmitiendo FACTURAS DE VENTA FV000123\r\n");
    EXPECT_EQ(e.dialogos.llamadas().at(3),
              Confirmacion("Error transmitiendo FACTURAS DE VENTA FV000123. Continuar?"));
}

TEST(EnvioSeleccion, ElPrefijoFiltraSoloLosDocumentos) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 1);
    for (auto& s : Factura(8, "", "000124", 1)) sql.push_back(s);
    for (auto& s : Factura(9, "XY", "000125", 1)) sql.push_back(s);
    sql.push_back("INSERT INTO CUENTAS (CUEN_COD, CUEN_NOMBRE) VALUES ('1105', 'CAJA')");
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    sql.push_back(Auditoria(2, 31, 8, "I", "000124"));  // six characters: empty prefix
    sql.push_back(Auditoria(3, 31, 9, "I", "XY000125"));
    sql.push_back(Auditoria(4, 100, 0, "I", "1105"));  // master data is never filtered
    EjecutarSql(e.origen(), sql);
    e.parametros.enLinea = true;
    e.parametros.prefijo = "FV";

    e.enviar();

    EXPECT_EQ(Textos(e.destino(), "SELECT FACT_NUMERO FROM FACTURAS"), (Filas{{"000123"}}));
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"S", "S", "S", "S"}))
        << "filtered entries are not left pending";
}

TEST(EnvioSeleccion, ElRangoDeFechasReenviaLoYaEnviado) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 1);
    for (auto& s : Factura(8, "FV", "000124", 1)) sql.push_back(s);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123", "2026-02-10", "10:00:00", "S"));
    sql.push_back(Auditoria(2, 31, 8, "I", "FV000124", "2026-03-10", "10:00:00", "N"));
    EjecutarSql(e.origen(), sql);
    e.parametros.enLinea = true;
    e.parametros.todoLoNoEnviado = false;
    e.parametros.desde = "2026-02-01";
    e.parametros.hasta = "2026-02-28";

    e.enviar();

    EXPECT_EQ(Textos(e.destino(), "SELECT FACT_NUMERO FROM FACTURAS"), (Filas{{"000123"}}));
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"S", "N"}));
}

TEST(EnvioSeleccion, UnPrefijoConComillaSeBuscaYSeCopia) {
    EscenarioEnvio e;
    auto sql = Factura(7, "O'B", "000001", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "O'B000001"));
    sql.push_back(Auditoria(2, 31, 7, "A", "O'B000001"));
    EjecutarSql(e.origen(), sql);
    e.parametros.enLinea = true;

    EXPECT_EQ(e.enviar().enviadas, 2);

    EXPECT_EQ(Facturas(e.destino()), (Filas{{"1", "O'B", "000001", "S"}}));
}

TEST(EnvioSeleccion, LasMarcasEstanConfirmadasCuandoLaCorridaTermina) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);
    SinProgreso progreso;

    SpeedButton1Click(e.parametros, e.componentes, e.dialogos, progreso);
    EXPECT_EQ(Marcas(e), std::vector<std::string>{"S"})
        << "committed after their group, with the origin session still open";
    e.componentes.dbCia.desconectar();
    EXPECT_EQ(Marcas(e), std::vector<std::string>{"S"});
}

TEST(EnvioPreparacion, SinCompaniasSinFechasOSinPlantillaNoSeEnviaNada) {
    struct Caso {
        const char* nombre;
        std::function<void(EscenarioEnvio&)> preparar;
        std::string mensaje;
    } casos[] = {
        {"sin compañía", [](EscenarioEnvio& e) { e.parametros.textoCompaniaDestino.clear(); },
         "Debe indicar las compa\xF1\xED"
         "as origen y destino."},
        {"sin fecha",
         [](EscenarioEnvio& e) {
             e.parametros.todoLoNoEnviado = false;
             e.parametros.desde = "2026-01-01";
         },
         "Debe indicar las fechas Desde: y Hasta: del rango de fechas de registro."},
        {"sin plantilla",
         [](EscenarioEnvio& e) { std::remove(e.instalacion.ruta("sop/envio.fdb").c_str()); },
         "No se pudo copiar la base de datos para el envio."},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        EscenarioEnvio e;
        auto sql = Factura(7, "FV", "000123", 1);
        sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
        EjecutarSql(e.origen(), sql);
        caso.preparar(e);

        ResultadoEnvio r = e.enviar();

        EXPECT_EQ(r.visitadas, 0);
        EXPECT_EQ(e.dialogos.llamadas(), std::vector<Llamada>{Mensaje(caso.mensaje)});
        EXPECT_EQ(Marcas(e), std::vector<std::string>{"N"});
        EXPECT_EQ(e.traza(), "");
    }
}

TEST(EnvioSeleccion, UnDiarioVacioSoloMuestraElFinal) {
    EscenarioEnvio e;
    ResultadoEnvio r = e.enviar();
    EXPECT_EQ(r.visitadas, 0);
    EXPECT_EQ(e.dialogos.llamadas(),
              std::vector<Llamada>{Mensaje(Concluido(Corrida::Envio, {}))});
}

TEST(EnvioEnLinea, LaContrasenaLlegaCifradaYSeDescifraParaConectar) {
    EscenarioEnvio e;
    e.parametros.acceso.claveDestino = EncriptarClave("mala");
    e.parametros.enLinea = true;
    try {
        e.enviar();
        FAIL() << "connected with a wrong password";
    } catch (const ErrorBaseDatos& error) {
        EXPECT_NE(error.mensaje().find("Your user name and password are not defined"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace velmora
