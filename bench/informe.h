// What the benchmark prints: what it measured and how, the machine and its load, and the
// tables of each program. It names no folder of the machine it ran on: commands are given
// relative to the repository and its build folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench/escenarios.h"
#include "bench/medicion.h"
#include "bench/opciones.h"

namespace velmora::banco {

// The program's explanation, the date, the machine, its load and the command line.
void Encabezado(Programa programa, int argc, char** argv);
// The load at the end.
void Pie();

// "s docs/s CPU-s MiB" of the median repetition; blanks when the side was not measured.
std::string ColumnasLado(const std::vector<Medida>& ms);
// "s docs/s" of the median repetition.
std::string ColumnasBreves(const std::vector<Medida>& ms);
// Round trips per entry of the median repetition (segments sent to the server / entries),
// or a dash when they were not counted (embedded).
std::string ColumnaViajes(const std::vector<Medida>& ms);
// "s us/entry MiB" of the median repetition, for the scaling tables; the cost per entry is
// added to `costos`.
std::string ColumnasEscala(const std::vector<Medida>& ms, int entradas,
                           std::vector<double>& costos);
// A ratio of two sides, or n/a, or a dash when a side was not measured.
std::string ColumnaRazon(const std::vector<Medida>& numerador,
                         const std::vector<Medida>& denominador);
// The notes of a side's median repetition, under its line.
void Notas(const char* lado, const std::vector<Medida>& ms);
// The notes of the four sides of a table line, in their column order.
void NotasDeLados(const std::vector<Medida>& corridas, const std::vector<Medida>& porGrupo,
                  const std::vector<Medida>& porEntrada, const std::vector<Medida>& porAplicacion);
// The title of a sweep of the floor per group.
void TituloBarrido(const Opciones& o);
// The growth of the cost per entry from the first size to the last.
std::string Crecimiento(const std::vector<double>& costos);

// The goals of the run for invoices of 5 detail rows, checked on one line of a table.
struct Objetivo {
    Acceso acceso;
    std::string modo;
    std::optional<double> ganancia, razon;  // over the floor per apply, to the floor per group
};
// Prints the goals and whether each line meets them; nothing for another workload.
void Objetivos(const Lote& lote, const std::vector<Objetivo>& lineas);

// The heading of the tables of the floor per group at each size and age of a group, and its
// lines; `medir` measures the floor per group (or per entry, for the reference) repeated.
void Barrido(const Opciones& o, const std::string& donde,
             const std::function<std::vector<Medida>(Lado, Agrupacion)>& medir);

// The two title lines of a program's table; `columna` names its second column ("mode",
// "workload"), `ancho` its width.
void EncabezadoTabla(const char* columna, int ancho);

// The tables of each program.
void TablaEnvio(const Opciones& o);
void EscalaEnvio(const Opciones& o);
void BarridoEnvio(const Opciones& o);
void TablaRecepcion(const Opciones& o);
void EscalaRecepcion(const Opciones& o);
void BarridoRecepcion(const Opciones& o);

}  // namespace velmora::banco
