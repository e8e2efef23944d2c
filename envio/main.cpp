// The sender: moves the journal of an origin company to a destination company.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("envio");
    QMainWindow ventana;
    ventana.setWindowTitle(QString::fromUtf8("Envío de información"));
    ventana.resize(697, 481);
    ventana.show();
    return app.exec();
}
