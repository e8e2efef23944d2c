// Small steps that every copy procedure takes on the sessions: a result set is always closed
// and given its statement text before it is opened again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/sesion.h"

namespace velmora {

// Table and column names as the lower-case statement texts write them.
std::string Minusculas(std::string texto);

void Abrir(ConjuntoEditable& conjunto, const std::string& texto);
void Abrir(Consulta& consulta, const std::string& texto);
// Runs a statement on the target, committed on completion.
void Ejecutar(ConjuntoEditable& conjunto, const std::string& texto);
void Ejecutar(SentenciaDestino& sentencia, const std::string& texto);

// The first column of the first row of a look-up on the target, when there is a row.
bool Buscar(ConjuntoEditable& conjunto, const std::string& texto, Valor& resultado);

// The ids, first column, of every row of a look-up on the target.
std::vector<int64_t> BuscarIds(ConjuntoEditable& conjunto, const std::string& texto);

}  // namespace velmora
