// Ctipodoc, the document type list of a main window: an in-memory result set with the
// columns TIDO_COD, TIDO_NOMLARGO and the mark F_1 ("S" or "N"), kept in ascending order of
// TIDO_COD. Its row errors go to the hooks that ConfigurarProviders wires.
#pragma once

#include <memory>
#include <vector>

#include "foundation/sesion.h"
#include "foundation/tipo_documento.h"

namespace velmora {

// Column positions.
inline constexpr int kCtipodocCodigo = 0;
inline constexpr int kCtipodocNombre = 1;
inline constexpr int kCtipodocMarca = 2;

// An empty, closed Ctipodoc owned by `propietario`.
std::unique_ptr<ConjuntoEditable> CrearCtipodoc(Componente* propietario);

// Creates the list afresh with one row per type, every type marked "S", in ascending order
// of TIDO_COD whatever the order of `tipos`, and places it on its first row.
void LlenarCtipodoc(ConjuntoEditable& ctipodoc, std::vector<TipoDocumento> tipos);

// "&Marcar todo" (true) and "&Desmarcar todo" (false): every row from the first to the last
// gets F_1 = "S" (respectively "N") and is saved; the list ends on its first row.
void MarcarTodos(ConjuntoEditable& ctipodoc, bool marcar);

// Sets the mark of the type `codigo`; false when the list has no such type.
bool MarcarTipo(ConjuntoEditable& ctipodoc, int codigo, bool marcar);

// Sets the mark of the row at `fila` (from 0).
void MarcarFila(ConjuntoEditable& ctipodoc, int fila, bool marcar);

// The rows as the runs take them, in the list's order.
std::vector<TipoDocumento> TiposDe(ConjuntoEditable& ctipodoc);

}  // namespace velmora
