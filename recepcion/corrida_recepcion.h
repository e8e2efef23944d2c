// The receive run: replays the journal of a transfer file that the sender prepared onto the
// destination company, always under new ids and always carrying out annulments and
// deletions. The transfer file is only read. Like the send run it knows nothing of windows:
// it takes plain values, talks to the person through Dialogos and reports its progress
// through Progreso.
#pragma once

#include <string>
#include <vector>

#include "foundation/datos_acceso.h"
#include "foundation/detencion.h"
#include "foundation/dialogos.h"
#include "foundation/progreso.h"
#include "foundation/sesion.h"
#include "foundation/tipo_documento.h"

namespace velmora {

struct ParametrosRecepcion {
    // The codes that the company boxes yield; empty when none is chosen.
    std::string companiaOrigen, companiaDestino;
    DatosAcceso acceso;        // the origin names the installation that holds the transfer file
    bool reemplazar = false;   // "Reemplazar"; otherwise "Omitir (no recibir)", the default
    bool todoElEnvio = true;   // "Todo el envio"; otherwise the date range
    std::string desde, hasta;  // the date range as YYYY-MM-DD
    std::string prefijo;       // "Prefijo a enviar:"
    std::vector<TipoDocumento> tipos;
    // The installation folder (server list, transfer template, logs) for this run; empty:
    // read from the settings at the start of the run.
    std::string instalacion;
    // How long a write waits for another user's lock before its entry fails (seconds).
    int esperaBloqueo = 30;
    // Looked at between entries; null: the run is never asked to stop.
    SolicitudDetencion* detencion = nullptr;
};

// The sessions, queries and result sets of the receiver, owned by its main window.
struct ComponentesRecepcion {
    explicit ComponentesRecepcion(Componente* propietario);

    // Releases both sessions as the end of the program does: what the origin's transactions
    // hold (the journal marks) is committed, and a failing commit is raised.
    void liberar() {
        dbCia.desconectar();
        dbEnvio.desconectar();
    }

    SesionOrigen dbCia{"DbCia"};  // the transfer file
    Transaccion trcia{dbCia, "Trcia"};
    Consulta qAuditor{trcia, "QAuditor"};
    Consulta qCopia{trcia, "QCopia"};
    Consulta qCopiadet{trcia, "QCopiadet"};

    SesionDestino dbEnvio{"DBEnvio"};  // the destination company
    ProveedorAplicacion pDestino, pIdfact;
    ConjuntoEditable cDestino, cIdfact;
    SentenciaDestino qCopiades{dbEnvio, "QCopiades"};
};

struct ResultadoRecepcion {
    bool iniciado = false;  // the journal was read
    int visitadas = 0;      // entries visited
    int recibidas = 0;      // entries that took effect in the destination
    int fallidas = 0;
    int noSeleccionadas = 0;  // visited, but their type is not marked (or not in the list)
    bool detenido = false;      // "&No" to "Continuar?"
    bool interrumpido = false;  // ended by a stop request
};

// "Enviar" of the receiver. Errors outside an apply (a connection, a transfer file that is
// not there, a rejected statement) are not caught: they end the run and reach the caller.
ResultadoRecepcion SpeedButton1Click(const ParametrosRecepcion& p, ComponentesRecepcion& c,
                                     Dialogos& dialogos, Progreso& progreso);

}  // namespace velmora
