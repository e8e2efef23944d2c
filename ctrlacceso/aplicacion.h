// The application-wide error handler of the windows. Qt carries no exception through its
// event loop, so every event handler of the windows runs its body through Protegido, and the
// application catches whatever would still escape an event: either way the failure reaches
// ENoManejada, the silent abort shows nothing, and the program goes on with its message loop.
#pragma once

#include <QApplication>
#include <QWidget>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "foundation/detencion.h"
#include "foundation/dialogos.h"

namespace velmora {

// Installs ENoManejada, shown through `dialogos`, as the handler of every failure that leaves
// an event handler. The routine is always the same; the last Dialogos given is the one used.
void InstalarENoManejada(Dialogos& dialogos);

// Forgets `dialogos` if it is the one installed (its window is going away).
void RetirarENoManejada(Dialogos& dialogos) noexcept;

// Hands a failure to the installed handler; without one, to Qt message boxes.
void AtenderExcepcion(std::exception_ptr error) noexcept;

// Runs the body of an event handler; a failure that leaves it goes to the installed handler.
template <class Cuerpo>
void Protegido(Cuerpo&& cuerpo) noexcept {
    try {
        cuerpo();
    } catch (...) {
        AtenderExcepcion(std::current_exception());
    }
}

// The application object of both programs.
class Aplicacion : public QApplication {
  public:
    Aplicacion(int& argc, char** argv);
    bool notify(QObject* receptor, QEvent* evento) override;
};

// What tells the two programs apart at their start.
struct Programa {
    const char* nombre;  // "envio", "recepcion"
    // The unattended run and its usage text (see ctrlacceso/desatendido.h).
    int (*desatendido)(const std::vector<std::string>& argumentos,
                       const std::map<std::string, std::string>& entorno, std::ostream& salida,
                       std::ostream& salidaErrores, bool terminal, SolicitudDetencion* detencion);
    std::string (*uso)();
    // The main window, given the dialogs and the arguments after the program's name
    // (Windows-1252 bytes).
    std::function<std::unique_ptr<QWidget>(Dialogos&, std::vector<std::string>)> ventana;
};

// A program's main: "--desatendido" runs without any window, "--help" prints the usage,
// anything else shows the main window and runs the message loop until it closes; without a
// display to show it on, it says so and ends with status 2.
int Arrancar(int argc, char** argv, const Programa& programa);

// Whether Qt would find a display: a platform that needs none (offscreen, vnc, eglfs...) given
// by QT_QPA_PLATFORM or "-platform", or an X or Wayland display in the environment.
bool HayPantalla(int argc, char** argv);

}  // namespace velmora
