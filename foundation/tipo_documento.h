// A row of the document type list Ctipodoc, as the runs read it.
#pragma once

#include <string>

namespace velmora {

struct TipoDocumento {
    int codigo = 0;       // TIDO_COD
    std::string nombre;   // TIDO_NOMLARGO
    bool marcado = true;  // F_1 = "S"
};

}  // namespace velmora
