// The login window "Control de acceso": the origin connects when its password box is left,
// the destination on F2, which ends the dialog once the origin is connected; the access
// values the main window gets; the keys; the failures shown by the application's handler.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "ctrlacceso/aplicacion.h"
#include "ctrlacceso/ctrlacceso.h"
#include "foundation/clave.h"
#include "tests/soporte/dialogos_grabados.h"
#include "tests/soporte/ventanas.h"

namespace velmora {
namespace {

using prueba::Acceso;
using prueba::Control;
using prueba::Escribir;
using prueba::InstalacionVentanas;

const char kClaveIncorrecta[] = "El nombre de Usuario o la clave son incorrectas.";
const char kConectandoOrigen[] = "Conectando con el servidor origen";

class VentanaAcceso : public ::testing::Test {
  protected:
    VentanaAcceso() { prueba::AplicacionDePrueba(); }
    ~VentanaAcceso() override {
        ventana_.reset();
        RetirarENoManejada(dialogos);
    }

    // Opens the window over an installation reached through `acceso`, whose server list
    // holds its own entry followed by `otros`.
    Tfacceso& abrir(Acceso acceso = Acceso::Servidor, std::vector<std::string> otros = {}) {
        instalacion_ = std::make_unique<InstalacionVentanas>(acceso, std::move(otros));
        ventana_ = std::make_unique<Tfacceso>(datos, dbGeneral, dbGeneraldes, dialogos);
        ventana_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(ventana_.get()));
        return *ventana_;
    }

    QLineEdit* caja(const char* nombre) { return Control<QLineEdit>(*ventana_, nombre); }
    QComboBox* servidor(const char* nombre) { return Control<QComboBox>(*ventana_, nombre); }
    std::string entrada() const { return instalacion_->servidor(); }

    // Puts the focus in a box as a click does, without leaving the current one by the keys.
    void clic(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

    // The origin credentials typed; the focus stays in TClave.
    void escribirOrigen(const QString& usuario, const QString& clave) {
        clic(caja("Tusua"));
        caja("Tusua")->clear();
        Escribir(caja("Tusua"), usuario);
        clic(caja("TClave"));
        caja("TClave")->clear();
        Escribir(caja("TClave"), clave);
    }

    void escribirDestino(const QString& usuario, const QString& clave) {
        clic(caja("TUsuades"));
        caja("TUsuades")->clear();
        Escribir(caja("TUsuades"), usuario);
        clic(caja("TClavedes"));
        caja("TClavedes")->clear();
        Escribir(caja("TClavedes"), clave);
    }

    bool terminoAceptada() const {
        return !ventana_->isVisible() && ventana_->result() == QDialog::Accepted;
    }
    bool terminoCancelada() const {
        return !ventana_->isVisible() && ventana_->result() == QDialog::Rejected;
    }

    DialogosGrabados dialogos;
    DatosAcceso datos;
    SesionOrigen dbGeneral{"DbGeneral"}, dbGeneraldes{"DbGeneraldes"};
    std::unique_ptr<InstalacionVentanas> instalacion_;
    std::unique_ptr<Tfacceso> ventana_;
};

TEST_F(VentanaAcceso, AbreConLosServidoresDeLaListaYElFocoEnElUsuario) {
    Tfacceso& v = abrir(Acceso::Servidor, {"otro:/velmora", " con espacios "});

    EXPECT_EQ(v.windowTitle(), "Control de acceso");
    EXPECT_EQ(v.size(), QSize(397, 304));
    for (const char* nombre : {"Servidor", "ServidorDes"}) {
        QComboBox* caja = servidor(nombre);
        ASSERT_EQ(caja->count(), 3) << nombre;
        EXPECT_EQ(caja->itemText(0).toStdString(), entrada()) << nombre;
        EXPECT_EQ(caja->itemText(1), "otro:/velmora") << nombre;
        EXPECT_EQ(caja->itemText(2), " con espacios ") << nombre;
        EXPECT_EQ(caja->currentIndex(), 0) << nombre;
        EXPECT_FALSE(caja->isEditable()) << nombre;
    }
    for (const char* nombre : {"Tusua", "TClave", "TUsuades", "TClavedes"})
        EXPECT_EQ(caja(nombre)->text(), "") << nombre;
    for (const char* nombre : {"TClave", "TClavedes"}) {
        EXPECT_EQ(caja(nombre)->echoMode(), QLineEdit::Password) << nombre;
        EXPECT_EQ(caja(nombre)->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                   caja(nombre)),
                  '*')
            << nombre;
    }
    auto* entrar = Control<QToolButton>(v, "SpeedButton1");
    auto* salir = Control<QToolButton>(v, "SpeedButton2");
    EXPECT_EQ(entrar->text(), "F2: &Entrar");
    EXPECT_EQ(salir->text(), "ESC: &Salir");
    EXPECT_EQ(entrar->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(salir->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(Control<QLabel>(v, "Panel2")->isVisible());
    EXPECT_EQ(prueba::ConFoco(), "Tusua");
    EXPECT_TRUE(dialogos.llamadas().empty());
}

TEST_F(VentanaAcceso, LaFirmaCompletaDejaLosValoresDeAccesoYLasConexionesAbiertas) {
    abrir();
    prueba::Firmar(*ventana_, "prueba", prueba::kClave);

    EXPECT_TRUE(terminoAceptada());
    EXPECT_TRUE(dialogos.llamadas().empty());
    EXPECT_TRUE(dbGeneral.conectada());
    EXPECT_TRUE(dbGeneraldes.conectada());
    EXPECT_EQ(datos.usuarioOrigen, "PRUEBA");
    EXPECT_EQ(datos.claveOrigen, EncriptarClave(prueba::kClave));
    EXPECT_EQ(datos.servidorOrigen, entrada());
    EXPECT_EQ(datos.usuarioDestino, "PRUEBA");
    EXPECT_EQ(datos.claveDestino, EncriptarClave(prueba::kClave));
    EXPECT_EQ(datos.servidorDestino, entrada());
}

TEST_F(VentanaAcceso, F2ConElFocoAunEnLaClaveConectaSoloElDestinoYLaVentanaSigue) {
    abrir();
    escribirDestino("prueba", prueba::kClave);
    escribirOrigen("prueba", prueba::kClave);

    QTest::keyClick(caja("TClave"), Qt::Key_F2);

    EXPECT_TRUE(ventana_->isVisible());
    EXPECT_FALSE(ventana_->origenConectado());
    EXPECT_FALSE(dbGeneral.conectada());
    EXPECT_TRUE(dbGeneraldes.conectada());
    EXPECT_EQ(datos.usuarioOrigen, "");
    EXPECT_EQ(datos.usuarioDestino, "PRUEBA");

    // Leaving the password box connects the origin; the next F2 ends the dialog, also with
    // the focus back in the password box, which the closing window does not count as left.
    int comprobaciones = 0;
    dbGeneral.monitor = [&](const std::string& texto) {
        if (texto.rfind("select usua_nombre", 0) == 0) ++comprobaciones;
    };
    QTest::keyClick(caja("TClave"), Qt::Key_Tab);
    EXPECT_TRUE(ventana_->origenConectado());
    EXPECT_TRUE(dbGeneral.conectada());
    EXPECT_EQ(datos.usuarioOrigen, "PRUEBA");
    EXPECT_EQ(comprobaciones, 1);
    clic(caja("TClave"));
    QTest::keyClick(caja("TClave"), Qt::Key_F2);

    EXPECT_TRUE(terminoAceptada());
    EXPECT_EQ(comprobaciones, 1);
    EXPECT_TRUE(dialogos.llamadas().empty());
}

TEST_F(VentanaAcceso, LaClaveIncorrectaPorElServidorSeMuestraYLaVentanaSigueAbierta) {
    abrir();
    escribirOrigen("prueba", "equivocada");
    QTest::keyClick(caja("TClave"), Qt::Key_Tab);

    EXPECT_EQ(dialogos.llamadas(), std::vector<Llamada>{Mensaje(kClaveIncorrecta)});
    EXPECT_FALSE(ventana_->origenConectado());
    EXPECT_FALSE(dbGeneral.conectada());
    EXPECT_EQ(datos.usuarioOrigen, "");
    EXPECT_EQ(datos.claveOrigen, "");
    // The status strip keeps its last text until a connection succeeds.
    auto* panel2 = Control<QLabel>(*ventana_, "Panel2");
    EXPECT_TRUE(panel2->isVisible());
    EXPECT_EQ(panel2->text(), kConectandoOrigen);

    escribirDestino("prueba", "equivocada");
    QTest::keyClick(caja("TClavedes"), Qt::Key_F2);
    EXPECT_EQ(dialogos.llamadas(),
              (std::vector<Llamada>{Mensaje(kClaveIncorrecta), Mensaje(kClaveIncorrecta)}));
    EXPECT_EQ(panel2->text(), "Conectando con el servidor Destino");
    EXPECT_TRUE(ventana_->isVisible());
}

TEST_F(VentanaAcceso, LaMarcaDeOrigenConectadoNoVuelveAtrasTrasUnIntentoFallido) {
    abrir();
    escribirOrigen("prueba", prueba::kClave);
    QTest::keyClick(caja("TClave"), Qt::Key_Tab);
    ASSERT_TRUE(ventana_->origenConectado());
    EXPECT_FALSE(Control<QLabel>(*ventana_, "Panel2")->isVisible());

    escribirOrigen("prueba", "equivocada");
    QTest::keyClick(caja("TClave"), Qt::Key_Tab);
    EXPECT_EQ(dialogos.llamadas(), std::vector<Llamada>{Mensaje(kClaveIncorrecta)});
    EXPECT_FALSE(dbGeneral.conectada());
    EXPECT_TRUE(ventana_->origenConectado());

    escribirDestino("prueba", prueba::kClave);
    QTest::keyClick(caja("TClavedes"), Qt::Key_F2);

    EXPECT_TRUE(terminoAceptada());
    // The values of the last successful connection of each side.
    EXPECT_EQ(datos.claveOrigen, EncriptarClave(prueba::kClave));
    EXPECT_EQ(datos.claveDestino, EncriptarClave(prueba::kClave));
}

TEST_F(VentanaAcceso, AlDejarElServidorDestinoCopiaOVaciaUsuarioYClave) {
    struct Caso {
        int destino;          // entry chosen in ServidorDes
        const char* escrito;  // typed in TUsuades and TClavedes before
        const char* usuario;  // expected afterwards
        const char* clave;
    };
    const Caso casos[] = {
        {0, "", "ana", "secreta"},
        {0, "otro", "ana", "secreta"},
        {1, "", "", ""},
        {1, "otro", "", ""},
        // The same text in another line of the list is the same server.
        {2, "otro", "ana", "secreta"},
    };
    for (const Caso& c : casos) {
        abrir(Acceso::Embebido, {"otra:/velmora"});
        servidor("ServidorDes")
            ->addItem(servidor("Servidor")->itemText(0), servidor("Servidor")->itemData(0));
        caja("TUsuades")->setText(c.escrito);
        caja("TClavedes")->setText(c.escrito);
        escribirOrigen("ana", "secreta");
        servidor("ServidorDes")->setCurrentIndex(c.destino);
        clic(servidor("ServidorDes"));
        QTest::keyClick(servidor("ServidorDes"), Qt::Key_Tab);

        EXPECT_EQ(caja("TUsuades")->text(), c.usuario) << c.destino << " " << c.escrito;
        EXPECT_EQ(caja("TClavedes")->text(), c.clave) << c.destino << " " << c.escrito;
    }
}

TEST_F(VentanaAcceso, EscAltSYLaBarraDeTituloTerminanSinAceptar) {
    const std::function<void(Tfacceso&)> formas[] = {
        [](Tfacceso&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
        [](Tfacceso& v) {
            QTest::keyClick(&v, Qt::Key_S, Qt::AltModifier);
            prueba::Esperar(
                [&v] { return !v.isVisible(); });  // the button is clicked after a while
        },
        [](Tfacceso& v) { QTest::mouseClick(Control(v, "SpeedButton2"), Qt::LeftButton); },
        [](Tfacceso& v) { v.close(); },
    };
    int forma = 0;
    for (const auto& terminar : formas) {
        Tfacceso& v = abrir(Acceso::Embebido);
        terminar(v);
        EXPECT_TRUE(terminoCancelada()) << "forma " << forma;
        ++forma;
    }
}

// With a server list open the keys reach the list; F2 and ESC still act for the window, and
// the list closes first with the server chosen before.
TEST_F(VentanaAcceso, F2YEscActuanConUnaListaDeServidoresAbierta) {
    for (const char* lista : {"Servidor", "ServidorDes"}) {
        SCOPED_TRACE(lista);
        abrir(Acceso::Embebido, {"otro:/velmora"});
        escribirOrigen("prueba", prueba::kClave);
        QTest::keyClick(caja("TClave"), Qt::Key_Tab);  // the origin connects
        ASSERT_TRUE(ventana_->origenConectado());
        escribirDestino("prueba", prueba::kClave);

        QComboBox* caja = servidor(lista);
        caja->showPopup();
        ASSERT_TRUE(caja->view()->isVisible());
        QTest::keyClick(caja->view(), Qt::Key_F2);

        EXPECT_FALSE(caja->view()->isVisible());
        EXPECT_EQ(caja->currentIndex(), 0);
        EXPECT_TRUE(terminoAceptada());
        EXPECT_TRUE(dialogos.llamadas().empty());
    }
    for (const char* lista : {"Servidor", "ServidorDes"}) {
        SCOPED_TRACE(lista);
        abrir(Acceso::Embebido, {"otro:/velmora"});
        QComboBox* caja = servidor(lista);
        caja->showPopup();
        ASSERT_TRUE(caja->view()->isVisible());
        QTest::keyClick(caja->view(), Qt::Key_Escape);

        EXPECT_FALSE(caja->view()->isVisible());
        EXPECT_TRUE(terminoCancelada());
    }
}

TEST_F(VentanaAcceso, F2YEscConModificadoresNoHacenNada) {
    Tfacceso& v = abrir(Acceso::Embebido);
    escribirDestino("ana", "x");
    for (auto modificador : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        QTest::keyClick(caja("TClavedes"), Qt::Key_F2, modificador);
        QTest::keyClick(caja("TClavedes"), Qt::Key_Escape, modificador);
    }
    EXPECT_TRUE(v.isVisible());
    EXPECT_FALSE(dbGeneraldes.conectada());

    // Alt+E is "F2: &Entrar"; the button is clicked after a while.
    QTest::keyClick(&v, Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(prueba::Esperar([this] { return dbGeneraldes.conectada(); }));
    EXPECT_TRUE(v.isVisible());  // the origin is not connected yet
}

TEST_F(VentanaAcceso, EnterLlevaElFocoAlControlSiguiente) {
    abrir(Acceso::Embebido);
    clic(servidor("Servidor"));
    QTest::keyClick(servidor("Servidor"), Qt::Key_Return);
    EXPECT_EQ(prueba::ConFoco(), "Tusua");
    Escribir(caja("Tusua"), "ana");
    QTest::keyClick(caja("Tusua"), Qt::Key_Enter);
    EXPECT_EQ(prueba::ConFoco(), "TClave");
    EXPECT_EQ(caja("Tusua")->text(), "ana");  // the key itself is dropped
    QTest::keyClick(caja("TClave"), Qt::Key_Return);
    EXPECT_EQ(prueba::ConFoco(), "ServidorDes");
    EXPECT_TRUE(ventana_->origenConectado());
    QTest::keyClick(servidor("ServidorDes"), Qt::Key_Return);
    EXPECT_EQ(prueba::ConFoco(), "TUsuades");
    QTest::keyClick(caja("TUsuades"), Qt::Key_Return);
    EXPECT_EQ(prueba::ConFoco(), "TClavedes");
    QTest::keyClick(caja("TClavedes"), Qt::Key_Return);
    EXPECT_EQ(prueba::ConFoco(), "Servidor");
    EXPECT_TRUE(ventana_->isVisible());
}

TEST_F(VentanaAcceso, ElUsuarioVaComoSeEscribioYUnaComillaNoRompeLaComprobacion) {
    abrir(Acceso::Embebido);
    escribirOrigen("o'brien_7", "x");
    QTest::keyClick(caja("TClave"), Qt::Key_Tab);

    EXPECT_EQ(dialogos.llamadas(), std::vector<Llamada>{});
    EXPECT_TRUE(ventana_->origenConectado());
    EXPECT_EQ(datos.usuarioOrigen, "O'BRIEN_7");
    // The database got the name as typed.
    EXPECT_EQ(dbGeneral.usuario(), "o'brien_7");
}

TEST_F(VentanaAcceso, ConLaListaDeServidoresVaciaLaUbicacionEmpiezaPorDatos) {
    prueba::Instalacion vacia;
    vacia.registrar({});
    auto v = std::make_unique<Tfacceso>(datos, dbGeneral, dbGeneraldes, dialogos);
    v->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(v.get()));
    EXPECT_EQ(Control<QComboBox>(*v, "Servidor")->count(), 0);
    EXPECT_EQ(Control<QComboBox>(*v, "ServidorDes")->count(), 0);

    QTest::keyClick(Control(*v, "Tusua"), Qt::Key_Return);
    QTest::keyClick(Control(*v, "TClave"), Qt::Key_Return);

    EXPECT_EQ(
        dialogos.llamadas(),
        std::vector<Llamada>{Mensaje("No se encontr\xF3 el archivo o la ruta /datos/general.fdb")});
    EXPECT_FALSE(v->origenConectado());
}

}  // namespace
}  // namespace velmora
