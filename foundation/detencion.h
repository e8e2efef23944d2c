// A request to stop a run: made by the person (the window's stop button, closing the window),
// by SIGINT or SIGTERM, or by a test. The run looks at it between entries and ends there:
// the entry in progress is undone whole, the finished ones stay committed and marked. While
// the run waits on a database (another user's lock), a request cuts the wait short, so that
// a stop takes effect within a second whatever the database is doing.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

namespace velmora {

class Conexion;

class SolicitudDetencion {
  public:
    SolicitudDetencion() = default;
    SolicitudDetencion(const SolicitudDetencion&) = delete;
    SolicitudDetencion& operator=(const SolicitudDetencion&) = delete;

    // Any thread but a signal handler's (signals go through DetenerConSenales). `senal` is
    // the signal that asked, 0 when a person or a program asked. The first request counts.
    void solicitar(int senal = 0);
    bool solicitada() const noexcept { return solicitada_.load(std::memory_order_acquire); }
    int senal() const noexcept { return senal_.load(std::memory_order_acquire); }

    // Called on the requesting thread after every request (the window quits when idle).
    std::function<void(int senal)> alSolicitar;

    // While an Espera stands, a request cancels the operation in progress on its connection
    // (the server answers it with an error the run recognises, see EsCancelacion).
    class Espera {
      public:
        Espera(SolicitudDetencion* solicitud, Conexion& conexion);
        ~Espera();
        Espera(const Espera&) = delete;
        Espera& operator=(const Espera&) = delete;

      private:
        SolicitudDetencion* solicitud_;
        Conexion& conexion_;
    };

  private:
    std::atomic<bool> solicitada_{false};
    std::atomic<int> senal_{0};
    std::mutex mutex_;
    std::vector<Conexion*> enEspera_;
};

// From now on, for the life of the process, SIGINT and SIGTERM make a request on `solicitud`
// (another call moves them to another request). Called before the database client's first
// use, so that the client's own handlers, which shut every connection down, stay out.
void DetenerConSenales(SolicitudDetencion& solicitud);

// The Firebird 3 client puts its own handlers in place at its first connection attempt,
// whatever was there before, and never again: called after that attempt, this gives SIGINT
// and SIGTERM back to the request of DetenerConSenales. Does nothing without it.
void RetomarSenales();

// The exit status of a process that a signal ended, as shells report it: 128 + its number.
inline int EstadoSalidaSenal(int senal) {
    return 128 + senal;
}

}  // namespace velmora
