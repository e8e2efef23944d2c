#include "tests/soporte/escenario_envio.h"

#include <regex>

#include "foundation/clave.h"
#include "foundation/errores.h"

namespace velmora::prueba {

EscenarioEnvio::EscenarioEnvio(Acceso a, std::vector<std::string> companias)
    : acceso(a), instalacion(std::move(companias)) {
    instalacion.registrar({instalacion.servidor(acceso)});
    ConfigurarProviders(ventana, dialogos);

    parametros.textoCompaniaOrigen = "Origen";
    parametros.companiaOrigen = "001";
    parametros.textoCompaniaDestino = "Destino";
    parametros.companiaDestino = "002";
    parametros.acceso = DatosAcceso{kUsuario, EncriptarClave(kClave), instalacion.servidor(acceso),
                                    kUsuario, EncriptarClave(kClave), instalacion.servidor(acceso)};
    for (const auto& fila :
         Consultar(instalacion.ubicacion(acceso, "sop/velmora.fdb"),
                   "SELECT TIDO_COD, TIDO_NOMLARGO FROM TIPO_DOCUMENTO ORDER BY TIDO_COD"))
        parametros.tipos.push_back({int(fila[0].comoEntero()), fila[1].comoTexto(), true});
}

ResultadoEnvio EscenarioEnvio::enviar() {
    SinProgreso progreso;
    ResultadoEnvio r;
    try {
        r = SpeedButton1Click(parametros, componentes, dialogos, progreso);
    } catch (...) {
        componentes.liberar();
        throw;
    }
    componentes.liberar();
    return r;
}

void EscenarioEnvio::marcarSolo(std::vector<int> codigos) {
    for (auto& t : parametros.tipos)
        t.marcado = std::find(codigos.begin(), codigos.end(), t.codigo) != codigos.end();
}

namespace {

std::string Citado(const std::string& s) {
    std::string r = "'";
    for (char c : s) r += c == '\'' ? std::string("''") : std::string(1, c);
    return r + "'";
}

}  // namespace

std::string Auditoria(int id, int tipo, int idDocumento, const std::string& operacion,
                      const std::string& codigo, const std::string& fecha, const std::string& hora,
                      const std::string& envio, const std::string& tico) {
    return "INSERT INTO AUDITORIA VALUES (" + std::to_string(id) + ", 'ANA', '" + fecha + "', '" +
           hora + "', " + std::to_string(tipo) + ", " + std::to_string(idDocumento) + ", '" +
           operacion + "', " + Citado(codigo) + ", '" + envio + "', " +
           (tico.empty() ? std::string("NULL") : Citado(tico)) + ", 'prueba')";
}

std::vector<std::string> Factura(int id, const std::string& prefijo, const std::string& numero,
                                 int detalles) {
    const std::string i = std::to_string(id);
    std::vector<std::string> sql = {
        "INSERT INTO FACTURAS (FACT_ID, PREF_PRE, FACT_NUMERO, FACT_FECHA, TERC_NIT, "
        "FACT_SUBTOTAL, FACT_TOTAL, FACT_TASACAMBIO, FACT_OBSERVACION) VALUES (" +
        i + ", " + Citado(prefijo) + ", '" + numero +
        "', '2026-03-02', '900123', 100.50, 116.60, 1.234567, "
        "'observaci\xF3n')"};
    for (int d = 1; d <= detalles; ++d) {
        const std::string n = std::to_string(d);
        sql.push_back(
            "INSERT INTO FACTURAS_DETALLE (FACT_ID, FADE_ITEM, ARTI_COD, FADE_CANTIDAD, "
            "FADE_FACTOR, FADE_PRECIO, FADE_TOTAL, FADE_CANTDEV) VALUES (" +
            i + ", " + n + ", 'A00" + n + "', " + n + ", 1.123456, 10.5, 10.50, 7)");
    }
    return sql;
}

std::vector<std::string> Marcas(const EscenarioEnvio& e) {
    std::vector<std::string> r;
    for (const auto& f : Textos(e.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA ORDER BY AUDI_ID"))
        r.push_back(f[0]);
    return r;
}

std::string SinFechas(const std::string& log) {
    return std::regex_replace(log, std::regex("(^|\r\n)[^,\r\n]*,[^,\r\n]*,"), "$1F,H,");
}

std::vector<std::vector<std::string>> Textos(const std::string& ubicacion,
                                             const std::string& select) {
    std::vector<std::vector<std::string>> r;
    for (const auto& fila : Consultar(ubicacion, select)) {
        std::vector<std::string> t;
        for (const auto& v : fila) t.push_back(v.esNulo() ? "<null>" : v.comoTexto());
        r.push_back(std::move(t));
    }
    return r;
}

}  // namespace velmora::prueba
