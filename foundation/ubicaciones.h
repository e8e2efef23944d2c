// Where everything is: the installation directory, the server list and every database
// location and local file name of both programs, composed here and nowhere else.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "foundation/dialogos.h"

namespace velmora {

// The installation directory (Windows-1252 bytes), read afresh at every call. A missing
// key shows its message and yields empty text; a key without the value yields empty text.
// A value that is not a string raises std::runtime_error.
std::string diraplicacion(Dialogos& dialogos);

// The installation directory from the settings, without any message: empty when there is no
// settings file or no "Directorio" string in it. For runs that must not start without one.
std::string DirectorioConfigurado();

// Where this platform keeps the settings (UTF-8), to tell a person where to put them: on
// Linux the file below the first system configuration directory (XDG_CONFIG_DIRS, or
// /etc/xdg), on Windows the registry key.
std::string ArchivoConfiguracion();

// The server entries of the server list of an installation directory, in file order.
// A missing or unreadable file gives an empty list.
std::vector<std::string> LeerServidores(const std::string& diraplicacion);

// Locations below a server entry, as the database client takes them.
inline std::string UbicacionGeneral(const std::string& servidor) {
    return servidor + "/" + "datos" + "/" + "general.fdb";
}
inline std::string UbicacionSoporte(const std::string& servidor) {
    return servidor + "/sop/velmora.fdb";
}
inline std::string UbicacionCompania(const std::string& servidor, const std::string& cia) {
    return servidor + "/datos/" + cia + "/velmora.fdb";
}
// The transfer file of a company: prepared by the sender, read by the receiver.
inline std::string UbicacionEnvio(const std::string& servidor, const std::string& cia) {
    return servidor + "/datos/" + cia + "/envio.fdb";
}

// Local files below the installation directory.
inline std::string ArchivoPlantillaEnvio(const std::string& dir) {
    return dir + "/sop/envio.fdb";
}
inline std::string ArchivoEnvioLocal(const std::string& dir, const std::string& cia) {
    return dir + "/datos/" + cia + "/envio.fdb";
}
inline std::string ArchivoServidores(const std::string& dir) {
    return dir + "\\SERVIDORES.cfg";
}
inline std::string ArchivoTrazaEnvio(const std::string& dir) {
    return dir + "\\ENVIO.TXT";
}
inline std::string ArchivoErrores(const std::string& dir) {
    return dir + "\\ERRORES.TXT";
}

// The name of a local file as the file system takes it. The names above use "\" as a
// directory separator, so it becomes "/" where that is the platform's separator. Every
// open of a local file goes through here.
QString RutaLocal(const std::string& nombre);

// Replaces a file (or makes a new one) with a copy of another, whole or not at all; true when
// the copy is complete.
bool CopiarArchivo(const std::string& origen, const std::string& destino);

}  // namespace velmora
