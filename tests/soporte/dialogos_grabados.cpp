#include "tests/soporte/dialogos_grabados.h"

#include "foundation/texto.h"

namespace velmora {

void PrintTo(const Llamada& llamada, std::ostream* salida) {
    static constexpr const char* kNombres[] = {"mensaje", "error", "confirmar", "pitido"};
    *salida << kNombres[static_cast<int>(llamada.tipo)];
    if (llamada.tipo != Llamada::Tipo::kPitido) {
        *salida << "(\"" << Utf8DeWindows1252(llamada.texto) << "\")";
    }
}

void DialogosGrabados::grabar(Llamada llamada) {
    llamadas_.push_back(llamada);
    if (alLlamar) alLlamar(llamada);
}

void DialogosGrabados::mensaje(const std::string& texto) {
    grabar(Mensaje(texto));
}

void DialogosGrabados::error(const std::string& texto) {
    grabar(Error(texto));
}

bool DialogosGrabados::confirmar(const std::string& texto) {
    grabar(Confirmacion(texto));
    if (respuestas_.empty()) return respuestaPorDefecto_;
    const bool respuesta = respuestas_.front();
    respuestas_.pop_front();
    return respuesta;
}

void DialogosGrabados::pitido() {
    grabar(Pitido());
}

void DialogosGrabados::responder(std::initializer_list<bool> respuestas) {
    respuestas_.insert(respuestas_.end(), respuestas);
}

std::vector<std::string> DialogosGrabados::mensajes() const {
    std::vector<std::string> textos;
    for (const Llamada& llamada : llamadas_) {
        if (llamada.tipo == Llamada::Tipo::kMensaje) textos.push_back(llamada.texto);
    }
    return textos;
}

}  // namespace velmora
