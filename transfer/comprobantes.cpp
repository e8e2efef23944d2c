// Accounting vouchers: found by voucher type, prefix and number; never annulled; a replace
// deletes the target's voucher and inserts it anew; vouchers dated before the target's lock
// date stay where they are.
#include "foundation/sql.h"
#include "transfer/familias.h"
#include "transfer/pasos.h"

namespace velmora {

namespace {

// TICO_COD, PRCO_PREF and ENCO_NUMERO, each quoted.
struct LlaveComprobante {
    std::string tipo, prefijo, numero;
};

// The statements of the voucher copy, composed from the catalog's names.
struct Sentencias {
    const DescriptorTipoDoc& t;

    const std::string& detalle() const { return t.detalles.front().tabla; }
    std::string porLlave(const LlaveComprobante& k) const {
        return " WHERE TICO_COD = " + k.tipo + " AND " + t.columnaPrefijo + " = " + k.prefijo +
               " AND " + t.columnaNumero + " = " + k.numero;
    }

    std::string idsDestino(const LlaveComprobante& k) const {
        return "SELECT " + t.columnaId + " FROM " + t.tablaEncabezado + porLlave(k);
    }
    // "DELETE" on a delete entry, "delete" before a replace.
    std::string borrarDetalles(const char* verbo, int64_t id) const {
        return std::string(verbo) + " FROM " + detalle() + " WHERE " + t.columnaId + " = " +
               std::to_string(id);
    }
    std::string borrarPorLlave(const char* verbo, const LlaveComprobante& k) const {
        return std::string(verbo) + " FROM " + t.tablaEncabezado + porLlave(k);
    }
    std::string encabezadoOrigen(const std::string& id) const {
        return "select * from " + Minusculas(t.tablaEncabezado) + " where " +
               Minusculas(t.columnaId) + " = " + SinComillas(id);
    }
    std::string encabezadoDestino(const LlaveComprobante& k) const {
        return "SELECT * FROM " + t.tablaEncabezado + porLlave(k);
    }
    std::string nuevoId() const { return "select * from " + t.vistaNuevoId; }
    std::string detallesDestino(int64_t id) const {
        return "SELECT * FROM " + detalle() + " WHERE " + t.columnaId + " = " + std::to_string(id);
    }
    std::string detallesOrigen(const std::string& id) const {
        return "select * from " + Minusculas(detalle()) + " where " + Minusculas(t.columnaId) +
               " = " + SinComillas(id);
    }
    std::string borrarEncabezado(int64_t id) const {
        return "delete FROM " + t.tablaEncabezado + " WHERE " + t.columnaId + " = " +
               std::to_string(id);
    }
};

// Position 8 counts the times the voucher was printed: a copy has never been printed.
constexpr int kPosicionImpreso = 8;
// The voucher date, compared as YYYY-MM-DD text with the lock date as stored.
constexpr int kPosicionFecha = 4;

// Every voucher of the key goes, duplicates included, each one's lines before the headers:
// lines left behind would join the next voucher that the new-id view gives the same id.
// The lines go by their voucher's id, which the detail table's key finds at once.
void BorrarPorLlave(const Sentencias& s, const char* verbo, const LlaveComprobante& k,
                    ComponentesCopia& c) {
    const std::vector<int64_t> ids = BuscarIds(c.cIdfact, s.idsDestino(k));
    if (ids.empty()) return;
    for (int64_t id : ids) Ejecutar(c.qCopiades, s.borrarDetalles(verbo, id));
    Ejecutar(c.qCopiades, s.borrarPorLlave(verbo, k));
}

}  // namespace

bool CopiarComprobante(const DescriptorTipoDoc& tipo, const EntradaAuditoria& e,
                       const OpcionesCopia& opciones, ComponentesCopia& c) {
    const Sentencias s{tipo};
    if (e.operacion == "D") {
        const CodigoDocumento cod = PartirCodigo(e.codigo);
        if (opciones.enLinea)
            BorrarPorLlave(s, "DELETE", {Citar(e.tico), Citar(cod.prefijo), Citar(cod.numero)}, c);
        return false;
    }

    Consulta& fuente = c.qCopia;
    Abrir(fuente, s.encabezadoOrigen(e.idDocumento));
    if (fuente.vacia() || fuente.valor(kPosicionFecha).comoTexto() < opciones.fechaBloqueo) {
        fuente.cerrar();
        return false;
    }

    // The key as the source voucher has it, not as the journal row wrote it.
    const LlaveComprobante k{Citar(fuente.valor(1).comoTexto()), Citar(fuente.valor(2).comoTexto()),
                             Citar(fuente.valor(3).comoTexto())};
    if (opciones.reemplazar) BorrarPorLlave(s, "delete", k, c);

    bool fallo = false, encabezadoEscrito = false;
    int64_t idEncabezado = 0;
    ConjuntoEditable& destino = c.cDestino;
    Abrir(destino, s.encabezadoDestino(k));
    if (destino.vacio()) {
        destino.insertar();
        // Plain values: the voucher's amounts keep their own scale.
        CopiarValores(fuente, destino);
        destino.asignar(kPosicionImpreso, Valor(0));
        if (opciones.enLinea) {
            Valor nuevo;
            if (Buscar(c.cIdfact, s.nuevoId(), nuevo)) {
                ExigirDetallesLibres(tipo, nuevo.comoEntero(), c);
                destino.asignar(0, Valor(nuevo.comoEntero()));
            }
        }
        destino.publicar();
        fallo = destino.aplicar(0) != 0;
        if (!fallo) {
            idEncabezado = destino.valor(0).comoEntero();
            encabezadoEscrito = true;
        }
    }
    destino.cerrar();

    if (encabezadoEscrito) {
        Abrir(destino, s.detallesDestino(idEncabezado));
        Abrir(c.qCopiadet, s.detallesOrigen(e.idDocumento));
        for (c.qCopiadet.primero(); !c.qCopiadet.fin() && !fallo; c.qCopiadet.siguiente()) {
            destino.insertar();
            CopiarCampos(c.qCopiadet, destino, 0);
            destino.asignar(0, Valor(idEncabezado));
            destino.publicar();
            fallo = destino.aplicar(0) != 0;
        }
        c.qCopiadet.cerrar();
        destino.cerrar();
        // A failed line fails the entry, which the run undoes whole: half a voucher never
        // stays, and the voucher it was to replace stays as it was.
    }
    fuente.cerrar();
    return fallo;
}

}  // namespace velmora
