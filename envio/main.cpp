// The sender: moves the journal of an origin company to a destination company.
#include <unistd.h>

#include <QStringList>
#include <iostream>
#include <string>
#include <vector>

#include "ctrlacceso/aplicacion.h"
#include "ctrlacceso/desatendido.h"
#include "ctrlacceso/dialogos_qt.h"
#include "envio/corrida_desatendida.h"
#include "envio/principal.h"
#include "foundation/texto.h"

namespace {

// The arguments after the program's name, as the databases hold text.
std::vector<std::string> Argumentos(const QStringList& argumentos) {
    std::vector<std::string> bytes;
    for (qsizetype i = 1; i < argumentos.size(); ++i)
        bytes.push_back(velmora::AWindows1252(argumentos[i]));
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    velmora::LocaleUtf8();
    // Scheduled runs have no display: decided before any QApplication exists.
    const std::string primero = argc > 1 ? argv[1] : "";
    if (primero == "--desatendido") {
        return velmora::EnvioDesatendido(std::vector<std::string>(argv + 2, argv + argc),
                                         velmora::EntornoDelProceso(), std::cout, std::cerr,
                                         isatty(STDERR_FILENO));
    }
    if (primero == "--help") {
        std::cout << velmora::UsoEnvioDesatendido();
        return 0;
    }

    velmora::Aplicacion aplicacion(argc, argv);
    velmora::Aplicacion::setApplicationName("envio");
    velmora::DialogosQt dialogos;
    velmora::envio::Tfprincipal ventana(dialogos, Argumentos(aplicacion.arguments()));
    ventana.show();
    return aplicacion.exec();
}
