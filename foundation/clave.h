// Scrambling of the passwords kept in memory between the login and the connections.
// Scrambled texts may hold any byte, zero included: always length-counted.
#pragma once

#include <span>
#include <string>

namespace velmora {

// The core routines: a position-dependent byte shift by the text's length, the position
// (from 1) and the key of the position, taken from `tabla` at i mod h, or at h when that
// is 0. Requires h > 0 and h < tabla.size().
std::string Encriptar(const std::string& texto, std::span<const int> tabla, int h);
std::string Desencriptar(const std::string& texto, std::span<const int> tabla, int h);

std::string EncriptarClave(const std::string& clave);
std::string DesencriptarClave(const std::string& encriptada);

}  // namespace velmora
