#include "recepcion/reglas_recepcion.h"

namespace velmora {

OpcionesCopia OpcionesRecepcion(bool reemplazar) {
    OpcionesCopia o;
    // The target is always the destination company: every insert takes a new id from its
    // cambie_id_ view (the transfer file's id stays only when the view yields no row), and
    // references are rewritten against the destination on every insert, 24 and 33 by the
    // returned invoice's code (0 when not found), 45 and 55 by the key of the receipt or
    // disbursement read from the transfer file (the copied id when not found); 43, 53, 61 and
    // 62 in each row of their first detail table. On a replace, 24 and 33 keep the
    // destination's reference, and 45 and 55 look theirs up again, since the file holds the
    // origin's id, which names another document or none in the destination.
    o.enLinea = true;
    o.reemplazar = reemplazar;
    // No lock check: every voucher of the transfer file is received, whatever its date.
    o.fechaBloqueo.clear();
    // Annul and delete of documents (11 to 77) by statements on the prefix or bank key, with
    // no look-up and no failure flag; a delete takes the rows of every detail table with the
    // headers. Vouchers are deleted, and deleted before a replace, by their key as the sender
    // does: no look-up first, the lines of every voucher of the key before the headers.
    o.anularYBorrarPorSentencia = true;
    // Article rows (124 to 128): nothing is deleted, whatever the operation; every row of
    // the article in the transfer file is inserted or updated, matched by its item key (127
    // by the article alone). Rows that the file lacks stay in the destination.
    o.borrarFilasArticulo = false;
    // A cash receipt row whose settled document is not found keeps the transfer file's id,
    // and one that is found takes the destination's id as it is.
    o.reciboSinReferenciaEnCero = false;
    // The detail rows of every document, sales returns included, carry the id written into
    // its header.
    return o;
}

}  // namespace velmora
