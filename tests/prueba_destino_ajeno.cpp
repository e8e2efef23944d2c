// Destinations that other programs and other versions have touched: a table whose columns
// stand in another order is written column by column by name; a table that lacks a column
// of the source's, or has one more, fails the entries that write it; rows without header
// under the id that a new document gets fail that document instead of joining it. Each in
// the sender online and offline and in the receiver, embedded and through the server.
#include <gtest/gtest.h>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_recepcion.h"

namespace velmora {
namespace {

using prueba::Acceso;
using prueba::Auditoria;
using prueba::Comprobante;
using prueba::DocumentoBanco;
using prueba::EjecutarSql;
using prueba::EscenarioRecepcion;
using prueba::Factura;
using prueba::FilaConValor;
using prueba::FilaQuePaga;
using prueba::Insertar;
using prueba::Marcas;
using prueba::SinFechas;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

enum class Corrida { EnLinea, FueraDeLinea, Recepcion };

// The entry that follows the one under test in every run: a cheque, which writes none of
// the tables that the cases alter.
std::vector<std::string> Cheque(int entrada) {
    return {DocumentoBanco("CHEQUES", "CHEQ_ID", 3, 5, "CH", "CHEQ_NUMERO", "000001", "CHEQ_VALOR",
                           "10"),
            Auditoria(entrada, 72, 3, "I", "CH000001", "2026-03-02", "12:00:00", "N", "5")};
}

// A run of the case's kind over a three-company installation: the sender from 001 to 002 or
// to its transfer file, or the receiver from the transfer file of 003 into 003.
struct Ejecucion {
    Corrida corrida;
    EscenarioRecepcion e;

    Ejecucion(Corrida c, Acceso acceso) : corrida(c), e(acceso) {}

    // The database that the run writes, as the case alters it before the run.
    std::string aAlterar() const {
        switch (corrida) {
            case Corrida::EnLinea:
                return e.destinoEnLinea();
            case Corrida::FueraDeLinea:
                // The run copies the template into a fresh transfer file.
                return e.envio.instalacion.ubicacion(e.envio.acceso, "sop/envio.fdb");
            case Corrida::Recepcion:
                return e.destino();
        }
        return "";
    }
    // The database that the run has written.
    std::string escrita() const {
        switch (corrida) {
            case Corrida::EnLinea:
                return e.destinoEnLinea();
            case Corrida::FueraDeLinea:
                return e.envio.archivoEnvio();
            case Corrida::Recepcion:
                return e.destino();
        }
        return "";
    }

    // Prepares the transfer file for the receiver before the destination is altered, then
    // runs. Returns the failed entries.
    int correr(const std::vector<std::string>& alteracion) {
        if (corrida == Corrida::Recepcion) {
            EXPECT_EQ(e.prepararArchivo().fallidas, 0);
            e.envio.dialogos.olvidar();
        }
        if (!alteracion.empty()) EjecutarSql(aAlterar(), alteracion);
        if (corrida == Corrida::Recepcion) return e.recibir().fallidas;
        e.envio.parametros.enLinea = corrida == Corrida::EnLinea;
        return e.envio.enviar().fallidas;
    }

    const DialogosGrabados& dialogos() const {
        return corrida == Corrida::Recepcion ? e.dialogos : e.envio.dialogos;
    }
    std::string errores() const { return SinFechas(e.errores()); }
    // The journal marks in the origin; the receiver marks nothing.
    std::vector<std::string> marcas() const { return Marcas(e.envio); }

    // The first message of the run, what a failing entry shows, and the question after it.
    void exigirFalla(const std::string& mensaje, const std::string& falla) const {
        const auto& ll = dialogos().llamadas();
        ASSERT_FALSE(ll.empty());
        EXPECT_EQ(ll[0], Mensaje("Se presento el siguiente error: " + mensaje));
        EXPECT_NE(std::find(ll.begin(), ll.end(), Confirmacion(falla + ". Continuar?")), ll.end());
        EXPECT_EQ(errores(), "F,H,PRUEBA," + falla + "\r\n");
    }
};

// ---------------------------------------------------------------- columns by name

struct CasoColumnas {
    const char* nombre;
    Corrida corrida;
    std::vector<std::string> alteracion;
    std::string mensaje;  // empty: the invoice is copied
};

const std::vector<std::string> kReordenada = {
    // The description before the article code, the returned quantity (position 18, set to
    // 0 by the copy) and the header's id (position 0) elsewhere.
    "ALTER TABLE FACTURAS_DETALLE ALTER COLUMN FADE_DESCRIPCION POSITION 3",
    "ALTER TABLE FACTURAS_DETALLE ALTER COLUMN FADE_CANTDEV POSITION 1",
    "ALTER TABLE FACTURAS ALTER COLUMN FACT_ID POSITION 4",
    "COMMIT",
};
const std::vector<std::string> kColumnaDeMas = {"ALTER TABLE FACTURAS_DETALLE ADD FADE_X INTEGER",
                                                "COMMIT"};
const std::vector<std::string> kColumnaDeMenos = {"ALTER TABLE FACTURAS_DETALLE DROP FADE_NOTA",
                                                  "COMMIT"};
const char kFaltaEnOrigen[] =
    "La tabla FACTURAS_DETALLE del destino no tiene las columnas de la del origen: falta FADE_X "
    "en el origen.";
const char kFaltaEnDestino[] =
    "La tabla FACTURAS_DETALLE del destino no tiene las columnas de la del origen: falta "
    "FADE_NOTA en el destino.";

// clang-format off
const CasoColumnas kCasosColumnas[] = {
    {"EnLineaReordenada",          Corrida::EnLinea,      kReordenada,     ""},
    {"FueraDeLineaReordenada",     Corrida::FueraDeLinea, kReordenada,     ""},
    {"RecepcionReordenada",        Corrida::Recepcion,    kReordenada,     ""},
    {"EnLineaColumnaDeMas",        Corrida::EnLinea,      kColumnaDeMas,   kFaltaEnOrigen},
    {"FueraDeLineaColumnaDeMas",   Corrida::FueraDeLinea, kColumnaDeMas,   kFaltaEnOrigen},
    {"RecepcionColumnaDeMas",      Corrida::Recepcion,    kColumnaDeMas,   kFaltaEnOrigen},
    {"EnLineaColumnaDeMenos",      Corrida::EnLinea,      kColumnaDeMenos, kFaltaEnDestino},
    {"FueraDeLineaColumnaDeMenos", Corrida::FueraDeLinea, kColumnaDeMenos, kFaltaEnDestino},
    {"RecepcionColumnaDeMenos",    Corrida::Recepcion,    kColumnaDeMenos, kFaltaEnDestino},
};
// clang-format on

void PrintTo(const CasoColumnas& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class ColumnasDelDestino : public ::testing::TestWithParam<std::tuple<Acceso, CasoColumnas>> {};

TEST_P(ColumnasDelDestino, CadaValorEnSuColumnaONadaDeLaEntrada) {
    const auto& [acceso, caso] = GetParam();
    Ejecucion x(caso.corrida, acceso);
    auto origen = Factura(7, "FV", "000123", 2);
    origen.push_back("UPDATE FACTURAS_DETALLE SET FADE_DESCRIPCION = 'nueva ' || FADE_ITEM");
    origen.push_back(Auditoria(1, 31, 7, "I", "FV000123", "2026-03-02", "10:00:00"));
    for (auto& s : Cheque(2)) origen.push_back(s);
    EjecutarSql(x.e.origen(), origen);
    // The destination's new-id view hands out 41.
    if (caso.corrida != Corrida::FueraDeLinea)
        EjecutarSql(x.aAlterar(), Factura(40, "XX", "000001", 0));

    const int fallidas = x.correr(caso.alteracion);

    const std::string escrita = x.escrita();
    EXPECT_EQ(Textos(escrita, "SELECT CHEQ_NUMERO FROM CHEQUES"), (Filas{{"000001"}}))
        << "the next entry goes";
    const Filas factura = Textos(escrita,
                                 "SELECT FACT_ID, FACT_NUMERO, TERC_NIT, FACT_TASACAMBIO FROM "
                                 "FACTURAS WHERE PREF_PRE = 'FV'");
    const Filas lineas = Textos(escrita,
                                "SELECT FACT_ID, FADE_ITEM, ARTI_COD, FADE_DESCRIPCION, "
                                "FADE_CANTDEV, FADE_PRECIO FROM FACTURAS_DETALLE ORDER BY 2");
    if (caso.mensaje.empty()) {
        EXPECT_EQ(fallidas, 0);
        EXPECT_TRUE(x.errores().empty()) << x.errores();
        const std::string id = caso.corrida == Corrida::FueraDeLinea ? "7" : "41";
        EXPECT_EQ(factura, (Filas{{id, "000123", "900123", "1.234600"}}));
        EXPECT_EQ(lineas, (Filas{{id, "1", "A001", "nueva 1", "0.0000", "10.5000"},
                                 {id, "2", "A002", "nueva 2", "0.0000", "10.5000"}}));
    } else {
        EXPECT_EQ(fallidas, 1);
        x.exigirFalla(caso.mensaje, "Error transmitiendo FACTURAS DE VENTA FV000123");
        EXPECT_TRUE(factura.empty()) << "nothing of the entry, its header included";
        EXPECT_TRUE(lineas.empty());
    }
    if (caso.corrida != Corrida::Recepcion) {
        EXPECT_EQ(x.marcas(), (std::vector<std::string>{caso.mensaje.empty() ? "S" : "N", "S"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, ColumnasDelDestino,
                         ::testing::Combine(::testing::Values(Acceso::Embebido, Acceso::Servidor),
                                            ::testing::ValuesIn(kCasosColumnas)),
                         [](const auto& info) {
                             return std::string(std::get<1>(info.param).nombre) +
                                    prueba::NombreAcceso(std::get<0>(info.param));
                         });

// A replace finds the destination's invoice and keeps its id, whatever the position of the
// id column; the lines arrive under that id, each value in its column.
TEST(ColumnasDelDestinoAlReemplazar, ElDocumentoConservaSuIdYCadaValorSuColumna) {
    Ejecucion x(Corrida::EnLinea, Acceso::Servidor);
    auto origen = Factura(7, "FV", "000123", 2);
    origen.push_back("UPDATE FACTURAS_DETALLE SET FADE_DESCRIPCION = 'nueva ' || FADE_ITEM");
    origen.push_back(Auditoria(1, 31, 7, "M", "FV000123", "2026-03-02", "10:00:00"));
    EjecutarSql(x.e.origen(), origen);
    auto destino = Factura(5, "FV", "000123", 3);
    destino.push_back("UPDATE FACTURAS SET TERC_NIT = 'viejo'");
    for (auto& s : Factura(40, "XX", "000001", 0)) destino.push_back(s);
    EjecutarSql(x.aAlterar(), destino);

    EXPECT_EQ(x.correr(kReordenada), 0);

    EXPECT_EQ(Textos(x.escrita(), "SELECT FACT_ID, TERC_NIT FROM FACTURAS WHERE PREF_PRE = 'FV'"),
              (Filas{{"5", "900123"}}));
    EXPECT_EQ(
        Textos(x.escrita(),
               "SELECT FACT_ID, FADE_ITEM, ARTI_COD, FADE_DESCRIPCION, FADE_CANTDEV "
               "FROM FACTURAS_DETALLE ORDER BY 2"),
        (Filas{{"5", "1", "A001", "nueva 1", "0.0000"}, {"5", "2", "A002", "nueva 2", "0.0000"}}));
}

// A sales return whose invoice reference and code stand first in the destination: the
// reference is rewritten into its own column, to the destination's id of the invoice.
TEST(ColumnasDelDestinoConReferencias, LaReferenciaSeReescribeEnSuColumna) {
    Ejecucion x(Corrida::EnLinea, Acceso::Servidor);
    EjecutarSql(x.e.origen(), {prueba::DevolucionVenta(7, "DV", "000001", 3, "RF000001"),
                               Auditoria(1, 33, 7, "I", "DV000001", "2026-03-02", "10:00:00")});
    EjecutarSql(x.aAlterar(),
                {prueba::Encabezado("FACTURAS", "FACT_ID", 9, "FACT_NUMERO", "RF", "000001"),
                 prueba::DevolucionVenta(40, "XX", "000001", 0, "")});

    EXPECT_EQ(x.correr({"ALTER TABLE DEVOLUCIONES_VENTAS ALTER COLUMN FACT_ID POSITION 1",
                        "ALTER TABLE DEVOLUCIONES_VENTAS ALTER COLUMN DEVT_FACTURA POSITION 1",
                        "COMMIT"}),
              0);

    EXPECT_EQ(Textos(x.escrita(),
                     "SELECT DEVT_ID, DEVT_NUMERO, DEVT_TOTAL, DEVT_FACTURA, FACT_ID FROM "
                     "DEVOLUCIONES_VENTAS WHERE PREF_PRE = 'DV'"),
              (Filas{{"41", "000001", "50.00", "RF000001", "9"}}));
}

// ---------------------------------------------------------------- rows without header

struct CasoFilasAjenas {
    const char* nombre;
    Corrida corrida;
    std::vector<std::string> origen;   // the documents and their entries, before the cheque
    std::vector<std::string> destino;  // what the destination holds
    std::string mensaje;               // of the failing entry
    std::string falla;                 // its line in ERRORES.TXT
    std::vector<std::string> marcas;   // of the origin's journal, in the sender
    std::string ajenas;                // a select of the rows without header
    Filas filasAjenas;                 // as they were before the run
    std::string fallido;               // a select of the failing document's header
};

std::vector<std::string> Unir(std::vector<std::vector<std::string>> partes) {
    std::vector<std::string> r;
    for (auto& p : partes) r.insert(r.end(), p.begin(), p.end());
    return r;
}

std::string LineaAjena(const std::string& tabla, const std::string& columnaId, int id,
                       const std::string& columnaItem, int item, const std::string& columnaValor) {
    return FilaConValor(tabla, columnaId, id, columnaItem, item, columnaValor, "99");
}

std::vector<std::string> DestinoFacturas() {
    // The new-id view hands out 41; rows of some other program wait under 41.
    return Unir({Factura(40, "XX", "000001", 0),
                 {LineaAjena("FACTURAS_DETALLE", "FACT_ID", 41, "FADE_ITEM", 11, "FADE_TOTAL"),
                  LineaAjena("FACTURAS_DETALLE", "FACT_ID", 41, "FADE_ITEM", 12, "FADE_TOTAL"),
                  LineaAjena("FACTURAS_DETALLE", "FACT_ID", 41, "FADE_ITEM", 13, "FADE_TOTAL")}});
}

std::vector<std::string> Recibo(int id, const std::string& numero, int entrada,
                                const std::string& hora) {
    return {Insertar("RECIBOS_CAJA", {{"RECA_ID", std::to_string(id)},
                                      {"PREF_PRE", "'RC'"},
                                      {"RECA_NUMERO", "'" + numero + "'"}}),
            FilaQuePaga("RECIBOS_CAJA_DETALLE", id, 1, 31, 3, "FV", "000009"),
            FilaConValor("RECIBOS_CAJA_PAGO", "RECA_ID", id, "RCPA_ITEM", 1, "RCPA_VALOR", "10"),
            Auditoria(entrada, 61, id, "I", "RC" + numero, "2026-03-02", hora)};
}

std::vector<std::string> DestinoRecibos() {
    return {Insertar("RECIBOS_CAJA",
                     {{"RECA_ID", "40"}, {"PREF_PRE", "'XX'"}, {"RECA_NUMERO", "'000001'"}}),
            LineaAjena("RECIBOS_CAJA_DETALLE", "RECA_ID", 41, "RCDE_ITEM", 1, "RCDE_VALOR"),
            LineaAjena("RECIBOS_CAJA_DETALLE", "RECA_ID", 41, "RCDE_ITEM", 2, "RCDE_VALOR"),
            LineaAjena("RECIBOS_CAJA_PAGO", "RECA_ID", 41, "RCPA_ITEM", 1, "RCPA_VALOR"),
            LineaAjena("RECIBOS_CAJA_PAGO", "RECA_ID", 41, "RCPA_ITEM", 2, "RCPA_VALOR")};
}

const char kRecibosAjenos[] =
    "SELECT 'D', RECA_ID, RCDE_ITEM, RCDE_VALOR FROM RECIBOS_CAJA_DETALLE UNION ALL "
    "SELECT 'P', RECA_ID, RCPA_ITEM, RCPA_VALOR FROM RECIBOS_CAJA_PAGO ORDER BY 1, 2, 3";
const Filas kFilasRecibosAjenas = {{"D", "41", "1", "99.00"},
                                   {"D", "41", "2", "99.00"},
                                   {"P", "41", "1", "99.00"},
                                   {"P", "41", "2", "99.00"}};
const char kMensajeRecibo[] =
    "La tabla RECIBOS_CAJA_DETALLE ya tiene 2 filas sin encabezado con el id 41. La tabla "
    "RECIBOS_CAJA_PAGO ya tiene 2 filas sin encabezado con el id 41.";

const char kFacturasAjenas[] =
    "SELECT FACT_ID, FADE_ITEM, FADE_TOTAL FROM FACTURAS_DETALLE WHERE FADE_ITEM > 10 "
    "ORDER BY 1, 2";
const Filas kFilasFacturasAjenas = {
    {"41", "11", "99.00"}, {"41", "12", "99.00"}, {"41", "13", "99.00"}};
const char kFacturaFallida[] = "SELECT FACT_ID FROM FACTURAS WHERE PREF_PRE = 'FV'";
const char kMensajeFactura[] =
    "La tabla FACTURAS_DETALLE ya tiene 3 filas sin encabezado con el id 41.";

std::vector<std::string> FacturaConEntrada() {
    return Unir({Factura(7, "FV", "000123", 2),
                 {Auditoria(1, 31, 7, "I", "FV000123", "2026-03-02", "10:00:00")}});
}

const std::vector<CasoFilasAjenas>& CasosFilasAjenas() {
    static const std::vector<CasoFilasAjenas> casos = [] {
        std::vector<CasoFilasAjenas> c;
        for (Corrida corrida : {Corrida::EnLinea, Corrida::Recepcion}) {
            const bool enLinea = corrida == Corrida::EnLinea;
            c.push_back({enLinea ? "EnLineaFacturaUnaTabla" : "RecepcionFacturaUnaTabla",
                         corrida,
                         FacturaConEntrada(),
                         DestinoFacturas(),
                         kMensajeFactura,
                         "Error transmitiendo FACTURAS DE VENTA FV000123",
                         {"N", "S"},
                         kFacturasAjenas,
                         kFilasFacturasAjenas,
                         kFacturaFallida});
            c.push_back({enLinea ? "EnLineaReciboDosTablas" : "RecepcionReciboDosTablas",
                         corrida,
                         Recibo(7, "000005", 1, "10:00:00"),
                         DestinoRecibos(),
                         kMensajeRecibo,
                         "Error transmitiendo RECIBOS DE CAJA RC000005",
                         {"N", "S"},
                         kRecibosAjenos,
                         kFilasRecibosAjenas,
                         "SELECT RECA_ID FROM RECIBOS_CAJA WHERE RECA_NUMERO = '000005'"});
        }
        // A voucher, whose copy is its own.
        c.push_back(
            {"EnLineaComprobante",
             Corrida::EnLinea,
             Unir({Comprobante(30, "CC", "CP", "000007", "2026-03-02", 2),
                   {Auditoria(1, 1, 30, "I", "CP000007", "2026-03-02", "10:00:00", "N", "CC")}}),
             Unir({Comprobante(40, "CC", "CP", "000001", "2026-03-01", 0),
                   {Insertar(
                       "COMPROBANTE_DETALLE",
                       {{"ENCO_CONSEC", "41"}, {"CODE_ITEM", "1"}, {"CUEN_COD", "'999999'"}})}}),
             "La tabla COMPROBANTE_DETALLE ya tiene 1 fila sin encabezado con el id 41.",
             "Error transmitiendo COMPROBANTES CONTABLES CC  CP000007",
             {"N", "S"},
             "SELECT ENCO_CONSEC, CODE_ITEM, CUEN_COD FROM COMPROBANTE_DETALLE",
             {{"41", "1", "999999"}},
             "SELECT ENCO_CONSEC FROM COMPROBANTE_ENCABEZADO WHERE ENCO_NUMERO = '000007'"});
        // A bank deposit in the receiver, found by its account.
        c.push_back(
            {"RecepcionConsignacion",
             Corrida::Recepcion,
             {DocumentoBanco("CONSIGNA", "CONS_ID", 2, 7, "CN", "CONS_NUMERO", "000001",
                             "CONS_VALOR", "10.00"),
              FilaConValor("CONSIGNA_DETALLE", "CONS_ID", 2, "CNDE_ITEM", 1, "CNDE_VALOR", "10.00"),
              Auditoria(1, 71, 2, "I", "CN000001", "2026-03-02", "10:00:00", "N", "7")},
             {DocumentoBanco("CONSIGNA", "CONS_ID", 40, 7, "CN", "CONS_NUMERO", "000009",
                             "CONS_VALOR", "5.00"),
              LineaAjena("CONSIGNA_DETALLE", "CONS_ID", 41, "CNDE_ITEM", 5, "CNDE_VALOR")},
             "La tabla CONSIGNA_DETALLE ya tiene 1 fila sin encabezado con el id 41.",
             "Error transmitiendo CONSIGNACIONES CN000001",
             {},
             "SELECT CONS_ID, CNDE_ITEM, CNDE_VALOR FROM CONSIGNA_DETALLE",
             {{"41", "5", "99.00"}},
             "SELECT CONS_ID FROM CONSIGNA WHERE CONS_NUMERO = '000001'"});
        // The first receipt of the run takes 41, free; the second meets the rows under 42.
        // Rows far above the highest id are nobody's concern until an id reaches them.
        c.push_back(
            {"EnLineaSegundoReciboDeLaCorrida",
             Corrida::EnLinea,
             Unir({Recibo(7, "000005", 1, "09:00:00"), Recibo(8, "000006", 3, "11:00:00")}),
             {Insertar("RECIBOS_CAJA",
                       {{"RECA_ID", "40"}, {"PREF_PRE", "'XX'"}, {"RECA_NUMERO", "'000001'"}}),
              LineaAjena("RECIBOS_CAJA_PAGO", "RECA_ID", 42, "RCPA_ITEM", 7, "RCPA_VALOR"),
              LineaAjena("RECIBOS_CAJA_PAGO", "RECA_ID", 90, "RCPA_ITEM", 7, "RCPA_VALOR")},
             "La tabla RECIBOS_CAJA_PAGO ya tiene 1 fila sin encabezado con el id 42.",
             "Error transmitiendo RECIBOS DE CAJA RC000006",
             {"S", "S", "N"},
             "SELECT RECA_ID, RCPA_ITEM, RCPA_VALOR FROM RECIBOS_CAJA_PAGO WHERE RCPA_ITEM "
             "= 7 ORDER BY 1",
             {{"42", "7", "99.00"}, {"90", "7", "99.00"}},
             "SELECT RECA_ID FROM RECIBOS_CAJA WHERE RECA_NUMERO = '000006'"});
        return c;
    }();
    return casos;
}

void PrintTo(const CasoFilasAjenas& caso, std::ostream* salida) {
    *salida << caso.nombre;
}

class FilasSinEncabezado : public ::testing::TestWithParam<std::tuple<Acceso, CasoFilasAjenas>> {};

TEST_P(FilasSinEncabezado, ElDocumentoNuevoNoLasHereda) {
    const auto& [acceso, caso] = GetParam();
    Ejecucion x(caso.corrida, acceso);
    EjecutarSql(x.e.origen(), Unir({caso.origen, Cheque(2)}));
    EjecutarSql(x.aAlterar(), caso.destino);
    const Filas antes = Textos(x.escrita(), caso.ajenas);
    ASSERT_EQ(antes, caso.filasAjenas);

    EXPECT_EQ(x.correr({}), 1);

    x.exigirFalla(caso.mensaje, caso.falla);
    EXPECT_EQ(Textos(x.escrita(), caso.ajenas), caso.filasAjenas) << "nobody else's rows move";
    EXPECT_TRUE(Textos(x.escrita(), caso.fallido).empty()) << "nothing of the failing entry";
    EXPECT_EQ(Textos(x.escrita(), "SELECT CHEQ_NUMERO FROM CHEQUES"), (Filas{{"000001"}}))
        << "the next entry goes";
    if (caso.corrida == Corrida::EnLinea) {
        EXPECT_EQ(x.marcas(), caso.marcas);
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, FilasSinEncabezado,
                         ::testing::Combine(::testing::Values(Acceso::Embebido, Acceso::Servidor),
                                            ::testing::ValuesIn(CasosFilasAjenas())),
                         [](const auto& info) {
                             return std::string(std::get<1>(info.param).nombre) +
                                    prueba::NombreAcceso(std::get<0>(info.param));
                         });

}  // namespace
}  // namespace velmora
