// A prepared statement with its message buffers, and the conversion of values between
// those buffers and Valor. Internal to the session layer.
#pragma once

#include <firebird/Interface.h>

#include <string>
#include <vector>

#include "foundation/fb_api.h"
#include "foundation/sesion.h"

namespace velmora {

struct Mensaje {
    fb::Ref<Firebird::IMessageMetadata> metadatos;
    std::vector<Campo> campos;
    std::vector<unsigned> desplazamiento, desplazamientoNulo;
    std::vector<unsigned char> buffer;

    void describir(Firebird::IMessageMetadata* m);  // takes the reference
    unsigned cantidad() const { return unsigned(campos.size()); }
    Valor leer(unsigned i, Firebird::IAttachment* att, Firebird::ITransaction* tra) const;
    void escribir(unsigned i, const Valor& v, Firebird::IAttachment* att,
                  Firebird::ITransaction* tra);
};

class Sentencia {
  public:
    Sentencia(Firebird::IAttachment* att, Firebird::ITransaction* tra, const std::string& texto);
    ~Sentencia();
    // Frees the server's statement; never throws.
    void liberar() noexcept;

    Firebird::IStatement* get() const { return sentencia_.get(); }
    Mensaje entrada, salida;

    // Executes a statement without cursor; returns the number of rows it touched.
    uint64_t ejecutar(Firebird::ITransaction* tra);
    // Runs a select and hands every row's values to `fila`.
    template <class F>
    void recorrer(Firebird::IAttachment* att, Firebird::ITransaction* tra, F&& fila);

  private:
    fb::Ref<Firebird::IStatement> sentencia_;
};

// Normalises a value to the kind of a field: what asignar() stores.
Valor AjustarA(const Campo& campo, const Valor& v);

template <class F>
void Sentencia::recorrer(Firebird::IAttachment* att, Firebird::ITransaction* tra, F&& fila) {
    fb::Estado st;
    fb::Ref<Firebird::IResultSet> cursor(sentencia_->openCursor(
        &st, tra, entrada.cantidad() ? entrada.metadatos.get() : nullptr,
        entrada.cantidad() ? entrada.buffer.data() : nullptr, salida.metadatos.get(), 0));
    std::vector<Valor> valores(salida.cantidad());
    while (cursor->fetchNext(&st, salida.buffer.data()) == Firebird::IStatus::RESULT_OK) {
        for (unsigned i = 0; i < salida.cantidad(); ++i) valores[i] = salida.leer(i, att, tra);
        fila(valores);
    }
    cursor.Terminar([&](Firebird::IResultSet* c) { c->close(&st); });
}

}  // namespace velmora
