// The steps that the send run and the receive run share: selecting the journal, deciding whether an
// entry is selected, and the text of a failure.
#pragma once

#include <string>
#include <vector>

#include "foundation/tipo_documento.h"
#include "transfer/copia.h"

namespace velmora {

// The journal of a run: `todo` when the whole is selected, otherwise the entries from `desde`
// to `hasta` (YYYY-MM-DD, both included) in journal order.
std::string SentenciaDiario(bool completo, const std::string& todo, const std::string& desde,
                            const std::string& hasta);

// Shown, before anything is opened, when the range lacks a date, when its end comes before its
// start, and when a company is not chosen.
extern const char kSinFechas[];
extern const char kFechasInvertidas[];
extern const char kSinCompanias[];

// The message that stops a run before anything is opened, or empty: a range without both
// dates or with its end before its start (dates as YYYY-MM-DD).
std::string RangoNoValido(bool completo, const std::string& desde, const std::string& hasta);

// The type list's row of the entry's type when that type is marked; null otherwise. A type
// missing from the list counts as not marked.
const TipoDocumento* TipoSeleccionado(const EntradaAuditoria& entrada,
                                      const std::vector<TipoDocumento>& tipos);

// A non-empty prefix that differs from the entry's own keeps a document (type below 100)
// from being copied; master data is never filtered.
bool FiltradaPorPrefijo(const EntradaAuditoria& entrada, const std::string& prefijo);

// "Error transmitiendo " with the type's name, the voucher type for vouchers, and the code.
std::string MensajeFallo(const EntradaAuditoria& entrada, const TipoDocumento& tipo);

}  // namespace velmora
