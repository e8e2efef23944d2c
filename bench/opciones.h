// The command line of the benchmark programs.
#pragma once

#include <vector>

#include "bench/cargas.h"
#include "bench/escenarios.h"

namespace velmora::banco {

enum class Programa { Envio, Recepcion };
const char* NombrePrograma(Programa programa);

struct Opciones {
    int documentos = 400;
    int detalles = 5;
    std::vector<bool> modos = {true, false};  // online first; the send run only
    std::vector<Acceso> accesos = {Acceso::Servidor, Acceso::Embebido};
    Carga carga = Carga::Facturas;
    bool escala = false;
    bool pasos = false;  // the send run only
    std::vector<int> tamanos = {1000, 10000, 100000};
    int repeticiones = 3;
    // --solo: one side only, for profiling it.
    bool corrida = true, pisoGrupo = true, pisoEntrada = true, pisoAplicacion = true;
    // --barrido: the floor per group alone, at each size and age of a group.
    bool barrido = false;
    std::vector<int> entradasPorGrupo = {16, 32, 64, 128};
    std::vector<int> duracionesMs = {250, 1000};
    // --memoria: the run's peak memory at 10,000 and 500,000 entries, embedded.
    bool memoria = false;
};

// Reads the options; prints the usage and ends the program on a bad one.
Opciones LeerOpciones(Programa programa, int argc, char** argv);

}  // namespace velmora::banco
