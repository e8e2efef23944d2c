// The contents of a whole database as text, for comparing two databases, or one database
// before and after a run: every row of every table, one line per row, the rows of each table
// sorted.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace velmora::prueba {

// A kind of document: its header table, whose first column is the id that each database
// hands out on its own; the columns of its business key; its detail tables, whose first
// column holds the header's id.
struct TablaDocumento {
    std::string encabezado;
    std::vector<std::string> llave;
    std::vector<std::string> detalles;
};

// A column that holds the id of another document, whose type code another column of the
// same row gives; without a type column, of the one kind that `encabezados` names under 0.
struct ColumnaReferencia {
    std::string tabla;
    std::string columna;
    std::string columnaTipo;
    std::map<int, std::string> encabezados;  // type code -> header table
};

struct Contenido {
    // Table -> its rows, sorted; fields separated by '|', a null written <null>.
    std::map<std::string, std::vector<std::string>> tablas;
    // What no run may leave behind: headers that share a business key, and detail rows
    // whose header id no header holds. Filled by VolcarPorLlave.
    std::vector<std::string> llavesRepetidas;
    std::vector<std::string> detallesSinEncabezado;
};

// Every table as it stands, ids included.
Contenido Volcar(const std::string& ubicacion);

// Every table with the ids that a database hands out on its own put aside: a header's id
// column is left out, and a detail row's header id and a reference are written as the
// business key of the document they point at, "[FV|000012]". An id that points at no
// document is written "?" followed by the id.
Contenido VolcarPorLlave(const std::string& ubicacion,
                         const std::vector<TablaDocumento>& documentos,
                         const std::vector<ColumnaReferencia>& referencias);

// The rows that one holds and the other does not, table by table, readable (UTF-8), at most
// `maximo` rows of each side per table. Empty when both hold the same rows.
std::string Diferencias(const Contenido& esperado, const Contenido& obtenido, size_t maximo = 8);

}  // namespace velmora::prueba
