// The receiver: replays a transfer file onto a destination company.
#include <unistd.h>

#include <QApplication>
#include <QMainWindow>
#include <iostream>
#include <string>
#include <vector>

#include "ctrlacceso/desatendido.h"
#include "recepcion/corrida_desatendida.h"

int main(int argc, char** argv) {
    // Scheduled runs have no display: decided before any QApplication exists.
    const std::string primero = argc > 1 ? argv[1] : "";
    if (primero == "--desatendido") {
        return velmora::RecepcionDesatendida(std::vector<std::string>(argv + 2, argv + argc),
                                             velmora::EntornoDelProceso(), std::cout, std::cerr,
                                             isatty(STDERR_FILENO));
    }
    if (primero == "--help") {
        std::cout << velmora::UsoRecepcionDesatendida();
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("recepcion");
    QMainWindow ventana;
    ventana.setWindowTitle(QString::fromUtf8("Recepción de información"));
    ventana.resize(636, 480);
    ventana.show();
    return app.exec();
}
