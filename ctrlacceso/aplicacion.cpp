#include "ctrlacceso/aplicacion.h"

#include <unistd.h>

#include <cstdlib>
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

bool HayPantalla(int argc, char** argv) {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    auto variable = [](const char* nombre) {
        const char* valor = std::getenv(nombre);
        return std::string(valor ? valor : "");
    };
    std::string plataforma = variable("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "-platform") plataforma = argv[i + 1];
    // "xcb;wayland", "offscreen:fontengine=freetype": the first platform, its options aside.
    plataforma = plataforma.substr(0, plataforma.find_first_of(";:"));
    const bool x = !variable("DISPLAY").empty(), wayland = !variable("WAYLAND_DISPLAY").empty();
    if (plataforma.empty()) return x || wayland;
    if (plataforma == "xcb") return x;
    if (plataforma.rfind("wayland", 0) == 0) return wayland;
    return true;
#else
    return true;
#endif
}

int Arrancar(int argc, char** argv, const Programa& programa) {
    LocaleUtf8();
    // Scheduled runs have no display: decided before any QApplication exists.
    const std::string primero = argc > 1 ? argv[1] : "";
    if (primero == "--desatendido") {
        // Before any use of the database client, which takes SIGINT and SIGTERM for itself
        // (shutting every connection down) where they are left to their default.
        static SolicitudDetencion detencion;
        DetenerConSenales(detencion);
        return programa.desatendido(std::vector<std::string>(argv + 2, argv + argc),
                                    EntornoDelProceso(), std::cout, std::cerr,
                                    isatty(STDERR_FILENO), &detencion);
    }
    if (primero == "--help") {
        std::cout << programa.uso();
        return 0;
    }
    // Qt would abort without a display; a scheduled command that forgot --desatendido gets
    // told what to do instead.
    if (!HayPantalla(argc, argv)) {
        std::cerr << programa.nombre
                  << ": no hay pantalla (DISPLAY y WAYLAND_DISPLAY vacías); --desatendido corre "
                     "sin ella: "
                  << programa.nombre << " --desatendido --help" << std::endl;
        return 2;
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
