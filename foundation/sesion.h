// Database sessions and result sets of the programs.
//
// Origin-style sessions (SesionOrigen) hold named transactions that start at their first
// use, with the server's default options (snapshot, wait, read-write) unless given others,
// and are committed when the session is disconnected or destroyed. Their queries (Consulta)
// fetch their rows at open, or one by one as a stream.
//
// The target session (SesionDestino) keeps no transaction of its own: its editable result
// sets (ConjuntoEditable) hold rows in memory, record inserts, edits and deletions, and write
// them back with one apply, in one read-committed transaction; single statements are
// committed as they complete. While a group of journal entries (GrupoEntradas) stands, all
// of that runs inside the group's transaction instead, each entry behind a savepoint of its
// own, and nothing is committed before the group is.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "foundation/error.h"
#include "foundation/valor.h"

namespace Firebird {
class IAttachment;
class ITransaction;
}  // namespace Firebird

namespace velmora {

// Data types of fields, as the copy procedures distinguish them. FMTBcd is the exact
// numeric type: NUMERIC and DECIMAL columns.
enum class TipoDato {
    Texto,      // VARCHAR
    TextoFijo,  // CHAR
    Smallint,
    Entero,
    Largeint,
    FMTBcd,
    Real,
    Fecha,
    Hora,
    FechaHora,
    Blob,
    Memo,  // text blob
    Booleano,
    Desconocido,
};

struct Campo {
    std::string nombre;    // as the select names it (alias)
    std::string columna;   // the table column behind it, empty for an expression
    std::string tabla;     // the table of that column
    unsigned tipoSql = 0;  // SQL_* code, nullable bit removed
    int subtipo = 0;
    int escala = 0;
    unsigned longitud = 0;  // bytes
    bool admiteNulo = true;

    TipoDato tipoDato() const;
    bool requerido() const { return !admiteNulo; }
};

// A current row of named, typed fields: what CopiarCampos reads from.
class FilaLectura {
  public:
    virtual ~FilaLectura() = default;
    virtual int cantidadCampos() const = 0;
    virtual const Campo& campo(int posicion) const = 0;
    virtual const Valor& valor(int posicion) const = 0;

    // Raises ErrorBaseDatos when there is no field of that name (names are compared
    // without regard to case).
    int posicion(std::string_view nombre) const;
    const Valor& valor(std::string_view nombre) const { return valor(posicion(nombre)); }
    const Valor& valor(const char* nombre) const { return valor(posicion(nombre)); }

    // Tells one set of fields from another: a new number whenever the fields change (the set
    // is opened again, or its fields reordered), unique among every row of the process. What
    // a copy has learned about the fields holds while the number stays.
    uint64_t juegoDeCampos() const { return juego_; }

  protected:
    void camposCambiados();

  private:
    uint64_t juego_ = 0;
};

class Sentencia;
struct Mensaje;

// A database connection: location, user and password are set before connecting. It
// prepares each statement text once and keeps it prepared while connected.
class Conexion {
  public:
    explicit Conexion(std::string nombre);
    virtual ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    const std::string& nombre() const { return nombre_; }
    void ubicacion(std::string valor) { ubicacion_ = std::move(valor); }
    const std::string& ubicacion() const { return ubicacion_; }
    void usuario(std::string valor) { usuario_ = std::move(valor); }
    const std::string& usuario() const { return usuario_; }
    void clave(std::string valor) { clave_ = std::move(valor); }

    void conectar();
    virtual void desconectar();
    bool conectada() const { return atachado_ != nullptr; }
    // From another thread: the operation in progress on the connection fails with the
    // server's "operation was cancelled" (a lock wait included). Never throws.
    void cancelarOperacion() noexcept;

    // Internal to the session layer.
    Firebird::IAttachment* atachado() const;
    Sentencia& preparar(Firebird::ITransaction* transaccion, const std::string& texto);
    // The statement of that text when it is prepared already, otherwise null.
    Sentencia* preparada(const std::string& texto);
    // A statement text that carries its values as literals: prepared once with parameters
    // in their place, and bound to this text's values. Texts the server cannot take with
    // parameters there are prepared as they are.
    Sentencia& prepararTexto(Firebird::ITransaction* transaccion, const std::string& texto);

    // Sees the text of every statement that the session's queries and result sets run, as
    // composed by the caller (a trace for diagnosis and for the tests).
    std::function<void(const std::string& texto)> monitor;
    Firebird::ITransaction* iniciarTransaccion(const unsigned char* tpb, unsigned largo);
    size_t sentenciasPreparadas() const { return recientes_.size(); }

  protected:
    void liberarSentencias() noexcept;

  private:
    std::string nombre_, ubicacion_, usuario_, clave_;
    Firebird::IAttachment* atachado_ = nullptr;
    // Prepared statements, most recently used first.
    using Preparada = std::pair<std::string, std::unique_ptr<Sentencia>>;
    std::list<Preparada> recientes_;
    std::unordered_map<std::string, std::list<Preparada>::iterator> porTexto_;
    std::unordered_set<std::string> sinParametros_;
};

class SesionOrigen;
class Consulta;

// Transaction options: read committed (record version), read-write, waiting for another
// user's lock at most `esperaSegundos` (0: without end; below 0: not at all).
std::vector<unsigned char> OpcionesLecturaConfirmada(int esperaSegundos);

// A named transaction of an origin-style session: starts by itself at its first use.
class Transaccion {
  public:
    // Without options, the server's default ones.
    Transaccion(SesionOrigen& sesion, std::string nombre,
                std::vector<unsigned char> opciones = {});
    // For the next start.
    void opciones(std::vector<unsigned char> valor) { opciones_ = std::move(valor); }
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;

    const std::string& nombre() const { return nombre_; }
    SesionOrigen& sesion() const { return sesion_; }
    void confirmar();
    void deshacer();
    // Starts the transaction when it is not active yet.
    Firebird::ITransaction* manejador();
    // Never throws: used when the session goes away.
    void confirmarAlCerrar() noexcept;

  private:
    friend class Consulta;
    // Streams open in the transaction: closed before it ends.
    void cerrarFlujos() noexcept;
    std::vector<Consulta*> flujos_;
    SesionOrigen& sesion_;
    std::string nombre_;
    std::vector<unsigned char> opciones_;
    Firebird::ITransaction* manejador_ = nullptr;
};

// DbCia, DbGeneral, DbGeneraldes, DBsop: transactions still open when the session is
// disconnected or destroyed are committed.
class SesionOrigen : public Conexion {
  public:
    using Conexion::Conexion;
    ~SesionOrigen() override;
    void desconectar() override;

  private:
    friend class Transaccion;
    std::vector<Transaccion*> transacciones_;
};

// A read query or statement of an origin-style session, bound to one of its transactions
// (QAuditor, QCopia, QCopiadet ...). Open fetches every row of the select.
class Consulta : public FilaLectura {
  public:
    Consulta(Transaccion& transaccion, std::string nombre);
    ~Consulta() override;

    void texto(std::string valor);
    const std::string& texto() const { return texto_; }
    void abrir();
    // Opens the select as a stream: its rows are fetched one by one as the query moves on
    // (siguiente), never held together, so that memory does not grow with them. A stream
    // goes forward only and knows no count of its rows.
    void abrirFlujo();
    void cerrar();
    bool abierta() const { return abierta_; }
    // Runs the statement text inside the transaction; nothing is committed.
    void ejecutar();

    bool vacia() const { return flujo_ ? fin() : cantidad_ == 0; }
    int cantidadRegistros() const { return int(cantidad_); }
    void primero() { actual_ = 0; }
    void siguiente();
    void ultimo() { actual_ = cantidad_ == 0 ? 0 : cantidad_ - 1; }
    bool fin() const { return flujo_ ? finFlujo_ : actual_ >= cantidad_; }

    int cantidadCampos() const override { return int(campos_.size()); }
    const Campo& campo(int posicion) const override;
    const Valor& valor(int posicion) const override;
    using FilaLectura::valor;

  private:
    void guardar(const unsigned char* mensaje);
    const std::vector<Valor>& filaActual() const;

    Transaccion& transaccion_;
    std::string nombre_, texto_;
    bool abierta_ = false;
    std::vector<Campo> campos_;
    size_t cantidad_ = 0, actual_ = 0;
    // A journal of many thousand rows is fetched whole: rows without large objects are kept
    // as the server's messages, a fraction of the size of their values, in blocks, and read
    // into values as they are visited. Rows with large objects are kept as values, their
    // objects read while the transaction stands.
    std::unique_ptr<struct Mensaje> formato_;
    std::vector<std::vector<unsigned char>> bloques_;
    size_t porBloque_ = 1;
    std::vector<std::vector<Valor>> filas_;
    mutable std::vector<Valor> leida_;
    mutable size_t filaLeida_ = SIZE_MAX;
    // A stream: its own statement (the session's prepared ones may be dropped while it is
    // open) and the server's cursor.
    struct Flujo;
    std::unique_ptr<Flujo> flujo_;
    bool finFlujo_ = false;
};

class GrupoEntradas;

// DBEnvio: read committed (record version), keeps trailing blanks; waits on locks, without
// end unless a bound is set.
class SesionDestino : public Conexion {
  public:
    using Conexion::Conexion;
    ~SesionDestino() override;
    // Rolls back the work of a group that has not been committed.
    void desconectar() override;
    // Runs a statement in a transaction of its own, committed when it completes; inside the
    // group's transaction while one stands.
    void ejecutar(const std::string& texto);
    // How long a write waits for another user's lock before it fails (seconds; 0: without
    // end). For the transactions started from now on.
    void esperaBloqueo(int segundos) { esperaBloqueo_ = segundos; }

    // Internal to the session layer.
    // Reads share one read-only read-committed transaction, which sees every commit as it
    // happens and holds nothing back; started at the first read, ended at disconnect. While
    // a group stands, reads run in its transaction and see its own writes.
    Firebird::ITransaction* lectura();
    // The group's transaction, for a write of the entry in progress: started at its first
    // use, with the entry's savepoint set before its first write; null when no group stands.
    Firebird::ITransaction* escrituraGrupo();
    Firebird::ITransaction* iniciarEscritura();

    // How the columns of a target table stand against those of the source copied into it:
    // compared at the first copy of that pair of tables while connected.
    struct OrdenColumnas {
        // For each column in the source's order, its position in the target's; empty when
        // both have the same order.
        std::vector<int> desde;
        // Not empty when the two tables do not hold the same columns: what is missing where.
        std::string diferencia;
    };
    const OrdenColumnas& ordenColumnas(const FilaLectura& origen,
                                       const std::vector<Campo>& destino);

    // What the copy procedures learn about the target's tables once and keep while connected:
    // forgotten at disconnect, so each run learns it anew.
    template <class T>
    T& recuerdo(const std::string& clave) {
        std::shared_ptr<void>& r = recuerdos_[clave];
        if (!r) r = std::make_shared<T>();
        return *static_cast<T*>(r.get());
    }

  private:
    friend class GrupoEntradas;
    void terminarLectura() noexcept;
    void deshacerGrupo() noexcept;
    Firebird::ITransaction* transaccionGrupo();
    std::unordered_map<std::string, OrdenColumnas> ordenes_;
    std::unordered_map<std::string, std::shared_ptr<void>> recuerdos_;
    Firebird::ITransaction* lectura_ = nullptr;
    int esperaBloqueo_ = 0;
    bool enGrupo_ = false;
    bool puntoEntrada_ = false;  // the entry in progress has its savepoint
    Firebird::ITransaction* grupo_ = nullptr;
};

// The target's work of consecutive journal entries, in one read-committed transaction. Each
// entry stands behind a savepoint of its own (set at its first write; one name for all, as a
// new savepoint of a name replaces the old one), so that an entry that fails is undone whole
// while the entries before it stay; the group takes effect at its commit, or not at all: a
// stopped process or an error that ends the run leaves nothing of it. Not committed at its
// end: rolled back.
class GrupoEntradas {
  public:
    explicit GrupoEntradas(SesionDestino& sesion);
    ~GrupoEntradas();
    GrupoEntradas(const GrupoEntradas&) = delete;
    GrupoEntradas& operator=(const GrupoEntradas&) = delete;

    // The next entry's work starts here.
    void iniciarEntrada() { sesion_.puntoEntrada_ = false; }
    // Undoes the work of the entry in progress, and only that.
    void deshacerEntrada();
    // Commits the work of the group's entries; the next entry starts a new transaction.
    void confirmar();

  private:
    SesionDestino& sesion_;
};

// Qcopiades: a statement on the target, committed on completion.
class SentenciaDestino {
  public:
    SentenciaDestino(SesionDestino& sesion, std::string nombre)
        : sesion_(sesion), nombre_(std::move(nombre)) {}
    void texto(std::string valor) { texto_ = std::move(valor); }
    const std::string& texto() const { return texto_; }
    void ejecutar() { sesion_.ejecutar(texto_); }

  private:
    SesionDestino& sesion_;
    std::string nombre_, texto_;
};

// Components that a window owns, in the order they were created, so that the error hooks
// can be wired over all of them.
class Componente {
  public:
    Componente(Componente* propietario, std::string nombre);
    virtual ~Componente();
    Componente(const Componente&) = delete;
    Componente& operator=(const Componente&) = delete;

    const std::string& nombre() const { return nombre_; }
    const std::vector<Componente*>& componentes() const { return componentes_; }

  private:
    Componente* propietario_;
    std::string nombre_;
    std::vector<Componente*> componentes_;
};

class ConjuntoEditable;

enum class TipoActualizacion { Modificar, Insertar, Borrar };
enum class RespuestaError { Abortar };

// Apply component (PDestino, PIdfact, PBorrar): turns the pending changes of its result
// set into statements; its hook sees every change that fails.
class ProveedorAplicacion : public Componente {
  public:
    using Componente::Componente;
    using Gancho = std::function<RespuestaError(ProveedorAplicacion&, ConjuntoEditable&,
                                                const ErrorBaseDatos&, TipoActualizacion)>;
    Gancho alFallarActualizacion;
};

// Editable in-memory result set (CDestino, CIdfact, CBorrar, Ctipodoc).
//
// Rows are fetched when they are first read, all at once; a set that is changed before any
// of its rows was read never fetches them (an insert-only use does not load the table).
class ConjuntoEditable : public Componente, public FilaLectura {
  public:
    using GanchoFila = std::function<RespuestaError(ConjuntoEditable&, const ErrorBaseDatos&)>;

    // A result set over the target, written back through its apply component.
    ConjuntoEditable(Componente* propietario, std::string nombre, ProveedorAplicacion& proveedor,
                     SesionDestino& sesion);
    // A table held in memory only, with the given fields.
    ConjuntoEditable(Componente* propietario, std::string nombre, std::vector<Campo> campos);
    ~ConjuntoEditable() override;

    GanchoFila alFallarPublicar, alFallarEditar, alFallarBorrar;

    void texto(std::string valor) { texto_ = std::move(valor); }
    const std::string& texto() const { return texto_; }
    // The target it reads and writes; null for a table held in memory only.
    SesionDestino* sesion() const { return sesion_; }
    // Its apply component; null for a table held in memory only.
    ProveedorAplicacion* proveedor() const { return proveedor_; }
    void abrir();
    void cerrar();
    bool abierto() const { return abierto_; }
    // Runs the statement text on the target without result, committed on completion.
    void ejecutar();

    bool vacio();
    int cantidadRegistros();
    void primero();
    void siguiente();
    bool fin();

    int cantidadCampos() const override { return int(campos_.size()); }
    const Campo& campo(int posicion) const override;
    // The current row; while inserting or editing, the row being edited.
    const Valor& valor(int posicion) const override;
    using FilaLectura::valor;
    TipoDato tipoDato(int posicion) const { return campo(posicion).tipoDato(); }

    // Puts the fields in the order of `origen`'s, matched by column name, so that every
    // position names the same column on both sides (writes go to the columns by name).
    // Raises ErrorEntrada when the target's table and the source's do not hold the same
    // columns. Once per set of fields on each side: a copy of many rows pays it once.
    void ordenarComo(const FilaLectura& origen);

    // Writes a value, converted to the field's kind; exact numerics take the field's scale.
    void asignar(int posicion, const Valor& valor);
    void asignar(std::string_view nombre, const Valor& v) { asignar(posicion(nombre), v); }
    void asignarMoneda(int posicion, Moneda valor) { asignar(posicion, Valor::moneda(valor)); }

    void insertar();
    void editar();
    void borrar();
    void publicar();
    void cancelar();

    // Writes the pending changes back in one transaction, or inside the group's transaction
    // while one stands; returns the number of failed changes (the first failure stops the
    // apply and undoes all of its changes, and only those). A change that another user's lock
    // held past the session's bound, or that a stop request cancelled, is no failure of the
    // apply: its error is raised, after the apply is undone.
    int aplicar(int maximoErrores);

  private:
    struct Fila;
    enum class Modo { Navegar, Insertar, Editar };

    void cargarSiHaceFalta();
    void reordenar(const std::vector<int>& desde);
    Fila& filaActual();
    const Fila* filaActualSiHay() const;
    [[noreturn]] void fallaFila(const GanchoFila& gancho, const ErrorBaseDatos& error);
    void exigirAbierto() const;
    std::string tablaDeActualizacion() const;
    void aplicarCambio(Firebird::ITransaction* transaccion, const std::string& tabla,
                       const Fila& fila);
    struct Fallo {
        ErrorBaseDatos error;
        TipoActualizacion tipo;
    };
    // Runs every pending change in `transaccion` up to the first that fails.
    std::optional<Fallo> aplicarCambios(Firebird::ITransaction* transaccion);

    ProveedorAplicacion* proveedor_ = nullptr;
    SesionDestino* sesion_ = nullptr;
    std::string texto_;
    bool abierto_ = false;
    bool cargado_ = false;
    std::vector<Campo> campos_;
    // For each field, its position in the statement's result; empty while in the statement's
    // order.
    std::vector<int> deSentencia_;
    uint64_t ordenadoPara_ = 0;  // the source's juegoDeCampos() the fields are ordered for
    std::vector<std::shared_ptr<Fila>> filas_;
    std::vector<std::shared_ptr<Fila>> pendientes_;  // in the order the changes were made
    size_t actual_ = 0;
    Modo modo_ = Modo::Navegar;
    std::shared_ptr<Fila> edicion_;
};

// Copies the current row of `origen` into the current (inserted or edited) row of
// `destino`, column by column, from `primera` to the last, in the source's order of
// columns: each value goes to the target column of its own name, whatever the order of the
// target's table (see ordenarComo, which raises ErrorEntrada when the two tables do not
// hold the same columns). Exact numeric targets go through a four-decimal currency value (a
// null reads as 0); every other target takes the source value as it is. After the copy,
// the target's positions are the source's.
void CopiarCampos(const FilaLectura& origen, ConjuntoEditable& destino, int primera);
// The same copy of every column with plain values: exact numerics keep their own scale.
void CopiarValores(const FilaLectura& origen, ConjuntoEditable& destino);

}  // namespace velmora
