// The send run: replays the origin company's journal onto the destination company
// ("En línea") or into a fresh transfer file, marking every entry handled without failure
// as sent. It knows nothing of windows: it takes plain values, talks to the person through
// Dialogos and reports its progress through Progreso.
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

struct ParametrosEnvio {
    // The company boxes: the displayed text (empty when none is chosen) and the code.
    std::string textoCompaniaOrigen, companiaOrigen;
    std::string textoCompaniaDestino, companiaDestino;
    DatosAcceso acceso;
    bool enLinea = false;    // "En línea"; otherwise "Fuera de línea (preparar archivo)"
    bool reemplazar = true;  // "Reemplazar"; otherwise "Omitir (no recibir)"
    bool todoLoNoEnviado = true;
    std::string desde, hasta;  // the date range as YYYY-MM-DD, when not "Todo lo no enviado"
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

// The sessions, queries and result sets of the sender, owned by its main window.
struct ComponentesEnvio {
    explicit ComponentesEnvio(Componente* propietario);

    // Releases both sessions as the end of the program does: what the origin's transactions
    // hold (the journal marks) is committed, and a failing commit is raised.
    void liberar() {
        dbCia.desconectar();
        dbEnvio.desconectar();
    }

    SesionOrigen dbCia{"DbCia"};
    Transaccion trcia{dbCia, "Trcia"};
    Transaccion trdet{dbCia, "Trdet"};
    Consulta qAuditor{trcia, "QAuditor"};
    Consulta qCopia{trcia, "QCopia"};
    Consulta qCopiadet{trdet, "QCopiadet"};
    // The journal marks, committed group by group in a transaction of their own.
    Transaccion trmarcas{dbCia, "Trmarcas"};
    Consulta qMarcas{trmarcas, "QMarcas"};

    SesionDestino dbEnvio{"DBEnvio"};
    ProveedorAplicacion pDestino, pIdfact, pBorrar;
    ConjuntoEditable cDestino, cIdfact, cBorrar;
    SentenciaDestino qcopiades{dbEnvio, "Qcopiades"};
};

struct ResultadoEnvio {
    bool iniciado = false;      // the journal was read
    bool sinPlantilla = false;  // the transfer template could not be copied: the program ends
    int visitadas = 0;          // entries that got their trail line
    int enviadas = 0;           // entries copied and marked as sent
    int fallidas = 0;
    int noSeleccionadas = 0;  // visited, but their type is not marked (or not in the list)
    bool detenido = false;      // "&No" to "Continuar?"
    bool interrumpido = false;  // ended by a stop request
};

// "Enviar". Errors outside an apply (a connection, a rejected statement) are not caught:
// they end the run and reach the caller, as the row errors' silent abort does.
ResultadoEnvio SpeedButton1Click(const ParametrosEnvio& p, ComponentesEnvio& c, Dialogos& dialogos,
                                 Progreso& progreso);

}  // namespace velmora
