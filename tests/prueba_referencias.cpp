// Documents that point at other documents by id, sent end to end: the references are
// re-pointed to the destination's ids of the documents they name.
#include <gtest/gtest.h>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora {
namespace {

using prueba::AnticipoCliente;
using prueba::AnticipoProveedor;
using prueba::Auditoria;
using prueba::DevolucionCompra;
using prueba::DevolucionVenta;
using prueba::EjecutarSql;
using prueba::Encabezado;
using prueba::EscenarioEnvio;
using prueba::Factura;
using prueba::FilaConValor;
using prueba::FilaQuePaga;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

std::string FacturaVenta(int id, const std::string& numero) {
    return Encabezado("FACTURAS", "FACT_ID", id, "FACT_NUMERO", "FV", numero);
}
std::string FacturaCompra(int id, const std::string& numero) {
    return Encabezado("FACTURAS_COMPRA", "FACO_ID", id, "FACO_NUMERO", "FC", numero);
}
std::string Recibo(int id, const std::string& numero) {
    return Encabezado("RECIBOS_CAJA", "RECA_ID", id, "RECA_NUMERO", "RC", numero);
}
std::string Egreso(int id, const std::string& numero) {
    return Encabezado("EGRESOS", "EGRE_ID", id, "EGRE_NUMERO", "CE", numero);
}

TEST(DevolucionesEnLinea, LaFacturaSeBuscaPorSuCodigoYSinEllaLaReferenciaQuedaEnCero) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(),
                {
                    // Reference 0: no look-up, although FC000001 stands in the destination.
                    DevolucionCompra(21, "DC", "000001", 0, "FC000001"),
                    // The invoice is in the destination under id 12.
                    DevolucionVenta(31, "DV", "000001", 7, "FV000007"),
                    // The invoice is missing in the destination.
                    DevolucionVenta(32, "DV", "000002", 8, "FV000008"),
                    Auditoria(1, 24, 21, "I", "DC000001", "2026-03-02", "10:00:00"),
                    Auditoria(2, 33, 31, "I", "DV000001", "2026-03-02", "10:01:00"),
                    Auditoria(3, 33, 32, "I", "DV000002", "2026-03-02", "10:02:00"),
                });
    EjecutarSql(e.destino(), {FacturaCompra(9, "000001"), FacturaVenta(12, "000007")});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 3);
    EXPECT_EQ(Textos(e.destino(), "SELECT DVCO_ID, DVCO_NUMERO, FACO_ID FROM DEVOLUCIONES_COMPRAS"),
              (Filas{{"1", "000001", "0"}}));
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT DEVT_ID, DEVT_NUMERO, FACT_ID FROM DEVOLUCIONES_VENTAS "
                     "ORDER BY DEVT_ID"),
              (Filas{{"1", "000001", "12"}, {"2", "000002", "0"}}));
}

TEST(DevolucionesFueraDeLinea, LaReferenciaViajaConElIdDelOrigen) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {DevolucionVenta(32, "DV", "000002", 8, "FV000008"),
                             Auditoria(1, 33, 32, "I", "DV000002")});

    e.enviar();

    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT DEVT_ID, FACT_ID FROM DEVOLUCIONES_VENTAS"),
              (Filas{{"32", "8"}}));
}

TEST(DevolucionesEnLinea, ReemplazarActualizaLaDevolucionPeroConservaSuReferencia) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {DevolucionCompra(21, "DC", "000001", 3, "FC000003"),
                             "UPDATE DEVOLUCIONES_COMPRAS SET DVCO_TOTAL = 75 WHERE DVCO_ID = 21",
                             Auditoria(1, 24, 21, "M", "DC000001")});
    EjecutarSql(e.destino(), {FacturaCompra(9, "000003"), FacturaCompra(10, "000004"),
                              DevolucionCompra(4, "DC", "000001", 10, "FC000004")});
    e.parametros.enLinea = true;

    e.enviar();

    EXPECT_EQ(Textos(e.destino(),
                     "SELECT DVCO_ID, DVCO_TOTAL, FACO_ID, DVCO_FACTURA "
                     "FROM DEVOLUCIONES_COMPRAS"),
              (Filas{{"4", "75.00", "10", "FC000003"}}));
}

TEST(AnticiposEnLinea, ElReciboSeNombraEnElOrigenYSeBuscaEnElDestino) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(),
                {
                    Recibo(3, "000003"),
                    Recibo(4, "000004"),
                    AnticipoCliente(41, "AC", "000001", 3),  // RC000003 is id 20 in the destination
                    AnticipoCliente(42, "AC", "000002", 4),  // RC000004 is missing there
                    AnticipoCliente(43, "AC", "000003", 0),
                    "UPDATE ANTICIPOS_CLIENTE SET RECA_ID = NULL WHERE ANCL_ID = 43",  // no receipt
                    Auditoria(1, 45, 41, "I", "AC000001", "2026-03-02", "10:00:00"),
                    Auditoria(2, 45, 42, "I", "AC000002", "2026-03-02", "10:01:00"),
                    Auditoria(3, 45, 43, "I", "AC000003", "2026-03-02", "10:02:00"),
                });
    EjecutarSql(e.destino(), {Recibo(20, "000003")});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 3);
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT ANCL_ID, ANCL_NUMERO, RECA_ID FROM ANTICIPOS_CLIENTE "
                     "ORDER BY ANCL_ID"),
              (Filas{{"1", "000001", "20"}, {"2", "000002", "4"}, {"3", "000003", "<null>"}}));
}

TEST(AnticiposEnLinea, ReemplazarVuelveABuscarElReciboYElEgreso) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {
                                Recibo(3, "000003"),
                                Egreso(5, "000005"),
                                AnticipoCliente(41, "AC", "000001", 3),
                                AnticipoProveedor(51, "AP", "000001", 5),
                                Auditoria(1, 45, 41, "M", "AC000001", "2026-03-02", "10:00:00"),
                                Auditoria(2, 55, 51, "M", "AP000001", "2026-03-02", "10:01:00"),
                            });
    // Both advances already stand in the destination with a stale reference.
    EjecutarSql(e.destino(),
                {Recibo(20, "000003"), Egreso(30, "000005"), AnticipoCliente(6, "AC", "000001", 3),
                 AnticipoProveedor(7, "AP", "000001", 99)});
    e.parametros.enLinea = true;

    e.enviar();

    EXPECT_EQ(Textos(e.destino(), "SELECT ANCL_ID, RECA_ID FROM ANTICIPOS_CLIENTE"),
              (Filas{{"6", "20"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT ANPR_ID, EGRE_ID FROM ANTICIPOS_PROVEEDOR"),
              (Filas{{"7", "30"}}));
}

TEST(RecibosEnLinea, CadaFilaPagadaApuntaAlDocumentoDelDestinoYElPagoSeCopia) {
    EscenarioEnvio e;
    EjecutarSql(
        e.origen(),
        {
            Recibo(7, "000007"),
            FilaQuePaga("RECIBOS_CAJA_DETALLE", 7, 1, 31, 7, "FV",
                        "000007"),  // invoice: id 12 there
            FilaQuePaga("RECIBOS_CAJA_DETALLE", 7, 2, 33, 31, "DV", "000001"),  // return: id 15
            FilaQuePaga("RECIBOS_CAJA_DETALLE", 7, 3, 31, 8, "FV", "000008"),   // missing there
            // A purchase invoice has no look-up in a cash receipt: the row keeps its id.
            FilaQuePaga("RECIBOS_CAJA_DETALLE", 7, 4, 21, 3, "FC", "000001"),
            FilaConValor("RECIBOS_CAJA_PAGO", "RECA_ID", 7, "RCPA_ITEM", 1, "RCPA_VALOR", "25.00"),
            FilaConValor("RECIBOS_CAJA_PAGO", "RECA_ID", 7, "RCPA_ITEM", 2, "RCPA_VALOR", "15.00"),
            Auditoria(1, 61, 7, "I", "RC000007"),
        });
    EjecutarSql(e.destino(),
                {
                    FacturaVenta(12, "000007"),
                    FacturaCompra(9, "000001"),
                    Encabezado("DEVOLUCIONES_VENTAS", "DEVT_ID", 15, "DEVT_NUMERO", "DV", "000001"),
                });
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT RECA_ID, RCDE_ITEM, TIDO_COD, RCDE_IDDOC "
                     "FROM RECIBOS_CAJA_DETALLE ORDER BY RCDE_ITEM"),
              (Filas{{"1", "1", "31", "12"},
                     {"1", "2", "33", "15"},
                     {"1", "3", "31", "0"},
                     {"1", "4", "21", "3"}}));
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT RECA_ID, RCPA_ITEM, RCPA_VALOR FROM RECIBOS_CAJA_PAGO "
                     "ORDER BY RCPA_ITEM"),
              (Filas{{"1", "1", "25.00"}, {"1", "2", "15.00"}}));
}

TEST(AplicacionesEnLinea, UnDocumentoQueFaltaDejaElIdCopiadoYUnoQueEstaDaElSuyo) {
    EscenarioEnvio e;
    EjecutarSql(
        e.origen(),
        {
            Encabezado("APLICACION_CLIENTE", "APCL_ID", 4, "APCL_NUMERO", "AL", "000001"),
            FilaQuePaga("APLICACION_CLIENTE_DETALLE", 4, 1, 31, 8, "FV",
                        "000008"),  // missing there
            FilaQuePaga("APLICACION_CLIENTE_DETALLE", 4, 2, 42, 6, "NC", "000006"),  // id 16 there
            Encabezado("APLICACION_PROVEDOR", "APPR_ID", 5, "APPR_NUMERO", "AR", "000001"),
            FilaQuePaga("APLICACION_PROVEEDOR_DETALLE", 5, 1, 21, 3, "FC", "000001"),  // id 9 there
            Auditoria(1, 43, 4, "I", "AL000001", "2026-03-02", "10:00:00"),
            Auditoria(2, 53, 5, "I", "AR000001", "2026-03-02", "10:01:00"),
        });
    EjecutarSql(e.destino(), {
                                 FacturaCompra(9, "000001"),
                                 Encabezado("NOTAS_CREDITO_CLIENTES", "NCCL_ID", 16, "NCCL_NUMERO",
                                            "NC", "000006"),
                             });
    e.parametros.enLinea = true;

    e.enviar();

    EXPECT_EQ(Textos(e.destino(),
                     "SELECT APCL_ID, APCD_ITEM, APCD_IDDOC "
                     "FROM APLICACION_CLIENTE_DETALLE ORDER BY APCD_ITEM"),
              (Filas{{"1", "1", "8"}, {"1", "2", "16"}}));
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT APPR_ID, APPD_ITEM, APPD_IDDOC "
                     "FROM APLICACION_PROVEEDOR_DETALLE"),
              (Filas{{"1", "1", "9"}}));
}

TEST(RecibosFueraDeLinea, LasFilasSeBuscanEnElArchivoDeEnvio) {
    EscenarioEnvio e;
    auto sql = Factura(7, "FV", "000007", 0);
    sql.insert(sql.end(),
               {
                   Recibo(3, "000003"),
                   FilaQuePaga("RECIBOS_CAJA_DETALLE", 3, 1, 31, 7, "FV", "000007"),  // in the file
                   FilaQuePaga("RECIBOS_CAJA_DETALLE", 3, 2, 31, 8, "FV", "000008"),  // not in it
                   Auditoria(1, 31, 7, "I", "FV000007", "2026-03-02", "10:00:00"),
                   Auditoria(2, 61, 3, "I", "RC000003", "2026-03-02", "10:01:00"),
               });
    EjecutarSql(e.origen(), sql);

    e.enviar();

    EXPECT_EQ(Textos(e.archivoEnvio(),
                     "SELECT RECA_ID, RCDE_ITEM, RCDE_IDDOC "
                     "FROM RECIBOS_CAJA_DETALLE ORDER BY RCDE_ITEM"),
              (Filas{{"3", "1", "7"}, {"3", "2", "0"}}));
}

}  // namespace
}  // namespace velmora
