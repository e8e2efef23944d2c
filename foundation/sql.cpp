#include "foundation/sql.h"

namespace velmora {

std::string Citar(std::string_view valor) {
    std::string r = "'";
    for (char c : valor) {
        r += c;
        if (c == '\'') r += '\'';
    }
    return r + "'";
}

std::string SinComillas(std::string_view valor) {
    // Fixed-length columns bring trailing blanks along; they do not make a number less plain.
    std::string_view t = valor;
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    std::string_view digitos = t;
    if (!digitos.empty() && digitos.front() == '-') digitos.remove_prefix(1);
    bool entero = !digitos.empty() && digitos.size() <= 18;
    for (char c : digitos) entero = entero && c >= '0' && c <= '9';
    return entero ? std::string(t) : Citar(valor);
}

CodigoDocumento PartirCodigo(std::string_view codigo) {
    if (codigo.size() <= 6) return {"", std::string(codigo)};
    return {std::string(codigo.substr(0, codigo.size() - 6)),
            std::string(codigo.substr(codigo.size() - 6))};
}

}  // namespace velmora
