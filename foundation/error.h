// Failures of the database layer, as the rest of the programs see them.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora {

// A failure reported by the Firebird server or by the session layer itself. The message
// is the server's text (Windows-1252 bytes); the code is the first ISC error code of the
// status vector (0 for failures raised by the session layer, such as a row not found).
class ErrorBaseDatos : public std::runtime_error {
  public:
    explicit ErrorBaseDatos(const std::string& mensaje, long codigo = 0, int sqlcode = 0,
                            std::vector<long> codigos = {}, long errorSistema = 0)
        : std::runtime_error(mensaje),
          codigo_(codigo),
          sqlcode_(sqlcode),
          codigos_(codigos.empty() && codigo ? std::vector<long>{codigo} : std::move(codigos)),
          errorSistema_(errorSistema) {}

    long codigo() const noexcept { return codigo_; }
    int sqlcode() const noexcept { return sqlcode_; }
    std::string mensaje() const { return what(); }
    // Every ISC error code of the status vector, in order.
    const std::vector<long>& codigos() const noexcept { return codigos_; }
    // The operating system's error number that the status vector carries, 0 when none (the
    // network layer gives one, e.g. for a refused connection).
    long errorSistema() const noexcept { return errorSistema_; }

    // A value that cannot stand where a statement puts it: a conversion error, a number out
    // of range, a text too long, a date out of range, a null where a value is required. Such
    // a failure is the data's, not the database's or the program's.
    bool esErrorDeDatos() const noexcept;
    // Another user holds the row (a lock conflict after the bounded wait, an update
    // conflict, a deadlock): the entry can be tried again later.
    bool esBloqueo() const noexcept;
    // The operation was cancelled by a stop request (Conexion::cancelarOperacion).
    bool esCancelacion() const noexcept;
    // The server's machine was found but nothing accepts connections on the port: the
    // database server is not running there, or listens on another port.
    bool esConexionRechazada() const noexcept;

  private:
    long codigo_;
    int sqlcode_;
    std::vector<long> codigos_;
    long errorSistema_;
};

// A connection that could not be opened: the server's failure, with the name of the session
// (DbCia, DBEnvio, DbGeneral ...) and the location it was given, so that a console can say
// which side failed. Shown like any other database error.
class ErrorConexion : public ErrorBaseDatos {
  public:
    ErrorConexion(const ErrorBaseDatos& error, std::string sesion, std::string ubicacion)
        : ErrorBaseDatos(error), sesion_(std::move(sesion)), ubicacion_(std::move(ubicacion)) {}

    const std::string& sesion() const noexcept { return sesion_; }
    const std::string& ubicacion() const noexcept { return ubicacion_; }

  private:
    std::string sesion_, ubicacion_;
};

// A journal entry that cannot be copied as it stands: the target's table does not hold the
// columns of the source's, or rows without header wait under the id a new document gets.
// The entry fails alone, with this message, and nothing of it stays; the run goes on.
class ErrorEntrada : public ErrorBaseDatos {
  public:
    explicit ErrorEntrada(const std::string& mensaje) : ErrorBaseDatos(mensaje) {}
};

// Ends the user action in progress without any message: raised after a row error has
// already been shown to the user by its hook.
class AbortoSilencioso : public std::exception {
  public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

}  // namespace velmora
