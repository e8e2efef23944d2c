#include "foundation/fb_api.h"

#include <string>
#include <vector>

#include "foundation/error.h"

namespace velmora::fb {

Firebird::IMaster* Maestro() {
    static Firebird::IMaster* maestro = Firebird::fb_get_master_interface();
    return maestro;
}

Firebird::IUtil* Util() {
    static Firebird::IUtil* util = Maestro()->getUtilInterface();
    return util;
}

void Estado::Lanzar() {
    const intptr_t* errores = status->getErrors();
    long codigo = (errores[0] == isc_arg_gds) ? long(errores[1]) : 0;
    std::vector<long> codigos;
    long errorSistema = 0;
    for (const intptr_t* e = errores; *e != isc_arg_end;) {
        const intptr_t clase = *e++;
        if (clase == isc_arg_gds) codigos.push_back(long(*e));
        if ((clase == isc_arg_unix || clase == isc_arg_win32) && !errorSistema)
            errorSistema = long(*e);
        // Every argument takes one slot but counted strings, which take two.
        e += clase == isc_arg_cstring ? 2 : 1;
    }
    int sqlcode =
        isc_sqlcode(const_cast<ISC_STATUS*>(reinterpret_cast<const ISC_STATUS*>(errores)));
    char texto[4096];
    unsigned largo = Util()->formatStatus(texto, sizeof texto, status);
    std::string mensaje(texto, largo);
    clearException();
    throw ErrorBaseDatos(mensaje, codigo, sqlcode, std::move(codigos), errorSistema);
}

}  // namespace velmora::fb
