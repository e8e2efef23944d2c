// A company's journal of a few hundred entries of several families, as some days of work
// leave it: invoices and inventory entries with their details, accounting vouchers, cash
// receipts with two detail tables that pay invoices, bank deposits and cheques, accounts,
// article units and bank interfaces; created, modified, annulled and deleted. Some documents
// were created and deleted again before any send; some were sent by an earlier run and
// stand in the destination in an older version, to be changed, annulled or deleted now.
// Built from a seed, so that a test sees the same journal in every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/soporte/volcado.h"

namespace velmora::prueba {

struct DiarioMixto {
    // The origin as it stands now: documents, master data and the unsent journal.
    std::vector<std::string> origen;
    // What earlier sends left in the destination company.
    std::vector<std::string> destino;
    int entradas = 0;
    // The journal ids of the entries that write more than one row or statement in the
    // destination, where a kill can fall between two writes of one entry.
    std::vector<int> compuestas;
};

DiarioMixto GenerarDiarioMixto(uint32_t semilla);

// The documents of the journal and the references between them, for VolcarPorLlave.
const std::vector<TablaDocumento>& DocumentosDelDiario();
const std::vector<ColumnaReferencia>& ReferenciasDelDiario();

}  // namespace velmora::prueba
