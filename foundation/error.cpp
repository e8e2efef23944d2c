#include "foundation/error.h"

#include <ibase.h>

#include <algorithm>
#include <cerrno>

namespace velmora {

bool ErrorBaseDatos::esErrorDeDatos() const noexcept {
    static constexpr long kDeDatos[] = {
        isc_arith_except,         isc_convert_error,       isc_string_truncation,
        isc_numeric_out_of_range, isc_date_range_exceeded, isc_datetime_range_exceeded,
        isc_invalid_date_val,     isc_not_valid,           isc_not_valid_for_var,
        isc_not_valid_for,
    };
    return std::any_of(codigos_.begin(), codigos_.end(), [](long c) {
        return std::find(std::begin(kDeDatos), std::end(kDeDatos), c) != std::end(kDeDatos);
    });
}

bool ErrorBaseDatos::esBloqueo() const noexcept {
    static constexpr long kBloqueo[] = {isc_lock_conflict, isc_update_conflict, isc_deadlock,
                                        isc_lock_timeout};
    return std::any_of(codigos_.begin(), codigos_.end(), [](long c) {
        return std::find(std::begin(kBloqueo), std::end(kBloqueo), c) != std::end(kBloqueo);
    });
}

bool ErrorBaseDatos::esCancelacion() const noexcept {
    return std::find(codigos_.begin(), codigos_.end(), isc_cancelled) != codigos_.end();
}

bool ErrorBaseDatos::esConexionRechazada() const noexcept {
    auto tiene = [this](long c) {
        return std::find(codigos_.begin(), codigos_.end(), c) != codigos_.end();
    };
    // The Firebird 3 client gives "Failed to establish a connection" without the system's
    // error for a refused connection; where it gives one, only a refusal counts (10061:
    // WSAECONNREFUSED, where the system's numbers are Windows'), not a time-out.
    return tiene(isc_network_error) && tiene(isc_net_connect_err) &&
           (errorSistema_ == 0 || errorSistema_ == ECONNREFUSED || errorSistema_ == 10061);
}

}  // namespace velmora
