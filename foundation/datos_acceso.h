// The access values that the sign-in hands to the main window: users upper-cased, passwords
// scrambled (never kept in plain text), server entries as chosen.
#pragma once

#include <string>

namespace velmora {

struct DatosAcceso {
    std::string usuarioOrigen;
    std::string claveOrigen;  // scrambled
    std::string servidorOrigen;
    std::string usuarioDestino;
    std::string claveDestino;  // scrambled
    std::string servidorDestino;
};

}  // namespace velmora
