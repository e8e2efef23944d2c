// Tfacceso, "Control de acceso": the login window of both programs. It connects the origin
// and the destination general databases of the main window with the typed credentials and
// writes the access values into the main window; the sign-in itself is
// foundation/inicio_sesion.h.
#pragma once

#include <QDialog>

#include "foundation/datos_acceso.h"
#include "foundation/dialogos.h"
#include "foundation/sesion.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace velmora {

class Tfacceso : public QDialog {
    Q_OBJECT
  public:
    // `datos`, `dbGeneral` and `dbGeneraldes` belong to the main window (`propietario`); the
    // connections stay open for it. Ends accepted only after a destination connection while
    // the origin is connected.
    Tfacceso(DatosAcceso& datos, SesionOrigen& dbGeneral, SesionOrigen& dbGeneraldes,
             Dialogos& dialogos, QWidget* propietario = nullptr);
    ~Tfacceso() override;

    // Set by the first successful origin connection and never cleared.
    bool origenConectado() const { return origenConectado_; }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

  private:
    // Handles the keys that the window sees before its controls; true when consumed.
    bool TeclaVista(QWidget* control, QKeyEvent* evento);
    void TClaveExit();
    void ServidorDesExit();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void mostrarEstado(const char* texto);
    void ocultarEstado();
    static std::string Servidor(const QComboBox* caja);

    DatosAcceso& datos_;
    SesionOrigen& dbGeneral_;
    SesionOrigen& dbGeneraldes_;
    Dialogos& dialogos_;
    bool origenConectado_ = false;
    bool mostrada_ = false;

    QComboBox* servidor_;
    QLineEdit* tusua_;
    QLineEdit* tclave_;
    QComboBox* servidorDes_;
    QLineEdit* tusuades_;
    QLineEdit* tclavedes_;
    QToolButton* speedButton1_;
    QToolButton* speedButton2_;
    QLabel* panel2_;
};

}  // namespace velmora
