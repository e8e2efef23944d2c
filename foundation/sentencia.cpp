#include "foundation/sentencia.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>

namespace velmora {

using namespace Firebird;

namespace {

constexpr long kErrorAritmetico = 335544321;  // isc_arith_except
constexpr long kErrorConversion = 335544334;  // isc_convert_error
constexpr unsigned kJuegoNone = 0;            // character set NONE: bytes as they are

[[noreturn]] void FallaTruncado(size_t esperado, size_t real) {
    throw ErrorBaseDatos(
        "arithmetic exception, numeric overflow, or string truncation\n-string right "
        "truncation\n-expected length " +
            std::to_string(esperado) + ", actual " + std::to_string(real),
        kErrorAritmetico);
}

[[noreturn]] void FallaDesborde() {
    throw ErrorBaseDatos(
        "arithmetic exception, numeric overflow, or string truncation\n-numeric value is out "
        "of range",
        kErrorAritmetico);
}

[[noreturn]] void FallaConversion(const Valor& v) {
    throw ErrorBaseDatos("conversion error from string \"" + v.comoTexto() + "\"",
                         kErrorConversion);
}

// Text that is longer than the column may still fit when the excess is blanks.
size_t LargoAjustado(const std::string& t, size_t maximo) {
    if (t.size() <= maximo) return t.size();
    for (size_t i = maximo; i < t.size(); ++i)
        if (t[i] != ' ') FallaTruncado(maximo, t.size());
    return maximo;
}

std::string LeerBlob(IAttachment* att, ITransaction* tra, ISC_QUAD id) {
    fb::Estado st;
    fb::Ref<IBlob> blob(att->openBlob(&st, tra, &id, 0, nullptr));
    std::string bytes;
    char trozo[32768];
    for (;;) {
        unsigned leido = 0;
        int r = blob->getSegment(&st, sizeof trozo, trozo, &leido);
        if (r == IStatus::RESULT_NO_DATA) break;
        bytes.append(trozo, leido);
    }
    blob.Terminar([&](IBlob* b) { b->close(&st); });
    return bytes;
}

ISC_QUAD EscribirBlob(IAttachment* att, ITransaction* tra, const std::string& bytes) {
    fb::Estado st;
    ISC_QUAD id{};
    fb::Ref<IBlob> blob(att->createBlob(&st, tra, &id, 0, nullptr));
    for (size_t hecho = 0; hecho < bytes.size();) {
        unsigned trozo = unsigned(std::min<size_t>(bytes.size() - hecho, 32767));
        blob->putSegment(&st, trozo, bytes.data() + hecho);
        hecho += trozo;
    }
    blob.Terminar([&](IBlob* b) { b->close(&st); });
    return id;
}

bool LeerFechaHora(const std::string& t, FechaHora& fh) {
    Fecha f;
    if (!LeerFecha(t.substr(0, 10), f)) return false;
    fh = FechaHora{f, Hora{}};
    if (t.size() > 10) return LeerHora(t.substr(11), fh.hora);
    return true;
}

template <class T>
void Poner(unsigned char* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

template <class T>
T Tomar(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

}  // namespace

TipoDato Campo::tipoDato() const {
    switch (tipoSql) {
        case SQL_VARYING:
            return TipoDato::Texto;
        case SQL_TEXT:
            return TipoDato::TextoFijo;
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
            // NUMERIC and DECIMAL are stored as integers with a scale or a sub-type.
            if (escala < 0 || subtipo == 1 || subtipo == 2) return TipoDato::FMTBcd;
            return tipoSql == SQL_SHORT  ? TipoDato::Smallint
                   : tipoSql == SQL_LONG ? TipoDato::Entero
                                         : TipoDato::Largeint;
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return TipoDato::Real;
        case SQL_TYPE_DATE:
            return TipoDato::Fecha;
        case SQL_TYPE_TIME:
            return TipoDato::Hora;
        case SQL_TIMESTAMP:
            return TipoDato::FechaHora;
        case SQL_BLOB:
            return subtipo == 1 ? TipoDato::Memo : TipoDato::Blob;
        case SQL_BOOLEAN:
            return TipoDato::Booleano;
        default:
            return TipoDato::Desconocido;
    }
}

Valor AjustarA(const Campo& campo, const Valor& v) {
    if (v.esNulo()) return v;
    using C = Valor::Clase;
    switch (campo.tipoDato()) {
        case TipoDato::Texto:
        case TipoDato::TextoFijo:
            return Valor(v.comoTexto());
        case TipoDato::Smallint:
        case TipoDato::Entero:
        case TipoDato::Largeint:
            return Valor(v.comoEntero());
        case TipoDato::FMTBcd:
            return Valor(v.comoDecimal(campo.escala));
        case TipoDato::Real:
            return Valor(v.comoReal());
        case TipoDato::Fecha:
            if (v.clase() == C::Fecha) return v;
            if (v.clase() == C::FechaHora) return Valor(v.como<FechaHora>().fecha);
            if (v.clase() == C::Texto) {
                FechaHora fh;
                if (LeerFechaHora(v.como<std::string>(), fh)) return Valor(fh.fecha);
            }
            FallaConversion(v);
        case TipoDato::Hora:
            if (v.clase() == C::Hora) return v;
            if (v.clase() == C::FechaHora) return Valor(v.como<FechaHora>().hora);
            if (v.clase() == C::Texto) {
                Hora h;
                if (LeerHora(v.como<std::string>(), h)) return Valor(h);
            }
            FallaConversion(v);
        case TipoDato::FechaHora:
            if (v.clase() == C::FechaHora) return v;
            if (v.clase() == C::Fecha) return Valor(FechaHora{v.como<Fecha>(), Hora{}});
            if (v.clase() == C::Texto) {
                FechaHora fh;
                if (LeerFechaHora(v.como<std::string>(), fh)) return Valor(fh);
            }
            FallaConversion(v);
        case TipoDato::Blob:
        case TipoDato::Memo:
            if (v.clase() == C::Blob) return v;
            return Valor(Blob{v.comoTexto()});
        case TipoDato::Booleano:
            if (v.clase() == C::Booleano) return v;
            if (v.clase() == C::Texto) {
                const std::string& t = v.como<std::string>();
                if (t == "True" || t == "true" || t == "1") return Valor(true);
                if (t == "False" || t == "false" || t == "0") return Valor(false);
                FallaConversion(v);
            }
            return Valor(v.comoEntero() != 0);
        case TipoDato::Desconocido:
            return v;
    }
    return v;
}

void Mensaje::describir(IMessageMetadata* m) {
    metadatos = fb::Ref<IMessageMetadata>(m);
    campos.clear();
    desplazamiento.clear();
    desplazamientoNulo.clear();
    fb::Estado st;
    unsigned n = m->getCount(&st);
    for (unsigned i = 0; i < n; ++i) {
        Campo c;
        c.nombre = m->getAlias(&st, i);
        c.columna = m->getField(&st, i);
        c.tabla = m->getRelation(&st, i);
        c.tipoSql = m->getType(&st, i) & ~1u;
        c.subtipo = m->getSubType(&st, i);
        c.escala = m->getScale(&st, i);
        c.longitud = m->getLength(&st, i);
        c.admiteNulo = m->isNullable(&st, i);
        campos.push_back(std::move(c));
        desplazamiento.push_back(m->getOffset(&st, i));
        desplazamientoNulo.push_back(m->getNullOffset(&st, i));
    }
    buffer.assign(m->getMessageLength(&st), 0);
}

bool Mensaje::conObjetosGrandes() const {
    return std::any_of(campos.begin(), campos.end(),
                       [](const Campo& c) { return c.tipoSql == SQL_BLOB; });
}

Valor Mensaje::leer(unsigned i, const unsigned char* datos, IAttachment* att,
                    ITransaction* tra) const {
    if (Tomar<short>(datos + desplazamientoNulo[i])) return Valor();
    const Campo& c = campos[i];
    const unsigned char* p = datos + desplazamiento[i];
    auto numero = [&](int64_t m) -> Valor {
        if (c.tipoDato() == TipoDato::FMTBcd) return Valor(Decimal{m, c.escala});
        return Valor(m);
    };
    switch (c.tipoSql) {
        case SQL_TEXT:
            return Valor(std::string(reinterpret_cast<const char*>(p), c.longitud));
        case SQL_VARYING:
            return Valor(std::string(reinterpret_cast<const char*>(p + 2), Tomar<uint16_t>(p)));
        case SQL_SHORT:
            return numero(Tomar<int16_t>(p));
        case SQL_LONG:
            return numero(Tomar<int32_t>(p));
        case SQL_INT64:
            return numero(Tomar<int64_t>(p));
        case SQL_FLOAT:
            return Valor(double(Tomar<float>(p)));
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return Valor(Tomar<double>(p));
        case SQL_TYPE_DATE: {
            unsigned a, m, d;
            fb::Util()->decodeDate(Tomar<ISC_DATE>(p), &a, &m, &d);
            return Valor(Fecha{int(a), int(m), int(d)});
        }
        case SQL_TYPE_TIME: {
            unsigned h, mi, s, f;
            fb::Util()->decodeTime(Tomar<ISC_TIME>(p), &h, &mi, &s, &f);
            return Valor(Hora{int(h), int(mi), int(s), int(f)});
        }
        case SQL_TIMESTAMP: {
            auto ts = Tomar<ISC_TIMESTAMP>(p);
            unsigned a, m, d, h, mi, s, f;
            fb::Util()->decodeDate(ts.timestamp_date, &a, &m, &d);
            fb::Util()->decodeTime(ts.timestamp_time, &h, &mi, &s, &f);
            return Valor(
                FechaHora{Fecha{int(a), int(m), int(d)}, Hora{int(h), int(mi), int(s), int(f)}});
        }
        case SQL_BLOB:
            return Valor(Blob{LeerBlob(att, tra, Tomar<ISC_QUAD>(p))});
        case SQL_BOOLEAN:
            return Valor(Tomar<FB_BOOLEAN>(p) != 0);
        default:
            return Valor();
    }
}

void Mensaje::escribir(unsigned i, const Valor& bruto, IAttachment* att, ITransaction* tra) {
    const Campo& c = campos[i];
    unsigned char* p = &buffer[desplazamiento[i]];
    Poner<short>(&buffer[desplazamientoNulo[i]], bruto.esNulo() ? -1 : 0);
    if (bruto.esNulo()) return;
    Valor v = AjustarA(c, bruto);
    auto entero = [&](int64_t minimo, int64_t maximo) {
        int64_t m =
            c.tipoDato() == TipoDato::FMTBcd ? v.comoDecimal(c.escala).mantisa : v.comoEntero();
        if (m < minimo || m > maximo) FallaDesborde();
        return m;
    };
    switch (c.tipoSql) {
        case SQL_TEXT: {
            const std::string t = v.comoTexto();
            size_t n = LargoAjustado(t, c.longitud);
            std::memset(p, ' ', c.longitud);
            std::memcpy(p, t.data(), n);
            break;
        }
        case SQL_VARYING: {
            const std::string t = v.comoTexto();
            size_t n = LargoAjustado(t, c.longitud);
            Poner<uint16_t>(p, uint16_t(n));
            std::memcpy(p + 2, t.data(), n);
            break;
        }
        case SQL_SHORT:
            Poner<int16_t>(p, int16_t(entero(INT16_MIN, INT16_MAX)));
            break;
        case SQL_LONG:
            Poner<int32_t>(p, int32_t(entero(INT32_MIN, INT32_MAX)));
            break;
        case SQL_INT64:
            Poner<int64_t>(p, entero(INT64_MIN, INT64_MAX));
            break;
        case SQL_FLOAT:
            Poner<float>(p, float(v.comoReal()));
            break;
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            Poner<double>(p, v.comoReal());
            break;
        case SQL_TYPE_DATE: {
            const Fecha& f = v.como<Fecha>();
            Poner<ISC_DATE>(p, fb::Util()->encodeDate(f.anio, f.mes, f.dia));
            break;
        }
        case SQL_TYPE_TIME: {
            const Hora& h = v.como<Hora>();
            Poner<ISC_TIME>(p, fb::Util()->encodeTime(h.hora, h.minuto, h.segundo, h.fraccion));
            break;
        }
        case SQL_TIMESTAMP: {
            const FechaHora& fh = v.como<FechaHora>();
            ISC_TIMESTAMP ts;
            ts.timestamp_date = fb::Util()->encodeDate(fh.fecha.anio, fh.fecha.mes, fh.fecha.dia);
            ts.timestamp_time = fb::Util()->encodeTime(fh.hora.hora, fh.hora.minuto,
                                                       fh.hora.segundo, fh.hora.fraccion);
            Poner<ISC_TIMESTAMP>(p, ts);
            break;
        }
        case SQL_BLOB:
            Poner<ISC_QUAD>(p, EscribirBlob(att, tra, v.como<Blob>().bytes));
            break;
        case SQL_BOOLEAN:
            Poner<FB_BOOLEAN>(p, v.como<bool>() ? FB_TRUE : FB_FALSE);
            break;
        default:
            FallaConversion(v);
    }
}

Sentencia::Sentencia(IAttachment* att, ITransaction* tra, const std::string& texto) {
    fb::Estado st;
    sentencia_ = fb::Ref<IStatement>(att->prepare(&st, tra, unsigned(texto.size()), texto.c_str(),
                                                  3, IStatement::PREPARE_PREFETCH_METADATA));
    entrada.describir(sentencia_->getInputMetadata(&st));
    salida.describir(sentencia_->getOutputMetadata(&st));
}

Sentencia::~Sentencia() {
    liberar();
}

void Sentencia::liberar() noexcept {
    entrada.metadatos.Soltar();
    salida.metadatos.Soltar();
    try {
        fb::Estado st;
        sentencia_.Terminar([&](IStatement* s) { s->free(&st); });
    } catch (...) {
        // The connection is gone or going: the reference was released by Terminar.
    }
}

void Sentencia::ejecutar(ITransaction* tra) {
    fb::Estado st;
    const Mensaje& in = entradaEnUso();
    bool conEntrada = in.cantidad() > 0, conSalida = salida.cantidad() > 0;
    sentencia_->execute(&st, tra, conEntrada ? in.metadatos.get() : nullptr,
                        conEntrada ? const_cast<unsigned char*>(in.buffer.data()) : nullptr,
                        conSalida ? salida.metadatos.get() : nullptr,
                        conSalida ? salida.buffer.data() : nullptr);
}

uint64_t Sentencia::ejecutarContando(ITransaction* tra) {
    ejecutar(tra);
    fb::Estado st;
    return sentencia_->getAffectedRecords(&st);
}

void Sentencia::fijarLiterales(const std::vector<Valor>& valores, IAttachment* att,
                               ITransaction* tra) {
    // Texts are described by their length and numbers by their scale; the description is
    // kept while the values keep their shape, which they mostly do from one entry to the next.
    std::vector<int> forma;
    for (const Valor& v : valores) {
        if (v.clase() == Valor::Clase::Texto)
            forma.push_back(int(std::max<size_t>(1, v.como<std::string>().size())));
        else
            forma.push_back(v.clase() == Valor::Clase::Decimal ? v.como<Decimal>().escala - 1 : -1);
    }
    if (forma != formaLiterales_) {
        fb::Estado st;
        fb::Ref<IMetadataBuilder> constructor(
            fb::Maestro()->getMetadataBuilder(&st, unsigned(valores.size())));
        for (unsigned i = 0; i < valores.size(); ++i) {
            if (forma[i] > 0) {
                constructor->setType(&st, i, SQL_VARYING);
                constructor->setCharSet(&st, i, kJuegoNone);
                constructor->setLength(&st, i, unsigned(forma[i]));
            } else {
                constructor->setType(&st, i, SQL_INT64);
                constructor->setLength(&st, i, sizeof(int64_t));
                constructor->setScale(&st, i, forma[i] + 1);
            }
        }
        literales_.describir(constructor->getMetadata(&st));
        formaLiterales_ = std::move(forma);
    }
    for (unsigned i = 0; i < valores.size(); ++i) literales_.escribir(i, valores[i], att, tra);
    conLiterales_ = true;
}

fb::Ref<Firebird::IResultSet> Sentencia::abrirCursor(Firebird::ITransaction* tra) {
    fb::Estado st;
    const Mensaje& in = entradaEnUso();
    return fb::Ref<Firebird::IResultSet>(sentencia_->openCursor(
        &st, tra, in.cantidad() ? in.metadatos.get() : nullptr,
        in.cantidad() ? const_cast<unsigned char*>(in.buffer.data()) : nullptr,
        salida.metadatos.get(), 0));
}

bool SepararLiterales(const std::string& texto, std::string& plantilla,
                      std::vector<Valor>& valores) {
    size_t inicio = texto.find_first_not_of(" \t\r\n");
    if (inicio == std::string::npos) return false;
    std::string verbo;
    for (size_t i = inicio; i < texto.size() && std::isalpha(static_cast<unsigned char>(texto[i]));
         ++i)
        verbo += char(std::toupper(static_cast<unsigned char>(texto[i])));
    if (verbo != "SELECT" && verbo != "INSERT" && verbo != "UPDATE" && verbo != "DELETE")
        return false;
    if (texto.find('?') != std::string::npos) return false;

    auto palabra = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
    };
    auto digito = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    // A minus sign belongs to the number that follows it where no operand precedes it: at
    // the start, or after an operator, an opening parenthesis or a comma.
    auto signo = [&](size_t i) {
        if (texto[i] != '-' || i + 1 >= texto.size() || !digito(texto[i + 1])) return false;
        size_t j = i;
        while (j > 0 && std::isspace(static_cast<unsigned char>(texto[j - 1]))) --j;
        return j == 0 || std::string_view("=<>(,+-*/").find(texto[j - 1]) != std::string::npos;
    };
    plantilla.clear();
    valores.clear();
    for (size_t i = 0; i < texto.size();) {
        const char c = texto[i];
        // Comments are left to the server, with the whole text as it is.
        if ((c == '-' || c == '/') && i + 1 < texto.size() &&
            texto[i + 1] == (c == '-' ? '-' : '*'))
            return false;
        if (c == '"') {  // a quoted identifier stays as it is
            size_t fin = texto.find('"', i + 1);
            if (fin == std::string::npos) return false;
            plantilla.append(texto, i, fin - i + 1);
            i = fin + 1;
        } else if (c == '\'') {
            std::string valor;
            size_t j = i + 1;
            for (;; ++j) {
                if (j >= texto.size()) return false;
                if (texto[j] == '\'') {
                    if (j + 1 < texto.size() && texto[j + 1] == '\'') {
                        valor += '\'';
                        ++j;
                        continue;
                    }
                    break;
                }
                valor += texto[j];
            }
            valores.emplace_back(std::move(valor));
            plantilla += '?';
            i = j + 1;
        } else if ((digito(c) && (i == 0 || !(palabra(texto[i - 1]) || texto[i - 1] == '.'))) ||
                   signo(i)) {
            size_t j = c == '-' ? i + 1 : i;
            while (j < texto.size() && std::isdigit(static_cast<unsigned char>(texto[j]))) ++j;
            if (j < texto.size() && texto[j] == '.') {
                ++j;
                while (j < texto.size() && std::isdigit(static_cast<unsigned char>(texto[j]))) ++j;
            }
            if (j < texto.size() && (palabra(texto[j]) || texto[j] == '.')) return false;
            Decimal d;
            if (!LeerDecimal(std::string_view(texto).substr(i, j - i), d)) return false;
            valores.emplace_back(d.escala == 0 ? Valor(d.mantisa) : Valor(d));
            plantilla += '?';
            i = j;
        } else {
            plantilla += c;
            ++i;
        }
    }
    return !valores.empty();
}

}  // namespace velmora
