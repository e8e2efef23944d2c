// The journal loop that the send run and the receive run share: it visits the entries in
// journal order, hands each selected one to its family's procedure, and opens, commits and
// marks the groups of entries on the target.
//
// Each entry takes effect whole or not at all: its work stands behind its own savepoint in
// the group's transaction, and an entry that fails (a refused apply, a value the destination
// cannot take, another user's lock past the bound) is rolled back to it, so the destination
// keeps exactly what it held before the entry. The group is committed when it is full or old,
// before every message and question to the person (what an entry has to say is held until
// then, so that no lock is held while someone reads it), at a stop and at the end; the
// sender's marks of a group follow its commit, never precede it, so that a run stopped at any
// moment, killed included, leaves unmarked at most the entries of its group, which the next
// run sends again.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/bitacora.h"
#include "foundation/detencion.h"
#include "foundation/dialogos.h"
#include "foundation/progreso.h"
#include "foundation/sesion.h"
#include "foundation/tipo_documento.h"
#include "transfer/copia.h"

namespace velmora {

// The sender's journal marks, written on the origin in a read-committed transaction of their
// own, committed at once: the journal itself is read through the run's snapshot, in which an
// update of a row that another user changed since would fail as a conflict.
class MarcasDiario {
  public:
    // `transaccion` is the marks' own transaction and `sentencia` a statement bound to it.
    MarcasDiario(Transaccion& transaccion, Consulta& sentencia, int esperaBloqueo);

    // Marks the entries as sent and commits the marks. Returns the ids that could not be
    // marked: another user holds their row past the bound, or a stop cut the wait short.
    std::vector<int64_t> marcar(const std::vector<int64_t>& ids);
    Conexion& conexion() const { return transaccion_.sesion(); }
    // The journal entry of that id as last committed, for the message of one left unmarked.
    EntradaAuditoria entrada(int64_t id);

  private:
    bool marcarEnUna(const std::vector<int64_t>& ids, int espera);

    Transaccion& transaccion_;
    Consulta& sentencia_;
    int esperaBloqueo_;
};

struct Recorrido {
    Consulta& qAuditor;  // the journal, open (as a stream) on its first entry
    SesionDestino& destino;
    ComponentesCopia& copia;
    const OpcionesCopia& opciones;
    const std::vector<TipoDocumento>& tipos;
    const std::string& prefijo;
    SolicitudDetencion* detencion;  // may be null
    Dialogos& dialogos;
    Progreso& progreso;
    Directorio directorio;  // where ERRORES.TXT goes
    std::string usuario;    // the origin user, for ERRORES.TXT

    // The sender's: the trail line of every entry visited, the journal marks, and offline the
    // entry's journal row copied into the transfer file (true: refused, the entry fails). An
    // entry that the prefix leaves out is marked too, without a copy. The receiver leaves them
    // empty, and skips such an entry.
    std::function<void(const EntradaAuditoria&)> trazar{};
    MarcasDiario* marcas = nullptr;
    std::function<bool()> copiarAuditoria{};
    // Offline the marks wait for the end of the run: the next send lays the transfer file
    // out anew, so an entry may be marked only once its file is whole; a run that dies
    // leaves its entries unmarked, to go again into the next file.
    bool marcarAlFinal = false;
    // The receiver shows the failure's text before its question.
    bool mostrarFallo = false;
};

struct ConteoRecorrido {
    int visitadas = 0;
    int copiadas = 0;  // took effect (and, sending, were marked)
    int fallidas = 0;
    int noSeleccionadas = 0;  // their type not marked, or left out by the prefix
    bool detenido = false;      // "&No" to "Continuar?"
    bool interrumpido = false;  // a stop request
};

// The loop. Errors that end the run leave it after the group's finished entries are committed
// and marked; the entry in progress leaves nothing.
ConteoRecorrido RecorrerDiario(Recorrido& r);

// The loop's counts into a run's result, whose copied entries are its member `copiadas`.
template <class Resultado>
void AnotarConteo(const ConteoRecorrido& c, Resultado& r, int Resultado::*copiadas) {
    r.visitadas = c.visitadas;
    r.*copiadas = c.copiadas;
    r.fallidas = c.fallidas;
    r.noSeleccionadas = c.noSeleccionadas;
    r.detenido = c.detenido;
    r.interrumpido = c.interrumpido;
}

// The journal's count, for the progress, from the text of its select, in the same snapshot.
int ContarDiario(Consulta& consulta, const std::string& seleccion);

// The closing message: the run's text, then what happened (`copiadas` names the copied
// entries: "Enviadas", "Recibidas"); the path of ERRORES.TXT when some failed.
std::string MensajeConcluido(const std::string& texto, const ConteoRecorrido& conteo,
                             const std::string& copiadas, const std::string& archivoErrores);

}  // namespace velmora
