// The receiver's copy rules: the transfer core's procedures, run as the sender runs them
// online, with the receiver's departures set as options.
#pragma once

#include "transfer/copia.h"

namespace velmora {

OpcionesCopia OpcionesRecepcion(bool reemplazar);

}  // namespace velmora
