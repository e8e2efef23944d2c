#include "tests/soporte/proceso.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <thread>

#include "tests/soporte/instalacion.h"

namespace velmora::prueba {

Proceso::Proceso(const std::string& programa, const std::vector<std::string>& argumentos,
                 const std::map<std::string, std::string>& entorno, const std::string& salidas,
                 const std::string& carpeta)
    : salida_(salidas + "/stdout.txt"), errores_(salidas + "/stderr.txt") {
    std::vector<std::string> textos{programa};
    textos.insert(textos.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (auto& t : textos) argv.push_back(t.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (const auto& [nombre, valor] : entorno) variables.push_back(nombre + "=" + valor);
    std::vector<char*> envp;
    for (auto& v : variables) envp.push_back(v.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_addopen(&acciones, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&acciones, 1, salida_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&acciones, 2, errores_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    if (!carpeta.empty()) posix_spawn_file_actions_addchdir_np(&acciones, carpeta.c_str());
    posix_spawnattr_t atributos;
    posix_spawnattr_init(&atributos);
    posix_spawnattr_setflags(&atributos, POSIX_SPAWN_SETSID);
    const int creado = posix_spawn(&pid_, argv[0], &acciones, &atributos, argv.data(), envp.data());
    posix_spawnattr_destroy(&atributos);
    posix_spawn_file_actions_destroy(&acciones);
    if (creado != 0)
        throw std::runtime_error("posix_spawn " + programa + ": " + std::to_string(creado));
}

Proceso::~Proceso() {
    if (!terminado_) matar();
}

void Proceso::anotar(int estado) {
    terminado_ = true;
    estado_ = WIFEXITED(estado)     ? WEXITSTATUS(estado)
              : WIFSIGNALED(estado) ? -WTERMSIG(estado)
                                    : -1000;
}

bool Proceso::terminado() {
    if (terminado_) return true;
    int estado = 0;
    if (waitpid(pid_, &estado, WNOHANG) == pid_) anotar(estado);
    return terminado_;
}

int Proceso::esperar() {
    if (!terminado_) {
        int estado = 0;
        while (waitpid(pid_, &estado, 0) < 0 && errno == EINTR) {
        }
        anotar(estado);
    }
    return estado_;
}

void Proceso::matar() {
    if (terminado()) return;
    kill(pid_, SIGKILL);
    esperar();
}

void Proceso::senalar(int senal) {
    if (!terminado()) kill(pid_, senal);
}

std::string Proceso::salida() const {
    return LeerArchivo(salida_);
}

std::string Proceso::errores() const {
    return LeerArchivo(errores_);
}

bool EsperarLinea(Proceso& proceso, const std::string& archivo, size_t desde,
                  const std::function<bool(const std::string& linea)>& buscada,
                  std::chrono::milliseconds limite) {
    const auto fin = std::chrono::steady_clock::now() + limite;
    off_t leido = off_t(desde);
    std::string pendiente;  // the start of a line not yet ended
    while (true) {
        const int fd = open(archivo.c_str(), O_RDONLY);
        if (fd >= 0) {
            char bloque[4096];
            ssize_t leidos;
            while ((leidos = pread(fd, bloque, sizeof bloque, leido)) > 0) {
                leido += leidos;
                pendiente.append(bloque, size_t(leidos));
                for (size_t nl; (nl = pendiente.find('\n')) != std::string::npos;) {
                    const std::string linea = pendiente.substr(0, nl);
                    pendiente.erase(0, nl + 1);
                    if (buscada(linea)) {
                        close(fd);
                        return true;
                    }
                }
            }
            close(fd);
        }
        if (proceso.terminado() || std::chrono::steady_clock::now() > fin) return false;
        // Short enough to catch the process inside the entry that wrote the line.
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

size_t TamanoArchivo(const std::string& archivo) {
    struct stat datos;
    return stat(archivo.c_str(), &datos) == 0 ? size_t(datos.st_size) : 0;
}

}  // namespace velmora::prueba
