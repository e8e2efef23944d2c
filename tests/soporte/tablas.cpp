#include "tests/soporte/tablas.h"

#include <string>

#include "tests/soporte/documentos.h"
#include "tests/soporte/instalacion.h"

namespace velmora::prueba {

std::vector<Columna> Columnas(const std::string& ubicacion, const std::string& tabla) {
    std::vector<Columna> r;
    for (const auto& f :
         Consultar(ubicacion,
                   "SELECT TRIM(RF.RDB$FIELD_NAME), F.RDB$FIELD_TYPE, "
                   "COALESCE(RF.RDB$NULL_FLAG, F.RDB$NULL_FLAG, 0), "
                   "IIF(RF.RDB$DEFAULT_SOURCE IS NULL AND F.RDB$DEFAULT_SOURCE IS NULL, 0, 1) "
                   "FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = "
                   "RF.RDB$FIELD_SOURCE WHERE RF.RDB$RELATION_NAME = '" +
                       tabla + "' ORDER BY RF.RDB$FIELD_POSITION")) {
        const int64_t tipo = f[1].comoEntero();
        r.push_back({f[0].comoTexto(), tipo == 7 || tipo == 8 || tipo == 16,
                     f[2].comoEntero() == 1 && f[3].comoEntero() == 0});
    }
    return r;
}

const std::vector<Columna>& Tablas::columnas(const std::string& tabla) {
    auto it = cache_.find(tabla);
    if (it == cache_.end()) it = cache_.emplace(tabla, Columnas(ubicacion_, tabla)).first;
    return it->second;
}

std::string Tablas::fila(const std::string& tabla, const std::map<int, std::string>& valores) {
    std::vector<std::pair<std::string, std::string>> lista;
    const auto& cols = columnas(tabla);
    for (int p = 0; p < int(cols.size()); ++p) {
        auto v = valores.find(p);
        if (v != valores.end())
            lista.push_back({cols[p].nombre, v->second});
        else if (cols[p].requerida)
            lista.push_back({cols[p].nombre, cols[p].entera ? "1" : "'X'"});
    }
    return Insertar(tabla, lista);
}

std::string HoraDeEntrada(int n) {
    const int hora = 8 + n / 60, minuto = n % 60;
    return (hora < 10 ? "0" : "") + std::to_string(hora) + (minuto < 10 ? ":0" : ":") +
           std::to_string(minuto) + ":00";
}

const std::map<int, std::pair<int, int>>& ReferenciasDeEncabezado() {
    static const std::map<int, std::pair<int, int>> referencias = {
        {24, {24, 25}}, {33, {29, 28}}, {45, {23, -1}}, {55, {22, -1}}};
    return referencias;
}

}  // namespace velmora::prueba
