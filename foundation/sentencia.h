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
    bool conObjetosGrandes() const;
    // The value of field i of the message in `datos` (a message of this layout), or of the
    // buffer. Large objects are read through the attachment and transaction.
    Valor leer(unsigned i, const unsigned char* datos, Firebird::IAttachment* att,
               Firebird::ITransaction* tra) const;
    Valor leer(unsigned i, Firebird::IAttachment* att, Firebird::ITransaction* tra) const {
        return leer(i, buffer.data(), att, tra);
    }
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

    // The values of the literals taken out of a statement text, each described as it was
    // written (text of its length, integer or decimal), so that one prepared statement
    // serves every value. Until fijarLiterales, executions take `entrada`.
    void fijarLiterales(const std::vector<Valor>& valores, Firebird::IAttachment* att,
                        Firebird::ITransaction* tra);
    void sinLiterales() { conLiterales_ = false; }

    // Executes a statement without cursor.
    void ejecutar(Firebird::ITransaction* tra);
    // The same, returning the number of rows it touched (one more request to a server).
    uint64_t ejecutarContando(Firebird::ITransaction* tra);
    // Opens a cursor of a select, for rows fetched one by one into `salida.buffer`.
    fb::Ref<Firebird::IResultSet> abrirCursor(Firebird::ITransaction* tra);
    // Runs a select and hands every row's values to `fila`.
    template <class F>
    void recorrer(Firebird::IAttachment* att, Firebird::ITransaction* tra, F&& fila);
    // The same, handing every row as the server's message (of salida's layout).
    template <class F>
    void recorrerMensajes(Firebird::ITransaction* tra, F&& mensaje);

  private:
    const Mensaje& entradaEnUso() const { return conLiterales_ ? literales_ : entrada; }

    fb::Ref<Firebird::IStatement> sentencia_;
    Mensaje literales_;
    std::vector<int> formaLiterales_;  // text length (> 0) or decimal scale - 1 (<= -1)
    bool conLiterales_ = false;
};

// Takes the literal values (quoted texts and plain numbers) out of a select, insert, update
// or delete text, leaving a "?" for each. False when the text is of another kind or has
// nothing to take out.
bool SepararLiterales(const std::string& texto, std::string& plantilla,
                      std::vector<Valor>& valores);

// Normalises a value to the kind of a field: what asignar() stores.
Valor AjustarA(const Campo& campo, const Valor& v);

template <class F>
void Sentencia::recorrerMensajes(Firebird::ITransaction* tra, F&& mensaje) {
    fb::Estado st;
    const Mensaje& in = entradaEnUso();
    fb::Ref<Firebird::IResultSet> cursor(sentencia_->openCursor(
        &st, tra, in.cantidad() ? in.metadatos.get() : nullptr,
        in.cantidad() ? const_cast<unsigned char*>(in.buffer.data()) : nullptr,
        salida.metadatos.get(), 0));
    while (cursor->fetchNext(&st, salida.buffer.data()) == Firebird::IStatus::RESULT_OK)
        mensaje(static_cast<const unsigned char*>(salida.buffer.data()));
    cursor.Terminar([&](Firebird::IResultSet* c) { c->close(&st); });
}

template <class F>
void Sentencia::recorrer(Firebird::IAttachment* att, Firebird::ITransaction* tra, F&& fila) {
    std::vector<Valor> valores(salida.cantidad());
    recorrerMensajes(tra, [&](const unsigned char* datos) {
        for (unsigned i = 0; i < salida.cantidad(); ++i)
            valores[i] = salida.leer(i, datos, att, tra);
        fila(valores);
    });
}

}  // namespace velmora
