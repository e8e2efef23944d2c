// The document type catalog: for every journal type code, the tables and columns that the
// copy works on, how the record is found from the journal row, and the family of rules
// that copies it. Constant data, compiled in.
#pragma once

#include <string>
#include <vector>

namespace velmora {

enum class Familia {
    Documento,       // header and details, copied as they are
    Comprobante,     // accounting vouchers
    Referencias,     // documents whose header or first detail table points at others
    VariosDetalles,  // several detail tables
    Bancos,          // bank documents, numbered per account
    Maestros,        // master data, upserted by key
};

// How a record is found in a database from its journal row.
enum class Llave {
    Prefijo,       // PREF_PRE and the number column
    Comprobante,   // TICO_COD, PRCO_PREF and ENCO_NUMERO
    Banco,         // CUBA_COD, PRBA_PREF and the number column
    CodigoCitado,  // the key column = AUDI_COD, quoted
    CodigoSolo,    // the key column = AUDI_COD, bare
    Id,            // the key column = AUDI_IDDOC
};

struct TablaDetalle {
    std::string tabla;
    std::string columnaId;  // the header's id column, first in the detail table
};

// Master data: what belongs to one key.
enum class Forma { UnRegistro, EncabezadoConItems, FilasArticulo };

struct FilasMaestro {
    std::string tablaItems;   // header with items: the item table
    std::string columnaFila;  // column that tells the rows of one key apart; empty: none
    int posicionFila = -1;    // position of its value in the source row
    bool filaCitada = false;
    // A 'D' entry clears the key's rows first (online), with the table written as here in
    // "DELETE from <table> where arti_cod = "; empty: no clearing.
    std::string tablaBorrado{};
};

struct DescriptorTipoDoc {
    int codigo = 0;
    std::string tablaEncabezado;
    std::string columnaId;
    std::string columnaPrefijo;  // PREF_PRE, PRCO_PREF or PRBA_PREF; the key column of master data
    std::string columnaNumero;
    std::string columnaAnulado;
    std::string vistaNuevoId;
    std::vector<TablaDetalle> detalles;  // in copy order
    Familia familia = Familia::Documento;
    Llave llave = Llave::Prefijo;
    int posicionEnCero = -1;  // detail position set to 0 before posting (invoices)
    bool referenciasEnPrimerDetalle = false;
    Forma forma = Forma::UnRegistro;
    FilasMaestro filas;
    bool actualizaSinMoneda = false;  // the update copies plain values, no currency path
};

const std::vector<DescriptorTipoDoc>& Catalogo();

// The entry of a journal type code, or null when the code has none.
const DescriptorTipoDoc* BuscarTipoDoc(int codigo);

}  // namespace velmora
