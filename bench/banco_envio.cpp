// Benchmark of the send run: the run against a floor that commits once per group of journal
// entries, each behind its savepoint, and against the floors of one commit per entry and
// per apply, online and offline, through the server and embedded; its scaling and peak
// memory; the floor per group at each size and age of a group; the cost of each step.
// Prints its figures; it is no test.
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
        else if (o.barrido)
            BarridoEnvio(o);
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
