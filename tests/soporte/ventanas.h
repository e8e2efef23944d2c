// Driving the real windows in the tests: the offscreen application, an installation whose
// general databases list two companies, the login window handled as a person would, and
// controls found by their names.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "ctrlacceso/ctrlacceso.h"
#include "ctrlacceso/ventana_principal.h"
#include "tests/soporte/instalacion.h"

namespace velmora::prueba {

// The companies of the test installation (names in Windows-1252).
inline constexpr const char* kNombreOrigen =
    "Compa\xF1\xED"
    "a Origen";
inline constexpr const char* kNombreDestino = "Almac\xE9n Destino";

// The Qt application of a test program, offscreen, created at the first call. A window that
// closes never ends it: the tests look at the window instead.
QApplication& AplicacionDePrueba();

// An installation registered for this process, whose server list holds its own entry for
// `acceso` followed by `otros`; its general database lists 001 and 002 and the user PRUEBA.
class InstalacionVentanas {
  public:
    explicit InstalacionVentanas(Acceso acceso = Acceso::Embebido,
                                 std::vector<std::string> otros = {});
    Acceso acceso;
    Instalacion instalacion;
    std::string servidor() const { return instalacion.servidor(acceso); }
    std::string origen() const { return instalacion.compania(acceso, "001"); }
    std::string destino() const { return instalacion.compania(acceso, "002"); }
    std::string general() const { return instalacion.ubicacion(acceso, "datos/general.fdb"); }
};

// The control of that name in `ventana`; a test failure when there is none.
template <class T = QWidget>
T* Control(const QWidget& ventana, const char* nombre) {
    T* control = ventana.findChild<T*>(QLatin1String(nombre));
    if (!control) ADD_FAILURE() << "no control " << nombre;
    return control;
}

// Waits while Qt handles events, until `condicion` holds or the time runs out.
bool Esperar(const std::function<bool()>& condicion, int milisegundos = 30000);

// Runs `accion` on the login window as soon as it is shown modally. A login still open 60
// seconds later is closed with a test failure, so that no test hangs. The watch ends when it
// has acted or when this object goes, so that none outlives the test that set it (it would
// sign in the next test's login with the last test's variables).
class AlAparecerAcceso {
  public:
    explicit AlAparecerAcceso(std::function<void(Tfacceso&)> accion);
    ~AlAparecerAcceso();
    AlAparecerAcceso(const AlAparecerAcceso&) = delete;
    AlAparecerAcceso& operator=(const AlAparecerAcceso&) = delete;

  private:
    QPointer<QTimer> sondeo_;
};

// Types `texto` into a text box, as keys.
void Escribir(QWidget* caja, const QString& texto);

// The sign-in as a person does it: the origin user and password typed, Enter to leave the
// password box (the origin connects), Enter to leave the destination server box (the same
// entry copies the credentials), then F2.
void Firmar(Tfacceso& acceso, const QString& usuario, const QString& clave);

// Shows the main window, runs `firma` on its login window and waits until its first
// showing is over, with the run of the command-line mode if there is one. False when it
// never ended.
bool Activar(VentanaPrincipal& ventana, std::function<void(Tfacceso&)> firma);

// Waits while a run of `ventana` is going; false when it still goes after two minutes.
bool EsperarCorrida(const VentanaPrincipal& ventana);

// A click on "Enviar", and the wait for the run's end.
void Enviar(VentanaPrincipal& ventana);

// The control that holds the focus, named as the window names it: the nearest named one.
std::string ConFoco();

}  // namespace velmora::prueba
