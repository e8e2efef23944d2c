// The application-wide error handler of the windows. Qt carries no exception through its
// event loop, so every event handler of the windows runs its body through Protegido, and the
// application catches whatever would still escape an event: either way the failure reaches
// ENoManejada, the silent abort shows nothing, and the program goes on with its message loop.
#pragma once

#include <QApplication>
#include <exception>

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

}  // namespace velmora
