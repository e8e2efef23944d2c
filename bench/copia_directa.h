// What both floors do with one journal entry, straight through the client: the source read
// by its id, the target looked up by the document's key, the new id, the header and detail
// rows inserted from the fetched buffers, references looked up, master rows looked up and
// inserted. Statements are prepared once with parameters; target reads share one read-only
// read-committed transaction; the writes go into a write transaction committed per apply or
// per entry. The workloads only create documents, so the target never holds them.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "bench/cliente.h"

namespace velmora::banco {

// Where a floor commits its writes to the target.
enum class Confirmacion {
    PorAplicacion,  // one transaction per header, detail row, master row and journal copy
    PorEntrada,     // one transaction per journal entry, committed when its work is done
};

// The choices of the run that the floor mirrors.
struct ReglasCopia {
    bool idsNuevos = true;     // new ids from the target's views (online, and the receiver)
    bool reemplazar = true;    // vouchers: the key's vouchers are looked for to delete first
    bool ceroSiFalta = true;   // a receipt row whose invoice is not found gets reference 0
    std::string fechaBloqueo;  // vouchers dated before it stay where they are
    Confirmacion confirmacion = Confirmacion::PorEntrada;
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
    // The end of an entry: its writes committed.
    void terminarEntrada();

    Preparada& fuente(const std::string& texto);
    Preparada& destino(const std::string& texto);
    // The transaction of the next write: per apply a new one, per entry the entry's.
    Firebird::ITransaction* escritura();
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
};

}  // namespace velmora::banco
