// Sender and receiver together: a journal with a document of every family, master data,
// annulments and deletions, prepared offline into a transfer file and received into a
// destination, against the same journal sent online into an identical destination. Both
// destinations end alike, ids aside, but for the differences that the programs make on
// purpose, each named and shown here.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_recepcion.h"
#include "tests/soporte/tablas.h"
#include "tests/soporte/volcado.h"
#include "transfer/catalogo.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::Comprobante;
using prueba::Contenido;
using prueba::EjecutarSql;
using prueba::EscenarioRecepcion;
using prueba::Factura;
using prueba::HoraDeEntrada;
using prueba::Literal;
using prueba::ReferenciasDeEncabezado;
using prueba::Tablas;

// The documents that references name, "RF000001" in both databases: their ids.
const int kIdEnDestino = 9;
const int kIdEnOrigen = 3;

// Every document kind of the catalog and the references between documents, so that the
// destinations can be compared with the ids that each hands out put aside.
std::vector<prueba::TablaDocumento> Documentos() {
    std::vector<prueba::TablaDocumento> r;
    for (const DescriptorTipoDoc& t : Catalogo()) {
        if (t.familia == Familia::Maestros) continue;
        prueba::TablaDocumento d{t.tablaEncabezado, {}, {}};
        if (t.llave == Llave::Comprobante) d.llave.push_back("TICO_COD");
        if (t.llave == Llave::Banco) d.llave.push_back("CUBA_COD");
        d.llave.push_back(t.columnaPrefijo);
        d.llave.push_back(t.columnaNumero);
        for (const TablaDetalle& detalle : t.detalles) d.detalles.push_back(detalle.tabla);
        r.push_back(d);
    }
    return r;
}

std::vector<prueba::ColumnaReferencia> Referencias(Tablas& tablas) {
    const std::map<int, std::string> cliente = {{31, "FACTURAS"},
                                                {33, "DEVOLUCIONES_VENTAS"},
                                                {41, "NOTAS_DEBITO_CLIENTES"},
                                                {42, "NOTAS_CREDITO_CLIENTES"},
                                                {45, "ANTICIPOS_CLIENTE"}};
    const std::map<int, std::string> proveedor = {{21, "FACTURAS_COMPRA"},
                                                  {24, "DEVOLUCIONES_COMPRAS"},
                                                  {51, "NOTAS_DEBITO_PROVEEDOR"},
                                                  {52, "NOTAS_CREDITO_PROVEEDOR"},
                                                  {55, "ANTICIPOS_PROVEEDOR"}};
    std::vector<prueba::ColumnaReferencia> r;
    for (const auto& [tabla, tipos] :
         std::vector<std::pair<std::string, std::map<int, std::string>>>{
             {"APLICACION_CLIENTE_DETALLE", cliente},
             {"RECIBOS_CAJA_DETALLE", cliente},
             {"APLICACION_PROVEEDOR_DETALLE", proveedor},
             {"EGRESOS_DETALLE", proveedor}})
        r.push_back({tabla, tablas.nombre(tabla, 3), tablas.nombre(tabla, 2), tipos});
    // Header references point at one kind of document: no type column.
    const std::map<int, std::string> referidos = {
        {24, "FACTURAS_COMPRA"}, {33, "FACTURAS"}, {45, "RECIBOS_CAJA"}, {55, "EGRESOS"}};
    for (const auto& [codigo, posiciones] : ReferenciasDeEncabezado()) {
        const DescriptorTipoDoc& t = *BuscarTipoDoc(codigo);
        r.push_back({t.tablaEncabezado,
                     tablas.nombre(t.tablaEncabezado, posiciones.first),
                     "",
                     {{0, referidos.at(codigo)}}});
    }
    return r;
}

// Takes out of a dump the rows of `tabla` that contain `texto`, and returns them.
std::vector<std::string> Apartar(Contenido& c, const std::string& tabla, const std::string& texto) {
    auto& filas = c.tablas[tabla];
    std::vector<std::string> apartadas;
    for (const auto& f : filas)
        if (f.find(texto) != std::string::npos) apartadas.push_back(f);
    filas.erase(
        std::remove_if(filas.begin(), filas.end(),
                       [&](const std::string& f) { return f.find(texto) != std::string::npos; }),
        filas.end());
    return apartadas;
}

TEST(EnvioYRecepcion, ElArchivoRecibidoDejaLoQueDejaElEnvioEnLinea) {
    EscenarioRecepcion e;
    Tablas tablas(e.origen());
    std::vector<std::string> origen, destino;

    // What both destinations hold before: the referenced invoices, the lock date, an older
    // version of invoice FV000050, the documents that the journal annuls and deletes, and a
    // unit of article A1 that the origin does not have.
    for (const char* referido : {"FACTURAS", "FACTURAS_COMPRA"})
        destino.push_back(tablas.fila(
            referido, {{0, std::to_string(kIdEnDestino)}, {1, "'RF'"}, {2, "'000001'"}}));
    destino.push_back(prueba::FechaBloqueo("2026-03-01"));
    for (auto& s : Factura(50, "FV", "000050", 1)) destino.push_back(s);
    destino.push_back("UPDATE FACTURAS SET TERC_NIT = 'viejo' WHERE FACT_ID = 50");
    for (auto& s : Factura(60, "FV", "000060", 1)) destino.push_back(s);
    for (auto& s : Factura(61, "FV", "000061", 2)) destino.push_back(s);
    for (auto& s : Comprobante(70, "T01", "CP", "000009", "2026-03-05", 2)) destino.push_back(s);
    destino.push_back(prueba::DocumentoBanco("CHEQUES", "CHEQ_ID", 80, 4, "CH", "CHEQ_NUMERO",
                                             "000005", "CHEQ_VALOR", "10"));
    destino.push_back(
        "INSERT INTO UNIDAD_ARTICULO (ARTI_COD, UNAR_UNIDAD, UNAR_FACTOR) VALUES "
        "('A1', 'PAR', 2)");

    // The origin: the receipt and the disbursement that the advances name, a document of
    // every kind of the catalog and a record of every kind of master data, each with its
    // journal entry; then the changes to what the destinations hold.
    int n = 0;
    auto diario = [&](int tipo, int id, const std::string& operacion, const std::string& codigo,
                      const std::string& tico = "") {
        ++n;
        origen.push_back(
            Auditoria(n, tipo, id, operacion, codigo, "2026-03-02", HoraDeEntrada(n), "N", tico));
    };
    for (const auto& [tabla, columna, tipo] :
         {std::tuple{"RECIBOS_CAJA", "RECA", 61}, std::tuple{"EGRESOS", "EGRE", 62}}) {
        origen.push_back(
            tablas.fila(tabla, {{0, std::to_string(kIdEnOrigen)}, {1, "'RF'"}, {2, "'000001'"}}));
        diario(tipo, kIdEnOrigen, "I", "RF000001");
    }
    for (const DescriptorTipoDoc& t : Catalogo()) {
        const int id = 500 + t.codigo;
        const std::string ids = std::to_string(id);
        if (t.familia == Familia::Maestros) {
            const std::string clave = t.llave == Llave::CodigoSolo ? std::to_string(t.codigo)
                                                                   : "K" + std::to_string(t.codigo);
            const std::string valor = t.llave == Llave::CodigoSolo ? clave : Literal(clave);
            if (t.forma == Forma::UnRegistro) {
                origen.push_back(tablas.fila(t.tablaEncabezado, {{0, valor}}));
            } else if (t.forma == Forma::EncabezadoConItems) {
                origen.push_back(tablas.fila(t.tablaEncabezado, {{0, ids}}));
                origen.push_back(tablas.fila(t.filas.tablaItems, {{0, ids}, {1, "1"}}));
                origen.push_back(tablas.fila(t.filas.tablaItems, {{0, ids}, {1, "2"}}));
            } else {
                // Two rows of one article; prices hold the article code second.
                const int articulo = t.codigo == 126 ? 1 : 0;
                const int fila = t.codigo == 126 ? 0 : 1;
                for (const char* item : {"1", "2"})
                    origen.push_back(tablas.fila(
                        t.tablaEncabezado,
                        {{articulo, valor},
                         {fila, t.filas.filaCitada ? Literal(item) : std::string(item)}}));
            }
            diario(t.codigo, id, "I", t.forma == Forma::EncabezadoConItems ? "" : clave);
            continue;
        }
        std::map<int, std::string> encabezado = {{0, ids}};
        std::string tico;
        if (t.llave == Llave::Comprobante) {
            tico = "T01";
            encabezado[1] = Literal(tico);
            encabezado[4] = "'2026-03-02'";
        } else if (t.llave == Llave::Banco) {
            tico = "2";
            encabezado[1] = tico;
        }
        const int posPrefijo = t.llave == Llave::Prefijo ? 1 : 2;
        const std::string prefijo = "P" + std::to_string(t.codigo);
        encabezado[posPrefijo] = Literal(prefijo);
        encabezado[posPrefijo + 1] = "'000001'";
        if (auto r = ReferenciasDeEncabezado().find(t.codigo);
            r != ReferenciasDeEncabezado().end()) {
            encabezado[r->second.first] = std::to_string(kIdEnOrigen);
            if (r->second.second >= 0) encabezado[r->second.second] = "'RF000001'";
        }
        origen.push_back(tablas.fila(t.tablaEncabezado, encabezado));
        for (size_t d = 0; d < t.detalles.size(); ++d) {
            for (int item : {1, 2}) {
                std::map<int, std::string> fila = {{0, ids}, {1, std::to_string(item)}};
                if (d == 0 &&
                    (t.codigo == 43 || t.codigo == 53 || t.codigo == 61 || t.codigo == 62)) {
                    fila[2] = t.codigo == 43 || t.codigo == 61 ? "31" : "21";
                    fila[3] = std::to_string(kIdEnOrigen);
                    fila[4] = "'RF'";
                    fila[5] = "'000001'";
                }
                origen.push_back(tablas.fila(t.detalles[d].tabla, fila));
            }
        }
        diario(t.codigo, id, "I", prefijo + "000001", tico);
    }
    for (auto& s : Factura(50, "FV", "000050", 2)) origen.push_back(s);
    diario(31, 50, "M", "FV000050");
    diario(31, 60, "A", "FV000060");
    diario(31, 61, "D", "FV000061");
    diario(72, 80, "A", "CH000005", "4");
    diario(1, 70, "D", "CP000009", "T01");
    // Dated before the destinations' lock date.
    for (auto& s : Comprobante(71, "T01", "CP", "000002", "2026-02-10", 2)) origen.push_back(s);
    diario(1, 71, "I", "CP000002", "T01");
    origen.push_back(
        "INSERT INTO UNIDAD_ARTICULO (ARTI_COD, UNAR_UNIDAD, UNAR_FACTOR) VALUES "
        "('A1', 'UND', 1)");
    diario(124, 0, "D", "A1");

    EjecutarSql(e.origen(), origen);
    EjecutarSql(e.destinoEnLinea(), destino);
    EjecutarSql(e.destino(), destino);

    ASSERT_EQ(e.prepararArchivo().fallidas, 0);
    ASSERT_EQ(e.enviarEnLinea().fallidas, 0);
    ASSERT_EQ(e.recibir().fallidas, 0);

    Tablas destinoTablas(e.destino());
    const auto documentos = Documentos();
    const auto referencias = Referencias(destinoTablas);
    Contenido enLinea = prueba::VolcarPorLlave(e.destinoEnLinea(), documentos, referencias);
    Contenido recibido = prueba::VolcarPorLlave(e.destino(), documentos, referencias);
    for (const Contenido* c : {&enLinea, &recibido}) {
        EXPECT_TRUE(c->llavesRepetidas.empty());
        EXPECT_TRUE(c->detallesSinEncabezado.empty());
    }
    // Every document of the catalog arrived, and the annulled cheque and invoice, but not
    // the deleted invoice and voucher.
    EXPECT_EQ(recibido.tablas["FACTURAS"].size(), 4u);  // RF, P31, FV000050, FV000060
    EXPECT_EQ(Apartar(recibido, "CHEQUES", "|CH|000005|").size(), 1u);
    EXPECT_NE(Apartar(enLinea, "CHEQUES", "|CH|000005|").at(0).find("|S|"), std::string::npos);

    // The lock date holds back, online, a voucher dated before it; the receiver has no lock
    // check.
    EXPECT_TRUE(Apartar(enLinea, "COMPROBANTE_ENCABEZADO", "T01|CP|000002").empty());
    EXPECT_EQ(Apartar(recibido, "COMPROBANTE_ENCABEZADO", "T01|CP|000002").size(), 1u);
    EXPECT_TRUE(Apartar(enLinea, "COMPROBANTE_DETALLE", "[T01|CP|000002]").empty());
    EXPECT_EQ(Apartar(recibido, "COMPROBANTE_DETALLE", "[T01|CP|000002]").size(), 2u);

    // A deleted article row: online the article's rows are cleared and the origin's put back;
    // the receiver deletes no article row.
    EXPECT_TRUE(Apartar(enLinea, "UNIDAD_ARTICULO", "A1|PAR|").empty());
    EXPECT_EQ(Apartar(recibido, "UNIDAD_ARTICULO", "A1|PAR|").size(), 1u);

    // Documents that already exist: the sender's window replaces them by default, the
    // receiver's leaves them.
    EXPECT_EQ(Apartar(enLinea, "FACTURAS_DETALLE", "[FV|000050]").size(), 2u);
    EXPECT_EQ(Apartar(recibido, "FACTURAS_DETALLE", "[FV|000050]").size(), 1u);
    EXPECT_NE(Apartar(enLinea, "FACTURAS", "FV|000050|").at(0).find("900123"), std::string::npos);
    EXPECT_NE(Apartar(recibido, "FACTURAS", "FV|000050|").at(0).find("viejo"), std::string::npos);

    // Everything else alike, table by table.
    EXPECT_EQ(prueba::Diferencias(enLinea, recibido, 20), "");
}

}  // namespace
}  // namespace velmora
