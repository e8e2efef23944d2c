// The families whose rules differ from the generic copy of a document.
#pragma once

#include "transfer/copia.h"

namespace velmora {

// Accounting vouchers: three-column key, lock date, delete-and-insert replace.
bool CopiarComprobante(const DescriptorTipoDoc& tipo, const EntradaAuditoria& entrada,
                       const OpcionesCopia& opciones, ComponentesCopia& c);

// Documents whose header, or whose first detail table, points at other documents by id:
// the references are rewritten to the target's ids.
bool CopiarConReferencias(const DescriptorTipoDoc& tipo, const EntradaAuditoria& entrada,
                          const OpcionesCopia& opciones, ComponentesCopia& c);

// Master data: upserted by key, whatever the replace flag.
bool CopiarMaestro(const DescriptorTipoDoc& tipo, const EntradaAuditoria& entrada,
                   const OpcionesCopia& opciones, ComponentesCopia& c);

}  // namespace velmora
