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
    std::fprintf(stderr, "         [--escala [--entradas N1,N2,...]] [--solo corrida|piso%s]\n",
                 envio ? "|piso-entrada|piso-aplicacion" : "");
    if (envio) std::fprintf(stderr, "         [--modo en-linea|fuera-de-linea|ambos] [--pasos]\n");
    std::exit(2);
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
    bool repeticiones = false, detalles = false, modos = false;
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
            o.tamanos.clear();
            std::string v = valor();
            for (size_t p = 0; p <= v.size();) {
                size_t q = v.find(',', p);
                if (q == std::string::npos) q = v.size();
                o.tamanos.push_back(Numero(programa, v.substr(p, q - p), "--entradas"));
                p = q + 1;
            }
        } else if (a == "--solo") {
            const std::string v = valor();
            o.corrida = v == "corrida";
            o.pisoEntrada = v == "piso" || v == "piso-entrada";
            o.pisoAplicacion = envio && (v == "piso" || v == "piso-aplicacion");
            if (!o.corrida && !o.pisoEntrada && !o.pisoAplicacion)
                Uso(programa, "unknown side: " + v);
        } else if (a == "-h" || a == "--help") {
            Uso(programa, envio ? "Benchmark of the send run." : "Benchmark of the receive run.");
        } else {
            Uso(programa, "unknown option: " + a);
        }
    }
    if (o.escala) {
        // Real work that is cheap per entry: invoices of one detail row, sent offline (the
        // send that prepares a transfer file), measured once per size.
        o.carga = Carga::Facturas;
        if (!detalles) o.detalles = 1;
        if (!repeticiones) o.repeticiones = 1;
        if (!modos) o.modos = {false};
        // The floor per apply has no place in the scaling: it is the run of before.
        o.pisoAplicacion = false;
    }
    return o;
}

}  // namespace velmora::banco
