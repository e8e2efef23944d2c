// The application-wide error handler of the windows: a failure that leaves an event handler
// is shown by ENoManejada, the silent abort shows nothing, and the program goes on.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include "ctrlacceso/aplicacion.h"
#include "foundation/error.h"
#include "tests/soporte/dialogos_grabados.h"
#include "tests/soporte/ventanas.h"

namespace velmora {
namespace {

constexpr auto kFallaBaseDatos = QEvent::Type(QEvent::User + 1);
constexpr auto kAborto = QEvent::Type(QEvent::User + 2);
constexpr auto kOtraFalla = QEvent::Type(QEvent::User + 3);

// An object whose event handler fails in the way each event asks for.
class QueFalla : public QObject {
  public:
    int atendidos = 0;

  protected:
    bool event(QEvent* evento) override {
        ++atendidos;
        if (evento->type() == kFallaBaseDatos)
            throw ErrorBaseDatos("Unable to complete network request to host \"nadie\".");
        if (evento->type() == kAborto) throw AbortoSilencioso();
        if (evento->type() == kOtraFalla) throw 42;
        return QObject::event(evento);
    }
};

class ManejoDeEventos : public ::testing::Test {
  protected:
    ManejoDeEventos() {
        prueba::AplicacionDePrueba();
        InstalarENoManejada(dialogos);
    }
    ~ManejoDeEventos() override { RetirarENoManejada(dialogos); }

    DialogosGrabados dialogos;
    QueFalla objeto;
};

TEST_F(ManejoDeEventos, LaFallaQueSaleDeUnEventoLaMuestraENoManejada) {
    QEvent directo(kFallaBaseDatos);
    QCoreApplication::sendEvent(&objeto, &directo);
    QCoreApplication::postEvent(&objeto, new QEvent(kOtraFalla));
    QCoreApplication::sendPostedEvents(&objeto);

    EXPECT_EQ(
        dialogos.llamadas(),
        (std::vector<Llamada>{Mensaje("No se encontr\xF3 el equipo servidor con nombre nadie"),
                              Mensaje("Se presento el siguiente error: Unknown exception")}));
    // The program goes on with its events.
    QEvent otro(QEvent::User);
    QCoreApplication::sendEvent(&objeto, &otro);
    EXPECT_EQ(objeto.atendidos, 3);
}

TEST_F(ManejoDeEventos, ElAbortoSilenciosoNoMuestraNada) {
    QEvent aborto(kAborto);
    QCoreApplication::sendEvent(&objeto, &aborto);
    Protegido([] { throw AbortoSilencioso(); });
    EXPECT_TRUE(dialogos.llamadas().empty());
}

TEST_F(ManejoDeEventos, ProtegidoLlevaLaFallaAlManejadorInstalado) {
    DialogosGrabados otros;
    InstalarENoManejada(otros);
    Protegido([] { throw ErrorBaseDatos("Your user name and password are not defined."); });
    RetirarENoManejada(otros);

    EXPECT_TRUE(dialogos.llamadas().empty());
    EXPECT_EQ(otros.llamadas(),
              std::vector<Llamada>{Mensaje("El nombre de Usuario o la clave son incorrectas.")});
}

}  // namespace
}  // namespace velmora
