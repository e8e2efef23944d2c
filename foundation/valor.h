// Field values as the programs handle them: a variant that keeps the kind of what the
// database returned (text as Windows-1252 bytes, exact numerics with their scale).
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <variant>

namespace velmora {

// mantisa × 10^escala, escala <= 0: NUMERIC and DECIMAL values, exactly.
struct Decimal {
    int64_t mantisa = 0;
    int escala = 0;
    bool operator==(const Decimal&) const = default;
};

struct Fecha {
    int anio = 0, mes = 0, dia = 0;
    auto operator<=>(const Fecha&) const = default;
};

// Fractions are tenths of milliseconds, the database's own resolution.
struct Hora {
    int hora = 0, minuto = 0, segundo = 0, fraccion = 0;
    auto operator<=>(const Hora&) const = default;
};

struct FechaHora {
    Fecha fecha;
    Hora hora;
    auto operator<=>(const FechaHora&) const = default;
};

// Large object contents, fetched whole.
struct Blob {
    std::string bytes;
    bool operator==(const Blob&) const = default;
};

// A currency value: the amount times 10,000 (four decimals), as a 64-bit integer.
using Moneda = int64_t;

class Valor {
  public:
    enum class Clase { Nulo, Entero, Decimal, Real, Texto, Fecha, Hora, FechaHora, Blob, Booleano };

    Valor() = default;
    Valor(int v) : v_(int64_t{v}) {}
    Valor(int64_t v) : v_(v) {}
    Valor(Decimal v) : v_(v) {}
    Valor(double v) : v_(v) {}
    Valor(std::string v) : v_(std::move(v)) {}
    Valor(const char* v) : v_(std::string(v)) {}
    Valor(Fecha v) : v_(v) {}
    Valor(Hora v) : v_(v) {}
    Valor(FechaHora v) : v_(v) {}
    Valor(Blob v) : v_(std::move(v)) {}
    Valor(bool v) : v_(v) {}

    static Valor moneda(Moneda m) { return Valor(Decimal{m, -4}); }

    Clase clase() const { return static_cast<Clase>(v_.index()); }
    bool esNulo() const { return clase() == Clase::Nulo; }

    // Readings in the manner of a data-aware field: a null reads as empty text, 0 or 0.0.
    // A value that cannot be read in the asked kind raises ErrorBaseDatos.
    std::string comoTexto() const;
    int64_t comoEntero() const;
    Moneda comoMoneda() const;
    double comoReal() const;
    Decimal comoDecimal(int escala) const;  // rounded half away from zero

    // Direct access for the session layer; the caller checks clase() first.
    template <class T>
    const T& como() const {
        return std::get<T>(v_);
    }

    bool operator==(const Valor&) const = default;

  private:
    std::variant<std::monostate, int64_t, Decimal, double, std::string, Fecha, Hora, FechaHora,
                 Blob, bool>
        v_;
};

// Text forms used when a value goes into a statement or is compared as text:
// dates as YYYY-MM-DD, times as HH:MM:SS, decimals with all the digits of their scale.
std::string TextoFecha(const Fecha& f);
std::string TextoHora(const Hora& h);

// Parses "[-]digits[.digits]" (blanks around allowed). False when it is not a number.
bool LeerDecimal(std::string_view texto, Decimal& resultado);
bool LeerFecha(std::string_view texto, Fecha& resultado);
bool LeerHora(std::string_view texto, Hora& resultado);

// Rescales with rounding half away from zero; false on 64-bit overflow.
bool Reescalar(const Decimal& d, int escala, int64_t& mantisa);

}  // namespace velmora
