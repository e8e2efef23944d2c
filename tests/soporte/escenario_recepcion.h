// A reception in a test installation of three companies: the origin 001 prepares, by an
// offline send, the transfer file for company 003 (datos/003/envio.fdb), which the receiver
// then reads as its origin company 003 and applies to the destination company 003. Company
// 002 stands for an identical destination that an online send of the same journal fills.
#pragma once

#include <string>
#include <vector>

#include "recepcion/corrida_recepcion.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora::prueba {

class EscenarioRecepcion {
  public:
    explicit EscenarioRecepcion(Acceso acceso = Acceso::Servidor);

    EscenarioEnvio envio;
    DialogosGrabados dialogos;
    Componente ventana{nullptr, "Tfprincipal"};
    ComponentesRecepcion componentes{&ventana};
    // The receiver window's defaults: "Todo el envio", "Omitir (no recibir)", every type.
    ParametrosRecepcion parametros;

    Instalacion& instalacion() { return envio.instalacion; }
    std::string origen() const { return envio.origen(); }
    std::string archivo() const {
        return envio.instalacion.ubicacion(envio.acceso, "datos/003/envio.fdb");
    }
    std::string destino() const { return envio.instalacion.compania(envio.acceso, "003"); }
    std::string destinoEnLinea() const { return envio.destino(); }

    // The offline send of the origin's unsent journal into the transfer file for 003; every
    // entry is left unsent again, so that the same journal can be sent once more.
    ResultadoEnvio prepararArchivo();
    // The online send of the same journal to 002, with the sender window's defaults.
    ResultadoEnvio enviarEnLinea();
    // Runs "Enviar" of the receiver, then releases the sessions as the end of the program
    // does.
    ResultadoRecepcion recibir();

    std::string errores() const { return LeerArchivo(envio.instalacion.ruta("ERRORES.TXT")); }
};

}  // namespace velmora::prueba
