#include "foundation/detencion.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "foundation/sesion.h"

namespace velmora {

void SolicitudDetencion::solicitar(int senal) {
    bool esperado = false;
    if (solicitada_.compare_exchange_strong(esperado, true)) senal_.store(senal);
    {
        std::lock_guard<std::mutex> candado(mutex_);
        for (Conexion* c : enEspera_) c->cancelarOperacion();
    }
    if (alSolicitar) alSolicitar(senal);
}

SolicitudDetencion::Espera::Espera(SolicitudDetencion* solicitud, Conexion& conexion)
    : solicitud_(solicitud), conexion_(conexion) {
    if (!solicitud_) return;
    std::lock_guard<std::mutex> candado(solicitud_->mutex_);
    solicitud_->enEspera_.push_back(&conexion_);
}

SolicitudDetencion::Espera::~Espera() {
    if (!solicitud_) return;
    std::lock_guard<std::mutex> candado(solicitud_->mutex_);
    auto& lista = solicitud_->enEspera_;
    auto it = std::find(lista.begin(), lista.end(), &conexion_);
    if (it != lista.end()) lista.erase(it);
}

namespace {

// A signal handler may only write to a pipe; a thread of ours reads it and makes the request
// with everything a request needs (a lock, the database client).
int tuberia[2] = {-1, -1};
std::atomic<SolicitudDetencion*> destino{nullptr};

void AlRecibirSenal(int senal) {
    const int guardado = errno;
    const unsigned char byte = static_cast<unsigned char>(senal);
    [[maybe_unused]] ssize_t escrito = write(tuberia[1], &byte, 1);
    errno = guardado;
}

void Escuchar() {
    for (;;) {
        unsigned char byte = 0;
        const ssize_t leido = read(tuberia[0], &byte, 1);
        if (leido < 0 && errno == EINTR) continue;
        if (leido <= 0) return;
        if (SolicitudDetencion* s = destino.load()) s->solicitar(byte);
    }
}

void Instalar() {
    struct sigaction accion {};
    accion.sa_handler = AlRecibirSenal;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    sigaction(SIGINT, &accion, nullptr);
    sigaction(SIGTERM, &accion, nullptr);
}

}  // namespace

void DetenerConSenales(SolicitudDetencion& solicitud) {
    destino.store(&solicitud);
    static std::once_flag una;
    std::call_once(una, [] {
        if (pipe2(tuberia, O_CLOEXEC) != 0) return;
        std::thread(Escuchar).detach();
        Instalar();
    });
}

void RetomarSenales() {
    if (tuberia[1] >= 0) Instalar();
}

}  // namespace velmora
