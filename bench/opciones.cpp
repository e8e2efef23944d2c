#include "bench/opciones.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace velmora::banco {

const char* NombrePrograma(Programa programa) {
    return programa == Programa::Envio ? "banco_envio" : "banco_recepcion";
}

namespace {

[[noreturn]] void Uso(Programa programa, const std::string& problema) {
    const bool envio = programa == Programa::Envio;
    std::fprintf(
        stderr,
        "%s\nusage: %s [-d DOCUMENTS] [-k DETAILS] [--carga facturas|mixta|sin-manejador]\n",
        problema.c_str(), NombrePrograma(programa));
    std::fprintf(stderr, "         [--acceso servidor|embebido|ambos] [-r REPETITIONS]\n");
    std::fprintf(stderr, "         [--escala [--entradas N1,N2,...]] [--memoria]\n");
    std::fprintf(stderr,
                 "         [--solo corrida|piso|piso-grupo|piso-entrada|piso-aplicacion]\n");
    std::fprintf(stderr, "         [--barrido [--grupos N1,N2,...] [--duraciones MS1,MS2,...]]\n");
    if (envio) std::fprintf(stderr, "         [--modo en-linea|fuera-de-linea|ambos] [--pasos]\n");
    std::fprintf(stderr, "%s",
                 "-d 400 -k 5 (the defaults): the table of the run against its floors, the\n"
                 "  goals checked below it. --escala: cost per entry at 1,000, 10,000 and\n"
                 "  100,000 entries. --memoria (takes long, not for CI): the run's peak memory at\n"
                 "  10,000 and 500,000 entries embedded, and their ratio (goal <= 1.10).\n"
                 "  --barrido: the floor per group at each size (--grupos, default\n"
                 "  16,32,64,128) and age (--duraciones, ms, default 250,1000) of a group.\n");
    std::exit(2);
}

int Numero(Programa programa, const std::string& texto, const char* opcion);

std::vector<int> Lista(Programa programa, const std::string& v, const char* opcion) {
    std::vector<int> r;
    for (size_t p = 0; p <= v.size();) {
        size_t q = v.find(',', p);
        if (q == std::string::npos) q = v.size();
        r.push_back(Numero(programa, v.substr(p, q - p), opcion));
        p = q + 1;
    }
    return r;
}

int Numero(Programa programa, const std::string& texto, const char* opcion) {
    try {
        size_t fin = 0;
        int n = std::stoi(texto, &fin);
        if (fin == texto.size() && n > 0) return n;
    } catch (...) {
    }
    Uso(programa, std::string("bad value for ") + opcion + ": " + texto);
}

}  // namespace

Opciones LeerOpciones(Programa programa, int argc, char** argv) {
    const bool envio = programa == Programa::Envio;
    Opciones o;
    bool repeticiones = false, detalles = false, modos = false, tamanos = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto valor = [&]() -> std::string {
            if (i + 1 >= argc) Uso(programa, "missing value of " + a);
            return argv[++i];
        };
        if (a == "-d") {
            o.documentos = Numero(programa, valor(), "-d");
        } else if (a == "-k") {
            o.detalles = Numero(programa, valor(), "-k");
            detalles = true;
        } else if (a == "-r") {
            o.repeticiones = Numero(programa, valor(), "-r");
            repeticiones = true;
        } else if (envio && a == "--modo") {
            const std::string v = valor();
            modos = true;
            if (v == "en-linea")
                o.modos = {true};
            else if (v == "fuera-de-linea")
                o.modos = {false};
            else if (v == "ambos")
                o.modos = {true, false};
            else
                Uso(programa, "unknown mode: " + v);
        } else if (a == "--acceso") {
            const std::string v = valor();
            if (v == "servidor")
                o.accesos = {Acceso::Servidor};
            else if (v == "embebido")
                o.accesos = {Acceso::Embebido};
            else if (v == "ambos")
                o.accesos = {Acceso::Servidor, Acceso::Embebido};
            else
                Uso(programa, "unknown access: " + v);
        } else if (a == "--carga") {
            const std::string v = valor();
            if (v == "facturas")
                o.carga = Carga::Facturas;
            else if (v == "mixta")
                o.carga = Carga::Mixta;
            else if (v == "sin-manejador")
                o.carga = Carga::SinManejador;
            else
                Uso(programa, "unknown workload: " + v);
        } else if (envio && a == "--pasos") {
            o.pasos = true;
        } else if (a == "--escala") {
            o.escala = true;
        } else if (a == "--entradas") {
            o.tamanos = Lista(programa, valor(), "--entradas");
            tamanos = true;
        } else if (a == "--memoria") {
            o.memoria = true;
        } else if (a == "--barrido") {
            o.barrido = true;
        } else if (a == "--grupos") {
            o.entradasPorGrupo = Lista(programa, valor(), "--grupos");
        } else if (a == "--duraciones") {
            o.duracionesMs = Lista(programa, valor(), "--duraciones");
        } else if (a == "--solo") {
            const std::string v = valor();
            o.corrida = v == "corrida";
            o.pisoGrupo = v == "piso" || v == "piso-grupo";
            o.pisoEntrada = v == "piso" || v == "piso-entrada";
            o.pisoAplicacion = v == "piso" || v == "piso-aplicacion";
            if (!o.corrida && !o.pisoGrupo && !o.pisoEntrada && !o.pisoAplicacion)
                Uso(programa, "unknown side: " + v);
        } else if (a == "-h" || a == "--help") {
            Uso(programa, envio ? "Benchmark of the send run." : "Benchmark of the receive run.");
        } else {
            Uso(programa, "unknown option: " + a);
        }
    }
    if (o.memoria) {
        // The run alone, embedded (the engine's memory is the process's), once per size: a
        // journal held whole instead of read as a stream would show as growth.
        o.escala = true;
        if (!tamanos) o.tamanos = {10000, 500000};
        o.accesos = {Acceso::Embebido};
        o.pisoGrupo = o.pisoEntrada = o.pisoAplicacion = false;
    }
    if (o.escala) {
        // Real work that is cheap per entry: invoices of one detail row, sent offline (the
        // send that prepares a transfer file), measured once per size.
        o.carga = Carga::Facturas;
        if (!detalles) o.detalles = 1;
        if (!repeticiones) o.repeticiones = 1;
        if (!modos) o.modos = {false};
        // The scaling sets the run against the floor it must reach: per group.
        o.pisoEntrada = o.pisoAplicacion = false;
    }
    return o;
}

}  // namespace velmora::banco
