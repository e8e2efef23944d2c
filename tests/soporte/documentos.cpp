#include "tests/soporte/documentos.h"

#include <map>

namespace velmora::prueba {

std::string Literal(const std::string& texto) {
    std::string r = "'";
    for (char c : texto) r += c == '\'' ? std::string("''") : std::string(1, c);
    return r + "'";
}

std::string Insertar(const std::string& tabla,
                     const std::vector<std::pair<std::string, std::string>>& columnas) {
    std::string nombres, valores;
    for (const auto& [columna, valor] : columnas) {
        nombres += (nombres.empty() ? "" : ", ") + columna;
        valores += (valores.empty() ? "" : ", ") + valor;
    }
    return "INSERT INTO " + tabla + " (" + nombres + ") VALUES (" + valores + ")";
}

std::string FechaBloqueo(const std::string& fecha) {
    return Insertar("CONFIGURACION", {{"CONF_MODULO", "'CONTABILIDAD'"},
                                      {"CONF_CATEGORIA", "'GENERAL'"},
                                      {"CONF_PROPIEDAD", "'FECHA DE BLOQUEO'"},
                                      {"CONF_VALOR", Literal(fecha)}});
}

std::vector<std::string> Comprobante(int id, const std::string& tico, const std::string& prefijo,
                                     const std::string& numero, const std::string& fecha,
                                     int detalles, int impreso) {
    const std::string i = std::to_string(id);
    std::vector<std::string> sql = {
        Insertar("COMPROBANTE_ENCABEZADO", {{"ENCO_CONSEC", i},
                                            {"TICO_COD", Literal(tico)},
                                            {"PRCO_PREF", Literal(prefijo)},
                                            {"ENCO_NUMERO", Literal(numero)},
                                            {"ENCO_FECHA", Literal(fecha)},
                                            {"ENCO_DESCRIPCION", "'n\xF3mina'"},
                                            {"ENCO_TOTAL", "1234.56"},
                                            {"ENCO_IMPRESO", std::to_string(impreso)},
                                            {"ENCO_DEBITOS", "1234.56"}})};
    for (int d = 1; d <= detalles; ++d)
        sql.push_back(Insertar("COMPROBANTE_DETALLE", {{"ENCO_CONSEC", i},
                                                       {"CODE_ITEM", std::to_string(d)},
                                                       {"CUEN_COD", "'510506'"},
                                                       {"CODE_DEBITO", std::to_string(100 * d)},
                                                       {"CODE_CREDITO", "0.25"}}));
    return sql;
}

std::string Encabezado(const std::string& tabla, const std::string& columnaId, int id,
                       const std::string& columnaNumero, const std::string& prefijo,
                       const std::string& numero) {
    return Insertar(tabla, {{columnaId, std::to_string(id)},
                            {"PREF_PRE", Literal(prefijo)},
                            {columnaNumero, Literal(numero)}});
}

std::string DevolucionCompra(int id, const std::string& prefijo, const std::string& numero,
                             int idFactura, const std::string& codigoFactura) {
    return Insertar("DEVOLUCIONES_COMPRAS", {{"DVCO_ID", std::to_string(id)},
                                             {"PREF_PRE", Literal(prefijo)},
                                             {"DVCO_NUMERO", Literal(numero)},
                                             {"DVCO_TOTAL", "50.00"},
                                             {"FACO_ID", std::to_string(idFactura)},
                                             {"DVCO_FACTURA", Literal(codigoFactura)}});
}

std::string DevolucionVenta(int id, const std::string& prefijo, const std::string& numero,
                            int idFactura, const std::string& codigoFactura) {
    return Insertar("DEVOLUCIONES_VENTAS", {{"DEVT_ID", std::to_string(id)},
                                            {"PREF_PRE", Literal(prefijo)},
                                            {"DEVT_NUMERO", Literal(numero)},
                                            {"DEVT_TOTAL", "50.00"},
                                            {"DEVT_FACTURA", Literal(codigoFactura)},
                                            {"FACT_ID", std::to_string(idFactura)}});
}

std::string AnticipoCliente(int id, const std::string& prefijo, const std::string& numero,
                            int idRecibo) {
    return Insertar("ANTICIPOS_CLIENTE", {{"ANCL_ID", std::to_string(id)},
                                          {"PREF_PRE", Literal(prefijo)},
                                          {"ANCL_NUMERO", Literal(numero)},
                                          {"ANCL_VALOR", "300.00"},
                                          {"RECA_ID", std::to_string(idRecibo)}});
}

std::string AnticipoProveedor(int id, const std::string& prefijo, const std::string& numero,
                              int idEgreso) {
    return Insertar("ANTICIPOS_PROVEEDOR", {{"ANPR_ID", std::to_string(id)},
                                            {"PREF_PRE", Literal(prefijo)},
                                            {"ANPR_NUMERO", Literal(numero)},
                                            {"ANPR_VALOR", "300.00"},
                                            {"EGRE_ID", std::to_string(idEgreso)}});
}

std::string FilaQuePaga(const std::string& tabla, int id, int item, int tipo, int idDocumento,
                        const std::string& prefijo, const std::string& numero,
                        const std::string& valor) {
    // Header id column and column prefix of each table.
    static const std::map<std::string, std::pair<std::string, std::string>> kColumnas = {
        {"RECIBOS_CAJA_DETALLE", {"RECA_ID", "RCDE"}},
        {"EGRESOS_DETALLE", {"EGRE_ID", "EGDE"}},
        {"APLICACION_CLIENTE_DETALLE", {"APCL_ID", "APCD"}},
        {"APLICACION_PROVEEDOR_DETALLE", {"APPR_ID", "APPD"}},
    };
    const auto& [columnaId, p] = kColumnas.at(tabla);
    return Insertar(tabla, {{columnaId, std::to_string(id)},
                            {p + "_ITEM", std::to_string(item)},
                            {"TIDO_COD", std::to_string(tipo)},
                            {p + "_IDDOC", std::to_string(idDocumento)},
                            {p + "_PREFDOC", Literal(prefijo)},
                            {p + "_NUMDOC", Literal(numero)},
                            {p + "_VALOR", valor}});
}

std::string FilaConValor(const std::string& tabla, const std::string& columnaId, int id,
                         const std::string& columnaItem, int item, const std::string& columnaValor,
                         const std::string& valor) {
    return Insertar(tabla, {{columnaId, std::to_string(id)},
                            {columnaItem, std::to_string(item)},
                            {columnaValor, valor}});
}

std::string DocumentoBanco(const std::string& tabla, const std::string& columnaId, int id,
                           int cuenta, const std::string& prefijo, const std::string& columnaNumero,
                           const std::string& numero, const std::string& columnaValor,
                           const std::string& valor) {
    return Insertar(tabla, {{columnaId, std::to_string(id)},
                            {"CUBA_COD", std::to_string(cuenta)},
                            {"PRBA_PREF", Literal(prefijo)},
                            {columnaNumero, Literal(numero)},
                            {columnaValor, valor}});
}

}  // namespace velmora::prueba
