// Master data: records with the same key in every company database, copied under that key.
// A record missing in the target is inserted and an existing one updated, whatever the
// replace flag says; one row that fails does not keep the others of the entry from being
// tried.
#include "foundation/sql.h"
#include "transfer/familias.h"
#include "transfer/pasos.h"

namespace velmora {

namespace {

// The statements of the master data copy, composed from the catalog's names.
struct Sentencias {
    const DescriptorTipoDoc& t;
    std::string clave;  // the key value, as it goes into the statements

    const std::string& columna() const { return t.columnaPrefijo; }
    const FilasMaestro& filas() const { return t.filas; }

    std::string origen() const {
        return "select * from " + Minusculas(t.tablaEncabezado) + " where " +
               Minusculas(columna()) + " = " + clave;
    }
    std::string destino() const {
        return "SELECT * FROM " + t.tablaEncabezado + " WHERE " + columna() + " = " + clave;
    }

    std::string itemsOrigen() const {
        return "select * from " + Minusculas(filas().tablaItems) + " where " +
               Minusculas(columna()) + " = " + clave;
    }
    std::string itemDestino(const FilaLectura& item) const {
        return "SELECT * FROM " + filas().tablaItems + " WHERE " + columna() + " = " + clave +
               " AND " + filas().columnaFila + " = " + valorFila(item);
    }

    std::string borrarFilas() const {
        return "DELETE from " + filas().tablaBorrado + " where " + Minusculas(columna()) + " = " +
               clave;
    }
    std::string filaDestino(const FilaLectura& fila) const {
        std::string texto = "SELECT * from " + t.tablaEncabezado + " where " +
                            Minusculas(columna()) + " = " + clave;
        if (!filas().columnaFila.empty())
            texto += " AND " + filas().columnaFila + " = " + valorFila(fila);
        return texto;
    }

    std::string valorFila(const FilaLectura& fila) const {
        const std::string v = fila.valor(filas().posicionFila).comoTexto();
        return filas().filaCitada ? Citar(v) : SinComillas(v);
    }
};

std::string Clave(const DescriptorTipoDoc& t, const EntradaAuditoria& e) {
    switch (t.llave) {
        case Llave::CodigoSolo:
            return SinComillas(e.codigo);
        case Llave::Id:
            return SinComillas(e.idDocumento);
        default:
            return Citar(e.codigo);
    }
}

// Inserts or updates the target row that `texto` selects with every column of `fuente`.
// Returns the failure flag.
bool Actualizar(const FilaLectura& fuente, ConjuntoEditable& destino, const std::string& texto,
                bool valoresSimples) {
    destino.cerrar();
    destino.texto(texto);
    destino.abrir();
    if (destino.vacio()) {
        destino.insertar();
        CopiarCampos(fuente, destino, 0);
    } else {
        destino.editar();
        if (valoresSimples) {
            CopiarValores(fuente, destino);
        } else {
            CopiarCampos(fuente, destino, 0);
        }
    }
    destino.publicar();
    const bool fallo = destino.aplicar(0) != 0;
    destino.cerrar();
    return fallo;
}

bool UnRegistro(const Sentencias& s, ComponentesCopia& c) {
    Abrir(c.qCopia, s.origen());
    bool fallo = false;
    if (!c.qCopia.vacia())
        fallo = Actualizar(c.qCopia, c.cDestino, s.destino(), s.t.actualizaSinMoneda);
    c.qCopia.cerrar();
    return fallo;
}

bool EncabezadoConItems(const Sentencias& s, ComponentesCopia& c) {
    Abrir(c.qCopia, s.origen());
    if (c.qCopia.vacia()) {
        c.qCopia.cerrar();
        return false;
    }
    // The items go even when the header failed: each row stands on its own.
    bool fallo = Actualizar(c.qCopia, c.cDestino, s.destino(), false);
    c.qCopia.cerrar();
    Abrir(c.qCopiadet, s.itemsOrigen());
    for (c.qCopiadet.primero(); !c.qCopiadet.fin(); c.qCopiadet.siguiente())
        fallo = Actualizar(c.qCopiadet, c.cDestino, s.itemDestino(c.qCopiadet), false) || fallo;
    c.qCopiadet.cerrar();
    return fallo;
}

bool FilasArticulo(const Sentencias& s, const EntradaAuditoria& e, const OpcionesCopia& opciones,
                   ComponentesCopia& c) {
    // A row deleted in the origin disappears from the target only when the target is the
    // company itself; a transfer file has nothing to clear, and the receiver clears nothing.
    if (!s.filas().tablaBorrado.empty() && e.operacion == "D" && opciones.enLinea &&
        opciones.borrarFilasArticulo) {
        c.qCopiades.texto(s.borrarFilas());
        c.qCopiades.ejecutar();
    }
    bool fallo = false;
    Abrir(c.qCopia, s.origen());
    for (c.qCopia.primero(); !c.qCopia.fin(); c.qCopia.siguiente())
        fallo = Actualizar(c.qCopia, c.cDestino, s.filaDestino(c.qCopia), false) || fallo;
    c.qCopia.cerrar();
    return fallo;
}

}  // namespace

bool CopiarMaestro(const DescriptorTipoDoc& tipo, const EntradaAuditoria& e,
                   const OpcionesCopia& opciones, ComponentesCopia& c) {
    const Sentencias s{tipo, Clave(tipo, e)};
    switch (tipo.forma) {
        case Forma::UnRegistro:
            return UnRegistro(s, c);
        case Forma::EncabezadoConItems:
            return EncabezadoConItems(s, c);
        case Forma::FilasArticulo:
            return FilasArticulo(s, e, opciones, c);
    }
    return false;
}

}  // namespace velmora
