// Benchmark of the send run: the run against a floor that commits once per journal entry
// and against the floor of one commit per apply, online and offline, through the server and
// embedded; its scaling; the cost of each step. Prints its figures; it is no test.
#include <cstdio>
#include <exception>

#include "bench/informe.h"
#include "bench/opciones.h"
#include "bench/pasos.h"

int main(int argc, char** argv) {
    using namespace velmora::banco;
    const Opciones o = LeerOpciones(Programa::Envio, argc, argv);
    Encabezado(Programa::Envio, argc, argv);
    try {
        if (o.pasos)
            Pasos(o);
        else if (o.escala)
            EscalaEnvio(o);
        else
            TablaEnvio(o);
        Pie();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "banco_envio: %s\n", error.what());
        return 1;
    }
    return 0;
}
