// What the sign-in does, without a window: connecting the general databases of the origin
// and the destination, the user check, and what the main window loads afterwards (the
// document type list and the names of the chosen companies).
#pragma once

#include <string>
#include <vector>

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

// DBsop: connects to the support database of the origin server with the origin user and
// the unscrambled origin password, and reads the document types, every one marked.
std::vector<TipoDocumento> CargarTiposDocumento(SesionOrigen& dbsop, const std::string& servidor,
                                                const std::string& usuario,
                                                const std::string& claveCifrada);

// What a company box shows for a code: the company's name in COMPANIA of a connected
// general database, empty when the code is not there.
std::string NombreCompania(SesionOrigen& general, const std::string& codigo);

}  // namespace velmora
