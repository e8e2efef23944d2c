// The unattended send, `envio --desatendido`: the same send run as the window's, driven by
// the command line and the environment, for scheduled runs without a display. Messages go
// to standard error with the texts the window would show.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "foundation/detencion.h"

namespace velmora {

// The usage text, UTF-8.
std::string UsoEnvioDesatendido();

// `argumentos` are those after "--desatendido" (UTF-8, as the shell gives them);
// `entorno` supplies ISC_USER, ISC_PASSWORD and, when set, ISC_USER_DESTINO and
// ISC_PASSWORD_DESTINO. "--help" writes the usage to `salida`; everything else goes to
// `salidaErrores`, where the progress is drawn when it is a terminal. Returns the exit status:
// 0 no entry failed, 1 some entries failed, 2 stopped on an error or wrong arguments, 130 or
// 143 when SIGINT or SIGTERM stopped it through `detencion`.
int EnvioDesatendido(const std::vector<std::string>& argumentos,
                     const std::map<std::string, std::string>& entorno, std::ostream& salida,
                     std::ostream& salidaErrores, bool terminal = false,
                     SolicitudDetencion* detencion = nullptr);

}  // namespace velmora
