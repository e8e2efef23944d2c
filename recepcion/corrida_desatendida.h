// The unattended receive, `recepcion --desatendido`: the receive run without a window, for
// scheduled runs. Shares the sender's front end: arguments, credentials, messages on
// standard error, exit status.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "foundation/detencion.h"

namespace velmora {

// `argumentos` are those after "--desatendido"; credentials, messages, progress and exit
// status as in EnvioDesatendido.
int RecepcionDesatendida(const std::vector<std::string>& argumentos,
                         const std::map<std::string, std::string>& entorno, std::ostream& salida,
                         std::ostream& salidaErrores, bool terminal = false,
                         SolicitudDetencion* detencion = nullptr);

// The usage text of `recepcion --desatendido --help`, UTF-8.
std::string UsoRecepcionDesatendida();

}  // namespace velmora
