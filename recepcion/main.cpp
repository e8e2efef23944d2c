// The receiver: replays a transfer file onto a destination company.
#include "ctrlacceso/aplicacion.h"
#include "recepcion/corrida_desatendida.h"
#include "recepcion/principal.h"

int main(int argc, char** argv) {
    return velmora::Arrancar(
        argc, argv,
        {"recepcion", velmora::RecepcionDesatendida, velmora::UsoRecepcionDesatendida,
         [](velmora::Dialogos& dialogos, std::vector<std::string> argumentos) {
             return std::make_unique<velmora::recepcion::Tfprincipal>(dialogos,
                                                                      std::move(argumentos));
         }});
}
