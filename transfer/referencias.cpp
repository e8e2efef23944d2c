// Documents that point at other documents by id. Ids are local to each database, so before
// such a row is posted the referenced document is named by its prefix and number, looked up
// in the target, and the target's id replaces the copied one. The copy itself is the
// generic one; the rewriting goes in through its hooks.
#include <vector>

#include "foundation/sql.h"
#include "transfer/familias.h"
#include "transfer/pasos.h"

namespace velmora {

namespace {

// A header reference: the id at `posicion` names a document of type `referido`.
struct ReferenciaEncabezado {
    int posicion = -1;
    int referido = 0;
    // The document is named by the code text (prefix + number) at this position; -1 when it
    // is named by the referenced document's own key, read from the origin.
    int posicionCodigo = -1;
    bool ceroSiFalta = false;         // not found: 0, otherwise the copied id stays
    bool reemplazoConserva = false;   // a replace keeps the target's reference
    bool reemplazoReescribe = false;  // a replace looks the reference up again
};

// The references of the first detail table: type at position 2, id at 3, prefix at 4,
// number at 5; only the listed types have a look-up.
struct ReferenciaDetalle {
    std::vector<int> referidos;
    bool ceroSiFalta = false;
};

struct Regla {
    int codigo;
    ReferenciaEncabezado encabezado;
    ReferenciaDetalle detalle;
};

const std::vector<int> kDocumentosCliente = {31, 33, 41, 42, 45};
const std::vector<int> kDocumentosProveedor = {21, 24, 51, 52, 55};

// Returns name their invoice by its code text and keep the target's reference on replace;
// advances name their receipt or disbursement through the origin and look it up again on
// replace (an origin id left in the target would point at an unrelated document).
// clang-format off
const std::vector<Regla> kReglas = {
    // code, {reference, referenced type, code text, 0 if missing, replace keeps, replace
    // looks up again}, {referenced types of the first detail table, 0 if missing}
    {24, {24, 21, 25, true, true, false}, {}},
    {33, {29, 31, 28, true, true, false}, {}},
    {45, {23, 61, -1, false, false, true}, {}},
    {55, {22, 62, -1, false, false, true}, {}},
    {43, {}, {kDocumentosCliente, false}},
    {53, {}, {kDocumentosProveedor, false}},
    {61, {}, {kDocumentosCliente, true}},
    {62, {}, {kDocumentosProveedor, false}},
};
// clang-format on

constexpr int kPosTipo = 2, kPosId = 3, kPosPrefijo = 4, kPosNumero = 5;

// The look-ups, composed from the referenced type's catalog entry.
struct Sentencias {
    static const DescriptorTipoDoc& tipo(int codigo) { return *BuscarTipoDoc(codigo); }

    // By the code text of a return's header.
    static std::string porCodigo(int referido, const CodigoDocumento& cod) {
        const DescriptorTipoDoc& t = tipo(referido);
        return "select " + Minusculas(t.columnaId) + " from " + Minusculas(t.tablaEncabezado) +
               " where pref_pre = " + Citar(cod.prefijo) + " AND " + t.columnaNumero + " = " +
               Citar(cod.numero);
    }
    // By prefix and number, as detail rows and advances name their documents.
    static std::string porPrefijoNumero(int referido, const std::string& prefijo,
                                        const std::string& numero) {
        const DescriptorTipoDoc& t = tipo(referido);
        return "select " + Minusculas(t.columnaId) + " from " + Minusculas(t.tablaEncabezado) +
               " where pref_pre = " + Citar(prefijo) + " and " + Minusculas(t.columnaNumero) +
               " = " + Citar(numero);
    }
    // The key of the referenced document in the origin.
    static std::string llaveEnOrigen(int referido, const std::string& id) {
        const DescriptorTipoDoc& t = tipo(referido);
        return "select pref_pre, " + Minusculas(t.columnaNumero) + " from " +
               Minusculas(t.tablaEncabezado) + " where " + Minusculas(t.columnaId) + " = " +
               SinComillas(id);
    }
};

void PorCodigo(const ReferenciaEncabezado& r, ConjuntoEditable& fila, ConjuntoEditable& cidfact) {
    if (fila.valor(r.posicion).comoEntero() == 0) return;
    const CodigoDocumento cod = PartirCodigo(fila.valor(r.posicionCodigo).comoTexto());
    Valor id;
    if (Buscar(cidfact, Sentencias::porCodigo(r.referido, cod), id))
        fila.asignar(r.posicion, id);
    else if (r.ceroSiFalta)
        fila.asignar(r.posicion, Valor(0));
}

// The source header is the current row of qCopia; the origin key is read through
// qCopiadet, which the generic copy uses only later, for the details.
void PorOrigen(const ReferenciaEncabezado& r, ConjuntoEditable& fila, ComponentesCopia& c) {
    const Valor& idOrigen = c.qCopia.valor(r.posicion);
    if (idOrigen.esNulo()) return;  // points at nothing: nothing to look up
    Consulta& q = c.qCopiadet;
    q.cerrar();
    q.texto(Sentencias::llaveEnOrigen(r.referido, idOrigen.comoTexto()));
    q.abrir();
    const bool hay = !q.vacia();
    const std::string prefijo = hay ? q.valor(0).comoTexto() : std::string();
    const std::string numero = hay ? q.valor(1).comoTexto() : std::string();
    q.cerrar();
    if (!hay) return;
    Valor id;
    if (Buscar(c.cIdfact, Sentencias::porPrefijoNumero(r.referido, prefijo, numero), id))
        fila.asignar(r.posicion, id);
    else if (r.ceroSiFalta)
        fila.asignar(r.posicion, Valor(0));
}

void Encabezado(const ReferenciaEncabezado& r, ConjuntoEditable& fila, ComponentesCopia& c) {
    if (r.posicionCodigo >= 0)
        PorCodigo(r, fila, c.cIdfact);
    else
        PorOrigen(r, fila, c);
}

void Detalle(const ReferenciaDetalle& r, bool ceroSiFalta, ConjuntoEditable& fila,
             ConjuntoEditable& cidfact) {
    const int referido = int(fila.valor(kPosTipo).comoEntero());
    bool listado = false;
    for (int t : r.referidos) listado = listado || t == referido;
    // A type without a look-up of its own keeps the copied reference.
    if (!listado) return;
    Valor id;
    const bool hay =
        Buscar(cidfact,
               Sentencias::porPrefijoNumero(referido, fila.valor(kPosPrefijo).comoTexto(),
                                            fila.valor(kPosNumero).comoTexto()),
               id);
    if (!ceroSiFalta) {
        if (hay) fila.asignar(kPosId, id);
    } else {
        fila.asignar(kPosId, hay && !id.comoTexto().empty() ? id : Valor(0));
    }
}

}  // namespace

bool CopiarConReferencias(const DescriptorTipoDoc& tipo, const EntradaAuditoria& e,
                          const OpcionesCopia& opciones, ComponentesCopia& c) {
    const Regla* regla = nullptr;
    for (const Regla& r : kReglas)
        if (r.codigo == tipo.codigo) regla = &r;
    if (!regla) return CopiarDocumento(tipo, e, opciones, c);

    AjustesDocumento ajustes;
    const ReferenciaEncabezado& enc = regla->encabezado;
    if (enc.posicion >= 0) {
        // Offline the reference travels as the origin has it; the receiver rewrites it.
        if (opciones.enLinea) {
            ajustes.alInsertarEncabezado = [&](ConjuntoEditable& fila) {
                Encabezado(enc, fila, c);
            };
            if (enc.reemplazoReescribe)
                ajustes.alReemplazarEncabezado = [&](ConjuntoEditable& fila) {
                    Encabezado(enc, fila, c);
                };
        }
        if (enc.reemplazoConserva) ajustes.conservarAlReemplazar.push_back(enc.posicion);
    }
    if (!regla->detalle.referidos.empty()) {
        // In both modes: offline the look-up finds what the transfer file holds.
        ajustes.alInsertarDetalle = [&](ConjuntoEditable& fila, size_t tabla) {
            // The receiver keeps a cash receipt's copied reference where nothing is found.
            const bool ceroSiFalta =
                regla->detalle.ceroSiFalta && opciones.reciboSinReferenciaEnCero;
            if (tabla == 0) Detalle(regla->detalle, ceroSiFalta, fila, c.cIdfact);
        };
    }
    return CopiarDocumento(tipo, e, opciones, c, ajustes);
}

}  // namespace velmora
