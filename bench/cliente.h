// The floors' own access to Firebird: straight through the client's object-oriented API,
// with statements prepared once, rows kept in the client's message buffers and handed to
// the inserts as they are. Nothing of the session layer is used here, so a floor costs what
// the database work costs.
#pragma once

#include <firebird/Interface.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/fb_api.h"

namespace velmora::banco {

// Read-committed (record version), waiting on locks: what the target session uses.
extern const unsigned char kTpbEscritura[5];
extern const unsigned char kTpbLectura[5];
// The same write transaction with a bounded lock wait (isc_tpb_lock_timeout, in seconds):
// what a group of entries and a group's marks use.
extern const unsigned char kTpbGrupo[8];
inline constexpr unsigned char kEsperaBloqueoSegundos = 30;

// The layout of a message: types and offsets, read once.
struct Formato {
    fb::Ref<Firebird::IMessageMetadata> meta;
    std::vector<unsigned> tipo, largo, desp, nulo;
    unsigned tamano = 0;

    void describir(Firebird::IMessageMetadata* m);
    unsigned cantidad() const { return unsigned(tipo.size()); }
};

using Fila = std::vector<unsigned char>;

template <class T>
T Tomar(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
void Poner(unsigned char* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

bool EsNulo(const Formato& f, const unsigned char* b, unsigned i);
// Integers and exact numerics as their raw mantissa.
int64_t Entero(const Formato& f, const unsigned char* b, unsigned i);
std::string Texto(const Formato& f, const unsigned char* b, unsigned i);
void PonerEntero(const Formato& f, unsigned char* b, unsigned i, int64_t v);
void PonerTexto(const Formato& f, unsigned char* b, unsigned i, const std::string& t);

class TransaccionCliente {
  public:
    TransaccionCliente(Firebird::IAttachment* att, const unsigned char* tpb, unsigned largo);
    ~TransaccionCliente();  // rolls back what was not committed
    Firebird::ITransaction* get() const { return t_.get(); }
    void confirmar();

  private:
    fb::Ref<Firebird::ITransaction> t_;
};

// An attachment with the benchmark's user, connection charset NONE, dialect 3.
class Base {
  public:
    explicit Base(const std::string& ubicacion);
    ~Base();
    void desconectar();
    Firebird::IAttachment* get() const { return att_.get(); }

  private:
    fb::Ref<Firebird::IAttachment> att_;
};

// A statement prepared once, with its parameter and row buffers.
class Preparada {
  public:
    Preparada(Firebird::IAttachment* att, Firebird::ITransaction* tra, const std::string& texto);
    ~Preparada();

    Formato entrada, salida;
    Fila parametros, fila;

    // With the statement's own parameters, or with another message (a fetched row).
    void ejecutar(Firebird::ITransaction* tra);
    void ejecutar(Firebird::ITransaction* tra, const Formato* mensaje, unsigned char* datos);
    // The first row into `fila`; false when there is none.
    bool leerUna(Firebird::ITransaction* tra);
    // Every row, copied.
    std::vector<Fila> leerTodas(Firebird::ITransaction* tra);

    // Row by row: the statement's open cursor, each fetch into `fila`.
    class Cursor {
      public:
        Cursor(Preparada& p, Firebird::ITransaction* tra);
        ~Cursor();
        Cursor(const Cursor&) = delete;
        Cursor& operator=(const Cursor&) = delete;
        // The next row into the statement's `fila`; false at the end.
        bool siguiente();
        void cerrar();

      private:
        Preparada& p_;
        fb::Ref<Firebird::IResultSet> cursor_;
    };

  private:
    template <class F>
    void recorrer(Firebird::ITransaction* tra, F&& otra);

    fb::Ref<Firebird::IStatement> st_;
};

// Copies a large object of one database into a new one of another, in `escritura`.
ISC_QUAD CopiarBlob(Firebird::IAttachment* desde, Firebird::ITransaction* lectura, ISC_QUAD id,
                    Firebird::IAttachment* hacia, Firebird::ITransaction* escritura);
// Replaces every non-null large object of a fetched row by its copy in the other database.
void CopiarBlobs(const Formato& f, unsigned char* fila, Firebird::IAttachment* desde,
                 Firebird::ITransaction* lectura, Firebird::IAttachment* hacia,
                 Firebird::ITransaction* escritura);

// "?, ?, ..." for an insert of n columns.
std::string Columnas(size_t n);

}  // namespace velmora::banco
