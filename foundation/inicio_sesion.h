// What the sign-in does, without a window: connecting the general databases of the origin
// and the destination, the user check, and what the main windows load afterwards (the
// companies, the document types, the names of the chosen companies). The login window, the
// main windows and the unattended front ends share it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/datos_acceso.h"
#include "foundation/sesion.h"
#include "foundation/tipo_documento.h"

namespace velmora {

// The user name as kept in DatosAcceso and used in the check: the letters a to z become
// A to Z, every other byte stays as it is.
std::string MayusculasUsuario(const std::string& usuario);

// DbGeneral / DbGeneraldes: connects to the general database below `servidor` with the user
// and the password exactly as given. The password stays in the session only while it
// connects.
void ConectarGeneral(SesionOrigen& sesion, const std::string& servidor, const std::string& usuario,
                     const std::string& clave);

// The check statement for a user, with the upper-cased name quoted.
std::string SentenciaComprobarUsuario(const std::string& usuario);

// Runs the check statement on a connected general database: only a failing statement
// counts, the rows are not examined.
void ComprobarUsuario(SesionOrigen& sesion, const std::string& usuario);

// The two steps of the login, with the user and the password as typed. Each connects its
// general database, writes its side of `datos` (user upper-cased, password scrambled, server
// entry) and runs the user check. A connection that fails leaves `datos` as it was; a check
// that fails leaves the new values written. Failures are raised to the caller.
void ConectarOrigen(SesionOrigen& dbGeneral, const std::string& servidor,
                    const std::string& usuario, const std::string& clave, DatosAcceso& datos);
void ConectarDestino(SesionOrigen& dbGeneraldes, const std::string& servidor,
                     const std::string& usuario, const std::string& clave, DatosAcceso& datos);

// QTipodoc of each program. The receiver reads the types in descending order; its list is
// ascending all the same.
inline constexpr char kQTipodocEnvio[] =
    "SELECT TIDO_COD, TIDO_NOMLARGO FROM TIPO_DOCUMENTO ORDER BY TIDO_COD";
inline constexpr char kQTipodocRecepcion[] =
    "SELECT TIDO_COD, TIDO_NOMLARGO FROM TIPO_DOCUMENTO ORDER BY TIDO_COD DESC";

// Connects a session, closed first, with the user and the password kept in DatosAcceso: the
// password is unscrambled only into the connection and stays in the session only while it
// connects.
void ConectarConClave(Conexion& sesion, const std::string& ubicacion, const std::string& usuario,
                      const std::string& claveCifrada);

// DBsop: connects to the support database of the origin server with the origin user and the
// unscrambled origin password, after closing it.
void ConectarSoporte(SesionOrigen& dbsop, const std::string& servidor, const std::string& usuario,
                     const std::string& claveCifrada);

// Runs `textoQTipodoc` on a connected DBsop: the types in the statement's order, every one
// marked.
std::vector<TipoDocumento> LeerTiposDocumento(SesionOrigen& dbsop,
                                              const std::string& textoQTipodoc);

// ConectarSoporte, then the sender's QTipodoc.
std::vector<TipoDocumento> CargarTiposDocumento(SesionOrigen& dbsop, const std::string& servidor,
                                                const std::string& usuario,
                                                const std::string& claveCifrada);

// A company as the company boxes show it: COMP_COD and COM_NOMBRE of COMPANIA.
struct Compania {
    std::string codigo;
    std::string nombre;
    bool operator==(const Compania&) const = default;
};

// TCompania / TCompaniades: every company of a connected general database, by code.
std::vector<Compania> ListarCompanias(SesionOrigen& general);

// What a company box shows for a code: the company's name in COMPANIA of a connected
// general database, empty when the code is not there.
std::string NombreCompania(SesionOrigen& general, const std::string& codigo);

// The command-line mode of both main windows: "ARTICULOS" (exactly so) followed by the
// origin and the destination company code, the third argument not empty. `argumentos` are
// those after the program's name.
struct ArranqueArticulos {
    std::string companiaOrigen;
    std::string companiaDestino;
    bool operator==(const ArranqueArticulos&) const = default;
};
std::optional<ArranqueArticulos> ModoArticulos(const std::vector<std::string>& argumentos);

// The document type of the articles, the only one the command-line mode moves.
inline constexpr int kTipoArticulos = 101;

}  // namespace velmora
