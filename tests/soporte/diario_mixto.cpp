#include "tests/soporte/diario_mixto.h"

#include <cstdio>
#include <map>
#include <random>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora::prueba {

namespace {

enum class Clase {
    Factura,
    Entrada,
    Comprobante,
    Recibo,
    Consignacion,
    Cheque,
    Cuenta,
    Unidades,
    Interfaz,
};

// What happens to a record in the journal: created now, and maybe annulled or deleted again
// before the send; or sent by an earlier run, so that the destination holds an older
// version, and now changed, annulled or deleted.
enum class Historia { Nuevo, NuevoAnulado, NuevoBorrado, Previo, PrevioAnulado, PrevioBorrado };

// An invoice that a receipt pays, as the origin names it.
struct Pago {
    int id;
    std::string prefijo, numero;
};

struct Registro {
    Clase clase = Clase::Factura;
    Historia historia = Historia::Nuevo;
    int n = 0;                // its number within its class, from 1
    std::string operaciones;  // the journal's operations on it, in order
    size_t siguiente = 0;     // the next of them to journal
    int detalles = 0;         // detail rows of the origin's version
    int detallesPrevios = 0;  // detail rows of the destination's older version
    std::vector<Pago> pagos;  // a receipt's
};

// The seeded generator: plain modulo of the Mersenne twister, whose numbers the standard
// fixes, so that the journal is the same with every library.
class Azar {
  public:
    explicit Azar(uint32_t semilla) : g_(semilla) {}
    int hasta(int n) { return int(g_() % uint32_t(n)); }  // 0 .. n-1
    bool unoEn(int n) { return hasta(n) == 0; }

  private:
    std::mt19937 g_;
};

std::string Seis(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%06d", n);
    return b;
}

std::string Numero(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.2f", v);
    return b;
}

std::string Fecha(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "'2026-03-%02d'", 1 + n % 28);
    return b;
}

// Origin ids of each class start here; the destination's older versions stand under ids of
// their own, far from them.
constexpr int kIdOrigen = 100;
constexpr int kIdDestino = 700;

int Tipo(Clase c) {
    switch (c) {
        case Clase::Factura:
            return 31;
        case Clase::Entrada:
            return 11;
        case Clase::Comprobante:
            return 1;
        case Clase::Recibo:
            return 61;
        case Clase::Consignacion:
            return 71;
        case Clase::Cheque:
            return 72;
        case Clase::Cuenta:
            return 100;
        case Clase::Unidades:
            return 124;
        case Clase::Interfaz:
            return 111;
    }
    return 0;
}

const char* Prefijo(Clase c) {
    switch (c) {
        case Clase::Factura:
            return "FV";
        case Clase::Entrada:
            return "EN";
        case Clase::Comprobante:
            return "CC";
        case Clase::Recibo:
            return "RC";
        case Clase::Consignacion:
            return "CB";
        case Clase::Cheque:
            return "CH";
        default:
            return "";
    }
}

// Bank documents alternate between two accounts, and cheques come in pairs that share
// prefix and number on different accounts.
int Cuenta(const Registro& r) {
    return r.n % 2 ? 7 : 12;
}
std::string NumeroDe(const Registro& r) {
    return Seis(r.clase == Clase::Cheque ? (r.n + 1) / 2 : r.n);
}
std::string Tico(const Registro& r) {
    return r.n % 2 ? "CGE" : "NOM";
}
std::string CodigoCuenta(const Registro& r) {
    return "1105" + Seis(r.n).substr(4);
}
std::string Articulo(const Registro& r) {
    return "ART-" + Seis(r.n).substr(3);
}

bool Anulado(const Registro& r) {
    return r.historia == Historia::NuevoAnulado || r.historia == Historia::PrevioAnulado;
}
bool BorradoEnOrigen(const Registro& r) {
    // Units are deleted one at a time: the article keeps the others.
    return r.clase != Clase::Unidades &&
           (r.historia == Historia::NuevoBorrado || r.historia == Historia::PrevioBorrado);
}
bool EnDestino(const Registro& r) {
    return r.historia == Historia::Previo || r.historia == Historia::PrevioAnulado ||
           r.historia == Historia::PrevioBorrado;
}

// ------------------------------------------------------------ rows of each class

// `v` tells the versions apart: 1 the destination's older one, 2 the origin's.
void Factura(std::vector<std::string>& sql, int id, const Registro& r, int v, int detalles,
             bool anulado) {
    const std::string i = std::to_string(id), cod = Prefijo(r.clase) + NumeroDe(r);
    sql.push_back(Insertar(
        "FACTURAS",
        {{"FACT_ID", i},
         {"PREF_PRE", Literal(Prefijo(r.clase))},
         {"FACT_NUMERO", Literal(NumeroDe(r))},
         {"FACT_FECHA", Fecha(r.n)},
         {"FACT_HORA", "'10:15:00'"},
         {"TERC_NIT", Literal("9001" + std::to_string(r.n))},
         {"VEND_COD", std::to_string(1 + r.n % 5)},
         {"FACT_SUBTOTAL", Numero(100 * r.n + v)},
         {"FACT_TOTAL", Numero(116 * r.n + v + 0.6)},
         {"FACT_TASACAMBIO", "1.234567"},
         {"FACT_ANULADO", anulado ? "'S'" : "'N'"},
         {"FACT_CREADO", "'2026-03-02 10:15:30.1234'"},
         {"FACT_OBSERVACION", Literal("versi\xF3n " + std::to_string(v) + " de " + cod)}}));
    for (int d = 1; d <= detalles; ++d) {
        sql.push_back(Insertar("FACTURAS_DETALLE",
                               {{"FACT_ID", i},
                                {"FADE_ITEM", std::to_string(d)},
                                {"ARTI_COD", Literal("ART-" + Seis(d).substr(3))},
                                {"FADE_DESCRIPCION", Literal("l\xEDnea " + std::to_string(v))},
                                {"FADE_CANTIDAD", std::to_string(d + v)},
                                {"FADE_FACTOR", "1.123456"},
                                {"FADE_PRECIO", Numero(10.5 * d)},
                                {"FADE_TOTAL", Numero(10.5 * d * (d + v))},
                                {"FADE_CANTDEV", "7"},
                                {"FADE_PESO", "0.125"}}));
    }
}

void Entrada(std::vector<std::string>& sql, int id, const Registro& r, int v, int detalles,
             bool anulado) {
    const std::string i = std::to_string(id);
    sql.push_back(Insertar("ENTRADAS", {{"ENTR_ID", i},
                                        {"PREF_PRE", Literal(Prefijo(r.clase))},
                                        {"ENTR_NUMERO", Literal(NumeroDe(r))},
                                        {"ENTR_FECHA", Fecha(r.n)},
                                        {"BODE_COD", "'01'"},
                                        {"ENTR_CONCEPTO", Literal("compra " + std::to_string(v))},
                                        {"ENTR_TOTAL", Numero(50 * r.n + v)},
                                        {"ENTR_ANULADO", anulado ? "'S'" : "'N'"},
                                        {"ENTR_OBSERVACION", Literal("recepci\xF3n")}}));
    for (int d = 1; d <= detalles; ++d)
        sql.push_back(
            Insertar("ENTRADAS_DETALLE", {{"ENTR_ID", i},
                                          {"ENDE_ITEM", std::to_string(d)},
                                          {"ARTI_COD", Literal("ART-" + Seis(d).substr(3))},
                                          {"ENDE_CANTIDAD", std::to_string(d * v)},
                                          {"ENDE_COSTO", "3.1416"},
                                          {"ENDE_TOTAL", Numero(3.14 * d * v)},
                                          {"ENDE_NOTA", Literal("lote " + std::to_string(v))}}));
}

void Comprobante(std::vector<std::string>& sql, int id, const Registro& r, int v, int detalles) {
    const std::string i = std::to_string(id);
    sql.push_back(Insertar("COMPROBANTE_ENCABEZADO",
                           {{"ENCO_CONSEC", i},
                            {"TICO_COD", Literal(Tico(r))},
                            {"PRCO_PREF", Literal(Prefijo(r.clase))},
                            {"ENCO_NUMERO", Literal(NumeroDe(r))},
                            {"ENCO_FECHA", Fecha(r.n)},
                            {"ENCO_DESCRIPCION", Literal("n\xF3mina " + std::to_string(v))},
                            {"ENCO_TOTAL", Numero(100.0 * detalles + v)},
                            {"ENCO_IMPRESO", "3"},
                            {"ENCO_DEBITOS", Numero(100.0 * detalles + v)}}));
    for (int d = 1; d <= detalles; ++d)
        sql.push_back(Insertar("COMPROBANTE_DETALLE", {{"ENCO_CONSEC", i},
                                                       {"CODE_ITEM", std::to_string(d)},
                                                       {"CUEN_COD", "'510506'"},
                                                       {"CODE_DETALLE", Literal("d\xE9"
                                                                                "bito")},
                                                       {"CODE_DEBITO", Numero(100 + d + v)},
                                                       {"CODE_CREDITO", "0.25"}}));
}

void Recibo(std::vector<std::string>& sql, int id, const Registro& r, int v,
            const std::vector<Pago>& pagos, int formas, bool anulado) {
    const std::string i = std::to_string(id);
    sql.push_back(
        Insertar("RECIBOS_CAJA", {{"RECA_ID", i},
                                  {"PREF_PRE", Literal(Prefijo(r.clase))},
                                  {"RECA_NUMERO", Literal(NumeroDe(r))},
                                  {"RECA_FECHA", Fecha(r.n)},
                                  {"TERC_NIT", "'900123'"},
                                  {"COBR_COD", "3"},
                                  {"RECA_VALOR", Numero(40 * r.n + v)},
                                  {"RECA_ANULADO", anulado ? "'S'" : "'N'"},
                                  {"RECA_OBSERVACION", Literal("abono " + std::to_string(v))}}));
    for (size_t p = 0; p < pagos.size(); ++p)
        sql.push_back(FilaQuePaga("RECIBOS_CAJA_DETALLE", id, int(p + 1), 31, pagos[p].id,
                                  pagos[p].prefijo, pagos[p].numero, Numero(10 * (p + 1) + v)));
    for (int f = 1; f <= formas; ++f)
        sql.push_back(Insertar("RECIBOS_CAJA_PAGO", {{"RECA_ID", i},
                                                     {"RCPA_ITEM", std::to_string(f)},
                                                     {"FOPA_COD", f % 2 ? "'EF'" : "'CH'"},
                                                     {"RCPA_DOCUMENTO", Literal("CH-" + Seis(r.n))},
                                                     {"RCPA_VALOR", Numero(20 * f + v)}}));
}

void Consignacion(std::vector<std::string>& sql, int id, const Registro& r, int v, int detalles,
                  bool anulado) {
    const std::string i = std::to_string(id);
    sql.push_back(
        Insertar("CONSIGNA", {{"CONS_ID", i},
                              {"CUBA_COD", std::to_string(Cuenta(r))},
                              {"PRBA_PREF", Literal(Prefijo(r.clase))},
                              {"CONS_NUMERO", Literal(NumeroDe(r))},
                              {"CONS_FECHA", Fecha(r.n)},
                              {"CONS_CONCEPTO", Literal("dep\xF3sito " + std::to_string(v))},
                              {"CONS_VALOR", Numero(300 * r.n + v)},
                              {"CONS_ANULADO", anulado ? "'S'" : "'N'"}}));
    for (int d = 1; d <= detalles; ++d)
        sql.push_back(Insertar("CONSIGNA_DETALLE", {{"CONS_ID", i},
                                                    {"CNDE_ITEM", std::to_string(d)},
                                                    {"CNDE_TIPO", d % 2 ? "'E'" : "'C'"},
                                                    {"CNDE_CHEQUE", Literal("00" + Seis(d * v))},
                                                    {"CNDE_VALOR", Numero(100 * d + v)}}));
}

void Cheque(std::vector<std::string>& sql, int id, const Registro& r, int v, bool anulado) {
    sql.push_back(Insertar("CHEQUES", {{"CHEQ_ID", std::to_string(id)},
                                       {"CUBA_COD", std::to_string(Cuenta(r))},
                                       {"PRBA_PREF", Literal(Prefijo(r.clase))},
                                       {"CHEQ_NUMERO", Literal(NumeroDe(r))},
                                       {"CHEQ_FECHA", Fecha(r.n)},
                                       {"CHEQ_BENEFICIARIO", Literal("Pe\xF1"
                                                                     "a " +
                                                                     std::to_string(v))},
                                       {"CHEQ_VALOR", Numero(75 * r.n + v)},
                                       {"CHEQ_ANULADO", anulado ? "'S'" : "'N'"}}));
}

void CuentaContable(std::vector<std::string>& sql, const Registro& r, int v) {
    sql.push_back(Insertar("CUENTAS", {{"CUEN_COD", Literal(CodigoCuenta(r))},
                                       {"CUEN_NOMBRE", Literal("Caja " + std::to_string(r.n) +
                                                               " versi\xF3n " + std::to_string(v))},
                                       {"CUEN_NIVEL", "4"},
                                       {"CUEN_NATURALEZA", "'D'"},
                                       {"CUEN_PORCRETE", "2.5"},
                                       {"CUEN_BASERETE", Numero(1000 * v)}}));
}

void Unidades(std::vector<std::string>& sql, const Registro& r, int v,
              const std::vector<std::string>& unidades) {
    for (size_t u = 0; u < unidades.size(); ++u)
        sql.push_back(Insertar("UNIDAD_ARTICULO",
                               {{"ARTI_COD", Literal(Articulo(r))},
                                {"UNAR_UNIDAD", Literal(unidades[u])},
                                {"UNAR_NOMBRE", Literal(unidades[u] + " " + std::to_string(v))},
                                {"UNAR_FACTOR", std::to_string(u * 6 + v)},
                                {"UNAR_PESO", "0.5"}}));
}

void Interfaz(std::vector<std::string>& sql, const Registro& r, int v, int items) {
    const std::string id = std::to_string(40 + r.n);
    sql.push_back(
        Insertar("INTERFAZ_BANCOS", {{"INBA_ID", id},
                                     {"INBA_NOMBRE", Literal("Bancos " + std::to_string(v))},
                                     {"TIDO_COD", "71"},
                                     {"TICO_COD", "'CGE'"}}));
    for (int i = 1; i <= items; ++i)
        sql.push_back(Insertar("INTERFAZ_BANCOS_CTAS",
                               {{"INBA_ID", id},
                                {"INBC_ITEM", std::to_string(i)},
                                {"INBC_CONCEPTO", Literal("concepto " + std::to_string(v))},
                                {"CUEN_COD", Literal("1110" + Seis(i).substr(4))},
                                {"INBC_NATURALEZA", i % 2 ? "'D'" : "'C'"},
                                {"INBC_PORCENTAJE", Numero(12.5 * v)}}));
}

// The record's version `v` under the id `id`.
void Filas(std::vector<std::string>& sql, const Registro& r, int id, int v) {
    const int detalles = v == 2 ? r.detalles : r.detallesPrevios;
    const bool anulado = v == 2 && Anulado(r);
    switch (r.clase) {
        case Clase::Factura:
            return Factura(sql, id, r, v, detalles, anulado);
        case Clase::Entrada:
            return Entrada(sql, id, r, v, detalles, anulado);
        case Clase::Comprobante:
            return Comprobante(sql, id, r, v, detalles);
        case Clase::Recibo:
            // The older version pays an invoice that no database holds.
            return Recibo(sql, id, r, v, v == 2 ? r.pagos : std::vector<Pago>{{0, "FV", "999999"}},
                          detalles, anulado);
        case Clase::Consignacion:
            return Consignacion(sql, id, r, v, detalles, anulado);
        case Clase::Cheque:
            return Cheque(sql, id, r, v, anulado);
        case Clase::Cuenta:
            return CuentaContable(sql, r, v);
        case Clase::Unidades:
            // Changed: a unit more in the origin; deleted: the origin lost one of three.
            if (r.historia == Historia::Nuevo) return Unidades(sql, r, v, {"UND", "CAJ"});
            if (r.historia == Historia::Previo)
                return Unidades(sql, r, v,
                                v == 2 ? std::vector<std::string>{"UND", "CAJ", "DOC"}
                                       : std::vector<std::string>{"UND"});
            return Unidades(sql, r, v,
                            v == 2 ? std::vector<std::string>{"UND", "CAJ"}
                                   : std::vector<std::string>{"UND", "CAJ", "DOC"});
        case Clase::Interfaz:
            // The destination's older version has an account line more, which stays.
            return Interfaz(sql, r, v, v == 2 ? 2 : 3);
    }
}

// The journal's operations on a record.
std::string Operaciones(const Registro& r, Azar& azar) {
    const bool maestro =
        r.clase == Clase::Cuenta || r.clase == Clase::Unidades || r.clase == Clase::Interfaz;
    if (maestro) {
        switch (r.historia) {
            case Historia::Nuevo:
                return azar.unoEn(2) ? "IM" : "I";
            case Historia::Previo:
                return "M";
            default:
                return "D";
        }
    }
    const std::string cambios = std::string(size_t(azar.hasta(2)), 'M');
    switch (r.historia) {
        case Historia::Nuevo:
            return "I" + cambios + (azar.unoEn(3) ? "M" : "");
        case Historia::NuevoAnulado:
            return "I" + cambios + "A";
        case Historia::NuevoBorrado:
            return "I" + cambios + "D";
        case Historia::Previo:
            return "M" + cambios;
        case Historia::PrevioAnulado:
            return cambios + "A";
        case Historia::PrevioBorrado:
            return cambios + "D";
    }
    return {};
}

// Whether the entry's replay writes more than one row or statement in the destination:
// a copy with details or items, the clearing of a document that an earlier run sent, the
// clearing of an article's units before they are written again.
bool Compuesta(const Registro& r, char operacion) {
    switch (r.clase) {
        case Clase::Cheque:
        case Clase::Cuenta:
            return false;
        case Clase::Unidades:
        case Clase::Interfaz:
            return true;
        default:
            if (operacion == 'D') return EnDestino(r);
            return (operacion == 'I' || operacion == 'M') && !BorradoEnOrigen(r);
    }
}

struct Cantidad {
    Clase clase;
    Historia historia;
    int registros;
};

// Vouchers are never annulled; master data is created, changed or deleted.
const Cantidad kCantidades[] = {
    {Clase::Factura, Historia::Nuevo, 16},
    {Clase::Factura, Historia::NuevoAnulado, 5},
    {Clase::Factura, Historia::NuevoBorrado, 7},
    {Clase::Factura, Historia::Previo, 7},
    {Clase::Factura, Historia::PrevioAnulado, 3},
    {Clase::Factura, Historia::PrevioBorrado, 5},
    {Clase::Entrada, Historia::Nuevo, 6},
    {Clase::Entrada, Historia::NuevoBorrado, 3},
    {Clase::Entrada, Historia::Previo, 3},
    {Clase::Entrada, Historia::PrevioBorrado, 3},
    {Clase::Comprobante, Historia::Nuevo, 9},
    {Clase::Comprobante, Historia::NuevoBorrado, 3},
    {Clase::Comprobante, Historia::Previo, 4},
    {Clase::Comprobante, Historia::PrevioBorrado, 4},
    {Clase::Recibo, Historia::Nuevo, 8},
    {Clase::Recibo, Historia::NuevoAnulado, 2},
    {Clase::Recibo, Historia::NuevoBorrado, 2},
    {Clase::Recibo, Historia::Previo, 3},
    {Clase::Recibo, Historia::PrevioBorrado, 3},
    {Clase::Consignacion, Historia::Nuevo, 5},
    {Clase::Consignacion, Historia::NuevoAnulado, 2},
    {Clase::Consignacion, Historia::NuevoBorrado, 1},
    {Clase::Consignacion, Historia::Previo, 2},
    {Clase::Consignacion, Historia::PrevioBorrado, 2},
    {Clase::Cheque, Historia::Nuevo, 6},
    {Clase::Cheque, Historia::NuevoAnulado, 2},
    {Clase::Cheque, Historia::NuevoBorrado, 1},
    {Clase::Cheque, Historia::PrevioAnulado, 1},
    {Clase::Cheque, Historia::PrevioBorrado, 2},
    {Clase::Cuenta, Historia::Nuevo, 7},
    {Clase::Cuenta, Historia::Previo, 4},
    {Clase::Cuenta, Historia::PrevioBorrado, 2},
    {Clase::Unidades, Historia::Nuevo, 3},
    {Clase::Unidades, Historia::Previo, 2},
    {Clase::Unidades, Historia::PrevioBorrado, 2},
    {Clase::Interfaz, Historia::Nuevo, 2},
    {Clase::Interfaz, Historia::Previo, 2},
};

}  // namespace

DiarioMixto GenerarDiarioMixto(uint32_t semilla) {
    Azar azar(semilla);
    std::vector<Registro> registros;
    std::map<Clase, int> porClase;
    for (const Cantidad& c : kCantidades) {
        for (int i = 0; i < c.registros; ++i) {
            Registro r;
            r.clase = c.clase;
            r.historia = c.historia;
            r.n = ++porClase[c.clase];
            r.operaciones = Operaciones(r, azar);
            r.detalles = 1 + azar.hasta(4);
            r.detallesPrevios = 1 + azar.hasta(4);
            registros.push_back(std::move(r));
        }
    }

    // The journal interleaves the records' operations, each record's in its own order.
    std::vector<Registro*> pendientes;
    for (Registro& r : registros) pendientes.push_back(&r);
    std::vector<std::pair<Registro*, char>> orden;
    while (!pendientes.empty()) {
        const size_t i = size_t(azar.hasta(int(pendientes.size())));
        Registro* r = pendientes[i];
        orden.push_back({r, r->operaciones[r->siguiente++]});
        if (r->siguiente == r->operaciones.size()) pendientes.erase(pendientes.begin() + long(i));
    }

    // A receipt pays invoices that exist for good when it is first journaled: those that an
    // earlier run sent and that are not deleted, and those created before it and kept; now
    // and then one that no database holds. Paying an invoice deleted later would make its
    // reference depend on whether the receipt is copied before or after the deletion.
    std::vector<Pago> pagables;
    for (const Registro& r : registros)
        if (r.clase == Clase::Factura &&
            (r.historia == Historia::Previo || r.historia == Historia::PrevioAnulado))
            pagables.push_back({kIdOrigen + r.n, Prefijo(r.clase), NumeroDe(r)});
    for (auto& [r, operacion] : orden) {
        if (r->clase == Clase::Factura && operacion == 'I' &&
            (r->historia == Historia::Nuevo || r->historia == Historia::NuevoAnulado))
            pagables.push_back({kIdOrigen + r->n, Prefijo(r->clase), NumeroDe(*r)});
        if (r->clase == Clase::Recibo && r->pagos.empty() && !pagables.empty()) {
            for (int p = 1 + azar.hasta(3); p > 0; --p)
                r->pagos.push_back(pagables[size_t(azar.hasta(int(pagables.size())))]);
            if (azar.unoEn(4)) r->pagos.push_back({0, "FV", "999999"});
        }
    }

    DiarioMixto d;
    for (const Registro& r : registros) {
        if (!BorradoEnOrigen(r)) Filas(d.origen, r, kIdOrigen + r.n, 2);
        if (EnDestino(r)) Filas(d.destino, r, kIdDestino + r.n, 1);
    }
    int id = 0;
    for (const auto& [r, operacion] : orden) {
        ++id;
        char hora[16];
        std::snprintf(hora, sizeof hora, "%02d:%02d:%02d", 8 + id / 3600, id / 60 % 60, id % 60);
        std::string codigo, tico;
        int idDocumento = kIdOrigen + r->n;
        switch (r->clase) {
            case Clase::Cuenta:
                codigo = CodigoCuenta(*r);
                break;
            case Clase::Unidades:
                codigo = Articulo(*r);
                break;
            case Clase::Interfaz:
                idDocumento = 40 + r->n;
                codigo = "IB" + std::to_string(idDocumento);
                break;
            default:
                codigo = Prefijo(r->clase) + NumeroDe(*r);
        }
        if (r->clase == Clase::Comprobante) tico = Tico(*r);
        if (r->clase == Clase::Consignacion || r->clase == Clase::Cheque)
            tico = std::to_string(Cuenta(*r));
        d.origen.push_back(Auditoria(id, Tipo(r->clase), idDocumento, std::string(1, operacion),
                                     codigo, "2026-03-02", hora, "N", tico));
        if (Compuesta(*r, operacion)) d.compuestas.push_back(id);
    }
    d.entradas = id;
    return d;
}

const std::vector<TablaDocumento>& DocumentosDelDiario() {
    static const std::vector<TablaDocumento> kDocumentos = {
        {"FACTURAS", {"PREF_PRE", "FACT_NUMERO"}, {"FACTURAS_DETALLE"}},
        {"ENTRADAS", {"PREF_PRE", "ENTR_NUMERO"}, {"ENTRADAS_DETALLE"}},
        {"COMPROBANTE_ENCABEZADO",
         {"TICO_COD", "PRCO_PREF", "ENCO_NUMERO"},
         {"COMPROBANTE_DETALLE"}},
        {"RECIBOS_CAJA",
         {"PREF_PRE", "RECA_NUMERO"},
         {"RECIBOS_CAJA_DETALLE", "RECIBOS_CAJA_PAGO"}},
        {"CONSIGNA", {"CUBA_COD", "PRBA_PREF", "CONS_NUMERO"}, {"CONSIGNA_DETALLE"}},
        {"CHEQUES", {"CUBA_COD", "PRBA_PREF", "CHEQ_NUMERO"}, {}},
    };
    return kDocumentos;
}

const std::vector<ColumnaReferencia>& ReferenciasDelDiario() {
    static const std::vector<ColumnaReferencia> kReferencias = {
        {"RECIBOS_CAJA_DETALLE", "RCDE_IDDOC", "TIDO_COD", {{31, "FACTURAS"}}},
    };
    return kReferencias;
}

}  // namespace velmora::prueba
