// A run's claim on what it works on, so that two runs of the same program never work on the
// same origin at once (a scheduled run while a person sends from the window, two
// workstations). The claim is a row updated, without waiting, by a connection of the run's
// own in a transaction kept open for the run's length and rolled back at its end: the
// database server holds it, on any workstation, and lets it go when the run ends or its
// process dies. Nothing is changed by it.
#pragma once

#include <memory>
#include <string>

#include "foundation/datos_acceso.h"
#include "foundation/dialogos.h"
#include "foundation/sesion.h"

namespace velmora {

class Reclamo {
  public:
    // Connects to `ubicacion` with the user and the scrambled password of DatosAcceso and runs
    // `sentencia`, an update of the claimed row, without waiting for another user's lock.
    // Failures other than a held row are raised.
    Reclamo(const std::string& ubicacion, const std::string& usuario,
            const std::string& claveCifrada, const std::string& sentencia);
    // Rolls the claim back and disconnects.
    ~Reclamo();
    Reclamo(const Reclamo&) = delete;
    Reclamo& operator=(const Reclamo&) = delete;

    // Another run holds the row: this one has claimed nothing.
    bool ocupado() const { return ocupado_; }

  private:
    Conexion conexion_{"Reclamo"};
    Firebird::ITransaction* transaccion_ = nullptr;
    bool ocupado_ = false;
};

// The claimed rows: the origin company's row of the general database's company list for a
// send, the first journal row of the transfer file for a reception (a sender's claim on the
// same code is another row, in another database).
std::string SentenciaReclamoCompania(const std::string& compania);
inline constexpr char kSentenciaReclamoArchivoEnvio[] =
    "UPDATE AUDITORIA SET AUDI_ENVIO = AUDI_ENVIO WHERE AUDI_ID = "
    "(SELECT MIN(AUDI_ID) FROM AUDITORIA)";

// The claims of the two runs, taken right after the run's connections and before it writes
// anything: null when another run holds it, after saying so through `dialogos`.
std::unique_ptr<Reclamo> ReclamarEnvio(const DatosAcceso& acceso, const std::string& companiaOrigen,
                                       Dialogos& dialogos);
std::unique_ptr<Reclamo> ReclamarRecepcion(const DatosAcceso& acceso,
                                           const std::string& companiaOrigen, Dialogos& dialogos);

}  // namespace velmora
