// Values that journal rows bring into statement texts.
#include <gtest/gtest.h>

#include "foundation/sql.h"

namespace velmora {
namespace {

TEST(ValoresEnSentencias, SoloUnEnteroLlanoVaSinComillas) {
    struct Caso {
        std::string valor, esperado;
    } casos[] = {
        {"12", "12"},
        {"-7", "-7"},
        {"12 ", "12"},  // a CHAR(3) account keeps its blanks
        {"", "''"},
        {"1 OR 1=1", "'1 OR 1=1'"},
        {"12; DELETE FROM CHEQUES", "'12; DELETE FROM CHEQUES'"},
        {"O'B", "'O''B'"},
        {"1.5", "'1.5'"},
        {"1234567890123456789", "'1234567890123456789'"},  // beyond 64 bits
    };
    for (const auto& c : casos) EXPECT_EQ(SinComillas(c.valor), c.esperado) << c.valor;
}

TEST(ValoresEnSentencias, CitarDoblaLasComillas) {
    EXPECT_EQ(Citar("FV"), "'FV'");
    EXPECT_EQ(Citar("O'B'"), "'O''B'''");
    EXPECT_EQ(Citar(""), "''");
}

TEST(CodigoDeDocumento, ElNumeroSonLosUltimosSeisCaracteres) {
    struct Caso {
        std::string codigo, prefijo, numero;
    } casos[] = {
        {"FV000123", "FV", "000123"},
        {"000123", "", "000123"},
        {"123", "", "123"},
        {"O'B000001", "O'B", "000001"},
        {"", "", ""},
    };
    for (const auto& c : casos) {
        CodigoDocumento cod = PartirCodigo(c.codigo);
        EXPECT_EQ(cod.prefijo, c.prefijo) << c.codigo;
        EXPECT_EQ(cod.numero, c.numero) << c.codigo;
    }
}

}  // namespace
}  // namespace velmora
