// What the application-wide handler shows for a failure.
#include <gtest/gtest.h>

#include <ibase.h>

#include <stdexcept>

#include "foundation/error.h"
#include "foundation/errores.h"
#include "tests/soporte/dialogos_grabados.h"

namespace velmora {
namespace {

constexpr char kUsuario[] = "El nombre de Usuario o la clave son incorrectas.";
constexpr char kArchivo[] = "No se encontr\xF3 el archivo o la ruta ";
constexpr char kServidor[] = "No se encontr\xF3 el equipo servidor con nombre ";
constexpr char kOtro[] = "Se presento el siguiente error: ";

TEST(TextoErrorNoManejado, TraduceLosMensajesConocidosDelCliente) {
    struct Caso {
        const char* nombre;
        std::string mensaje;
        std::string esperado;
    };
    const std::string fb3Archivo =
        "I/O error during \"open\" operation for file \"/srv/v/datos/001/velmora.fdb\"\n"
        "-Error while trying to open file\n-No such file or directory";
    const std::string red =
        "Unable to complete network request to host \"servidor1\".\n"
        "-Failed to establish a connection.";
    const std::vector<Caso> casos = {
        {"failed login",
         "Your user name and password are not defined. Ask your database administrator to set "
         "up a Firebird login.",
         kUsuario},
        {"the first rule wins", red + "\nYour user name and password are not defined", kUsuario},
        {"missing file", "I/O error for file \"C:\\V\\datos\\general.fdb\"\n-Error while",
         std::string(kArchivo) + "C:\\V\\datos\\general.fdb"},
        {"quoted part is the first quoted text of the message",
         "Error \"uno\": I/O error for file \"dos\"", std::string(kArchivo) + "uno"},
        {"no quote", "I/O error for file general.fdb", kArchivo},
        {"one quote only", "I/O error for file \"general.fdb", kArchivo},
        {"missing file, Firebird 3 wording", fb3Archivo,
         std::string(kArchivo) + "/srv/v/datos/001/velmora.fdb"},
        {"Firebird 3 wording without a file name", "I/O error during \"open\" operation for file",
         kArchivo},
        {"unreachable server", red, std::string(kServidor) + "servidor1"},
        {"phrases match with exact case only", "unable to complete network request to host \"x\"",
         std::string(kOtro) + "unable to complete network request to host \"x\""},
        {"any other message", "arithmetic exception, numeric overflow",
         std::string(kOtro) + "arithmetic exception, numeric overflow"},
        {"empty message", "", kOtro},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        EXPECT_EQ(TextoErrorNoManejado(caso.mensaje), caso.esperado);
    }
}

TEST(ENoManejada, MuestraElTextoEnUnMensaje) {
    DialogosGrabados dialogos;
    ENoManejada(ErrorBaseDatos("Unable to complete network request to host \"srv\".", 335544721),
                dialogos);
    ENoManejada(std::runtime_error("No existe la compa\xF1\355a"), dialogos);
    EXPECT_EQ(dialogos.llamadas(),
              (std::vector<Llamada>{Mensaje(std::string(kServidor) + "srv"),
                                    Mensaje(std::string(kOtro) + "No existe la compa\xF1\355a")}));
}

TEST(ENoManejada, ElAbortoSilenciosoNoMuestraNada) {
    DialogosGrabados dialogos;
    ENoManejada(AbortoSilencioso(), dialogos);
    EXPECT_TRUE(dialogos.llamadas().empty());
}

// A refused connection names the machine and the port of the server entry, in each of the
// entry's forms; a machine that is not found keeps the translation of the client's message.
TEST(ENoManejada, UnaConexionRechazadaNombraElEquipoYElPuerto) {
    const std::string rechazo =
        "Unable to complete network request to host \"x\".\n-Failed to establish a connection.";
    const ErrorBaseDatos rechazada(rechazo, isc_network_error, 0,
                                   {isc_network_error, isc_net_connect_err});
    struct Caso {
        std::string ubicacion, equipo, puerto;
    };
    const std::vector<Caso> casos = {
        {"localhost:/srv/v/datos/general.fdb", "localhost", "3050"},
        {"db1/3051:/srv/v/datos/general.fdb", "db1", "3051"},
        {"db1/gds_db:C:/v/datos/general.fdb", "db1", "gds_db"},
        {"inet://db1:3052//srv/v/datos/general.fdb", "db1", "3052"},
        {"inet://db1//srv/v/datos/general.fdb", "db1", "3050"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.ubicacion);
        DialogosGrabados dialogos;
        ENoManejada(ErrorConexion(rechazada, "DbGeneral", c.ubicacion), dialogos);
        EXPECT_EQ(dialogos.llamadas(),
                  std::vector<Llamada>{Mensaje(
                      "El equipo servidor " + c.equipo + " no acepta conexiones en el puerto " +
                      c.puerto +
                      ": el servidor de bases de datos no est\xE1 en marcha o escucha en otro "
                      "puerto.")});
    }

    // Not found: the client's own words, translated.
    DialogosGrabados dialogos;
    const ErrorBaseDatos noEncontrado(
        "Unable to complete network request to host \"nohay\".\n-Failed to locate host machine.",
        isc_network_error, 0, {isc_network_error, isc_net_lookup_err});
    ENoManejada(ErrorConexion(noEncontrado, "DbGeneral", "nohay:/srv/v"), dialogos);
    EXPECT_EQ(dialogos.llamadas(), std::vector<Llamada>{Mensaje(std::string(kServidor) + "nohay")});
}

}  // namespace
}  // namespace velmora
