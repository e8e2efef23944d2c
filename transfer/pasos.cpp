#include "transfer/pasos.h"

#include <cctype>

namespace velmora {

std::string Minusculas(std::string texto) {
    for (char& c : texto) c = char(std::tolower(static_cast<unsigned char>(c)));
    return texto;
}

void Abrir(ConjuntoEditable& conjunto, const std::string& texto) {
    conjunto.cerrar();
    conjunto.texto(texto);
    conjunto.abrir();
}

void Abrir(Consulta& consulta, const std::string& texto) {
    consulta.cerrar();
    consulta.texto(texto);
    consulta.abrir();
}

void Ejecutar(ConjuntoEditable& conjunto, const std::string& texto) {
    conjunto.cerrar();
    conjunto.texto(texto);
    conjunto.ejecutar();
}

void Ejecutar(SentenciaDestino& sentencia, const std::string& texto) {
    sentencia.texto(texto);
    sentencia.ejecutar();
}

bool Buscar(ConjuntoEditable& conjunto, const std::string& texto, Valor& resultado) {
    Abrir(conjunto, texto);
    const bool hay = !conjunto.vacio();
    if (hay) resultado = conjunto.valor(0);
    conjunto.cerrar();
    return hay;
}

std::vector<int64_t> BuscarIds(ConjuntoEditable& conjunto, const std::string& texto) {
    Abrir(conjunto, texto);
    std::vector<int64_t> ids;
    for (conjunto.primero(); !conjunto.fin(); conjunto.siguiente())
        ids.push_back(conjunto.valor(0).comoEntero());
    conjunto.cerrar();
    return ids;
}

}  // namespace velmora
