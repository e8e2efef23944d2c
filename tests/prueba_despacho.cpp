// Every code of the catalog reaches the procedure of its family: one online run with one
// journal entry per code, each document or record built from the catalog's names, and in
// the destination the mark that only that family leaves.
#include <gtest/gtest.h>

#include <map>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"
#include "tests/soporte/tablas.h"
#include "transfer/catalogo.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::Consultar;
using prueba::EjecutarSql;
using prueba::Encabezado;
using prueba::EscenarioEnvio;
using prueba::HoraDeEntrada;
using prueba::Insertar;
using prueba::Literal;
using prueba::ReferenciasDeEncabezado;
using prueba::Tablas;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

// What the destination already holds and the origin's referenced documents: the customer
// and supplier documents that references name, all "RF000001".
const int kIdReferido = 9;  // their id in the destination
const int kIdEnOrigen = 3;  // their id in the origin

int IdOrigen(const DescriptorTipoDoc& t) {
    return 500 + t.codigo;
}
std::string Prefijo(const DescriptorTipoDoc& t) {
    return "P" + std::to_string(t.codigo);
}
std::string ClaveMaestro(const DescriptorTipoDoc& t) {
    return t.llave == Llave::CodigoSolo ? std::to_string(t.codigo) : "K" + std::to_string(t.codigo);
}
bool LadoCliente(int codigo) {
    return codigo == 43 || codigo == 61;
}
bool ConReferenciaEnDetalle(int codigo) {
    return codigo == 43 || codigo == 53 || codigo == 61 || codigo == 62;
}
TEST(Despacho, CadaCodigoDelCatalogoLlegaAlProcedimientoDeSuFamilia) {
    std::vector<int> codigos;
    for (const auto& t : Catalogo()) codigos.push_back(t.codigo);
    EXPECT_EQ(codigos,
              (std::vector<int>{1,   11,  12,  13,  14,  15,  16,  17,  18,  21,  22,  23,
                                24,  25,  31,  32,  33,  34,  35,  41,  42,  43,  45,  51,
                                52,  53,  55,  61,  62,  63,  64,  65,  66,  71,  72,  73,
                                74,  75,  76,  77,  100, 101, 102, 103, 104, 105, 106, 111,
                                112, 113, 114, 115, 116, 117, 124, 125, 126, 127, 128, 129}));

    EscenarioEnvio e;
    Tablas tablas(e.origen());
    std::vector<std::string> origen = {
        Encabezado("RECIBOS_CAJA", "RECA_ID", kIdEnOrigen, "RECA_NUMERO", "RF", "000001"),
        Encabezado("EGRESOS", "EGRE_ID", kIdEnOrigen, "EGRE_NUMERO", "RF", "000001")};
    std::vector<std::string> destino;
    for (const char* referido : {"FACTURAS", "FACTURAS_COMPRA", "RECIBOS_CAJA", "EGRESOS"})
        destino.push_back(tablas.fila(
            referido, {{0, std::to_string(kIdReferido)}, {1, "'RF'"}, {2, "'000001'"}}));

    int n = 0;
    for (const DescriptorTipoDoc& t : Catalogo()) {
        ++n;
        const std::string id = std::to_string(IdOrigen(t));
        if (t.familia == Familia::Maestros) {
            const std::string clave = ClaveMaestro(t);
            const std::string valorClave = t.llave == Llave::CodigoSolo ? clave : Literal(clave);
            switch (t.forma) {
                case Forma::UnRegistro:
                    origen.push_back(tablas.fila(t.tablaEncabezado, {{0, valorClave}}));
                    break;
                case Forma::EncabezadoConItems:
                    origen.push_back(tablas.fila(t.tablaEncabezado, {{0, id}}));
                    origen.push_back(tablas.fila(t.filas.tablaItems, {{0, id}, {1, "1"}}));
                    break;
                case Forma::FilasArticulo: {
                    // The article code is the first column but for prices, where it is the
                    // second.
                    const int posArticulo = t.codigo == 126 ? 1 : 0;
                    origen.push_back(tablas.fila(t.tablaEncabezado, {{posArticulo, valorClave}}));
                    break;
                }
            }
            origen.push_back(Auditoria(n, t.codigo, IdOrigen(t), "I",
                                       t.forma == Forma::EncabezadoConItems ? "" : clave,
                                       "2026-03-02", HoraDeEntrada(n)));
            continue;
        }

        std::map<int, std::string> encabezado = {{0, id}};
        std::string tico;
        if (t.llave == Llave::Comprobante) {
            tico = "T01";
            encabezado[1] = Literal(tico);
            encabezado[8] = "5";  // printed five times in the origin
        } else if (t.llave == Llave::Banco) {
            tico = "2";
            encabezado[1] = tico;
            // The same prefix and number on account 1 is another document.
            destino.push_back(tablas.fila(t.tablaEncabezado, {{0, std::to_string(kIdReferido)},
                                                              {1, "1"},
                                                              {2, Literal(Prefijo(t))},
                                                              {3, "'000001'"}}));
        }
        const int posPrefijo = t.llave == Llave::Prefijo ? 1 : 2;
        encabezado[posPrefijo] = Literal(Prefijo(t));
        encabezado[posPrefijo + 1] = "'000001'";
        if (auto r = ReferenciasDeEncabezado().find(t.codigo);
            r != ReferenciasDeEncabezado().end()) {
            encabezado[r->second.first] = std::to_string(kIdEnOrigen);
            if (r->second.second >= 0) encabezado[r->second.second] = "'RF000001'";
        }
        origen.push_back(tablas.fila(t.tablaEncabezado, encabezado));
        for (size_t d = 0; d < t.detalles.size(); ++d) {
            std::map<int, std::string> fila = {{0, id}, {1, "1"}};
            if (t.posicionEnCero >= 0) fila[t.posicionEnCero] = "7";
            if (d == 0 && ConReferenciaEnDetalle(t.codigo)) {
                fila[2] = LadoCliente(t.codigo) ? "31" : "21";
                fila[3] = std::to_string(kIdEnOrigen);
                fila[4] = "'RF'";
                fila[5] = "'000001'";
            }
            origen.push_back(tablas.fila(t.detalles[d].tabla, fila));
        }
        origen.push_back(Auditoria(n, t.codigo, IdOrigen(t), "I", Prefijo(t) + "000001",
                                   "2026-03-02", HoraDeEntrada(n), "N", tico));
    }
    EjecutarSql(e.origen(), origen);
    EjecutarSql(e.destino(), destino);
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 60);
    EXPECT_EQ(r.fallidas, 0);
    EXPECT_EQ(e.dialogos.llamadas().size(), 1u);

    for (const DescriptorTipoDoc& t : Catalogo()) {
        SCOPED_TRACE("TIDO_COD " + std::to_string(t.codigo));
        const std::string id = std::to_string(IdOrigen(t));
        if (t.familia == Familia::Maestros) {
            // Under its own key, never under a new id.
            const std::string clave = ClaveMaestro(t);
            if (t.forma == Forma::EncabezadoConItems) {
                EXPECT_EQ(
                    Textos(e.destino(), "SELECT " + t.columnaId + " FROM " + t.tablaEncabezado),
                    (Filas{{id}}));
                EXPECT_EQ(Textos(e.destino(), "SELECT " + t.columnaId + ", " + t.filas.columnaFila +
                                                  " FROM " + t.filas.tablaItems),
                          (Filas{{id, "1"}}));
            } else {
                EXPECT_EQ(Textos(e.destino(),
                                 "SELECT " + t.columnaPrefijo + " FROM " + t.tablaEncabezado),
                          (Filas{{clave}}));
            }
            continue;
        }

        const std::string prefijo = Prefijo(t);
        std::string donde = " WHERE " + t.columnaPrefijo + " = '" + prefijo + "'";
        if (t.llave == Llave::Banco) donde += " AND CUBA_COD = 2";
        const auto filas = Textos(e.destino(), "SELECT " + t.columnaId + ", " + t.columnaNumero +
                                                   " FROM " + t.tablaEncabezado + donde);
        ASSERT_EQ(filas.size(), 1u);
        const std::string nuevo = filas[0][0];
        EXPECT_NE(nuevo, id);  // online: a new id from the destination
        if (t.llave == Llave::Comprobante) {
            EXPECT_EQ(
                Textos(e.destino(), "SELECT ENCO_IMPRESO FROM COMPROBANTE_ENCABEZADO" + donde),
                (Filas{{"0"}}));
        }
        if (t.llave == Llave::Banco) {
            EXPECT_EQ(Textos(e.destino(), "SELECT " + t.columnaId + " FROM " + t.tablaEncabezado +
                                              " WHERE CUBA_COD = 1"),
                      (Filas{{std::to_string(kIdReferido)}}));
        }
        if (auto ref = ReferenciasDeEncabezado().find(t.codigo);
            ref != ReferenciasDeEncabezado().end()) {
            EXPECT_EQ(Textos(e.destino(), "SELECT " +
                                              tablas.nombre(t.tablaEncabezado, ref->second.first) +
                                              " FROM " + t.tablaEncabezado + donde),
                      (Filas{{std::to_string(kIdReferido)}}));
        }
        for (size_t d = 0; d < t.detalles.size(); ++d) {
            const std::string& tabla = t.detalles[d].tabla;
            std::string columnas = t.detalles[d].columnaId;
            std::vector<std::string> esperado = {nuevo};
            if (t.posicionEnCero >= 0) {
                columnas += ", CAST(" + tablas.nombre(tabla, t.posicionEnCero) + " AS INTEGER)";
                esperado.push_back("0");
            }
            if (d == 0 && ConReferenciaEnDetalle(t.codigo)) {
                columnas += ", " + tablas.nombre(tabla, 3);
                esperado.push_back(std::to_string(kIdReferido));
            }
            EXPECT_EQ(Textos(e.destino(), "SELECT " + columnas + " FROM " + tabla),
                      (Filas{esperado}))
                << tabla;
        }
    }
}

}  // namespace
}  // namespace velmora
