// The receiver: replays a transfer file onto a destination company.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("recepcion");
    QMainWindow ventana;
    ventana.setWindowTitle(QString::fromUtf8("Recepción de información"));
    ventana.resize(697, 481);
    ventana.show();
    return app.exec();
}
