#include "tests/soporte/instalacion.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "foundation/sesion.h"

namespace velmora::prueba {

namespace fs = std::filesystem;

namespace {

void Abrir(const fs::path& p) {
    fs::permissions(p, fs::is_directory(p) ? fs::perms::all
                                           : (fs::perms::owner_read | fs::perms::owner_write |
                                              fs::perms::group_read | fs::perms::group_write |
                                              fs::perms::others_read | fs::perms::others_write));
}

void Copiar(const std::string& plantilla, const fs::path& destino) {
    fs::create_directories(destino.parent_path());
    Abrir(destino.parent_path());
    fs::copy_file(fs::path(VELMORA_BASES_DIR) / plantilla, destino,
                  fs::copy_options::overwrite_existing);
    Abrir(destino);
}

}  // namespace

std::string ServidorPruebas() {
    const char* servidor = std::getenv("VELMORA_PRUEBAS_SERVIDOR");
    if (!servidor || !*servidor)
        throw std::runtime_error(
            "VELMORA_PRUEBAS_SERVIDOR is not set: the tests through the server need the Firebird "
            "server that scripts/servidor_pruebas.sh starts for them, e.g. "
            "`bash scripts/servidor_pruebas.sh ctest` in the build folder");
    return servidor;
}

const char* NombreAcceso(Acceso acceso) {
    return acceso == Acceso::Embebido ? "Embebido" : "Servidor";
}

Instalacion::Instalacion(std::vector<std::string> companias) {
    std::string plantilla = (fs::temp_directory_path() / "velmora-XXXXXX").string();
    if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp failed");
    raiz_ = plantilla;
    Abrir(raiz_);
    fs::path r(raiz_);
    fs::create_directories(r / "datos");
    Abrir(r / "datos");
    Copiar("general.fdb", r / "datos" / "general.fdb");
    Copiar("soporte.fdb", r / "sop" / "velmora.fdb");
    Copiar("plantilla_envio.fdb", r / "sop" / "envio.fdb");
    for (const auto& codigo : companias)
        Copiar("compania.fdb", r / "datos" / codigo / "velmora.fdb");
}

Instalacion::~Instalacion() {
    std::error_code ignorado;
    fs::remove_all(raiz_, ignorado);
}

std::string Instalacion::ruta(const std::string& relativa) const {
    return raiz_ + "/" + relativa;
}

std::string Instalacion::servidor(Acceso acceso) const {
    return acceso == Acceso::Embebido ? raiz_ : ServidorPruebas() + ":" + raiz_;
}

void Instalacion::registrar(const std::vector<std::string>& servidores) {
    fs::path config = fs::path(raiz_) / "xdg" / "Zorvik";
    fs::create_directories(config);
    std::ofstream(config / "Velmora2009.conf") << "[General]\nDirectorio=" << raiz_ << "\n";
    setenv("XDG_CONFIG_DIRS", (fs::path(raiz_) / "xdg").c_str(), 1);
    std::ofstream lista(fs::path(raiz_) / "SERVIDORES.cfg", std::ios::binary);
    for (const auto& s : servidores) lista << s << "\r\n";
}

void EjecutarSql(const std::string& ubicacion, const std::vector<std::string>& sentencias) {
    SesionOrigen sesion("prueba");
    sesion.ubicacion(ubicacion);
    sesion.usuario(kAdministrador);
    sesion.clave(kClaveAdministrador);
    sesion.conectar();
    Transaccion tr(sesion, "tr");
    Consulta q(tr, "q");
    for (const auto& s : sentencias) {
        if (s == "COMMIT") {
            tr.confirmar();
            continue;
        }
        q.texto(s);
        q.ejecutar();
    }
    sesion.desconectar();
}

std::vector<std::vector<Valor>> Consultar(const std::string& ubicacion, const std::string& texto) {
    SesionOrigen sesion("prueba");
    sesion.ubicacion(ubicacion);
    sesion.usuario(kAdministrador);
    sesion.clave(kClaveAdministrador);
    sesion.conectar();
    Transaccion tr(sesion, "tr");
    Consulta q(tr, "q");
    q.texto(texto);
    q.abrir();
    std::vector<std::vector<Valor>> filas;
    for (q.primero(); !q.fin(); q.siguiente()) {
        std::vector<Valor> fila;
        for (int i = 0; i < q.cantidadCampos(); ++i) fila.push_back(q.valor(i));
        filas.push_back(std::move(fila));
    }
    return filas;
}

std::string LeerArchivo(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace velmora::prueba
