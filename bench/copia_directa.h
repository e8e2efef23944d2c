// What both floors do with one journal entry, straight through the client: the source read
// by its id, the target looked up by the document's key, the new id, the header and detail
// rows inserted from the fetched buffers, references looked up, master rows looked up and
// inserted. Statements are prepared once with parameters; target reads share one read-only
// read-committed transaction (per group: the group's); the writes go into a write transaction
// committed per apply, per entry, or per group of entries each behind its savepoint. The workloads
// only create documents, so the target never holds them.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "bench/cliente.h"
#include "transfer/grupo.h"

namespace velmora::banco {

// Where a floor commits its writes to the target.
enum class Confirmacion {
    PorAplicacion,  // one transaction per header, detail row, master row and journal copy
    PorEntrada,     // one transaction per journal entry, committed when its work is done
    PorGrupo,       // one transaction per group of entries, each entry behind SAVEPOINT ENTRADA
};

// When a group is committed: at this many entries, or once it has been open this long.
struct Agrupacion {
    int entradas = kEntradasPorGrupo;
    std::chrono::milliseconds duracion = kDuracionGrupo;
};

// The choices of the run that the floor mirrors.
struct ReglasCopia {
    bool idsNuevos = true;     // new ids from the target's views (online, and the receiver)
    bool reemplazar = true;    // vouchers: the key's vouchers are looked for to delete first
    bool ceroSiFalta = true;   // a receipt row whose invoice is not found gets reference 0
    std::string fechaBloqueo;  // vouchers dated before it stay where they are
    Confirmacion confirmacion = Confirmacion::PorEntrada;
    Agrupacion grupo;
};

class CopiaDirecta {
  public:
    CopiaDirecta(const std::string& fuente, const std::string& destino, ReglasCopia reglas);
    virtual ~CopiaDirecta();

  protected:
    // Starts the source's transaction (a snapshot) and the target's read transaction.
    void empezar();
    // Commits them and disconnects both databases.
    void terminar();

    // The entry's document or record, by its type: the workloads' invoices (31), receipts
    // (61), vouchers (1), accounts (100) and article units (124); other types copy nothing.
    void copiar(int tipo, int64_t idDoc, const std::string& codigo);
    // The start of an entry: per group, the group opened when none is, and the entry's
    // savepoint set (the same name each time: setting it replaces the previous one).
    void empezarEntrada();
    // The end of an entry; true when its writes were committed now or before (per group:
    // when the group is full or old enough and so committed).
    bool terminarEntrada();
    // Commits the open group, if any; true when there was one.
    bool confirmarGrupo();
    // Groups committed so far.
    long grupos() const { return grupos_; }

    Preparada& fuente(const std::string& texto);
    Preparada& destino(const std::string& texto);
    // The transaction of the next write: per apply a new one, per entry the entry's.
    Firebird::ITransaction* escritura();
    // The transaction of a target read: per group the group's, which sees the rows of its
    // earlier entries (a new id, a paid invoice); otherwise the shared read-only one.
    Firebird::ITransaction* lecturaDestino();
    // After each write: per apply, its commit.
    void escrito();

    Base fuente_, destino_;
    std::optional<TransaccionCliente> traFuente_, lectura_, escritura_;
    ReglasCopia reglas_;

  private:
    Preparada& preparar(Base& base, Firebird::ITransaction* tra, const std::string& texto);
    void confirmarEscritura();
    void insertar(Preparada& insercion, const Formato& f, unsigned char* fila);
    Preparada& insercion(const std::string& tabla, const Formato& f);
    int64_t nuevoId(const std::string& vista);
    void documento(int tipo, int64_t idDoc, const std::string& codigo);
    void referencia(const Formato& fd, unsigned char* fila);
    void comprobante(int64_t idDoc);
    void cuenta(const std::string& codigo);
    void unidades(const std::string& articulo);

    std::map<std::pair<bool, std::string>, std::unique_ptr<Preparada>> preparadas_;
    int entradasEnGrupo_ = 0;
    long grupos_ = 0;
    std::chrono::steady_clock::time_point inicioGrupo_;
};

}  // namespace velmora::banco
