#include "foundation/ctipodoc.h"

#include <firebird/Interface.h>

#include <algorithm>

namespace velmora {

namespace {

Campo CampoDe(std::string nombre, unsigned tipoSql, unsigned longitud, bool admiteNulo) {
    Campo c;
    c.nombre = nombre;
    c.columna = std::move(nombre);
    c.tipoSql = tipoSql;
    c.longitud = longitud;
    c.admiteNulo = admiteNulo;
    return c;
}

const char* Marca(bool marcar) {
    return marcar ? "S" : "N";
}

// Edits the current row's mark and saves it.
void MarcarActual(ConjuntoEditable& ctipodoc, bool marcar) {
    ctipodoc.editar();
    ctipodoc.asignar(kCtipodocMarca, Valor(Marca(marcar)));
    ctipodoc.publicar();
}

}  // namespace

std::unique_ptr<ConjuntoEditable> CrearCtipodoc(Componente* propietario) {
    return std::make_unique<ConjuntoEditable>(
        propietario, "Ctipodoc",
        std::vector<Campo>{CampoDe("TIDO_COD", SQL_LONG, 4, false),
                           CampoDe("TIDO_NOMLARGO", SQL_VARYING, 60, true),
                           CampoDe("F_1", SQL_TEXT, 1, true)});
}

void LlenarCtipodoc(ConjuntoEditable& ctipodoc, std::vector<TipoDocumento> tipos) {
    std::stable_sort(
        tipos.begin(), tipos.end(),
        [](const TipoDocumento& a, const TipoDocumento& b) { return a.codigo < b.codigo; });
    ctipodoc.cerrar();
    ctipodoc.abrir();
    for (const TipoDocumento& t : tipos) {
        ctipodoc.insertar();
        ctipodoc.asignar(kCtipodocCodigo, Valor(t.codigo));
        ctipodoc.asignar(kCtipodocNombre, Valor(t.nombre));
        ctipodoc.asignar(kCtipodocMarca, Valor(Marca(true)));
        ctipodoc.publicar();
    }
    ctipodoc.primero();
}

void MarcarTodos(ConjuntoEditable& ctipodoc, bool marcar) {
    // A list never loaded (the activation stopped before it) has no rows to mark.
    if (!ctipodoc.abierto()) return;
    for (ctipodoc.primero(); !ctipodoc.fin(); ctipodoc.siguiente()) MarcarActual(ctipodoc, marcar);
    ctipodoc.primero();
}

bool MarcarTipo(ConjuntoEditable& ctipodoc, int codigo, bool marcar) {
    for (ctipodoc.primero(); !ctipodoc.fin(); ctipodoc.siguiente()) {
        if (ctipodoc.valor(kCtipodocCodigo).comoEntero() == codigo) {
            MarcarActual(ctipodoc, marcar);
            return true;
        }
    }
    return false;
}

void MarcarFila(ConjuntoEditable& ctipodoc, int fila, bool marcar) {
    ctipodoc.primero();
    for (int i = 0; i < fila && !ctipodoc.fin(); ++i) ctipodoc.siguiente();
    MarcarActual(ctipodoc, marcar);
}

std::vector<TipoDocumento> TiposDe(ConjuntoEditable& ctipodoc) {
    std::vector<TipoDocumento> tipos;
    if (!ctipodoc.abierto()) return tipos;
    for (ctipodoc.primero(); !ctipodoc.fin(); ctipodoc.siguiente()) {
        tipos.push_back({int(ctipodoc.valor(kCtipodocCodigo).comoEntero()),
                         ctipodoc.valor(kCtipodocNombre).comoTexto(),
                         ctipodoc.valor(kCtipodocMarca).comoTexto() == "S"});
    }
    return tipos;
}

}  // namespace velmora
