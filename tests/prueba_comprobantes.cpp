// Accounting vouchers sent end to end: the three-column key, the lock date, the
// delete-and-insert replace and the clean-up after a failed line.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::Comprobante;
using prueba::EjecutarSql;
using prueba::EscenarioEnvio;
using prueba::FechaBloqueo;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

const char kEncabezados[] =
    "SELECT ENCO_CONSEC, TICO_COD, PRCO_PREF, ENCO_NUMERO, ENCO_FECHA, ENCO_IMPRESO, ENCO_TOTAL "
    "FROM COMPROBANTE_ENCABEZADO ORDER BY ENCO_CONSEC";
const char kDetalles[] =
    "SELECT ENCO_CONSEC, CODE_ITEM, CODE_DEBITO, CODE_CREDITO FROM COMPROBANTE_DETALLE "
    "ORDER BY ENCO_CONSEC, CODE_ITEM";

std::vector<std::string> Unir(std::vector<std::vector<std::string>> partes) {
    std::vector<std::string> todo;
    for (auto& p : partes) todo.insert(todo.end(), p.begin(), p.end());
    return todo;
}

TEST(ComprobantesEnLinea, ElDeLaFechaDeBloqueoPasaYElAnteriorSeDaPorEnviadoSinCopiarse) {
    EscenarioEnvio e;
    EjecutarSql(
        e.origen(),
        Unir({Comprobante(11, "NOM", "CC", "000001", "2026-03-01", 2, 3),
              Comprobante(12, "NOM", "CC", "000002", "2026-02-28", 1),
              {Auditoria(1, 1, 11, "I", "CC000001", "2026-03-02", "10:00:00", "N", "NOM"),
               Auditoria(2, 1, 12, "I", "CC000002", "2026-03-02", "10:01:00", "N", "NOM")}}));
    // Ids up to 40 are taken in the destination, so the voucher gets 41.
    EjecutarSql(e.destino(), Unir({{FechaBloqueo("2026-03-01")},
                                   Comprobante(40, "VEN", "FV", "000009", "2026-01-05", 0)}));
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 2);
    EXPECT_EQ(r.fallidas, 0);
    // Position 8 (times printed) starts at 0 in the copy.
    EXPECT_EQ(Textos(e.destino(), kEncabezados),
              (Filas{{"40", "VEN", "FV", "000009", "2026-01-05", "3", "1234.56"},
                     {"41", "NOM", "CC", "000001", "2026-03-01", "0", "1234.56"}}));
    EXPECT_EQ(Textos(e.destino(), kDetalles),
              (Filas{{"41", "1", "100.00", "0.25"}, {"41", "2", "200.00", "0.25"}}));
    EXPECT_EQ(Textos(e.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA ORDER BY AUDI_ID"),
              (Filas{{"S"}, {"S"}}));
}

TEST(ComprobantesEnLinea, ReemplazarBorraElComprobanteYLoInsertaDeNuevoConOtroId) {
    EscenarioEnvio e;
    // An annul entry is a create or modify for vouchers.
    EjecutarSql(
        e.origen(),
        Unir({Comprobante(11, "NOM", "CC", "000001", "2026-03-01", 2),
              {Auditoria(1, 1, 11, "A", "CC000001", "2026-03-02", "10:00:00", "N", "NOM")}}));
    // The same key under id 5 with three lines, and a voucher of another type with the
    // same prefix and number, which is a different voucher.
    EjecutarSql(e.destino(), Unir({Comprobante(5, "NOM", "CC", "000001", "2026-02-01", 3),
                                   Comprobante(40, "VEN", "CC", "000001", "2026-02-01", 1)}));
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(Textos(e.destino(), kEncabezados),
              (Filas{{"40", "VEN", "CC", "000001", "2026-02-01", "3", "1234.56"},
                     {"41", "NOM", "CC", "000001", "2026-03-01", "0", "1234.56"}}));
    EXPECT_EQ(Textos(e.destino(), kDetalles), (Filas{{"40", "1", "100.00", "0.25"},
                                                     {"41", "1", "100.00", "0.25"},
                                                     {"41", "2", "200.00", "0.25"}}));
}

TEST(ComprobantesEnLinea, SinReemplazarElComprobanteExistenteQuedaIgualYSeDaPorEnviado) {
    EscenarioEnvio e;
    EjecutarSql(
        e.origen(),
        Unir({Comprobante(11, "NOM", "CC", "000001", "2026-03-01", 2),
              {Auditoria(1, 1, 11, "I", "CC000001", "2026-03-02", "10:00:00", "N", "NOM")}}));
    EjecutarSql(e.destino(), Comprobante(5, "NOM", "CC", "000001", "2026-02-01", 1));
    e.parametros.enLinea = true;
    e.parametros.reemplazar = false;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(Textos(e.destino(), kEncabezados),
              (Filas{{"5", "NOM", "CC", "000001", "2026-02-01", "3", "1234.56"}}));
    EXPECT_EQ(Textos(e.destino(), kDetalles), (Filas{{"5", "1", "100.00", "0.25"}}));
}

TEST(ComprobantesEnLinea, BorrarQuitaLineasYEncabezadoDeSuTipoSolamente) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(),
                {Auditoria(1, 1, 11, "D", "CC000001", "2026-03-02", "10:00:00", "N", "NOM")});
    EjecutarSql(e.destino(), Unir({Comprobante(5, "NOM", "CC", "000001", "2026-02-01", 2),
                                   Comprobante(6, "VEN", "CC", "000001", "2026-02-01", 1)}));
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(Textos(e.destino(), "SELECT ENCO_CONSEC FROM COMPROBANTE_ENCABEZADO"),
              (Filas{{"6"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT ENCO_CONSEC, CODE_ITEM FROM COMPROBANTE_DETALLE"),
              (Filas{{"6", "1"}}));
}

TEST(ComprobantesEnLinea, UnaLineaRechazadaDejaElComprobanteAnteriorComoEstaba) {
    EscenarioEnvio e;
    EjecutarSql(
        e.origen(),
        Unir({Comprobante(11, "NOM", "CC", "000001", "2026-03-01", 3),
              {Auditoria(1, 1, 11, "I", "CC000001", "2026-03-02", "10:00:00", "N", "NOM")}}));
    // The destination refuses the second line (debit 200); the voucher it held under the
    // same key, which the replace deletes before the insert, comes back with the entry's
    // rollback.
    EjecutarSql(e.destino(), Unir({Comprobante(5, "NOM", "CC", "000001", "2026-02-01", 1),
                                   {"ALTER TABLE COMPROBANTE_DETALLE ADD CONSTRAINT CK_PRUEBA "
                                    "CHECK (CODE_DEBITO < 150)",
                                    "COMMIT"}}));
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.fallidas, 1);
    EXPECT_EQ(Textos(e.destino(), kEncabezados),
              (Filas{{"5", "NOM", "CC", "000001", "2026-02-01", "3", "1234.56"}}));
    EXPECT_EQ(Textos(e.destino(), kDetalles), (Filas{{"5", "1", "100.00", "0.25"}}));
    EXPECT_EQ(Textos(e.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA"), (Filas{{"N"}}));
    // The error line names the voucher type beside the code.
    const std::string mensaje = "Error transmitiendo COMPROBANTES CONTABLES NOM CC000001";
    EXPECT_NE(e.errores().find(mensaje), std::string::npos) << e.errores();
    const auto& llamadas = e.dialogos.llamadas();
    EXPECT_NE(std::find(llamadas.begin(), llamadas.end(), Confirmacion(mensaje + ". Continuar?")),
              llamadas.end());
}

TEST(ComprobantesFueraDeLinea, ElArchivoRecibeElComprobanteConSuIdYUnBorradoNoEscribeNada) {
    EscenarioEnvio e;
    EjecutarSql(
        e.origen(),
        Unir({Comprobante(11, "NOM", "CC", "000001", "2026-03-01", 2),
              {Auditoria(1, 1, 11, "I", "CC000001", "2026-03-02", "10:00:00", "N", "NOM"),
               Auditoria(2, 1, 12, "D", "CC000002", "2026-03-02", "10:01:00", "N", "NOM")}}));
    // Offline the lock date comes from the transfer file, which has none: the company's own
    // lock date does not hold the voucher back.
    EjecutarSql(e.destino(), {FechaBloqueo("2026-12-31")});

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 2);
    EXPECT_EQ(Textos(e.archivoEnvio(), kEncabezados),
              (Filas{{"11", "NOM", "CC", "000001", "2026-03-01", "0", "1234.56"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(), kDetalles),
              (Filas{{"11", "1", "100.00", "0.25"}, {"11", "2", "200.00", "0.25"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT AUDI_ID, AUDI_OPER FROM AUDITORIA ORDER BY AUDI_ID"),
              (Filas{{"1", "I"}, {"2", "D"}}));
}

}  // namespace
}  // namespace velmora
