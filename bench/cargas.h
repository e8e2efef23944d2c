// The workloads: what the origin company holds before a send, as journal entries and their
// documents, and what a target must hold after the workload went through.
#pragma once

#include <string>

namespace velmora::banco {

enum class Carga {
    Facturas,      // sales invoices (31) of k detail rows
    Mixta,         // invoices, vouchers, cash receipts, accounts and article units in turn
    SinManejador,  // entries of a listed type without catalog entry: no document work
};
const char* NombreCarga(Carga carga);

// A family of the workload, in the order the mixed journal cycles through them.
enum class Clase { Factura, Comprobante, Recibo, Cuenta, Unidades, SinManejador };

// The class of journal entry i (from 1).
Clase ClaseDe(Carga carga, int i);

// A code without catalog entry that the type list holds: its entries reach the journal copy
// and the mark without any document work.
constexpr int kTipoSinManejador = 19;

// Payment rows per cash receipt.
constexpr int kPagosPorRecibo = 2;

struct Lote {
    Carga carga = Carga::Facturas;
    int entradas = 0, detalles = 0;

    // Headers, detail and master rows that the run puts into the target (journal rows apart).
    long filasDocumento() const;
    // Cash receipt rows whose paid invoice the target holds under the receipt's reference.
    long referencias() const;
};

// One EXECUTE BLOCK that fills the origin company: the documents and their journal, one
// second apart so that the journal order is the order of i. The invoices carry the values
// that the end-to-end tests use; in the mixed journal a receipt pays the invoice two
// entries before it.
std::string BloqueOrigen(const Lote& lote);

// What a target holds: document rows of the workload's tables, journal rows, and receipt
// rows whose reference names an invoice of the target by id, prefix and number.
struct Conteo {
    long filas = 0, auditoria = 0, referencias = 0;
};
Conteo Contar(const std::string& ubicacion);

}  // namespace velmora::banco
