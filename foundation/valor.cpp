#include "foundation/valor.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "foundation/error.h"

namespace velmora {

namespace {

constexpr long kErrorConversion = 335544334;  // isc_convert_error
constexpr long kErrorAritmetico = 335544321;  // isc_arith_except

[[noreturn]] void FallaConversion(const std::string& texto) {
    throw ErrorBaseDatos("conversion error from string \"" + texto + "\"", kErrorConversion);
}

[[noreturn]] void FallaDesborde() {
    throw ErrorBaseDatos("arithmetic exception, numeric overflow, or string truncation",
                         kErrorAritmetico);
}

std::string_view SinBlancos(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

bool Potencia10(int n, int64_t& p) {
    p = 1;
    for (int i = 0; i < n; ++i) {
        if (p > std::numeric_limits<int64_t>::max() / 10) return false;
        p *= 10;
    }
    return true;
}

std::string TextoDecimal(const Decimal& d) {
    bool negativo = d.mantisa < 0;
    // Work on the unsigned magnitude so that INT64_MIN prints correctly.
    uint64_t magnitud = negativo ? uint64_t(0) - uint64_t(d.mantisa) : uint64_t(d.mantisa);
    std::string digitos = std::to_string(magnitud);
    int decimales = -d.escala;
    if (decimales > 0) {
        if (int(digitos.size()) <= decimales)
            digitos.insert(0, std::string(decimales - digitos.size() + 1, '0'));
        digitos.insert(digitos.size() - decimales, ".");
    }
    return negativo ? "-" + digitos : digitos;
}

}  // namespace

bool Reescalar(const Decimal& d, int escala, int64_t& mantisa) {
    if (escala == d.escala) {
        mantisa = d.mantisa;
        return true;
    }
    int64_t factor;
    if (escala < d.escala) {  // more decimals: multiply
        if (!Potencia10(d.escala - escala, factor))
            return d.mantisa == 0 ? (mantisa = 0, true) : false;
        if (d.mantisa > std::numeric_limits<int64_t>::max() / factor ||
            d.mantisa < std::numeric_limits<int64_t>::min() / factor)
            return false;
        mantisa = d.mantisa * factor;
        return true;
    }
    // Fewer decimals: divide, rounding half away from zero.
    if (!Potencia10(escala - d.escala, factor)) {
        mantisa = 0;
        return true;
    }
    int64_t cociente = d.mantisa / factor;
    int64_t resto = d.mantisa % factor;
    if (resto < 0) resto = -resto;
    if (resto * 2 >= factor) cociente += d.mantisa < 0 ? -1 : 1;
    mantisa = cociente;
    return true;
}

bool LeerDecimal(std::string_view texto, Decimal& resultado) {
    std::string_view t = SinBlancos(texto);
    bool negativo = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        negativo = t.front() == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) return false;
    uint64_t mantisa = 0;
    int escala = 0;
    bool punto = false, digito = false;
    for (char c : t) {
        if (c == '.' && !punto) {
            punto = true;
            continue;
        }
        if (c < '0' || c > '9') return false;
        digito = true;
        if (mantisa > (uint64_t(std::numeric_limits<int64_t>::max()) - 9) / 10) {
            // Beyond 18 digits only decimals can be dropped, and they are rounded away.
            if (!punto) return false;
            continue;
        }
        mantisa = mantisa * 10 + uint64_t(c - '0');
        if (punto) --escala;
    }
    if (!digito) return false;
    resultado.mantisa = negativo ? -int64_t(mantisa) : int64_t(mantisa);
    resultado.escala = escala;
    return true;
}

bool LeerFecha(std::string_view texto, Fecha& f) {
    std::string t(SinBlancos(texto));
    int a, m, d;
    char resto;
    if (std::sscanf(t.c_str(), "%4d-%2d-%2d%c", &a, &m, &d, &resto) != 3) return false;
    if (m < 1 || m > 12 || d < 1 || d > 31) return false;
    f = Fecha{a, m, d};
    return true;
}

bool LeerHora(std::string_view texto, Hora& h) {
    std::string t(SinBlancos(texto));
    int hh, mm, ss = 0, fr = 0;
    int leidos = std::sscanf(t.c_str(), "%2d:%2d:%2d.%4d", &hh, &mm, &ss, &fr);
    if (leidos < 2 || hh > 23 || mm > 59 || ss > 59) return false;
    h = Hora{hh, mm, ss, fr};
    return true;
}

std::string TextoFecha(const Fecha& f) {
    char b[16];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d", f.anio, f.mes, f.dia);
    return b;
}

std::string TextoHora(const Hora& h) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d:%02d:%02d", h.hora, h.minuto, h.segundo);
    return b;
}

std::string Valor::comoTexto() const {
    switch (clase()) {
        case Clase::Nulo:
            return {};
        case Clase::Entero:
            return std::to_string(std::get<int64_t>(v_));
        case Clase::Decimal:
            return TextoDecimal(std::get<Decimal>(v_));
        case Clase::Real: {
            char b[32];
            auto r = std::to_chars(b, b + sizeof b, std::get<double>(v_));
            return std::string(b, r.ptr);
        }
        case Clase::Texto:
            return std::get<std::string>(v_);
        case Clase::Fecha:
            return TextoFecha(std::get<Fecha>(v_));
        case Clase::Hora:
            return TextoHora(std::get<Hora>(v_));
        case Clase::FechaHora: {
            const auto& fh = std::get<FechaHora>(v_);
            return TextoFecha(fh.fecha) + " " + TextoHora(fh.hora);
        }
        case Clase::Blob:
            return std::get<Blob>(v_).bytes;
        case Clase::Booleano:
            return std::get<bool>(v_) ? "True" : "False";
    }
    return {};
}

Decimal Valor::comoDecimal(int escala) const {
    int64_t m = 0;
    switch (clase()) {
        case Clase::Nulo:
            return Decimal{0, escala};
        case Clase::Entero:
            if (!Reescalar(Decimal{std::get<int64_t>(v_), 0}, escala, m)) FallaDesborde();
            return Decimal{m, escala};
        case Clase::Decimal:
            if (!Reescalar(std::get<Decimal>(v_), escala, m)) FallaDesborde();
            return Decimal{m, escala};
        case Clase::Real: {
            double x = std::get<double>(v_) * std::pow(10.0, -escala);
            if (!std::isfinite(x) || std::fabs(x) >= 9.2e18) FallaDesborde();
            return Decimal{int64_t(std::llround(x)), escala};
        }
        case Clase::Booleano:
            return Valor(int64_t{std::get<bool>(v_) ? 1 : 0}).comoDecimal(escala);
        case Clase::Texto: {
            Decimal d;
            if (!LeerDecimal(std::get<std::string>(v_), d))
                FallaConversion(std::get<std::string>(v_));
            if (!Reescalar(d, escala, m)) FallaDesborde();
            return Decimal{m, escala};
        }
        default:
            FallaConversion(comoTexto());
    }
}

int64_t Valor::comoEntero() const {
    return comoDecimal(0).mantisa;
}

Moneda Valor::comoMoneda() const {
    return comoDecimal(-4).mantisa;
}

double Valor::comoReal() const {
    switch (clase()) {
        case Clase::Nulo:
            return 0.0;
        case Clase::Real:
            return std::get<double>(v_);
        case Clase::Entero:
            return double(std::get<int64_t>(v_));
        case Clase::Decimal: {
            const auto& d = std::get<Decimal>(v_);
            return double(d.mantisa) * std::pow(10.0, d.escala);
        }
        case Clase::Booleano:
            return std::get<bool>(v_) ? 1.0 : 0.0;
        case Clase::Texto: {
            const std::string& t = std::get<std::string>(v_);
            std::string_view s = SinBlancos(t);
            double x;
            auto r = std::from_chars(s.data(), s.data() + s.size(), x);
            if (r.ec != std::errc() || r.ptr != s.data() + s.size()) FallaConversion(t);
            return x;
        }
        default:
            FallaConversion(comoTexto());
    }
}

}  // namespace velmora
