// Rows of documents and master data for the send tests, as INSERT statements for
// EjecutarSql. Only the columns that a test looks at are filled; the rest stay null.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velmora::prueba {

// A text literal: single quotes, each single quote inside doubled.
std::string Literal(const std::string& texto);

// "INSERT INTO tabla (c1, c2) VALUES (v1, v2)"; the values are SQL literals as given.
std::string Insertar(const std::string& tabla,
                     const std::vector<std::pair<std::string, std::string>>& columnas);

// The accounting lock date of CONFIGURACION, stored as YYYY-MM-DD.
std::string FechaBloqueo(const std::string& fecha);

// A voucher printed `impreso` times, with `detalles` lines (items 1..n, debit 100 x item,
// credit 0.25).
std::vector<std::string> Comprobante(int id, const std::string& tico, const std::string& prefijo,
                                     const std::string& numero, const std::string& fecha,
                                     int detalles, int impreso = 3);

// A header made of its id, prefix and number, for the documents that others point at.
std::string Encabezado(const std::string& tabla, const std::string& columnaId, int id,
                       const std::string& columnaNumero, const std::string& prefijo,
                       const std::string& numero);

// Returns: the id of the returned invoice and its code text (prefix + number).
std::string DevolucionCompra(int id, const std::string& prefijo, const std::string& numero,
                             int idFactura, const std::string& codigoFactura);
std::string DevolucionVenta(int id, const std::string& prefijo, const std::string& numero,
                            int idFactura, const std::string& codigoFactura);

// Advances and the id of the receipt, resp. disbursement, that took the money (0: none).
std::string AnticipoCliente(int id, const std::string& prefijo, const std::string& numero,
                            int idRecibo);
std::string AnticipoProveedor(int id, const std::string& prefijo, const std::string& numero,
                              int idEgreso);

// A row of RECIBOS_CAJA_DETALLE, EGRESOS_DETALLE, APLICACION_CLIENTE_DETALLE or
// APLICACION_PROVEEDOR_DETALLE: the document it settles, by type, id, prefix and number.
std::string FilaQuePaga(const std::string& tabla, int id, int item, int tipo, int idDocumento,
                        const std::string& prefijo, const std::string& numero,
                        const std::string& valor = "10.00");

// A row of a detail table that holds only its header id, its item and one amount column.
std::string FilaConValor(const std::string& tabla, const std::string& columnaId, int id,
                         const std::string& columnaItem, int item, const std::string& columnaValor,
                         const std::string& valor);

// A bank document: header table, its id and number columns, the account, prefix, number,
// and the amount column with its value.
std::string DocumentoBanco(const std::string& tabla, const std::string& columnaId, int id,
                           int cuenta, const std::string& prefijo, const std::string& columnaNumero,
                           const std::string& numero, const std::string& columnaValor,
                           const std::string& valor);

}  // namespace velmora::prueba
