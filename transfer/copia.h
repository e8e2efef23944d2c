// What every copy procedure works with: the journal entry, the sessions and result sets of
// the run, and the run's choices.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/dialogos.h"
#include "foundation/sesion.h"
#include "transfer/catalogo.h"

namespace velmora {

// One row of AUDITORIA, as the procedures read it.
struct EntradaAuditoria {
    int64_t id = 0;           // AUDI_ID
    int tipo = 0;             // TIDO_COD
    std::string idDocumento;  // AUDI_IDDOC, as decimal text
    std::string operacion;    // AUDI_OPER: "D" delete, "A" annul, else create or modify
    std::string codigo;       // AUDI_COD: prefix + six-character number
    std::string tico;         // AUDI_TICO: voucher type, or bank account

    static EntradaAuditoria Leer(const FilaLectura& auditoria);
};

// The origin's queries and the target's result sets that the procedures use.
struct ComponentesCopia {
    Consulta& qCopia;             // source headers
    Consulta& qCopiadet;          // source details
    ConjuntoEditable& cDestino;   // target rows
    ConjuntoEditable& cIdfact;    // new ids and id look-ups
    SentenciaDestino& qCopiades;  // target statements
};

struct OpcionesCopia {
    bool enLinea = true;       // target is the destination company itself, not a transfer file
    bool reemplazar = true;    // existing documents are replaced
    std::string fechaBloqueo;  // accounting lock date of the target, as stored

    // Where the receiver departs from the sender's online copy (the receive run sets them).
    // Annul and delete run statements on the document's key, without a look-up, and what
    // they do is no failure of the entry.
    bool anularYBorrarPorSentencia = false;
    // A 'D' entry of article rows clears the article's rows in the target first.
    bool borrarFilasArticulo = true;
    // A cash receipt row whose settled document is not found, or found without an id, gets
    // reference 0; otherwise it keeps the copied one, as payment applications do.
    bool reciboSinReferenciaEnCero = true;
};

// Where a family changes the generic copy of a document; each hook works on the target row
// still being edited, before it is posted.
struct AjustesDocumento {
    std::function<void(ConjuntoEditable& encabezado)> alInsertarEncabezado;  // after the new id
    std::function<void(ConjuntoEditable& encabezado)> alReemplazarEncabezado;
    std::function<void(ConjuntoEditable& fila, size_t tabla)> alInsertarDetalle;
    // Header positions that a replace leaves as the target has them.
    std::vector<int> conservarAlReemplazar;
};

// Replays one journal entry of a document made of a header and details. Returns the
// failure flag: true when an apply of the document failed.
bool CopiarDocumento(const DescriptorTipoDoc& tipo, const EntradaAuditoria& entrada,
                     const OpcionesCopia& opciones, ComponentesCopia& c,
                     const AjustesDocumento& ajustes = {});

// Before the rows of a new document go in under `id`, the id that its header took from the
// new-id view: rows of its detail tables already under that id belong to no header of the
// target (left by another program, or by a document deleted without its rows), and the new
// document would inherit them. Raises ErrorEntrada naming each such table, the id and the
// number of rows; nothing is deleted. Only rows above the header table's highest id can meet
// a new id, so they are read once per table while connected and each id checked in memory.
void ExigirDetallesLibres(const DescriptorTipoDoc& tipo, int64_t id, ComponentesCopia& c);

// Hands the entry to the procedure of its type's family. A code without catalog entry reads
// and writes nothing and is no failure.
bool Despachar(const EntradaAuditoria& entrada, const OpcionesCopia& opciones, ComponentesCopia& c);

// Despachar for a run, inside the entry's savepoint in the group's transaction: a value of the
// entry that cannot stand where its statements put it (a data error of the server), an entry
// that the target cannot take as it stands (ErrorEntrada), or a row that another user holds
// past the session's bound, fails the entry alone, like a refused apply: the message (for a
// held row one that names the entry, `descripcion`) is shown and the failure flag returned;
// the caller undoes the entry. A stop request's cancellation and every other error leave
// here and end the run.
bool DespacharEntrada(const EntradaAuditoria& entrada, const OpcionesCopia& opciones,
                      ComponentesCopia& c, Dialogos& dialogos, const std::string& descripcion);

}  // namespace velmora
