// What both runs decide for a journal entry before and after its procedure: whether it is
// selected and how its failure is reported.
#pragma once

#include <string>
#include <vector>

#include "foundation/tipo_documento.h"
#include "transfer/copia.h"

namespace velmora {

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
