// The installation directory, the server list and the composed locations.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "foundation/ubicaciones.h"
#include "tests/soporte/dialogos_grabados.h"

namespace velmora {
namespace {

std::string Ruta(const QTemporaryDir& dir) {
    return dir.path().toStdString();
}

void Escribir(const std::string& archivo, const std::string& bytes) {
    std::ofstream salida(archivo, std::ios::binary | std::ios::trunc);
    salida.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Leer(const std::string& archivo) {
    std::ifstream entrada(archivo, std::ios::binary);
    return {std::istreambuf_iterator<char>(entrada), {}};
}

// --- Server list -------------------------------------------------------------------------

struct CasoServidores {
    const char* nombre;
    std::string contenido;
    std::vector<std::string> esperado;
};

TEST(LeerServidores, UnaEntradaPorLineaComoEstaEnElArchivo) {
    const std::vector<CasoServidores> casos = {
        {"CR LF", "A\r\nB\r\n", {"A", "B"}},
        {"LF only", "A\nB\n", {"A", "B"}},
        {"last line without a break is kept", "A\r\nB", {"A", "B"}},
        {"blank line is an empty entry", "A\r\n\r\nB\r\n", {"A", "", "B"}},
        {"blank first line", "\r\nA\r\n", {"", "A"}},
        {"CR alone ends its line and keeps the next byte", "A\rB\n", {"A", "B"}},
        {"CR CR LF", "A\r\r\nB\r\n", {"A", "", "B"}},
        {"spaces and duplicates stay, in file order",
         " A \r\nlocalhost:/srv/v\r\n A \r\n",
         {" A ", "localhost:/srv/v", " A "}},
        {"empty file", "", {}},
        {"long line cut at 255 bytes",
         std::string(300, 'x') + "\r\nB\r\n",
         {std::string(255, 'x'), "B"}},
        {"long last line without a break", std::string(256, 'y'), {std::string(255, 'y')}},
        {"zero byte ends the entry", std::string("A\0B\r\nC\r\n", 8), {"A", "C"}},
    };
    for (const CasoServidores& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        QTemporaryDir dir;
        Escribir(Ruta(dir) + "/SERVIDORES.cfg", caso.contenido);
        EXPECT_EQ(LeerServidores(Ruta(dir)), caso.esperado);
    }
}

TEST(LeerServidores, SinArchivoLaListaQuedaVacia) {
    QTemporaryDir dir;
    EXPECT_TRUE(LeerServidores(Ruta(dir)).empty());
}

TEST(LeerServidores, DirectorioTerminadoEnBarraInvertidaDuplicaElSeparador) {
    EXPECT_EQ(ArchivoServidores("C:\\Velmora\\"), "C:\\Velmora\\\\SERVIDORES.cfg");
    // The doubled separator reaches the file system as it is, and still finds the file.
    QTemporaryDir dir;
    Escribir(Ruta(dir) + "/SERVIDORES.cfg", "A\r\n");
    EXPECT_EQ(LeerServidores(Ruta(dir) + "\\"), std::vector<std::string>{"A"});
}

// --- Locations ---------------------------------------------------------------------------

TEST(Ubicaciones, CadaUbicacionEsLaConcatenacionDeSusPartes) {
    const std::string s = "srv:/inst";
    const std::string d = "C:\\Velmora";
    const std::vector<std::pair<std::string, std::string>> casos = {
        {UbicacionGeneral(s), "srv:/inst/datos/general.fdb"},
        {UbicacionSoporte(s), "srv:/inst/sop/velmora.fdb"},
        {UbicacionCompania(s, "01 "), "srv:/inst/datos/01 /velmora.fdb"},
        {UbicacionEnvio(s, "002"), "srv:/inst/datos/002/envio.fdb"},
        {ArchivoPlantillaEnvio(d), "C:\\Velmora/sop/envio.fdb"},
        {ArchivoEnvioLocal(d, "002"), "C:\\Velmora/datos/002/envio.fdb"},
        {ArchivoServidores(d), "C:\\Velmora\\SERVIDORES.cfg"},
        {ArchivoTrazaEnvio(d), "C:\\Velmora\\ENVIO.TXT"},
        {ArchivoErrores(d), "C:\\Velmora\\ERRORES.TXT"},
        // Nothing registered: names start with their separator.
        {UbicacionGeneral(""), "/datos/general.fdb"},
        {ArchivoServidores(""), "\\SERVIDORES.cfg"},
        {ArchivoPlantillaEnvio(""), "/sop/envio.fdb"},
    };
    for (const auto& [obtenido, esperado] : casos) EXPECT_EQ(obtenido, esperado);
}

TEST(Ubicaciones, LaBarraInvertidaEsSeparadorEnElSistemaDeArchivos) {
    ASSERT_EQ(QDir::separator(), QLatin1Char('/'));
    EXPECT_EQ(RutaLocal(ArchivoServidores("")).toStdString(), "/SERVIDORES.cfg");
    EXPECT_EQ(RutaLocal("/opt/v\\ENVIO.TXT").toStdString(), "/opt/v/ENVIO.TXT");
    EXPECT_EQ(RutaLocal("/opt/compa\xF1\355a/sop/envio.fdb").toStdString(),
              "/opt/compañía/sop/envio.fdb");
}

TEST(CopiarArchivo, ReemplazaElDestinoConElContenidoYLosPermisosDelOrigen) {
    QTemporaryDir dir;
    const std::string origen = Ruta(dir) + "/plantilla.fdb";
    const std::string destino = Ruta(dir) + "/envio.fdb";
    Escribir(origen, std::string("corto\0!", 7));
    std::filesystem::permissions(origen, std::filesystem::perms(0666));
    Escribir(destino, "un contenido anterior, mas largo");

    EXPECT_TRUE(CopiarArchivo(origen, destino));

    EXPECT_EQ(Leer(destino), std::string("corto\0!", 7));
    EXPECT_EQ(std::filesystem::status(destino).permissions(), std::filesystem::perms(0666));
}

TEST(CopiarArchivo, FallaSinOrigenOSinCarpetaDeDestino) {
    QTemporaryDir dir;
    const std::string origen = Ruta(dir) + "/plantilla.fdb";
    const std::string destino = Ruta(dir) + "/envio.fdb";
    Escribir(destino, "anterior");
    EXPECT_FALSE(CopiarArchivo(Ruta(dir) + "/no_existe.fdb", destino));
    EXPECT_EQ(Leer(destino), "anterior");

    Escribir(origen, "plantilla");
    EXPECT_FALSE(CopiarArchivo(origen, Ruta(dir) + "/datos/002/envio.fdb"));
}

// --- Installation directory --------------------------------------------------------------

constexpr char kClaveNoEncontrada[] =
    "No se encontr\xF3 la Clave HKEY_LOCAL_MACHINE\\Software\\Zorvik\\Velmora2009\\Directorio";

// Points the system-wide settings at a folder of the test's own.
class DirAplicacion : public ::testing::Test {
  protected:
    void SetUp() override {
        // The lookup must work in programs and tests that have no application object.
        ASSERT_EQ(QCoreApplication::instance(), nullptr);
        ASSERT_TRUE(config_.isValid());
        setenv("XDG_CONFIG_DIRS", config_.path().toLocal8Bit().constData(), 1);
    }
    void Configurar(const std::string& contenido) {
        QDir(config_.path()).mkpath("Zorvik");
        Escribir(Ruta(config_) + "/Zorvik/Velmora2009.conf", contenido);
    }

    QTemporaryDir config_;
    DialogosGrabados dialogos_;
};

TEST_F(DirAplicacion, SinClaveAvisaEnCadaConsultaYDevuelveVacio) {
    EXPECT_EQ(diraplicacion(dialogos_), "");
    EXPECT_EQ(diraplicacion(dialogos_), "");
    EXPECT_EQ(dialogos_.llamadas(),
              (std::vector<Llamada>{Mensaje(kClaveNoEncontrada), Mensaje(kClaveNoEncontrada)}));
}

TEST_F(DirAplicacion, ClaveSinValorDevuelveVacioSinAviso) {
    Configurar("[General]\nOtro=1\n");
    EXPECT_EQ(diraplicacion(dialogos_), "");
    EXPECT_TRUE(dialogos_.llamadas().empty());
}

TEST_F(DirAplicacion, DevuelveElValorEnWindows1252YLoLeeDeNuevoEnCadaConsulta) {
    Configurar("[General]\nDirectorio=/opt/velmora\n");
    EXPECT_EQ(diraplicacion(dialogos_), "/opt/velmora");

    Configurar("[General]\nDirectorio=/srv/compa\xC3\xB1\303\255a\n");
    EXPECT_EQ(diraplicacion(dialogos_), "/srv/compa\xF1\355a");
    EXPECT_TRUE(dialogos_.llamadas().empty());

    QFile::remove(config_.path() + "/Zorvik/Velmora2009.conf");
    EXPECT_EQ(diraplicacion(dialogos_), "");
    EXPECT_EQ(dialogos_.mensajes(), std::vector<std::string>{kClaveNoEncontrada});
}

TEST_F(DirAplicacion, UnValorQueNoEsTextoEsUnError) {
    // An unquoted comma makes the settings value a list.
    Configurar("[General]\nDirectorio=/opt/a,b\n");
    EXPECT_THROW(diraplicacion(dialogos_), std::runtime_error);
}

}  // namespace
}  // namespace velmora
