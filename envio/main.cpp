// The sender: moves the journal of an origin company to a destination company.
#include <unistd.h>

#include <QApplication>
#include <QMainWindow>
#include <iostream>
#include <string>
#include <vector>

#include "ctrlacceso/desatendido.h"
#include "envio/corrida_desatendida.h"

int main(int argc, char** argv) {
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

    QApplication app(argc, argv);
    QApplication::setApplicationName("envio");
    QMainWindow ventana;
    ventana.setWindowTitle(QString::fromUtf8("Envío de información"));
    ventana.resize(697, 481);
    ventana.show();
    return app.exec();
}
