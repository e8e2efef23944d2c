// Benchmark of the receive run: a transfer file prepared once by an offline send, received
// by the run and by floors that commit once per group of journal entries, per entry and per
// apply, through the server and embedded; its scaling and peak memory; the floor per group
// at each size and age of a group. Prints its figures; it is no test.
#include <cstdio>
#include <exception>

#include "bench/informe.h"
#include "bench/opciones.h"

int main(int argc, char** argv) {
    using namespace velmora::banco;
    const Opciones o = LeerOpciones(Programa::Recepcion, argc, argv);
    Encabezado(Programa::Recepcion, argc, argv);
    try {
        if (o.barrido)
            BarridoRecepcion(o);
        else if (o.escala)
            EscalaRecepcion(o);
        else
            TablaRecepcion(o);
        Pie();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "banco_recepcion: %s\n", error.what());
        return 1;
    }
    return 0;
}
