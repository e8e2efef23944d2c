#include "recepcion/corrida_recepcion.h"

#include <stdexcept>

namespace velmora {

ComponentesRecepcion::ComponentesRecepcion(Componente* propietario)
    : pDestino(propietario, "PDestino"),
      pIdfact(propietario, "PIdfact"),
      cDestino(propietario, "CDestino", pDestino, dbEnvio),
      cIdfact(propietario, "CIdfact", pIdfact, dbEnvio) {}

ResultadoRecepcion SpeedButton1Click(const ParametrosRecepcion&, ComponentesRecepcion&, Dialogos&,
                                     Progreso&) {
    throw std::logic_error("receive run: under construction");
}

}  // namespace velmora
