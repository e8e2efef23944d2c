// Tfprincipal of the receiver, "Recepción de información": the shared main window without
// the send type, with its grid always disabled and the receive run behind "Enviar".
#pragma once

#include <string>
#include <vector>

#include "ctrlacceso/ventana_principal.h"
#include "recepcion/corrida_recepcion.h"

namespace velmora::recepcion {

class Tfprincipal : public VentanaPrincipal {
    Q_OBJECT
  public:
    // `argumentos`: the program's arguments after its name, as Windows-1252 bytes.
    Tfprincipal(Dialogos& dialogos, std::vector<std::string> argumentos = {},
                QWidget* padre = nullptr);
    ~Tfprincipal() override;

    // The window's values as the receive run takes them.
    ParametrosRecepcion Parametros();

  protected:
    void SpeedButton1Click() override;
    void LiberarSesiones() override;

  private:
    ComponentesRecepcion componentes_{&raiz_};
};

}  // namespace velmora::recepcion
