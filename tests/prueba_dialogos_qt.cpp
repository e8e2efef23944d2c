// The Qt dialogs: titles, icons, buttons and the answer of the confirmation.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

#include "ctrlacceso/dialogos_qt.h"
#include "tests/soporte/concluido.h"

namespace velmora {
namespace {

// What the person saw in the box that was open.
struct Visto {
    std::string titulo;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    std::string texto;
    Qt::TextFormat formato = Qt::AutoText;
    std::vector<std::string> botones;  // sorted captions
};

class DialogosQtPrueba : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char nombre[] = "envio";
        static char* argv[] = {nombre, nullptr};
        aplicacion_ = std::make_unique<QApplication>(argc, argv);
    }
    static void TearDownTestSuite() { aplicacion_.reset(); }

    // Runs `mostrar`, which opens a box; once it is open, notes what it shows and answers
    // with `responder`.
    Visto Ver(const std::function<void()>& mostrar,
              const std::function<void(QMessageBox&)>& responder) {
        Visto visto;
        bool abierta = false;
        QTimer::singleShot(0, [&] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caja) return;
            abierta = true;
            visto.titulo = caja->windowTitle().toStdString();
            visto.icono = caja->icon();
            visto.texto = caja->text().toStdString();
            visto.formato = caja->textFormat();
            for (QAbstractButton* boton : caja->buttons()) {
                visto.botones.push_back(boton->text().toStdString());
            }
            std::sort(visto.botones.begin(), visto.botones.end());
            responder(*caja);
        });
        mostrar();
        EXPECT_TRUE(abierta);
        return visto;
    }

    static std::function<void(QMessageBox&)> Pulsar(const char* boton) {
        return [boton](QMessageBox& caja) {
            for (QAbstractButton* b : caja.buttons()) {
                if (b->text() == QLatin1String(boton)) return b->click();
            }
            ADD_FAILURE() << "no button " << boton;
            caja.close();
        };
    }

    static inline std::unique_ptr<QApplication> aplicacion_;
};

TEST_F(DialogosQtPrueba, LaConfirmacionPreguntaSiONo) {
    DialogosQt dialogos;
    bool respuesta = true;
    const Visto visto =
        Ver([&] { respuesta = dialogos.confirmar("Error transmitiendo Cr\351dito. Continuar?"); },
            Pulsar("&No"));
    EXPECT_FALSE(respuesta);
    EXPECT_EQ(visto.titulo, "Confirmación");
    EXPECT_EQ(visto.icono, QMessageBox::Question);
    EXPECT_EQ(visto.texto, "Error transmitiendo Crédito. Continuar?");
    EXPECT_EQ(visto.botones, (std::vector<std::string>{"&No", "&Si"}));

    Ver([&] { respuesta = dialogos.confirmar("Continuar?"); }, Pulsar("&Si"));
    EXPECT_TRUE(respuesta);

    // Closing the box by its title bar answers "&No".
    Ver([&] { respuesta = dialogos.confirmar("Continuar?"); },
        [](QMessageBox& caja) { caja.close(); });
    EXPECT_FALSE(respuesta);
}

TEST_F(DialogosQtPrueba, ElMensajeLlevaElNombreDelProgramaYElErrorSuTitulo) {
    DialogosQt conNombre(nullptr, "recepcion");
    DialogosQt sinNombre;
    const Visto mensaje = Ver([&] { conNombre.mensaje("Proceso terminado"); }, Pulsar("OK"));
    const Visto delPrograma = Ver([&] { sinNombre.mensaje("Listo"); }, Pulsar("OK"));
    const Visto error = Ver([&] { sinNombre.error("No se encontr\xF3 el archivo"); }, Pulsar("OK"));

    EXPECT_EQ(mensaje.titulo, "recepcion");
    EXPECT_EQ(mensaje.icono, QMessageBox::NoIcon);
    EXPECT_EQ(mensaje.botones, std::vector<std::string>{"OK"});
    EXPECT_EQ(delPrograma.titulo, "envio");
    EXPECT_EQ(error.titulo, "Error");
    EXPECT_EQ(error.icono, QMessageBox::Critical);
    EXPECT_EQ(error.texto, "No se encontró el archivo");
    EXPECT_EQ(error.botones, std::vector<std::string>{"OK"});
}

// Without a title of its own a message carries the caption of the window it belongs to: the
// modal one open, else the program's window; and its text is shown whole, line by line.
TEST_F(DialogosQtPrueba, ElMensajeLlevaElTituloDeSuVentanaYSuTextoEntero) {
    QWidget principal;
    principal.setWindowTitle(QStringLiteral("Envío de información"));
    principal.show();
    DialogosQt dialogos;
    const std::string cierre = prueba::Concluido(
        prueba::Corrida::Envio,
        {.visitadas = 12, .copiadas = 10, .fallidas = 1, .noSeleccionadas = 1},
        "/tmp/a <b>/ERRORES.TXT");
    const Visto enLaPrincipal = Ver([&] { dialogos.mensaje(cierre); }, Pulsar("OK"));
    EXPECT_EQ(enLaPrincipal.titulo, "Envío de información");
    EXPECT_EQ(enLaPrincipal.texto,
              QString::fromLatin1(cierre.data(), qsizetype(cierre.size())).toStdString());
    EXPECT_EQ(enLaPrincipal.formato, Qt::PlainText);  // every line, no markup read into it

    QDialog acceso(&principal);
    acceso.setWindowTitle(QStringLiteral("Control de acceso"));
    Visto enElAcceso;
    QTimer::singleShot(0, &acceso, [&] {
        enElAcceso = Ver([&] { dialogos.mensaje("Clave incorrecta"); }, Pulsar("OK"));
        acceso.accept();
    });
    acceso.exec();
    EXPECT_EQ(enElAcceso.titulo, "Control de acceso");
}

}  // namespace
}  // namespace velmora
