// Benchmark of the receive run: a transfer file prepared once by an offline send, received
// by the run and by a floor that commits once per journal entry, through the server and
// embedded; its scaling. Prints its figures; it is no test.
#include <cstdio>
#include <exception>

#include "bench/informe.h"
#include "bench/opciones.h"

int main(int argc, char** argv) {
    using namespace velmora::banco;
    const Opciones o = LeerOpciones(Programa::Recepcion, argc, argv);
    Encabezado(Programa::Recepcion, argc, argv);
    try {
        if (o.escala)
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
