// The closing message of a run, composed from what a scenario makes happen, so that every
// test that expects it states the counts of its own scenario.
#pragma once

#include <string>

#include "tests/soporte/instalacion.h"

namespace velmora::prueba {

enum class Corrida { Envio, Recepcion };

// What a run did with the journal's entries.
struct Cuentas {
    int visitadas = 0;
    int copiadas = 0;  // sent (copied and marked) or received
    int fallidas = 0;
    int noSeleccionadas = 0;  // their type not marked, or left out by the prefix
    bool interrumpido = false;  // ended by a stop request
};

// The closing message in Windows-1252 bytes, as the run hands it to its dialogs; a console
// shows it converted to UTF-8 (Utf8DeWindows1252). `errores` is the path of ERRORES.TXT as
// the message names it, needed when some entry failed.
std::string Concluido(Corrida corrida, const Cuentas& cuentas, const std::string& errores = {});

// The end of an unattended run on its console, in UTF-8: the closing message, then the
// summary line "N entradas: X enviadas, Y fallidas, Z no seleccionadas" ("recibidas"), each
// line ended by `fin` ("\n"; "\r\n" on a terminal).
std::string ConcluidoEnConsola(Corrida corrida, const Cuentas& cuentas,
                               const std::string& errores = {}, const std::string& fin = "\n");

// The path of ERRORES.TXT as the closing message names it: the installation folder, then the
// file behind a backslash.
inline std::string ErroresMostrado(const Instalacion& instalacion) {
    return instalacion.raiz() + "\\ERRORES.TXT";
}

}  // namespace velmora::prueba
