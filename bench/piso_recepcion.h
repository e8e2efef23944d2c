// The receive run's floor: the reads of the transfer file, the destination's look-ups and
// new ids, the inserts and the commits that the receive run makes for a workload, straight
// through the client.
#pragma once

#include <string>

#include "bench/copia_directa.h"
#include "bench/medicion.h"

namespace velmora::banco {

// Replays the whole journal of the transfer file `archivo` onto the company `destino`, with
// the receiver's defaults: existing documents are left as they are. `grupo` counts only when
// committing per group.
Medida PisoRecepcion(const std::string& archivo, const std::string& destino,
                     Confirmacion confirmacion, Agrupacion grupo);

}  // namespace velmora::banco
