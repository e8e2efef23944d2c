// Values placed into statement texts. Every value a statement carries goes through here.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Enclosed in single quotes, each single quote inside doubled.
std::string Citar(std::string_view valor);

// Values that statements carry without quotes (bank accounts, collector and salesperson
// codes, ids, item numbers) go in bare only when they are a plain integer; anything else is
// quoted, so journal content can never change a statement's structure.
std::string SinComillas(std::string_view valor);

// A document code: its prefix followed by its six-character number.
struct CodigoDocumento {
    std::string prefijo;
    std::string numero;
};
CodigoDocumento PartirCodigo(std::string_view codigo);

}  // namespace velmora
