#include "ctrlacceso/aplicacion.h"

#include <unistd.h>

#include <iostream>

#include "ctrlacceso/desatendido.h"
#include "ctrlacceso/dialogos_qt.h"
#include "foundation/errores.h"
#include "foundation/texto.h"

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

int Arrancar(int argc, char** argv, const Programa& programa) {
    LocaleUtf8();
    // Scheduled runs have no display: decided before any QApplication exists.
    const std::string primero = argc > 1 ? argv[1] : "";
    if (primero == "--desatendido") {
        return programa.desatendido(std::vector<std::string>(argv + 2, argv + argc),
                                    EntornoDelProceso(), std::cout, std::cerr,
                                    isatty(STDERR_FILENO));
    }
    if (primero == "--help") {
        std::cout << programa.uso();
        return 0;
    }

    Aplicacion aplicacion(argc, argv);
    Aplicacion::setApplicationName(programa.nombre);
    // The arguments after the program's name, as the databases hold text.
    std::vector<std::string> argumentos;
    const QStringList dados = aplicacion.arguments();
    for (qsizetype i = 1; i < dados.size(); ++i) argumentos.push_back(AWindows1252(dados[i]));
    DialogosQt dialogos;
    const std::unique_ptr<QWidget> ventana = programa.ventana(dialogos, std::move(argumentos));
    ventana->show();
    return aplicacion.exec();
}

}  // namespace velmora
