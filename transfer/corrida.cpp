#include "transfer/corrida.h"

#include <algorithm>

#include "foundation/sql.h"

namespace velmora {

const char kSinFechas[] =
    "Debe indicar las fechas Desde: y Hasta: del rango de fechas de registro.";
const char kFechasInvertidas[] = "La fecha Hasta: es anterior a la fecha Desde:.";
const char kSinCompanias[] =
    "Debe indicar las compa\xF1\xED"
    "as origen y destino.";

std::string RangoNoValido(bool completo, const std::string& desde, const std::string& hasta) {
    if (completo) return {};
    if (desde.empty() || hasta.empty()) return kSinFechas;
    // ISO dates compare as texts.
    if (hasta < desde) return kFechasInvertidas;
    return {};
}

std::string SentenciaDiario(bool completo, const std::string& todo, const std::string& desde,
                            const std::string& hasta) {
    // The range goes in as ISO text, which the server reads whatever the workstation's date
    // format.
    if (completo) return todo;
    return "select * from auditoria where audi_fecha >= " + Citar(desde) +
           " and audi_fecha <= " + Citar(hasta) + " order by audi_fecha, audi_hora";
}

const TipoDocumento* TipoSeleccionado(const EntradaAuditoria& e,
                                      const std::vector<TipoDocumento>& tipos) {
    auto tipo = std::find_if(tipos.begin(), tipos.end(),
                             [&](const TipoDocumento& t) { return t.codigo == e.tipo; });
    return tipo != tipos.end() && tipo->marcado ? &*tipo : nullptr;
}

bool FiltradaPorPrefijo(const EntradaAuditoria& e, const std::string& prefijo) {
    return !prefijo.empty() && prefijo != PartirCodigo(e.codigo).prefijo && e.tipo < 100;
}

std::string MensajeFallo(const EntradaAuditoria& e, const TipoDocumento& tipo) {
    std::string mensaje = "Error transmitiendo " + tipo.nombre + " ";
    if (e.tipo == 1) mensaje += e.tico + " ";
    return mensaje + e.codigo;
}

}  // namespace velmora
