// The run logs: the trail of visited journal entries and the error log.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "foundation/bitacora.h"
#include "tests/soporte/dialogos_grabados.h"

namespace velmora {
namespace {

MarcaTiempo RelojFijo() {
    return {"10/12/2024", "9:05:07"};
}

std::string Leer(const std::string& archivo) {
    std::ifstream entrada(archivo, std::ios::binary);
    return {std::istreambuf_iterator<char>(entrada), {}};
}

class Bitacora : public ::testing::Test {
  protected:
    std::string Dir() const { return instalacion_.path().toStdString(); }
    Directorio Instalacion() const {
        return [this] { return Dir(); };
    }

    QTemporaryDir instalacion_;
};

TEST_F(Bitacora, LaTrazaSeCreaYLuegoCreceUnaLineaPorEntrada) {
    ASSERT_FALSE(std::filesystem::exists(Dir() + "/ENVIO.TXT"));

    archivo_auditoria(Instalacion(), "17", "31", "FA000123", RelojFijo);
    EXPECT_EQ(Leer(Dir() + "/ENVIO.TXT"), "10/12/2024,9:05:07,17,31,FA000123\r\n");

    // A comma inside a field goes out unchanged.
    archivo_auditoria(Instalacion(), "18", "101", "A,B000007", RelojFijo);
    EXPECT_EQ(Leer(Dir() + "/ENVIO.TXT"),
              "10/12/2024,9:05:07,17,31,FA000123\r\n"
              "10/12/2024,9:05:07,18,101,A,B000007\r\n");
}

TEST_F(Bitacora, ElRegistroDeErroresGuardaLosBytesTalCual) {
    archivo_errores(Instalacion(), "JOS\xC9", "Error transmitiendo Cr\351dito NC000045", RelojFijo);
    archivo_errores(Instalacion(), "ANA", "Error transmitiendo Factura FA000046", RelojFijo);
    EXPECT_EQ(Leer(Dir() + "/ERRORES.TXT"),
              "10/12/2024,9:05:07,JOS\xC9,Error transmitiendo Cr\351dito NC000045\r\n"
              "10/12/2024,9:05:07,ANA,Error transmitiendo Factura FA000046\r\n");
}

TEST_F(Bitacora, CadaLineaPreguntaDeNuevoPorElDirectorio) {
    QTemporaryDir config;
    // A name of another length: Qt reads a settings file again when its size or time stamp
    // changed, and two writes within a millisecond keep the time stamp.
    QTemporaryDir otra(QDir::tempPath() + "/otra-instalacion-XXXXXX");
    setenv("XDG_CONFIG_DIRS", config.path().toLocal8Bit().constData(), 1);
    QDir(config.path()).mkpath("Zorvik");
    auto registrar = [&](const QTemporaryDir& dir) {
        std::ofstream(config.path().toStdString() + "/Zorvik/Velmora2009.conf", std::ios::trunc)
            << "[General]\nDirectorio=" << dir.path().toStdString() << "\n";
    };
    DialogosGrabados dialogos;

    registrar(instalacion_);
    archivo_auditoria(dialogos, "1", "31", "FA000001", RelojFijo);
    registrar(otra);
    archivo_auditoria(dialogos, "2", "31", "FA000002", RelojFijo);

    EXPECT_EQ(Leer(Dir() + "/ENVIO.TXT"), "10/12/2024,9:05:07,1,31,FA000001\r\n");
    EXPECT_EQ(Leer(otra.path().toStdString() + "/ENVIO.TXT"),
              "10/12/2024,9:05:07,2,31,FA000002\r\n");
    EXPECT_TRUE(dialogos.llamadas().empty());
}

TEST_F(Bitacora, UnaLineaQueNoSePuedeEscribirSeOmiteSinError) {
    Directorio inexistente = [this] { return Dir() + "/no/existe"; };
    EXPECT_NO_THROW(archivo_errores(inexistente, "ANA", "Error transmitiendo", RelojFijo));
    EXPECT_FALSE(std::filesystem::exists(Dir() + "/no"));
}

}  // namespace
}  // namespace velmora
