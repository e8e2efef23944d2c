// The generic copy of a document made of a header and detail tables.
#include <unordered_map>

#include "foundation/sql.h"
#include "transfer/copia.h"
#include "transfer/pasos.h"

namespace velmora {

namespace {

// What finds a document in the target: its prefix and number, and for bank documents the
// account, each as it goes into a statement.
struct LlaveDocumento {
    std::string cuenta, prefijo, numero;

    // As the journal row writes it: all an annul or a delete has.
    static LlaveDocumento DeEntrada(const DescriptorTipoDoc& t, const EntradaAuditoria& e) {
        const CodigoDocumento cod = PartirCodigo(e.codigo);
        return {t.llave == Llave::Banco ? SinComillas(e.tico) : std::string(), Citar(cod.prefijo),
                Citar(cod.numero)};
    }
    // As the source document has it: a create or modify finds the copy of that very document,
    // whatever code the journal row carries.
    static LlaveDocumento DeFuente(const DescriptorTipoDoc& t, const FilaLectura& fuente) {
        return {t.llave == Llave::Banco ? SinComillas(fuente.valor("CUBA_COD").comoTexto())
                                        : std::string(),
                Citar(fuente.valor(t.columnaPrefijo).comoTexto()),
                Citar(fuente.valor(t.columnaNumero).comoTexto())};
    }
};

// The statements of the generic copy, composed from the catalog's names.
struct Sentencias {
    const DescriptorTipoDoc& t;

    // The highest id of the header table: the new-id view gives the next.
    std::string mayorId() const {
        return "select coalesce(max(" + Minusculas(t.columnaId) + "), 0) from " +
               Minusculas(t.tablaEncabezado);
    }
    // The ids above `id` that hold rows of a detail table, with their counts.
    std::string filasSobre(const TablaDetalle& d, int64_t id) const {
        const std::string columna = Minusculas(d.columnaId);
        return "select " + columna + ", count(*) from " + Minusculas(d.tabla) + " where " +
               columna + " > " + std::to_string(id) + " group by " + columna;
    }

    std::string porLlave(const LlaveDocumento& k) const {
        std::string texto = " WHERE ";
        if (t.llave == Llave::Banco) texto += "CUBA_COD = " + k.cuenta + " AND ";
        return texto + t.columnaPrefijo + " = " + k.prefijo + " AND " + t.columnaNumero + " = " +
               k.numero;
    }

    std::string encabezadoOrigen(const std::string& id) const {
        return "select * from " + Minusculas(t.tablaEncabezado) + " where " +
               Minusculas(t.columnaId) + " = " + SinComillas(id);
    }
    std::string encabezadoDestino(const LlaveDocumento& k) const {
        return "SELECT * FROM " + t.tablaEncabezado + porLlave(k);
    }
    std::string nuevoId() const { return "select * from " + t.vistaNuevoId; }
    std::string borrarDetalles(const TablaDetalle& d, int64_t id) const {
        return "delete from " + Minusculas(d.tabla) + " where " + Minusculas(d.columnaId) + " = " +
               std::to_string(id);
    }
    std::string idsPorLlave(const LlaveDocumento& k) const {
        return "SELECT " + t.columnaId + " FROM " + t.tablaEncabezado + porLlave(k);
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
    // The receiver's annul and delete, by the key, in upper case.
    std::string anularPorLlave(const LlaveDocumento& k) const {
        return "UPDATE " + t.tablaEncabezado + " SET " + t.columnaAnulado + " = 'S'" + porLlave(k);
    }
    std::string borrarPorLlave(const LlaveDocumento& k) const {
        return "DELETE FROM " + t.tablaEncabezado + porLlave(k);
    }
};

// The rows of a detail table that stand above the highest id of its header table when first
// looked at: rows of no header of the target, by id.
struct FilasSinEncabezado {
    bool leidas = false;
    std::unordered_map<int64_t, int64_t> porId;
};

// Removes the document's rows of every detail table, in catalog order.
void BorrarDetalles(const Sentencias& s, SentenciaDestino& qcopiades, int64_t id) {
    for (const TablaDetalle& d : s.t.detalles) Ejecutar(qcopiades, s.borrarDetalles(d, id));
}

// Before the headers of a key go, the rows of every one of them go, duplicates included:
// none is left for the next document that the new-id view gives the same id. Each header's
// rows go by its id, which the detail table's key finds at once (a subquery on the key
// would make the server read the whole detail table).
void BorrarDetallesPorLlave(const Sentencias& s, const LlaveDocumento& k, ComponentesCopia& c) {
    if (s.t.detalles.empty()) return;
    for (int64_t id : BuscarIds(c.cIdfact, s.idsPorLlave(k))) BorrarDetalles(s, c.qCopiades, id);
}

// The sender, online: every header of the key is looked up and deleted through one apply,
// after its rows.
bool Borrar(const Sentencias& s, const LlaveDocumento& k, ComponentesCopia& c) {
    Abrir(c.cDestino, s.encabezadoDestino(k));
    if (c.cDestino.vacio()) return false;
    for (c.cDestino.primero(); !c.cDestino.fin(); c.cDestino.siguiente())
        BorrarDetalles(s, c.qCopiades, c.cDestino.valor(s.t.columnaId).comoEntero());
    while (!c.cDestino.vacio()) {
        c.cDestino.primero();
        c.cDestino.borrar();
    }
    return c.cDestino.aplicar(0) != 0;
}

bool Anular(const Sentencias& s, const LlaveDocumento& k, ComponentesCopia& c) {
    Abrir(c.cDestino, s.encabezadoDestino(k));
    if (c.cDestino.vacio()) return false;
    c.cDestino.editar();
    c.cDestino.asignar(s.t.columnaAnulado, Valor("S"));
    c.cDestino.publicar();
    return c.cDestino.aplicar(0) != 0;
}

// The receiver: statements on the key, whether or not the document is there; what the
// destination refuses ends the run rather than failing the entry.
void BorrarPorSentencia(const Sentencias& s, const LlaveDocumento& k, ComponentesCopia& c) {
    BorrarDetallesPorLlave(s, k, c);
    Ejecutar(c.cDestino, s.borrarPorLlave(k));
}

void AnularPorSentencia(const Sentencias& s, const LlaveDocumento& k, ComponentesCopia& c) {
    Ejecutar(c.cDestino, s.anularPorLlave(k));
}

}  // namespace

void ExigirDetallesLibres(const DescriptorTipoDoc& tipo, int64_t id, ComponentesCopia& c) {
    SesionDestino* sesion = c.cIdfact.sesion();
    if (!sesion || tipo.detalles.empty()) return;
    const Sentencias s{tipo};
    std::string ocupadas;
    for (const TablaDetalle& d : tipo.detalles) {
        auto& filas = sesion->recuerdo<FilasSinEncabezado>("sin encabezado " +
                                                           tipo.tablaEncabezado + " " + d.tabla);
        if (!filas.leidas) {
            Valor mayor;
            Buscar(c.cIdfact, s.mayorId(), mayor);
            Abrir(c.cIdfact, s.filasSobre(d, mayor.comoEntero()));
            for (c.cIdfact.primero(); !c.cIdfact.fin(); c.cIdfact.siguiente())
                filas.porId[c.cIdfact.valor(0).comoEntero()] = c.cIdfact.valor(1).comoEntero();
            c.cIdfact.cerrar();
            filas.leidas = true;
        }
        auto it = filas.porId.find(id);
        if (it == filas.porId.end()) continue;
        ocupadas += std::string(ocupadas.empty() ? "" : " ") + "La tabla " + d.tabla +
                    " ya tiene " + std::to_string(it->second) +
                    (it->second == 1 ? " fila" : " filas") + " sin encabezado con el id " +
                    std::to_string(id) + ".";
    }
    if (!ocupadas.empty()) throw ErrorEntrada(ocupadas);
}

bool CopiarDocumento(const DescriptorTipoDoc& tipo, const EntradaAuditoria& e,
                     const OpcionesCopia& opciones, ComponentesCopia& c,
                     const AjustesDocumento& ajustes) {
    const Sentencias s{tipo};
    if (e.operacion == "D" || e.operacion == "A") {
        // Offline the journal row travels and the receiver carries the operation out.
        if (!opciones.enLinea) return false;
        const LlaveDocumento k = LlaveDocumento::DeEntrada(tipo, e);
        if (opciones.anularYBorrarPorSentencia) {
            if (e.operacion == "D")
                BorrarPorSentencia(s, k, c);
            else
                AnularPorSentencia(s, k, c);
            return false;
        }
        return e.operacion == "D" ? Borrar(s, k, c) : Anular(s, k, c);
    }

    bool fallo = false, encabezadoEscrito = false;
    int64_t idEncabezado = 0;
    Abrir(c.qCopia, s.encabezadoOrigen(e.idDocumento));
    if (c.qCopia.vacia()) {
        c.qCopia.cerrar();
        return false;
    }

    ConjuntoEditable& destino = c.cDestino;
    Abrir(destino, s.encabezadoDestino(LlaveDocumento::DeFuente(tipo, c.qCopia)));
    if (destino.vacio()) {
        destino.insertar();
        CopiarCampos(c.qCopia, destino, 0);
        if (opciones.enLinea) {
            Valor nuevo;
            if (Buscar(c.cIdfact, s.nuevoId(), nuevo)) {
                ExigirDetallesLibres(tipo, nuevo.comoEntero(), c);
                destino.asignar(0, Valor(nuevo.comoEntero()));
            }
        }
        if (ajustes.alInsertarEncabezado) ajustes.alInsertarEncabezado(destino);
        destino.publicar();
        fallo = destino.aplicar(0) != 0;
        if (!fallo) {
            idEncabezado = destino.valor(0).comoEntero();
            encabezadoEscrito = true;
        }
    } else if (opciones.reemplazar) {
        // Positions from here on are the source's, whatever the target's order of columns.
        destino.ordenarComo(c.qCopia);
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
        // A failed row fails the entry, which the run undoes whole: the rows before it go
        // with their header, and a document being replaced stays as it was.
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
