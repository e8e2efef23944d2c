// Send runs end to end, from the journal of company 001 to company 002 or its transfer file.
#include <gtest/gtest.h>

#include "tests/soporte/escenario_envio.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::EjecutarSql;
using prueba::EscenarioEnvio;
using prueba::Factura;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

const char kConcluido[] = "Proceso de envio de informaci\xF3n conclu\xEDdo.";

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
    EXPECT_EQ(e.dialogos.llamadas(), (std::vector<Llamada>{Mensaje(kConcluido)}));
    EXPECT_EQ(Textos(e.destino(), "SELECT FACT_ID, PREF_PRE, FACT_NUMERO, FACT_TASACAMBIO, "
                                  "FACT_TOTAL FROM FACTURAS WHERE PREF_PRE = 'FV'"),
              (Filas{{"41", "FV", "000123", "1.234600", "116.60"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT FACT_ID, FADE_ITEM, FADE_CANTDEV FROM FACTURAS_DETALLE "
                                  "ORDER BY FADE_ITEM"),
              (Filas{{"41", "1", "0.0000"}, {"41", "2", "0.0000"}}));
    EXPECT_EQ(Textos(e.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA"), (Filas{{"S"}}));
}

}  // namespace
}  // namespace velmora
