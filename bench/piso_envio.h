// The send run's floor: the reads, look-ups, new ids, inserts, commits, trail lines and
// journal marks that the send run makes for a workload, straight through the client.
#pragma once

#include <string>

#include "bench/copia_directa.h"
#include "bench/medicion.h"

namespace velmora::banco {

// Sends the origin's unsent journal to `destino` (the destination company online, a fresh
// transfer file offline), appending the trail to `traza`. Reports entries and sent entries.
// `grupo` counts only when committing per group.
Medida PisoEnvio(const std::string& origen, const std::string& destino, bool enLinea,
                 Confirmacion confirmacion, Agrupacion grupo, const std::string& traza);

}  // namespace velmora::banco
