// Dialogs for the tests: every call is recorded in order and confirmations are answered
// from prepared answers, so that a test can check exactly what a person would have seen.
#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "foundation/dialogos.h"

namespace velmora {

struct Llamada {
    enum class Tipo { kMensaje, kError, kConfirmar, kPitido };
    Tipo tipo;
    std::string texto;  // Windows-1252 bytes; empty for a beep

    bool operator==(const Llamada&) const = default;
};

// Shorthands for the expected sequence: EXPECT_EQ(d.llamadas(), (std::vector<Llamada>{
//     Mensaje("a"), Pitido(), Error("b")}));
inline Llamada Mensaje(std::string texto) {
    return {Llamada::Tipo::kMensaje, std::move(texto)};
}
inline Llamada Error(std::string texto) {
    return {Llamada::Tipo::kError, std::move(texto)};
}
inline Llamada Confirmacion(std::string texto) {
    return {Llamada::Tipo::kConfirmar, std::move(texto)};
}
inline Llamada Pitido() {
    return {Llamada::Tipo::kPitido, {}};
}

// Readable in test failures: the kind and the text in UTF-8.
void PrintTo(const Llamada& llamada, std::ostream* salida);

class DialogosGrabados : public Dialogos {
  public:
    explicit DialogosGrabados(bool respuestaPorDefecto = true)
        : respuestaPorDefecto_(respuestaPorDefecto) {}

    void mensaje(const std::string& texto) override;
    void error(const std::string& texto) override;
    bool confirmar(const std::string& texto) override;
    void pitido() override;

    // Answers for the next confirmations, in order; once used up, the default answer.
    void responder(std::initializer_list<bool> respuestas);
    void respuestaPorDefecto(bool respuesta) { respuestaPorDefecto_ = respuesta; }

    const std::vector<Llamada>& llamadas() const { return llamadas_; }
    // The texts of the plain message boxes only, in order.
    std::vector<std::string> mensajes() const;
    void olvidar() { llamadas_.clear(); }

    // Called with every dialog as it is recorded, before it is answered: a test looks at the
    // windows while the dialog would be open.
    std::function<void(const Llamada&)> alLlamar;

  private:
    void grabar(Llamada llamada);
    std::vector<Llamada> llamadas_;
    std::deque<bool> respuestas_;
    bool respuestaPorDefecto_;
};

}  // namespace velmora
