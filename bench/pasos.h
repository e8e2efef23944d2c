// banco_envio --pasos: what each step of a journal entry costs through the session layer
// and straight through the client.
#pragma once

#include "bench/opciones.h"

namespace velmora::banco {

void Pasos(const Opciones& o);

}  // namespace velmora::banco
