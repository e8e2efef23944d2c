#include "tests/soporte/ventanas.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "ctrlacceso/aplicacion.h"

namespace velmora::prueba {

namespace {

// Ends the application when the tests are over, before the program's static objects go:
// Qt's own would otherwise be gone before the application that uses them.
class EntornoAplicacion : public ::testing::Environment {
  public:
    void TearDown() override { aplicacion.reset(); }
    std::unique_ptr<Aplicacion> aplicacion;
};

}  // namespace

QApplication& AplicacionDePrueba() {
    static EntornoAplicacion* entorno = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char nombre[] = "prueba";
        static char* argv[] = {nombre, nullptr};
        auto* e = new EntornoAplicacion;
        e->aplicacion = std::make_unique<Aplicacion>(argc, argv);
        Aplicacion::setApplicationName("prueba");
        Aplicacion::setQuitOnLastWindowClosed(false);
        ::testing::AddGlobalTestEnvironment(e);  // owned by the test framework
        return e;
    }();
    return *entorno->aplicacion;
}

InstalacionVentanas::InstalacionVentanas(Acceso a, std::vector<std::string> otros) : acceso(a) {
    std::vector<std::string> servidores = {instalacion.servidor(acceso)};
    servidores.insert(servidores.end(), otros.begin(), otros.end());
    instalacion.registrar(servidores);
    EjecutarSql(general(), {"INSERT INTO USUARIO (USUA_COD, USUA_NOMBRE) VALUES ('PRUEBA', "
                            "'Prueba')",
                            std::string("INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES "
                                        "('001', '") +
                                kNombreOrigen + "')",
                            std::string("INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES "
                                        "('002', '") +
                                kNombreDestino + "')"});
}

bool Esperar(const std::function<bool()>& condicion, int milisegundos) {
    return QTest::qWaitFor(condicion, milisegundos);
}

AlAparecerAcceso::AlAparecerAcceso(std::function<void(Tfacceso&)> accion) {
    auto* sondeo = new QTimer;
    sondeo_ = sondeo;
    sondeo->setInterval(5);
    QObject::connect(sondeo, &QTimer::timeout, [sondeo, accion] {
        auto* acceso = qobject_cast<Tfacceso*>(QApplication::activeModalWidget());
        if (!acceso || !acceso->isVisible()) return;
        sondeo->stop();
        sondeo->deleteLater();
        QPointer<Tfacceso> vigilado(acceso);
        QTimer::singleShot(60000, [vigilado] {
            if (!vigilado || !vigilado->isVisible()) return;
            ADD_FAILURE() << "the login window stayed open";
            vigilado->reject();
        });
        // The offscreen platform may still hand the activation back to the main window.
        QTest::qWait(20);
        acceso->activateWindow();
        if (!QTest::qWaitForWindowActive(acceso)) ADD_FAILURE() << "login window not active";
        accion(*acceso);
    });
    sondeo->start();
}

AlAparecerAcceso::~AlAparecerAcceso() {
    if (!sondeo_) return;
    sondeo_->stop();
    sondeo_->deleteLater();
}

void Escribir(QWidget* caja, const QString& texto) {
    for (QChar c : texto) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(caja, c.toLatin1());
        } else {
            // Keys that the test library cannot name: the text alone, as an input method gives it.
            QTest::sendKeyEvent(QTest::Click, caja, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void Firmar(Tfacceso& acceso, const QString& usuario, const QString& clave) {
    auto* tusua = Control<QLineEdit>(acceso, "Tusua");
    auto* tclave = Control<QLineEdit>(acceso, "TClave");
    tusua->setFocus();
    Escribir(tusua, usuario);
    QTest::keyClick(tusua, Qt::Key_Return);
    Escribir(tclave, clave);
    QTest::keyClick(tclave, Qt::Key_Return);
    QWidget* servidorDes = Control(acceso, "ServidorDes");
    QTest::keyClick(servidorDes, Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
}

bool Activar(VentanaPrincipal& ventana, std::function<void(Tfacceso&)> firma) {
    auto activada = std::make_shared<bool>(false);
    QObject::connect(&ventana, &VentanaPrincipal::activada, [activada] { *activada = true; });
    AlAparecerAcceso acceso(std::move(firma));
    ventana.show();
    if (!Esperar([activada] { return *activada; })) return false;
    if (!EsperarCorrida(ventana)) return false;
    // Back to the main window once the login has gone, as a window manager does.
    if (ventana.isVisible()) {
        ventana.activateWindow();
        return QTest::qWaitForWindowActive(&ventana);
    }
    return true;
}

bool EsperarCorrida(const VentanaPrincipal& ventana) {
    return Esperar([&ventana] { return !ventana.corriendo(); }, 120000);
}

void Enviar(VentanaPrincipal& ventana) {
    QTest::mouseClick(Control(ventana, "SpeedButton1"), Qt::LeftButton);
    EXPECT_TRUE(EsperarCorrida(ventana)) << "the run did not end";
}

std::string ConFoco() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const QString nombre = w->objectName();
        if (!nombre.isEmpty() && !nombre.startsWith(QLatin1String("qt_")))
            return nombre.toStdString();
    }
    return {};
}

}  // namespace velmora::prueba
