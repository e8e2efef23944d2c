#include "foundation/clave.h"

#include <array>

namespace velmora {

namespace {

constexpr std::array<int, 4> kTabla = {3, 9, 2, 8};
constexpr int kIndiceMayor = 3;

// Unsigned arithmetic wraps modulo a power of two, so its low byte is the low byte of the
// exact sum or difference.
unsigned Llave(std::span<const int> tabla, int h, size_t i) {
    const size_t r = i % static_cast<size_t>(h);
    return static_cast<unsigned>(tabla[r > 0 ? r : static_cast<size_t>(h)]);
}

template <typename Paso>
std::string Transformar(const std::string& texto, std::span<const int> tabla, int h, Paso paso) {
    const size_t n = texto.size();
    std::string resultado(n, '\0');
    for (size_t i = 1; i <= n; ++i) {
        const size_t byte = static_cast<unsigned char>(texto[i - 1]);
        resultado[i - 1] = static_cast<char>(paso(byte, n + i + Llave(tabla, h, i)) & 0xFF);
    }
    return resultado;
}

}  // namespace

std::string Encriptar(const std::string& texto, std::span<const int> tabla, int h) {
    return Transformar(texto, tabla, h,
                       [](size_t byte, size_t corrimiento) { return byte + corrimiento; });
}

std::string Desencriptar(const std::string& texto, std::span<const int> tabla, int h) {
    return Transformar(texto, tabla, h,
                       [](size_t byte, size_t corrimiento) { return byte - corrimiento; });
}

std::string EncriptarClave(const std::string& clave) {
    return Encriptar(clave, kTabla, kIndiceMayor);
}

std::string DesencriptarClave(const std::string& encriptada) {
    return Desencriptar(encriptada, kTabla, kIndiceMayor);
}

}  // namespace velmora
