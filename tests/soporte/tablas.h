// Rows of any table of a database, by position: for tests that build a document of every
// catalog entry from the catalog's names.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace velmora::prueba {

struct Columna {
    std::string nombre;
    bool entera = false;
    bool requerida = false;  // NOT NULL without a default
};

// The columns of a table in position order, as the database defines them.
std::vector<Columna> Columnas(const std::string& ubicacion, const std::string& tabla);

// An INSERT with the given values by position; every other required column gets 1 or 'X'.
class Tablas {
  public:
    explicit Tablas(std::string ubicacion) : ubicacion_(std::move(ubicacion)) {}

    const std::vector<Columna>& columnas(const std::string& tabla);
    const std::string& nombre(const std::string& tabla, int posicion) {
        return columnas(tabla).at(posicion).nombre;
    }
    std::string fila(const std::string& tabla, const std::map<int, std::string>& valores);

  private:
    std::string ubicacion_;
    std::map<std::string, std::vector<Columna>> cache_;
};

// The time of the n-th journal entry of a test, one minute apart from 08:00, so that journal
// order is the order of n.
std::string HoraDeEntrada(int n);

// The documents whose header points at another: code -> (position of the reference, position
// of the code text that names the referenced document, -1 when it is named through the
// database that holds the referencing document).
const std::map<int, std::pair<int, int>>& ReferenciasDeEncabezado();

}  // namespace velmora::prueba
