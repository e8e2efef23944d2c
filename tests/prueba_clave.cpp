// Password scrambling.
#include <gtest/gtest.h>

#include "foundation/clave.h"

namespace velmora {
namespace {

// Byte i (from 1) of a text of length n scrambles to byte + n + i + key, modulo 256, with
// the key 9, 2, 8 at positions 1, 2, 3 and again from position 4 on.
TEST(Clave, EjemplosCalculadosAMano) {
    struct Caso {
        std::string clave;
        std::string encriptada;
    };
    const std::vector<Caso> casos = {
        {"", ""},
        // n=2: 'A' 65+2+1+9=77 'M'; 'B' 66+2+2+2=72 'H'.
        {"AB", "MH"},
        // n=3, so the same beginning shifts differently: 65+3+1+9=78 'N'; 66+3+2+2=73 'I';
        // 'C' 67+3+3+8=81 'Q'.
        {"ABC", "NIQ"},
        // n=4, the key cycle restarts at position 4: 'a' 97+4+1+9=111 'o'; 'b' 98+4+2+2=106
        // 'j'; 'c' 99+4+3+8=114 'r'; 'd' 100+4+4+9=117 'u'.
        {"abcd", "ojru"},
        // Wrap above 255: 255+1+1+9=266, low byte 10.
        {"\xFF", "\x0A"},
        // A zero byte inside: 'a' 97+3+1+9=110 'n'; 0xF9 (octal 371) 249+3+2+2=256, low byte 0;
        // 'c' 99+3+3+8=113 'q'.
        {"a\371c", std::string("n\0q", 3)},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.clave);
        EXPECT_EQ(EncriptarClave(caso.clave), caso.encriptada);
        // Unscrambling wraps below 0 the other way (0 - 3 - 2 - 2 = -7 gives 249).
        EXPECT_EQ(DesencriptarClave(caso.encriptada), caso.clave);
    }
}

TEST(Clave, TodoByteEnTodaPosicionVuelveIgual) {
    for (size_t largo = 1; largo <= 7; ++largo) {
        for (size_t posicion = 0; posicion < largo; ++posicion) {
            for (int valor = 0; valor < 256; ++valor) {
                std::string clave;
                for (size_t i = 0; i < largo; ++i) clave.push_back(static_cast<char>('k' + i));
                clave[posicion] = static_cast<char>(valor);

                const std::string encriptada = EncriptarClave(clave);
                ASSERT_EQ(encriptada.size(), largo);
                ASSERT_EQ(DesencriptarClave(encriptada), clave)
                    << "largo " << largo << ", posicion " << posicion << ", byte " << valor;
            }
        }
    }
}

}  // namespace
}  // namespace velmora
