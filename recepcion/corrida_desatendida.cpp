#include "recepcion/corrida_desatendida.h"

namespace velmora {

std::string UsoRecepcionDesatendida() {
    return "recepcion --desatendido: under construction\n";
}

int RecepcionDesatendida(const std::vector<std::string>&, const std::map<std::string, std::string>&,
                         std::ostream&, std::ostream& salidaErrores) {
    salidaErrores << UsoRecepcionDesatendida();
    return 2;
}

}  // namespace velmora
