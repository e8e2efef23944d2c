// What `envio --desatendido` and `recepcion --desatendido` share: the command line, the
// credentials from the environment, the sign-in as the login window does it, the loading the
// main window does after it, the run's messages on standard error and its progress on a
// terminal, and the exit status. Each program adds its own options and its run.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "foundation/datos_acceso.h"
#include "foundation/detencion.h"
#include "foundation/dialogos.h"
#include "foundation/progreso.h"
#include "foundation/tipo_documento.h"

namespace velmora {

// Exit statuses of the unattended runs.
inline constexpr int kSinFallas = 0;      // the run ended, every entry handled
inline constexpr int kConFallas = 1;      // the run ended with failed entries
inline constexpr int kErrorDetenido = 2;  // stopped on an error, or wrong arguments
// Ended by SIGINT or SIGTERM: 128 + the signal's number (EstadoSalidaSenal).

// What the run of an unattended program gets: the sign-in's access values, the type list
// with the asked types marked, the companies as the company boxes would give them, and the
// choices of the command line.
struct CorridaDesatendida {
    DatosAcceso acceso;
    std::vector<TipoDocumento> tipos;
    std::string companiaOrigen, companiaDestino;              // codes
    std::string nombreCompaniaOrigen, nombreCompaniaDestino;  // empty when not listed
    bool reemplazar = true;
    std::string desde, hasta;  // YYYY-MM-DD; both empty: no range
    std::string prefijo;
    std::vector<std::string> opcionesPropias;  // the program's own options that were given
    std::string instalacion;                   // the installation folder, never empty
    int esperaBloqueo = 30;                    // seconds a write waits for another user's lock
    SolicitudDetencion* detencion = nullptr;   // SIGINT and SIGTERM; null: never asked
};

// What the run tells of itself: the summary line and the exit status come from it.
struct ResultadoDesatendido {
    bool iniciado = false;  // the journal was read
    int visitadas = 0;
    int correctas = 0;  // sent, or received
    int fallidas = 0;
    int noSeleccionadas = 0;
    bool interrumpido = false;  // ended by the stop request
};

// One program's unattended front end.
struct ProgramaDesatendido {
    std::string nombre;  // "envio", "recepcion"
    std::string uso;     // the text of --help, UTF-8
    // Options without value of the program's own, in groups of which one may be given
    // (for the sender {"--en-linea", "--fuera-de-linea"}).
    std::vector<std::vector<std::string>> opcionesPropias;
    bool reemplazarPorOmision = true;  // the window's default for "Documentos existentes"
    std::string correctas;             // what the summary calls the entries that took effect
    // The program's run with its own components; errors that leave it are the caller's.
    std::function<ResultadoDesatendido(const CorridaDesatendida&, Dialogos&, Progreso&)> correr;
};

// The text of --help (UTF-8): the usage line of `programa`, its description and its own
// options, then the options, credentials and exit statuses that both programs share. `verbo`
// says what the program does with the documents ("envía", "recibe"); `sinRango` what it
// takes without a date range; `archivos` what it finds in the installation directory.
std::string UsoDesatendido(const std::string& programa, const std::string& descripcion,
                           const std::string& opcionesPropias, const std::string& verbo,
                           const std::string& sinRango, const std::string& archivos);

// `argumentos` are those after "--desatendido" (UTF-8, as the shell gives them); `entorno`
// supplies ISC_USER, ISC_PASSWORD and, when set, ISC_USER_DESTINO and ISC_PASSWORD_DESTINO.
// "--help" writes the usage to `salida`; everything else goes to `salidaErrores`, where the
// progress is drawn when `terminal` says that it is one (standard error, whose width it
// takes). `detencion`, when given, is the request that SIGINT and SIGTERM make: before the
// run it ends the program, during the run it ends the run between entries. Returns the
// exit status.
int EjecutarDesatendido(const ProgramaDesatendido& programa,
                        const std::vector<std::string>& argumentos,
                        const std::map<std::string, std::string>& entorno, std::ostream& salida,
                        std::ostream& salidaErrores, bool terminal,
                        SolicitudDetencion* detencion = nullptr);

// The variables of this process's environment, for EjecutarDesatendido.
std::map<std::string, std::string> EntornoDelProceso();

}  // namespace velmora
