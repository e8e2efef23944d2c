// Documents whose lines live in several detail tables, sent end to end: each table copied in
// turn under the header's id, all of them cleared on replace, and none of them left behind
// when a line is refused.
#include <gtest/gtest.h>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::EjecutarSql;
using prueba::Encabezado;
using prueba::EscenarioEnvio;
using prueba::FilaConValor;
using prueba::FilaQuePaga;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

std::string Egreso(int id, const std::string& numero, const std::string& valor = "0") {
    return "INSERT INTO EGRESOS (EGRE_ID, PREF_PRE, EGRE_NUMERO, EGRE_VALOR) VALUES (" +
           std::to_string(id) + ", 'CE', '" + numero + "', " + valor + ")";
}

// One row in each of the three plain tables of a disbursement, with the given amount.
std::vector<std::string> PagosDeEgreso(int id, int item, const std::string& valor) {
    return {FilaConValor("EGRESOS_CAJA", "EGRE_ID", id, "EGCJ_ITEM", item, "EGCJ_VALOR", valor),
            FilaConValor("EGRESOS_BANCO", "EGRE_ID", id, "EGBA_ITEM", item, "EGBA_VALOR", valor),
            FilaConValor("EGRESOS_CONTABILIDAD", "EGRE_ID", id, "EGCO_ITEM", item, "EGCO_DEBITO",
                         valor)};
}

// Every line of a disbursement, table by table: (table, id, item, value).
Filas LineasDeEgresos(const std::string& ubicacion) {
    return Textos(ubicacion,
                  "SELECT CAST('DETALLE' AS VARCHAR(12)), EGRE_ID, EGDE_ITEM, "
                  "CAST(EGDE_IDDOC AS VARCHAR(20)) FROM EGRESOS_DETALLE "
                  "UNION ALL SELECT 'CAJA', EGRE_ID, EGCJ_ITEM, EGCJ_VALOR FROM EGRESOS_CAJA "
                  "UNION ALL SELECT 'BANCO', EGRE_ID, EGBA_ITEM, EGBA_VALOR FROM EGRESOS_BANCO "
                  "UNION ALL SELECT 'CONTABILIDAD', EGRE_ID, EGCO_ITEM, EGCO_DEBITO "
                  "FROM EGRESOS_CONTABILIDAD ORDER BY 1, 2, 3");
}

TEST(EgresosEnLinea, LasCuatroTablasLleganConElIdNuevo) {
    EscenarioEnvio e;
    std::vector<std::string> origen = {
        Egreso(5, "000001", "90.00"),
        // Settles a purchase invoice that is id 9 in the destination.
        FilaQuePaga("EGRESOS_DETALLE", 5, 1, 21, 3, "FC", "000001"),
        Auditoria(1, 62, 5, "I", "CE000001"),
    };
    for (auto& s : PagosDeEgreso(5, 1, "30.00")) origen.push_back(s);
    EjecutarSql(e.origen(), origen);
    EjecutarSql(e.destino(), {Egreso(40, "000099"), Encabezado("FACTURAS_COMPRA", "FACO_ID", 9,
                                                               "FACO_NUMERO", "FC", "000001")});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT EGRE_ID, EGRE_VALOR FROM EGRESOS WHERE EGRE_NUMERO = "
                     "'000001'"),
              (Filas{{"41", "90.00"}}));
    EXPECT_EQ(LineasDeEgresos(e.destino()), (Filas{{"BANCO", "41", "1", "30.00"},
                                                   {"CAJA", "41", "1", "30.00"},
                                                   {"CONTABILIDAD", "41", "1", "30.00"},
                                                   {"DETALLE", "41", "1", "9"}}));
}

TEST(EgresosEnLinea, ReemplazarDejaEnCadaTablaExactamenteLasFilasDelOrigen) {
    EscenarioEnvio e;
    std::vector<std::string> origen = {
        Egreso(5, "000001", "90.00"),
        FilaQuePaga("EGRESOS_DETALLE", 5, 1, 21, 3, "FC", "000001"),
        Auditoria(1, 62, 5, "M", "CE000001"),
    };
    for (auto& s : PagosDeEgreso(5, 1, "30.00")) origen.push_back(s);
    EjecutarSql(e.origen(), origen);
    // The destination's copy, id 6, has two older lines in every table; disbursement 7
    // is another document and keeps its lines.
    std::vector<std::string> destino = {
        Egreso(6, "000001", "10.00"),
        Egreso(7, "000002", "20.00"),
        FilaQuePaga("EGRESOS_DETALLE", 6, 1, 21, 77, "FC", "000077"),
        FilaQuePaga("EGRESOS_DETALLE", 6, 2, 21, 78, "FC", "000078"),
        FilaQuePaga("EGRESOS_DETALLE", 7, 1, 21, 79, "FC", "000079"),
    };
    for (auto& s : PagosDeEgreso(6, 1, "1.00")) destino.push_back(s);
    for (auto& s : PagosDeEgreso(6, 2, "2.00")) destino.push_back(s);
    for (auto& s : PagosDeEgreso(7, 1, "7.00")) destino.push_back(s);
    EjecutarSql(e.destino(), destino);
    e.parametros.enLinea = true;

    e.enviar();

    EXPECT_EQ(Textos(e.destino(),
                     "SELECT EGRE_ID, EGRE_NUMERO, EGRE_VALOR FROM EGRESOS "
                     "ORDER BY EGRE_ID"),
              (Filas{{"6", "000001", "90.00"}, {"7", "000002", "20.00"}}));
    // FC000001 is not in the destination, so the line keeps the origin's id.
    EXPECT_EQ(LineasDeEgresos(e.destino()), (Filas{{"BANCO", "6", "1", "30.00"},
                                                   {"BANCO", "7", "1", "7.00"},
                                                   {"CAJA", "6", "1", "30.00"},
                                                   {"CAJA", "7", "1", "7.00"},
                                                   {"CONTABILIDAD", "6", "1", "30.00"},
                                                   {"CONTABILIDAD", "7", "1", "7.00"},
                                                   {"DETALLE", "6", "1", "3"},
                                                   {"DETALLE", "7", "1", "79"}}));
}

TEST(RecibosEnLinea, UnaFilaRechazadaDeLaPrimeraTablaNoDejaNadaDelRecibo) {
    EscenarioEnvio e;
    EjecutarSql(
        e.origen(),
        {
            Encabezado("RECIBOS_CAJA", "RECA_ID", 3, "RECA_NUMERO", "RC", "000003"),
            FilaQuePaga("RECIBOS_CAJA_DETALLE", 3, 1, 31, 7, "FV", "000007", "10.00"),
            FilaQuePaga("RECIBOS_CAJA_DETALLE", 3, 2, 31, 8, "FV", "000008", "500.00"),
            FilaQuePaga("RECIBOS_CAJA_DETALLE", 3, 3, 31, 9, "FV", "000009", "10.00"),
            FilaConValor("RECIBOS_CAJA_PAGO", "RECA_ID", 3, "RCPA_ITEM", 1, "RCPA_VALOR", "520.00"),
            Auditoria(1, 61, 3, "I", "RC000003"),
        });
    EjecutarSql(e.destino(), {"ALTER TABLE RECIBOS_CAJA_DETALLE ADD CONSTRAINT CK_PRUEBA "
                              "CHECK (RCDE_VALOR < 100)",
                              "COMMIT"});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.fallidas, 1);
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM RECIBOS_CAJA"), (Filas{{"0"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM RECIBOS_CAJA_DETALLE"), (Filas{{"0"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM RECIBOS_CAJA_PAGO"), (Filas{{"0"}}));
    EXPECT_EQ(Textos(e.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA"), (Filas{{"N"}}));
    EXPECT_NE(e.errores().find("Error transmitiendo RECIBOS DE CAJA RC000003"), std::string::npos);
}

TEST(EgresosEnLinea, UnaFilaRechazadaEnLaTerceraTablaQuitaTambienLasDeLasAnteriores) {
    EscenarioEnvio e;
    std::vector<std::string> origen = {
        Egreso(5, "000001"),
        FilaQuePaga("EGRESOS_DETALLE", 5, 1, 21, 3, "FC", "000001"),
        Auditoria(1, 62, 5, "I", "CE000001"),
    };
    for (auto& s : PagosDeEgreso(5, 1, "30.00")) origen.push_back(s);
    EjecutarSql(e.origen(), origen);
    EjecutarSql(e.destino(), {"ALTER TABLE EGRESOS_BANCO ADD CONSTRAINT CK_PRUEBA "
                              "CHECK (EGBA_VALOR < 10)",
                              "COMMIT"});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.fallidas, 1);
    EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM EGRESOS"), (Filas{{"0"}}));
    EXPECT_EQ(LineasDeEgresos(e.destino()), Filas{});
}

TEST(VariosDetallesFueraDeLinea, CadaTablaSeCopiaAunqueLaPrimeraEsteVaciaYSinReescribirNada) {
    EscenarioEnvio e;
    EjecutarSql(
        e.origen(),
        {
            // A document exchange with outgoing documents only.
            Encabezado("CAMBIO_DOCUMENTOS", "CADO_ID", 8, "CADO_NUMERO", "CD", "000001"),
            FilaConValor("CAMBIODOC_SALIDAS", "CADO_ID", 8, "CDSA_ITEM", 1, "CDSA_VALOR", "45.00"),
            FilaConValor("CAMBIODOC_SALIDAS", "CADO_ID", 8, "CDSA_ITEM", 2, "CDSA_VALOR", "55.00"),
            // A provisional receipt with a line naming a document, copied as it stands.
            Encabezado("RECIBO_PROVISIONAL", "RCPR_ID", 9, "RCPR_NUMERO", "RP", "000001"),
            "INSERT INTO RECIBO_PROVISIONAL_DETALLE (RCPR_ID, RPVD_ITEM, TIDO_COD, RPVD_PREFDOC, "
            "RPVD_NUMDOC, RPVD_VALOR) VALUES (9, 1, 31, 'FV', '000404', 12.00)",
            FilaConValor("RECIBO_PROVISIONAL_PAGO", "RCPR_ID", 9, "RPVP_ITEM", 1, "RPVP_VALOR",
                         "12.00"),
            Auditoria(1, 63, 8, "I", "CD000001", "2026-03-02", "10:00:00"),
            Auditoria(2, 65, 9, "I", "RP000001", "2026-03-02", "10:01:00"),
        });

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 2);
    EXPECT_EQ(Textos(e.archivoEnvio(),
                     "SELECT CADO_ID, CDSA_ITEM, CDSA_VALOR FROM "
                     "CAMBIODOC_SALIDAS ORDER BY CDSA_ITEM"),
              (Filas{{"8", "1", "45.00"}, {"8", "2", "55.00"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT COUNT(*) FROM CAMBIODOC_ENTRADAS"), (Filas{{"0"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(),
                     "SELECT RCPR_ID, RPVD_ITEM, TIDO_COD, RPVD_PREFDOC, "
                     "RPVD_NUMDOC, RPVD_VALOR FROM RECIBO_PROVISIONAL_DETALLE"),
              (Filas{{"9", "1", "31", "FV", "000404", "12.00"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT RCPR_ID, RPVP_ITEM FROM RECIBO_PROVISIONAL_PAGO"),
              (Filas{{"9", "1"}}));
}

}  // namespace
}  // namespace velmora
