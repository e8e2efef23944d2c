#include "foundation/ubicaciones.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "foundation/texto.h"

namespace velmora {

namespace {

constexpr char kValor[] = "Directorio";
constexpr char kClaveNoEncontrada[] =
    "No se encontr\xF3 la Clave HKEY_LOCAL_MACHINE\\Software\\Zorvik\\Velmora2009\\Directorio";
constexpr size_t kLargoMaximoLinea = 255;

#ifdef Q_OS_WIN
// The settings of the key, or none when the key does not exist (QSettings would read an
// absent key as an empty one).
std::unique_ptr<QSettings> AbrirClave() {
    QSettings padre("HKEY_LOCAL_MACHINE\\Software\\Zorvik", QSettings::NativeFormat);
    if (!padre.childGroups().contains("Velmora2009", Qt::CaseInsensitive)) return nullptr;
    return std::make_unique<QSettings>("HKEY_LOCAL_MACHINE\\Software\\Zorvik\\Velmora2009",
                                       QSettings::NativeFormat);
}
#else
constexpr char kArchivoClave[] = "/Zorvik/Velmora2009.conf";

// The system configuration directories, in the order they are searched (XDG_CONFIG_DIRS,
// /etc/xdg when it is not set); the user's own is not one of them.
QStringList CarpetasConfiguracion() {
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    const QString usuario = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!dirs.isEmpty() && dirs.first() == usuario) dirs.removeFirst();
    return dirs;
}

// The system-wide settings file of the application: the first of the system configuration
// directories that holds one. Looked up by hand because QSettings reads a missing file
// as an empty one, and a missing file is what stands for a missing key here.
std::unique_ptr<QSettings> AbrirClave() {
    for (const QString& dir : CarpetasConfiguracion()) {
        const QString archivo = dir + kArchivoClave;
        if (QFileInfo(archivo).isFile()) {
            return std::make_unique<QSettings>(archivo, QSettings::NativeFormat);
        }
    }
    return nullptr;
}
#endif

}  // namespace

std::string diraplicacion(Dialogos& dialogos) {
    // A new settings object for every lookup; Qt reads the file again whenever its size or
    // time stamp has changed.
    std::unique_ptr<QSettings> clave = AbrirClave();
    if (!clave) {
        dialogos.mensaje(kClaveNoEncontrada);
        return {};
    }
    const QVariant valor = clave->value(kValor);
    if (!valor.isValid()) return {};
    if (valor.typeId() != QMetaType::QString) {
        throw std::runtime_error("Tipo de dato no valido para 'Directorio'");
    }
    return AWindows1252(valor.toString());
}

std::string DirectorioConfigurado() {
    std::unique_ptr<QSettings> clave = AbrirClave();
    if (!clave) return {};
    const QVariant valor = clave->value(kValor);
    if (!valor.isValid() || valor.typeId() != QMetaType::QString) return {};
    return AWindows1252(valor.toString());
}

std::string ArchivoConfiguracion() {
#ifdef Q_OS_WIN
    return "HKEY_LOCAL_MACHINE\\Software\\Zorvik\\Velmora2009";
#else
    const QStringList dirs = CarpetasConfiguracion();
    const QString primera = dirs.isEmpty() ? QStringLiteral("/etc/xdg") : dirs.first();
    return (primera + kArchivoClave).toStdString();
#endif
}

std::vector<std::string> LeerServidores(const std::string& diraplicacion) {
    std::vector<std::string> servidores;
    QFile archivo(RutaLocal(ArchivoServidores(diraplicacion)));
    if (!archivo.open(QIODevice::ReadOnly)) return servidores;

    std::string linea;
    auto terminarLinea = [&] {
        // The entry ends at a zero byte, as a zero-terminated line buffer would.
        servidores.push_back(linea.substr(0, linea.find('\0')));
        linea.clear();
    };
    char byte;
    while (archivo.getChar(&byte)) {
        if (byte == '\r' || byte == '\n') {
            terminarLinea();
            // Only the line feed of a CR LF pair belongs to the break.
            char siguiente;
            if (byte == '\r' && archivo.peek(&siguiente, 1) == 1 && siguiente == '\n') {
                archivo.getChar(&siguiente);
            }
        } else {
            if (linea.size() < kLargoMaximoLinea) linea.push_back(byte);
        }
    }
    // Hand-edited files often lack the final line break; the last line is still an entry.
    if (!linea.empty()) terminarLinea();
    return servidores;
}

QString RutaLocal(const std::string& nombre) {
    QString ruta = DeWindows1252(nombre);
    if (QDir::separator() == QLatin1Char('/')) ruta.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return ruta;
}

bool CopiarArchivo(const std::string& origen, const std::string& destino) {
    namespace fs = std::filesystem;
    const fs::path desde(RutaLocal(origen).toStdU16String());
    const fs::path hacia(RutaLocal(destino).toStdU16String());
    // A database that a server or another program has open is not replaced: its readers
    // would be cut off, and the server would go on serving the earlier file under the same
    // name. Database engines hold such a file locked; the lock taken here also keeps them
    // from opening it until the new file stands.
    const int anterior = ::open(hacia.c_str(), O_RDONLY | O_CLOEXEC);
    if (anterior >= 0 && ::flock(anterior, LOCK_EX | LOCK_NB) != 0) {
        ::close(anterior);
        return false;
    }
    // The copy is made beside the file and renamed over it, so that a copy that fails half
    // way leaves the earlier file whole. std::filesystem gives the copy the template's
    // permissions, which the database server needs to open it.
    fs::path copia = hacia;
    copia += ".copia-" + std::to_string(QCoreApplication::applicationPid());
    std::error_code error;
    fs::copy_file(desde, copia, fs::copy_options::overwrite_existing, error);
    if (!error) fs::rename(copia, hacia, error);
    if (error) {
        std::error_code ignorado;
        fs::remove(copia, ignorado);
    }
    if (anterior >= 0) ::close(anterior);
    return !error;
}

}  // namespace velmora
