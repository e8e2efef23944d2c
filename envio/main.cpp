// The sender: moves the journal of an origin company to a destination company.
#include <QApplication>
#include <QMainWindow>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "envio/corrida_desatendida.h"

extern char** environ;

namespace {

std::map<std::string, std::string> Entorno() {
    std::map<std::string, std::string> entorno;
    for (char** e = environ; *e; ++e) {
        const std::string variable(*e);
        const size_t igual = variable.find('=');
        if (igual != std::string::npos)
            entorno.emplace(variable.substr(0, igual), variable.substr(igual + 1));
    }
    return entorno;
}

}  // namespace

int main(int argc, char** argv) {
    // Scheduled runs have no display: decided before any QApplication exists.
    const std::string primero = argc > 1 ? argv[1] : "";
    if (primero == "--desatendido") {
        return velmora::EnvioDesatendido(std::vector<std::string>(argv + 2, argv + argc), Entorno(),
                                         std::cout, std::cerr);
    }
    if (primero == "--help") {
        std::cout << velmora::UsoEnvioDesatendido();
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("envio");
    QMainWindow ventana;
    ventana.setWindowTitle(QString::fromUtf8("Envío de información"));
    ventana.resize(697, 481);
    ventana.show();
    return app.exec();
}
