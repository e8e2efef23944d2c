// How failures reach the person at the screen.
#pragma once

#include <exception>
#include <string>

#include "foundation/dialogos.h"
#include "foundation/sesion.h"

namespace velmora {

// The text that the application-wide handler shows for a failure's message: a Spanish
// sentence for the few client messages that a user can act on, else the message itself
// behind a fixed prefix. Windows-1252 bytes in and out.
std::string TextoErrorNoManejado(const std::string& mensaje);

// What is shown when nothing accepts connections on the port of the server that
// `ubicacion` names (a database location with its server entry): the machine and the port.
std::string TextoConexionRechazada(const std::string& ubicacion);

// The application-wide handler of every failure that leaves a user action: shows the text
// above in a plain message box; a refused connection, the text of TextoConexionRechazada.
// The silent abort shows nothing.
void ENoManejada(const std::exception& error, Dialogos& dialogos);

// The data error handler of the main window: shows the raw message, then, after the beep,
// an error dialog with a friendlier text; always answers abort. `proveedor` is the apply
// component when an apply failed, null for a row error of the result set itself.
RespuestaError ManejarError(ProveedorAplicacion* proveedor, ConjuntoEditable& conjunto,
                            const ErrorBaseDatos& error, Dialogos& dialogos);

// Row errors of an editable result set (post, edit, delete): passed on to ManejarError
// without an apply component.
RespuestaError ManejarClientError(ConjuntoEditable& conjunto, const ErrorBaseDatos& error,
                                  Dialogos& dialogos);

// Wires the data error hooks of every component that `propietario` owns, in the order they
// were created, descending into components that own components: apply components get their
// update-error hook, editable result sets their post, edit and delete hooks.
void ConfigurarProviders(Componente& propietario, Dialogos& dialogos);

// While it lives, the data error hooks of `conjunto` and of its apply component that are
// wired speak through `dialogos` instead, as ConfigurarProviders wires them; the hooks they
// had come back when it goes.
class GanchosPrestados {
  public:
    GanchosPrestados(ConjuntoEditable& conjunto, Dialogos& dialogos);
    ~GanchosPrestados();
    GanchosPrestados(const GanchosPrestados&) = delete;
    GanchosPrestados& operator=(const GanchosPrestados&) = delete;

  private:
    ConjuntoEditable& conjunto_;
    ConjuntoEditable::GanchoFila publicar_, editar_, borrar_;
    ProveedorAplicacion::Gancho actualizacion_;
};

}  // namespace velmora
