// Tfprincipal of the sender, "Envío de información": the shared main window with the send
// type, its enabling rules and the send run behind "Enviar".
#pragma once

#include <string>
#include <vector>

#include "ctrlacceso/ventana_principal.h"
#include "envio/corrida_envio.h"

namespace velmora::envio {

class Tfprincipal : public VentanaPrincipal {
    Q_OBJECT
  public:
    // `argumentos`: the program's arguments after its name, as Windows-1252 bytes.
    Tfprincipal(Dialogos& dialogos, std::vector<std::string> argumentos = {},
                QWidget* padre = nullptr);
    ~Tfprincipal() override;

    // The window's values as the send run takes them.
    ParametrosEnvio Parametros();

  protected:
    void SpeedButton1Click() override;
    void PrepararModoArticulos() override;
    void LiberarSesiones() override;

  private:
    ComponentesEnvio componentes_{&raiz_};
};

}  // namespace velmora::envio
