// A whole installation below a temporary folder, built from the template databases that
// the build creates once: datos/general.fdb, sop/velmora.fdb, sop/envio.fdb and
// datos/<code>/velmora.fdb for each company. Files and folders are open to the server's
// user, so the same installation can be reached embedded and through the tests' server.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "foundation/valor.h"

namespace velmora::prueba {

// The users that scripts/servidor_pruebas.sh defines on the local server.
inline constexpr const char* kUsuario = "PRUEBA";
inline constexpr const char* kClave = "clave1";
// A user whose password has a letter outside ASCII ("contraseña"), here in Windows-1252.
inline constexpr const char* kUsuarioAcento = "ACENTO";
inline constexpr const char* kClaveAcento =
    "contrase\xF1"
    "a";
// The owner of the databases, for the tests' own set-up and checks.
inline constexpr const char* kAdministrador = "SYSDBA";
inline constexpr const char* kClaveAdministrador = "masterkey";

// The Firebird server of the tests, "localhost/PORT", as scripts/servidor_pruebas.sh names
// it in VELMORA_PRUEBAS_SERVIDOR: a server of their own, never the machine's service. Throws,
// failing the test, where the variable is not set.
std::string ServidorPruebas();

// How a database location reaches the file: in-process, or through the tests' server.
enum class Acceso { Embebido, Servidor };
const char* NombreAcceso(Acceso acceso);
inline void PrintTo(Acceso acceso, std::ostream* salida) {
    *salida << NombreAcceso(acceso);
}

class Instalacion {
  public:
    explicit Instalacion(std::vector<std::string> companias = {"001", "002"});
    ~Instalacion();
    Instalacion(const Instalacion&) = delete;
    Instalacion& operator=(const Instalacion&) = delete;

    const std::string& raiz() const { return raiz_; }
    // raiz + "/" + relativa
    std::string ruta(const std::string& relativa) const;
    // The server entry of this installation: its root, with "localhost/PORT:" in front
    // through the server.
    std::string servidor(Acceso acceso) const;
    std::string ubicacion(Acceso acceso, const std::string& relativa) const {
        return servidor(acceso) + "/" + relativa;
    }
    std::string compania(Acceso acceso, const std::string& codigo) const {
        return ubicacion(acceso, "datos/" + codigo + "/velmora.fdb");
    }

    // Registers the installation directory for this process (XDG_CONFIG_DIRS points at a
    // settings folder of the installation's own) and writes SERVIDORES.cfg with `servidores`.
    void registrar(const std::vector<std::string>& servidores = {});

  private:
    std::string raiz_;
};

// Runs statements on a database as its owner, in one transaction committed at the end;
// a statement "COMMIT" commits the work so far (needed after DDL).
void EjecutarSql(const std::string& ubicacion, const std::vector<std::string>& sentencias);

// All rows of a select, read by the owner in a transaction of its own.
std::vector<std::vector<Valor>> Consultar(const std::string& ubicacion, const std::string& texto);

// Reads a file whole, as bytes.
std::string LeerArchivo(const std::string& ruta);

}  // namespace velmora::prueba
