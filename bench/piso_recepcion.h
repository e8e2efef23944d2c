// The receive run's floor: the reads of the transfer file, the destination's look-ups and
// new ids, the inserts and one commit per journal entry that the receive run makes for a
// workload, straight through the client.
#pragma once

#include <string>

#include "bench/medicion.h"

namespace velmora::banco {

// Replays the whole journal of the transfer file `archivo` onto the company `destino`, with
// the receiver's defaults: existing documents are left as they are.
Medida PisoRecepcion(const std::string& archivo, const std::string& destino);

}  // namespace velmora::banco
