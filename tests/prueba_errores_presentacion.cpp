// What the application-wide handler shows for a failure.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velmora
