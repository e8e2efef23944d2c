// The generic copy of a document made of a header and detail tables.
#include "transfer/copia.h"
#include "transfer/pasos.h"
#include "foundation/sql.h"

namespace velmora {

namespace {

// The statements of the generic copy, composed from the catalog's names.
struct Sentencias {
    const DescriptorTipoDoc& t;

    std::string encabezadoOrigen(const std::string& id) const {
        return "select * from " + Minusculas(t.tablaEncabezado) + " where " +
               Minusculas(t.columnaId) + " = " + SinComillas(id);
    }
    std::string encabezadoDestino(const EntradaAuditoria& e) const {
        const CodigoDocumento cod = PartirCodigo(e.codigo);
        std::string texto = "SELECT * FROM " + t.tablaEncabezado + " WHERE ";
        if (t.llave == Llave::Banco) texto += "CUBA_COD = " + SinComillas(e.tico) + " AND ";
        return texto + t.columnaPrefijo + " = " + Citar(cod.prefijo) + " AND " + t.columnaNumero +
               " = " + Citar(cod.numero);
    }
    std::string nuevoId() const { return "select * from " + t.vistaNuevoId; }
    std::string borrarDetalles(const TablaDetalle& d, int64_t id) const {
        return "delete from " + Minusculas(d.tabla) + " where " + Minusculas(d.columnaId) + " = " +
               std::to_string(id);
    }
    std::string detallesOrigen(const TablaDetalle& d, const std::string& id) const {
        return "select * from " + Minusculas(d.tabla) + " where " + Minusculas(d.columnaId) +
               " = " + SinComillas(id);
    }
    std::string detallesDestino(const TablaDetalle& d, int64_t id) const {
        return "SELECT * FROM " + d.tabla + " WHERE " + d.columnaId + " = " + std::to_string(id);
    }
    std::string borrarEncabezado(int64_t id) const {
        return "DELETE FROM " + t.tablaEncabezado + " WHERE " + t.columnaId + " = " +
               std::to_string(id);
    }
};

// Removes the document's rows of every detail table, in catalog order.
void BorrarDetalles(const Sentencias& s, SentenciaDestino& qcopiades, int64_t id) {
    for (const TablaDetalle& d : s.t.detalles) {
        qcopiades.texto(s.borrarDetalles(d, id));
        qcopiades.ejecutar();
    }
}

bool Borrar(const Sentencias& s, const EntradaAuditoria& e, ComponentesCopia& c) {
    Abrir(c.cDestino, s.encabezadoDestino(e));
    if (c.cDestino.vacio()) return false;
    const int64_t id = c.cDestino.valor(0).comoEntero();
    c.cDestino.borrar();
    if (c.cDestino.aplicar(0) != 0) return true;
    // Detail rows left without their header would be inherited by the next document that
    // the new-id view gives the same id.
    BorrarDetalles(s, c.qCopiades, id);
    return false;
}

bool Anular(const Sentencias& s, const EntradaAuditoria& e, ComponentesCopia& c) {
    Abrir(c.cDestino, s.encabezadoDestino(e));
    if (c.cDestino.vacio()) return false;
    c.cDestino.editar();
    c.cDestino.asignar(s.t.columnaAnulado, Valor("S"));
    c.cDestino.publicar();
    return c.cDestino.aplicar(0) != 0;
}

}  // namespace

bool CopiarDocumento(const DescriptorTipoDoc& tipo, const EntradaAuditoria& e,
                     const OpcionesCopia& opciones, ComponentesCopia& c,
                     const AjustesDocumento& ajustes) {
    const Sentencias s{tipo};
    if (e.operacion == "D") return opciones.enLinea && Borrar(s, e, c);
    if (e.operacion == "A") return opciones.enLinea && Anular(s, e, c);

    bool fallo = false, encabezadoEscrito = false;
    int64_t idEncabezado = 0;
    Abrir(c.qCopia, s.encabezadoOrigen(e.idDocumento));
    if (c.qCopia.vacia()) {
        c.qCopia.cerrar();
        return false;
    }

    ConjuntoEditable& destino = c.cDestino;
    Abrir(destino, s.encabezadoDestino(e));
    if (destino.vacio()) {
        destino.insertar();
        CopiarCampos(c.qCopia, destino, 0);
        if (opciones.enLinea) {
            Abrir(c.cIdfact, s.nuevoId());
            if (!c.cIdfact.vacio()) destino.asignar(0, Valor(c.cIdfact.valor(0).comoEntero()));
            c.cIdfact.cerrar();
        }
        if (ajustes.alInsertarEncabezado) ajustes.alInsertarEncabezado(destino);
        destino.publicar();
        fallo = destino.aplicar(0) != 0;
        if (!fallo) {
            idEncabezado = destino.valor(0).comoEntero();
            encabezadoEscrito = true;
        }
    } else if (opciones.reemplazar) {
        BorrarDetalles(s, c.qCopiades, destino.valor(0).comoEntero());
        idEncabezado = destino.valor(0).comoEntero();
        destino.editar();
        std::vector<Valor> conservados;
        for (int p : ajustes.conservarAlReemplazar) conservados.push_back(destino.valor(p));
        CopiarCampos(c.qCopia, destino, 1);
        for (size_t n = 0; n < conservados.size(); ++n)
            destino.asignar(ajustes.conservarAlReemplazar[n], conservados[n]);
        if (ajustes.alReemplazarEncabezado) ajustes.alReemplazarEncabezado(destino);
        destino.publicar();
        fallo = destino.aplicar(0) != 0;
        encabezadoEscrito = !fallo;
    }
    destino.cerrar();

    if (encabezadoEscrito) {
        for (size_t n = 0; n < tipo.detalles.size() && !fallo; ++n) {
            const TablaDetalle& d = tipo.detalles[n];
            Abrir(c.qCopiadet, s.detallesOrigen(d, e.idDocumento));
            Abrir(destino, s.detallesDestino(d, idEncabezado));
            for (c.qCopiadet.primero(); !c.qCopiadet.fin() && !fallo; c.qCopiadet.siguiente()) {
                destino.insertar();
                CopiarCampos(c.qCopiadet, destino, 0);
                destino.asignar(0, Valor(idEncabezado));
                if (tipo.posicionEnCero >= 0) destino.asignar(tipo.posicionEnCero, Valor(0));
                if (ajustes.alInsertarDetalle) ajustes.alInsertarDetalle(destino, n);
                destino.publicar();
                fallo = destino.aplicar(0) != 0;
            }
            c.qCopiadet.cerrar();
            destino.cerrar();
        }
        if (fallo) {
            // The rows applied before the failing one go with their header: left behind,
            // the next document given the same id would inherit them.
            for (const TablaDetalle& d : tipo.detalles)
                Ejecutar(destino, s.borrarDetalles(d, idEncabezado));
            Ejecutar(destino, s.borrarEncabezado(idEncabezado));
        }
    }
    c.qCopia.cerrar();
    return fallo;
}

EntradaAuditoria EntradaAuditoria::Leer(const FilaLectura& a) {
    EntradaAuditoria e;
    e.id = a.valor("AUDI_ID").comoEntero();
    e.tipo = int(a.valor("TIDO_COD").comoEntero());
    e.idDocumento = a.valor("AUDI_IDDOC").comoTexto();
    e.operacion = a.valor("AUDI_OPER").comoTexto();
    e.codigo = a.valor("AUDI_COD").comoTexto();
    e.tico = a.valor("AUDI_TICO").comoTexto();
    return e;
}

}  // namespace velmora
