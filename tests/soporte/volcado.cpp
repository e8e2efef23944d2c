#include "tests/soporte/volcado.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <stdexcept>

#include "foundation/sesion.h"
#include "foundation/texto.h"
#include "tests/soporte/instalacion.h"

namespace velmora::prueba {

namespace {

struct TablaLeida {
    std::vector<std::string> columnas;
    std::vector<std::vector<Valor>> filas;

    size_t posicion(const std::string& columna) const {
        auto it = std::find(columnas.begin(), columnas.end(), columna);
        if (it == columnas.end()) throw std::invalid_argument("no column " + columna);
        return size_t(it - columnas.begin());
    }
};

// Every user table of the database, read by its owner in one transaction.
std::map<std::string, TablaLeida> Leer(const std::string& ubicacion) {
    SesionOrigen sesion("volcado");
    sesion.ubicacion(ubicacion);
    sesion.usuario(kAdministrador);
    sesion.clave(kClaveAdministrador);
    sesion.conectar();
    Transaccion tr(sesion, "tr");
    Consulta q(tr, "q");
    q.texto(
        "SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0 AND "
        "RDB$VIEW_BLR IS NULL ORDER BY 1");
    q.abrir();
    std::vector<std::string> nombres;
    for (q.primero(); !q.fin(); q.siguiente()) nombres.push_back(q.valor(0).comoTexto());
    q.cerrar();

    std::map<std::string, TablaLeida> tablas;
    for (const auto& nombre : nombres) {
        TablaLeida& t = tablas[nombre];
        q.texto("SELECT * FROM " + nombre);
        q.abrir();
        for (int i = 0; i < q.cantidadCampos(); ++i) t.columnas.push_back(q.campo(i).nombre);
        for (q.primero(); !q.fin(); q.siguiente()) {
            std::vector<Valor> fila;
            for (int i = 0; i < q.cantidadCampos(); ++i) fila.push_back(q.valor(i));
            t.filas.push_back(std::move(fila));
        }
        q.cerrar();
    }
    sesion.desconectar();
    return tablas;
}

std::string Texto(const Valor& v) {
    return v.esNulo() ? "<null>" : v.comoTexto();
}

std::string Unir(const std::vector<std::string>& campos) {
    std::string r;
    for (size_t i = 0; i < campos.size(); ++i) r += (i ? "|" : "") + campos[i];
    return r;
}

}  // namespace

Contenido Volcar(const std::string& ubicacion) {
    Contenido c;
    for (const auto& [nombre, t] : Leer(ubicacion)) {
        auto& filas = c.tablas[nombre];
        for (const auto& fila : t.filas) {
            std::vector<std::string> campos;
            for (const Valor& v : fila) campos.push_back(Texto(v));
            filas.push_back(Unir(campos));
        }
        std::sort(filas.begin(), filas.end());
    }
    return c;
}

Contenido VolcarPorLlave(const std::string& ubicacion,
                         const std::vector<TablaDocumento>& documentos,
                         const std::vector<ColumnaReferencia>& referencias) {
    const std::map<std::string, TablaLeida> tablas = Leer(ubicacion);
    Contenido c;

    // Header table -> the business key of each header by id; detail table -> its header table.
    std::map<std::string, std::map<std::string, std::string>> llaves;
    std::map<std::string, std::string> encabezadoDe;
    for (const TablaDocumento& d : documentos) {
        const TablaLeida& t = tablas.at(d.encabezado);
        std::vector<size_t> posiciones;
        for (const auto& columna : d.llave) posiciones.push_back(t.posicion(columna));
        std::map<std::string, int> vistas;
        for (const auto& fila : t.filas) {
            std::vector<std::string> partes;
            for (size_t p : posiciones) partes.push_back(Texto(fila[p]));
            const std::string llave = "[" + Unir(partes) + "]";
            llaves[d.encabezado][Texto(fila[0])] = llave;
            if (++vistas[llave] == 2) c.llavesRepetidas.push_back(d.encabezado + " " + llave);
        }
        for (const auto& detalle : d.detalles) encabezadoDe[detalle] = d.encabezado;
    }
    auto llaveDe = [&](const std::string& encabezado, const std::string& id) {
        const auto& porId = llaves.at(encabezado);
        auto it = porId.find(id);
        return it == porId.end() ? "?" + id : it->second;
    };

    for (const auto& [nombre, t] : tablas) {
        const bool esEncabezado = llaves.count(nombre) > 0;
        auto detalle = encabezadoDe.find(nombre);
        std::vector<std::pair<size_t, const ColumnaReferencia*>> refs;
        for (const ColumnaReferencia& r : referencias)
            if (r.tabla == nombre) refs.push_back({t.posicion(r.columna), &r});

        auto& filas = c.tablas[nombre];
        for (const auto& fila : t.filas) {
            std::vector<std::string> campos;
            for (const Valor& v : fila) campos.push_back(Texto(v));
            if (detalle != encabezadoDe.end()) {
                campos[0] = llaveDe(detalle->second, campos[0]);
                if (campos[0][0] == '?')
                    c.detallesSinEncabezado.push_back(nombre + " " + Unir(campos));
            }
            for (const auto& [posicion, r] : refs) {
                const int tipo =
                    r->columnaTipo.empty() ? 0 : int(fila[t.posicion(r->columnaTipo)].comoEntero());
                auto encabezado = r->encabezados.find(tipo);
                if (encabezado != r->encabezados.end())
                    campos[posicion] = llaveDe(encabezado->second, campos[posicion]);
            }
            if (esEncabezado) campos.erase(campos.begin());
            filas.push_back(Unir(campos));
        }
        std::sort(filas.begin(), filas.end());
    }
    return c;
}

std::string Diferencias(const Contenido& esperado, const Contenido& obtenido, size_t maximo) {
    static const std::vector<std::string> kNinguna;
    std::set<std::string> nombres;
    for (const auto& [nombre, filas] : esperado.tablas) nombres.insert(nombre);
    for (const auto& [nombre, filas] : obtenido.tablas) nombres.insert(nombre);

    std::string r;
    for (const auto& nombre : nombres) {
        auto a = esperado.tablas.find(nombre), b = obtenido.tablas.find(nombre);
        const auto& filasA = a == esperado.tablas.end() ? kNinguna : a->second;
        const auto& filasB = b == obtenido.tablas.end() ? kNinguna : b->second;
        std::vector<std::string> soloA, soloB;
        std::set_difference(filasA.begin(), filasA.end(), filasB.begin(), filasB.end(),
                            std::back_inserter(soloA));
        std::set_difference(filasB.begin(), filasB.end(), filasA.begin(), filasA.end(),
                            std::back_inserter(soloB));
        if (soloA.empty() && soloB.empty()) continue;
        r += nombre + ": " + std::to_string(filasA.size()) + " rows expected, " +
             std::to_string(filasB.size()) + " found\n";
        auto listar = [&](const std::vector<std::string>& filas, const char* signo) {
            for (size_t i = 0; i < filas.size() && i < maximo; ++i)
                r += std::string("  ") + signo + " " + Utf8DeWindows1252(filas[i]) + "\n";
            if (filas.size() > maximo)
                r += "  " + std::string(signo) + " ... " + std::to_string(filas.size() - maximo) +
                     " more\n";
        };
        listar(soloA, "-");
        listar(soloB, "+");
    }
    return r;
}

}  // namespace velmora::prueba
