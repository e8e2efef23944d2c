#include "ctrlacceso/aplicacion.h"

#include "ctrlacceso/dialogos_qt.h"
#include "foundation/errores.h"

namespace velmora {

namespace {

Dialogos* instalado = nullptr;

}  // namespace

void InstalarENoManejada(Dialogos& dialogos) {
    instalado = &dialogos;
}

void RetirarENoManejada(Dialogos& dialogos) noexcept {
    if (instalado == &dialogos) instalado = nullptr;
}

void AtenderExcepcion(std::exception_ptr error) noexcept {
    DialogosQt porOmision;
    Dialogos& dialogos = instalado ? *instalado : porOmision;
    try {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            ENoManejada(e, dialogos);
        } catch (...) {
            dialogos.mensaje(TextoErrorNoManejado("Unknown exception"));
        }
    } catch (...) {
        // Showing the failure failed too: nothing more can be told to the person.
    }
}

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {}

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (...) {
        AtenderExcepcion(std::current_exception());
        return false;
    }
}

}  // namespace velmora
