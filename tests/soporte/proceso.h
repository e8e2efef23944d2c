// A program started by a test as its own process, the way a scheduler starts it: the given
// arguments and nothing in its environment but the given variables, no terminal (a session of
// its own, standard input from /dev/null), its standard output and error sent to files. The
// test can wait for its end, signal it or kill it without warning.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace velmora::prueba {

class Proceso {
  public:
    // `salidas`: the folder of the files stdout.txt and stderr.txt; `carpeta`: the working
    // folder, the test's own when empty.
    Proceso(const std::string& programa, const std::vector<std::string>& argumentos,
            const std::map<std::string, std::string>& entorno, const std::string& salidas,
            const std::string& carpeta = {});
    // A process still running is killed.
    ~Proceso();
    Proceso(const Proceso&) = delete;
    Proceso& operator=(const Proceso&) = delete;

    bool terminado();  // without waiting
    // Waits for the end: the exit status, or minus the signal that ended it.
    int esperar();
    // SIGKILL, as a power cut or the task manager would end it, and waits for the end.
    void matar();
    // Sends `senal` (SIGINT, SIGTERM ...) without waiting.
    void senalar(int senal);

    std::string salida() const;
    std::string errores() const;

  private:
    void anotar(int estado);

    pid_t pid_ = -1;
    bool terminado_ = false;
    int estado_ = 0;
    std::string salida_, errores_;
};

// Waits until the text file `archivo` gets, beyond its first `desde` bytes, a whole line
// for which `buscada` is true: true; false when the process ends first or `limite` passes.
// The file may not exist yet.
bool EsperarLinea(Proceso& proceso, const std::string& archivo, size_t desde,
                  const std::function<bool(const std::string& linea)>& buscada,
                  std::chrono::milliseconds limite);

// Bytes of a file; 0 when it does not exist.
size_t TamanoArchivo(const std::string& archivo);

}  // namespace velmora::prueba
