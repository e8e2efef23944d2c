// The sender: moves the journal of an origin company to a destination company.
#include "ctrlacceso/aplicacion.h"
#include "envio/corrida_desatendida.h"
#include "envio/principal.h"

int main(int argc, char** argv) {
    return velmora::Arrancar(argc, argv,
                             {"envio", velmora::EnvioDesatendido, velmora::UsoEnvioDesatendido,
                              [](velmora::Dialogos& dialogos, std::vector<std::string> argumentos) {
                                  return std::make_unique<velmora::envio::Tfprincipal>(
                                      dialogos, std::move(argumentos));
                              }});
}
