// How failures reach the person at the screen.
#pragma once

#include <exception>
#include <string>

#include "foundation/dialogos.h"

namespace velmora {

// The text that the application-wide handler shows for a failure's message: a Spanish
// sentence for the few client messages that a user can act on, else the message itself
// behind a fixed prefix. Windows-1252 bytes in and out.
std::string TextoErrorNoManejado(const std::string& mensaje);

// The application-wide handler of every failure that leaves a user action: shows the text
// above in a plain message box. The silent abort shows nothing.
void ENoManejada(const std::exception& error, Dialogos& dialogos);

}  // namespace velmora
