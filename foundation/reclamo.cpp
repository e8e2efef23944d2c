#include "foundation/reclamo.h"

#include <firebird/Interface.h>

#include <utility>

#include "foundation/fb_api.h"
#include "foundation/inicio_sesion.h"
#include "foundation/sentencia.h"
#include "foundation/sql.h"
#include "foundation/ubicaciones.h"

namespace velmora {

namespace {

// Read committed, so that a claim only meets a run still holding its row, not one that
// has ended since; no wait, so that a held row is known at once.
const unsigned char kTpbReclamo[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                     isc_tpb_rec_version, isc_tpb_nowait};

void Deshacer(Firebird::ITransaction*& transaccion) noexcept {
    if (!transaccion) return;
    fb::Ref<Firebird::ITransaction> t(std::exchange(transaccion, nullptr));
    try {
        fb::Estado st;
        t.Terminar([&](Firebird::ITransaction* x) { x->rollback(&st); });
    } catch (...) {
        // the connection is gone, and the claim with it
    }
}

const char kEnvioEnCurso[] =
    "Ya hay un env\xEDo en curso desde la compa\xF1\xED"
    "a ";
const char kRecepcionEnCurso[] =
    "Ya hay una recepci\xF3n en curso del archivo de env\xEDo de la compa\xF1\xED"
    "a ";

std::unique_ptr<Reclamo> Reclamar(const std::string& ubicacion, const DatosAcceso& acceso,
                                  const std::string& sentencia, const std::string& mensaje,
                                  Dialogos& dialogos) {
    auto reclamo =
        std::make_unique<Reclamo>(ubicacion, acceso.usuarioOrigen, acceso.claveOrigen, sentencia);
    if (!reclamo->ocupado()) return reclamo;
    dialogos.mensaje(mensaje);
    return nullptr;
}

}  // namespace

Reclamo::Reclamo(const std::string& ubicacion, const std::string& usuario,
                 const std::string& claveCifrada, const std::string& sentencia) {
    ConectarConClave(conexion_, ubicacion, usuario, claveCifrada);
    transaccion_ = conexion_.iniciarTransaccion(kTpbReclamo, sizeof kTpbReclamo);
    try {
        conexion_.prepararTexto(transaccion_, sentencia).ejecutar(transaccion_);
    } catch (const ErrorBaseDatos& error) {
        Deshacer(transaccion_);
        if (!error.esBloqueo()) throw;
        ocupado_ = true;
    }
}

Reclamo::~Reclamo() {
    Deshacer(transaccion_);
}

std::string SentenciaReclamoCompania(const std::string& compania) {
    return "UPDATE COMPANIA SET COMP_COD = COMP_COD WHERE COMP_COD = " + Citar(compania);
}

std::unique_ptr<Reclamo> ReclamarEnvio(const DatosAcceso& acceso, const std::string& companiaOrigen,
                                       Dialogos& dialogos) {
    return Reclamar(UbicacionGeneral(acceso.servidorOrigen), acceso,
                    SentenciaReclamoCompania(companiaOrigen), kEnvioEnCurso + companiaOrigen + ".",
                    dialogos);
}

std::unique_ptr<Reclamo> ReclamarRecepcion(const DatosAcceso& acceso,
                                           const std::string& companiaOrigen, Dialogos& dialogos) {
    return Reclamar(UbicacionEnvio(acceso.servidorOrigen, companiaOrigen), acceso,
                    kSentenciaReclamoArchivoEnvio, kRecepcionEnCurso + companiaOrigen + ".",
                    dialogos);
}

}  // namespace velmora
