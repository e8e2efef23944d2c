// Every journal entry takes effect whole or not at all, and a bad entry fails alone.
#include <gtest/gtest.h>

#include "tests/soporte/concluido.h"
#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::Comprobante;
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

// A purchase invoice of the origin (type 21) with `detalles` rows.
std::vector<std::string> FacturaCompra(int id, const std::string& numero, int detalles) {
    std::vector<std::string> sql = {
        prueba::Insertar("FACTURAS_COMPRA", {{"FACO_ID", std::to_string(id)},
                                             {"PREF_PRE", "'FC'"},
                                             {"FACO_NUMERO", prueba::Literal(numero)}})};
    for (int d = 1; d <= detalles; ++d)
        sql.push_back(
            prueba::Insertar("FACTURAS_COMPRAS_DETALLE", {{"FACO_ID", std::to_string(id)},
                                                          {"FCDE_ITEM", std::to_string(d)},
                                                          {"ARTI_COD", "'A1'"}}));
    return sql;
}

// The destination refuses the run's user its purchase invoice rows, so the first look at
// them stops the run after the header was written.
TEST(EntradaEntera, UnErrorQueTerminaLaCorridaNoDejaNadaDeSuEntrada) {
    for (bool enLinea : {true, false}) {
        SCOPED_TRACE(enLinea ? "En línea" : "Fuera de línea");
        EscenarioEnvio e;
        auto sql = Factura(7, "FV", "000123", 2);
        for (auto& s : FacturaCompra(8, "000001", 2)) sql.push_back(s);
        sql.push_back(Auditoria(1, 31, 7, "I", "FV000123", "2026-03-02", "09:00:00"));
        sql.push_back(Auditoria(2, 21, 8, "I", "FC000001", "2026-03-02", "10:00:00"));
        EjecutarSql(e.origen(), sql);
        const std::string destino =
            enLinea ? e.destino() : e.instalacion.ubicacion(e.acceso, "sop/envio.fdb");
        EjecutarSql(destino,
                    {"REVOKE ALL ON FACTURAS_COMPRAS_DETALLE FROM PUBLIC", "COMMIT"});
        e.parametros.enLinea = enLinea;

        EXPECT_THROW(e.enviar(), ErrorBaseDatos);

        const std::string escrito = enLinea ? e.destino() : e.archivoEnvio();
        EXPECT_EQ(Textos(escrito, "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"2"}}))
            << "the entry before is whole";
        EXPECT_EQ(Textos(escrito, "SELECT COUNT(*) FROM FACTURAS_COMPRA"), (Filas{{"0"}}))
            << "nothing of the stopped entry";
        EXPECT_EQ(Textos(escrito, "SELECT COUNT(*) FROM FACTURAS_COMPRAS_DETALLE"), (Filas{{"0"}}));
        if (!enLinea) {
            EXPECT_EQ(Textos(escrito, "SELECT AUDI_ID FROM AUDITORIA"), (Filas{{"1"}}));
        }
        EXPECT_EQ(Marcas(e), (std::vector<std::string>{"S", "N"}));
    }
}

// Values of the journal that cannot stand in their statements: each of those entries fails
// by itself, with the server's message, its line in the error log and the question, and the
// run goes on to the good entry after them.
TEST(EntradaEntera, UnValorQueNoCabeEnSuSentenciaFallaSoloSuEntrada) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 105, 0, "I", "7; DROP", "2026-03-02", "09:00:00"));
    sql.push_back(Auditoria(2, 72, 3, "A", "CH000001", "2026-03-02", "09:10:00", "N", "X1"));
    sql.push_back(
        "INSERT INTO AUDITORIA (AUDI_ID, AUDI_USUARIO, AUDI_FECHA, AUDI_HORA, TIDO_COD, "
        "AUDI_OPER, AUDI_COD, AUDI_ENVIO) VALUES (3, 'ANA', '2026-03-02', '09:20:00', 31, "
        "'I', 'FV000555', 'N')");  // no document id
    sql.push_back(Auditoria(4, 31, 7, "I", "FV000123", "2026-03-02", "09:30:00"));
    EjecutarSql(e.origen(), sql);
    EjecutarSql(e.destino(), {prueba::DocumentoBanco("CHEQUES", "CHEQ_ID", 1, 5, "CH",
                                                     "CHEQ_NUMERO", "000001", "CHEQ_VALOR", "10")});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.fallidas, 3);
    EXPECT_EQ(r.enviadas, 1);
    const std::vector<std::string> fallas = {"Error transmitiendo COBRADORES 7; DROP",
                                             "Error transmitiendo CHEQUES CH000001",
                                             "Error transmitiendo FACTURAS DE VENTA FV000555"};
    const auto& ll = e.dialogos.llamadas();
    ASSERT_EQ(ll.size(), 7u);
    for (size_t i = 0; i < fallas.size(); ++i) {
        EXPECT_EQ(ll[2 * i].texto.rfind("Se presento el siguiente error: ", 0), 0u);
        EXPECT_NE(ll[2 * i].texto.find("conversion error from string"), std::string::npos)
            << ll[2 * i].texto;
        EXPECT_EQ(ll[2 * i + 1], Confirmacion(fallas[i] + ". Continuar?"));
    }
    EXPECT_EQ(ll.back(), Mensaje(Concluido(Corrida::Envio,
                                           {.visitadas = 4, .copiadas = 1, .fallidas = 3},
                                           ErroresMostrado(e.instalacion))));
    EXPECT_EQ(SinFechas(e.errores()), "F,H,PRUEBA," + fallas[0] + "\r\nF,H,PRUEBA," + fallas[1] +
                                          "\r\nF,H,PRUEBA," + fallas[2] + "\r\n");
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"N", "N", "N", "S"}));
    EXPECT_EQ(Textos(e.destino(), "SELECT PREF_PRE, FACT_NUMERO FROM FACTURAS"),
              (Filas{{"FV", "000123"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT CHEQ_ANULADO FROM CHEQUES"), (Filas{{"N"}}));
}

// The journal row's code and the document's own differ: the document is found by its own
// key, so sending it again replaces it instead of adding a second one.
TEST(EntradaEntera, ElDocumentoSeBuscaPorSuPropiaLlave) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 2);
    sql.push_back(Auditoria(1, 31, 7, "M", "FV000999", "2026-03-02"));
    EjecutarSql(e.origen(), sql);
    e.parametros.enLinea = true;
    e.parametros.todoLoNoEnviado = false;
    e.parametros.desde = e.parametros.hasta = "2026-03-02";

    e.enviar();
    e.enviar();

    EXPECT_EQ(Textos(e.destino(), "SELECT FACT_ID, PREF_PRE, FACT_NUMERO FROM FACTURAS"),
              (Filas{{"1", "FV", "000123"}}));
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT FACT_ID, FADE_ITEM FROM FACTURAS_DETALLE "
                     "ORDER BY FADE_ITEM"),
              (Filas{{"1", "1"}, {"1", "2"}}));
}

// Two headers with the same key in the destination (nothing there forbids it): a delete or a
// voucher's replace takes every one of them with all of its lines, and nothing else.
TEST(EntradaEntera, LasLineasDeCadaEncabezadoDeLaLlaveSeVanConEl) {
    for (const char* operacion : {"D", "M"}) {
        SCOPED_TRACE(operacion);
        EscenarioEnvio e;
        auto origen = Comprobante(30, "CC", "CP", "000007", "2026-03-02", 1, 0);
        origen.push_back(
            Auditoria(1, 1, 30, operacion, "CP000007", "2026-03-02", "09:00:00", "N", "CC"));
        origen.push_back(Auditoria(2, 31, 9, "D", "FV000001", "2026-03-02", "10:00:00"));
        if (std::string(operacion) == "D") origen.erase(origen.begin(), origen.begin() + 2);
        EjecutarSql(e.origen(), origen);
        std::vector<std::string> destino;
        for (int id : {5, 6})
            for (auto& s : Comprobante(id, "CC", "CP", "000007", "2026-03-01", 2))
                destino.push_back(s);
        for (auto& s : Comprobante(8, "CC", "CP", "000008", "2026-03-01", 2)) destino.push_back(s);
        for (int id : {11, 12})
            for (auto& s : Factura(id, "FV", "000001", 2)) destino.push_back(s);
        for (auto& s : Factura(13, "FV", "000002", 1)) destino.push_back(s);
        EjecutarSql(e.destino(), destino);
        e.parametros.enLinea = true;

        EXPECT_EQ(e.enviar().fallidas, 0);

        const bool reemplazo = std::string(operacion) == "M";
        EXPECT_EQ(Textos(e.destino(),
                         "SELECT ENCO_CONSEC, ENCO_NUMERO FROM COMPROBANTE_ENCABEZADO "
                         "ORDER BY ENCO_CONSEC"),
                  reemplazo ? (Filas{{"8", "000008"}, {"9", "000007"}}) : (Filas{{"8", "000008"}}));
        EXPECT_EQ(Textos(e.destino(),
                         "SELECT ENCO_CONSEC, COUNT(*) FROM COMPROBANTE_DETALLE "
                         "GROUP BY ENCO_CONSEC ORDER BY ENCO_CONSEC"),
                  reemplazo ? (Filas{{"8", "2"}, {"9", "1"}}) : (Filas{{"8", "2"}}));
        EXPECT_EQ(Textos(e.destino(),
                         "SELECT FACT_ID, COUNT(*) FROM FACTURAS_DETALLE "
                         "GROUP BY FACT_ID ORDER BY FACT_ID"),
                  (Filas{{"13", "1"}}));
        EXPECT_EQ(Textos(e.destino(), "SELECT FACT_ID FROM FACTURAS"), (Filas{{"13"}}));
    }
}

// The transfer file is replaced whole, and never under somebody who has it open: a receive
// run reading it (here through the server) keeps the earlier file, and the send says it could
// not prepare a new one; once nobody has it open, the send replaces it.
TEST(EntradaEntera, ElArchivoDeEnvioNoSeReemplazaBajoQuienLoLee) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000123", 1);
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123"));
    EjecutarSql(e.origen(), sql);
    e.enviar();
    EjecutarSql(e.origen(), {"UPDATE AUDITORIA SET AUDI_ENVIO = 'N', AUDI_COD = 'FV000124'",
                             "UPDATE FACTURAS SET FACT_NUMERO = '000124'"});
    {
        SesionOrigen lector("DbCia");
        lector.ubicacion(e.archivoEnvio());
        lector.usuario(prueba::kUsuario);
        lector.clave(prueba::kClave);
        lector.conectar();
        Transaccion tr(lector, "Trcia");
        Consulta q(tr, "QAuditor");
        q.texto("select audi_cod from auditoria");
        e.dialogos.olvidar();

        EXPECT_EQ(e.enviar().visitadas, 0);

        EXPECT_EQ(
            e.dialogos.llamadas(),
            std::vector<Llamada>{Mensaje("No se pudo copiar la base de datos para el envio.")});
        q.abrir();
        EXPECT_EQ(q.valor(0).comoTexto(), "FV000123") << "the earlier file, whole";
    }
    EXPECT_EQ(Marcas(e), std::vector<std::string>{"N"});

    EXPECT_EQ(e.enviar().enviadas, 1);
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT AUDI_COD FROM AUDITORIA"), (Filas{{"FV000124"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT FACT_NUMERO FROM FACTURAS"), (Filas{{"000124"}}));
}

}  // namespace
}  // namespace velmora
