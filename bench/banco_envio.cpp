// Benchmark of the send run: builds an origin company with a journal, sends it online and
// offline, through the server on localhost and embedded, and measures in the same run the
// floor: the same reads, inserts, commits and journal marks made straight through the
// Firebird client with statements prepared once. Every measurement runs in a child process
// of its own, on an installation of its own, so that peak memory and engine state belong to
// that measurement alone. Prints its figures; it is no test.
#include <firebird/Interface.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "envio/corrida_envio.h"
#include "foundation/bitacora.h"
#include "foundation/error.h"
#include "foundation/fb_api.h"
#include "tests/soporte/escenario_envio.h"
#include "transfer/catalogo.h"

namespace velmora {
namespace {

using prueba::Acceso;
using Reloj = std::chrono::steady_clock;

// ---------------------------------------------------------------- options

enum class Carga { Facturas, Mixta, SinManejador };

struct Opciones {
    int documentos = 200;
    int detalles = 5;
    std::vector<bool> modos = {true, false};  // online first
    std::vector<Acceso> accesos = {Acceso::Servidor, Acceso::Embebido};
    Carga carga = Carga::Facturas;
    bool escala = false;
    bool pasos = false;
    std::vector<int> tamanos = {1000, 10000};
    int repeticiones = 3;  // 1 for --escala unless -r says otherwise
    bool repeticionesDadas = false;
    bool corrida = true, piso = true;  // --solo corrida|piso, for profiling one side
};

const char* NombreModo(bool enLinea) {
    return enLinea ? "en-linea" : "fuera-de-linea";
}
const char* NombreAccesoCorto(Acceso a) {
    return a == Acceso::Servidor ? "servidor" : "embebido";
}
const char* NombreCarga(Carga c) {
    return c == Carga::Facturas ? "facturas" : c == Carga::Mixta ? "mixta" : "sin-manejador";
}

[[noreturn]] void Uso(const std::string& problema) {
    std::fprintf(
        stderr,
        "%s\n"
        "usage: banco_envio [-d DOCUMENTS] [-k DETAILS] [--modo en-linea|fuera-de-linea|ambos]\n"
        "                   [--acceso servidor|embebido|ambos] [--carga facturas|mixta]\n"
        "                   [--escala [--entradas N1,N2]] [--pasos] [-r REPETITIONS]\n"
        "                   [--solo corrida|piso]\n",
        problema.c_str());
    std::exit(2);
}

int Numero(const std::string& texto, const char* opcion) {
    try {
        size_t fin = 0;
        int n = std::stoi(texto, &fin);
        if (fin == texto.size() && n > 0) return n;
    } catch (...) {
    }
    Uso(std::string("bad value for ") + opcion + ": " + texto);
}

Opciones LeerOpciones(int argc, char** argv) {
    Opciones o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto valor = [&]() -> std::string {
            if (i + 1 >= argc) Uso("missing value of " + a);
            return argv[++i];
        };
        if (a == "-d") {
            o.documentos = Numero(valor(), "-d");
        } else if (a == "-k") {
            o.detalles = Numero(valor(), "-k");
        } else if (a == "-r") {
            o.repeticiones = Numero(valor(), "-r");
            o.repeticionesDadas = true;
        } else if (a == "--modo") {
            const std::string v = valor();
            if (v == "en-linea")
                o.modos = {true};
            else if (v == "fuera-de-linea")
                o.modos = {false};
            else if (v == "ambos")
                o.modos = {true, false};
            else
                Uso("unknown mode: " + v);
        } else if (a == "--acceso") {
            const std::string v = valor();
            if (v == "servidor")
                o.accesos = {Acceso::Servidor};
            else if (v == "embebido")
                o.accesos = {Acceso::Embebido};
            else if (v == "ambos")
                o.accesos = {Acceso::Servidor, Acceso::Embebido};
            else
                Uso("unknown access: " + v);
        } else if (a == "--carga") {
            const std::string v = valor();
            if (v == "facturas")
                o.carga = Carga::Facturas;
            else if (v == "mixta")
                o.carga = Carga::Mixta;
            else
                Uso("unknown workload: " + v);
        } else if (a == "--pasos") {
            o.pasos = true;
        } else if (a == "--escala") {
            o.escala = true;
        } else if (a == "--entradas") {
            o.tamanos.clear();
            std::string v = valor();
            for (size_t p = 0; p <= v.size();) {
                size_t q = v.find(',', p);
                if (q == std::string::npos) q = v.size();
                o.tamanos.push_back(Numero(v.substr(p, q - p), "--entradas"));
                p = q + 1;
            }
        } else if (a == "--solo") {
            const std::string v = valor();
            if (v == "corrida")
                o.piso = false;
            else if (v == "piso")
                o.corrida = false;
            else
                Uso("--solo corrida|piso: " + v);
        } else if (a == "-h" || a == "--help") {
            Uso("Benchmark of the send run.");
        } else {
            Uso("unknown option: " + a);
        }
    }
    if (o.escala && !o.repeticionesDadas) o.repeticiones = 1;
    return o;
}

// ---------------------------------------------------------------- the origin's contents

// A family of the workload, in the order the mixed journal cycles through them.
enum class Clase { Factura, Comprobante, Recibo, Cuenta, Unidades, SinManejador };

// The journal entry i (from 1) of a workload.
Clase ClaseDe(Carga carga, int i) {
    if (carga == Carga::Facturas) return Clase::Factura;
    if (carga == Carga::SinManejador) return Clase::SinManejador;
    static constexpr Clase kCiclo[] = {Clase::Factura, Clase::Comprobante, Clase::Recibo,
                                       Clase::Cuenta, Clase::Unidades};
    return kCiclo[(i - 1) % 5];
}

// A code without catalog entry that the type list holds: its entries reach the journal copy
// and the mark without any document work.
constexpr int kTipoSinManejador = 19;

// Receipt payment rows per receipt.
constexpr int kPagosPorRecibo = 2;

// Rows that one entry puts into the target (the journal copy apart).
int FilasDe(Clase c, int k) {
    switch (c) {
        case Clase::Factura:
        case Clase::Comprobante:
            return 1 + k;
        case Clase::Recibo:
            return 1 + k + kPagosPorRecibo;
        case Clase::Cuenta:
            return 1;
        case Clase::Unidades:
            return k;
        case Clase::SinManejador:
            return 0;
    }
    return 0;
}

struct Lote {
    Carga carga;
    int entradas, detalles;
    long filasDocumento() const {  // headers, details and master rows
        long n = 0;
        for (int i = 1; i <= entradas; ++i) n += FilasDe(ClaseDe(carga, i), detalles);
        return n;
    }
};

// The origin's rows, generated by the server in one statement and one transaction. The
// invoices carry the values of prueba::Factura; journal entries get distinct times, one
// second apart, so that the journal order is the order of i. In the mixed journal a receipt
// pays the invoice two entries before it.
std::string BloqueOrigen(const Lote& c) {
    const std::string n = std::to_string(c.entradas), k = std::to_string(c.detalles);
    std::string b =
        "EXECUTE BLOCK AS\n"
        "DECLARE i INTEGER = 1;\n"
        "DECLARE j INTEGER;\n"
        "DECLARE p INTEGER;\n"
        "DECLARE num CHAR(6);\n"
        "DECLARE cla VARCHAR(20);\n"
        "DECLARE fecha DATE;\n"
        "DECLARE hora TIME;\n"
        "BEGIN\n"
        "  WHILE (i <= " +
        n +
        ") DO BEGIN\n"
        "    num = LPAD(CAST(i AS VARCHAR(6)), 6, '0');\n"
        "    fecha = DATEADD(DAY, i / 86400, DATE '2026-03-02');\n"
        "    hora = DATEADD(SECOND, MOD(i, 86400), TIME '00:00:00');\n";
    b += c.carga == Carga::Facturas       ? "    p = 0;\n"
         : c.carga == Carga::SinManejador ? "    p = 5;\n"
                                          : "    p = MOD(i - 1, 5);\n";
    b +=
        "    IF (p = 0) THEN BEGIN\n"
        "      INSERT INTO FACTURAS (FACT_ID, PREF_PRE, FACT_NUMERO, FACT_FECHA, TERC_NIT,\n"
        "        FACT_SUBTOTAL, FACT_TOTAL, FACT_TASACAMBIO, FACT_OBSERVACION)\n"
        "        VALUES (:i, 'FV', :num, '2026-03-02', '900123', 100.50, 116.60, 1.234567,\n"
        "        'observaci\xF3n');\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        k +
        ") DO BEGIN\n"
        "        INSERT INTO FACTURAS_DETALLE (FACT_ID, FADE_ITEM, ARTI_COD, FADE_CANTIDAD,\n"
        "          FADE_FACTOR, FADE_PRECIO, FADE_TOTAL, FADE_CANTDEV)\n"
        "          VALUES (:i, :j, 'A00' || :j, :j, 1.123456, 10.5, 10.50, 7);\n"
        "        j = j + 1;\n"
        "      END\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 31, :i, 'I', 'FV' || :num,\n"
        "        'N', NULL, 'banco');\n"
        "    END\n"
        "    IF (p = 1) THEN BEGIN\n"
        "      INSERT INTO COMPROBANTE_ENCABEZADO (ENCO_CONSEC, TICO_COD, PRCO_PREF, ENCO_NUMERO,\n"
        "        ENCO_FECHA, ENCO_DESCRIPCION, TERC_NIT, ENCO_TOTAL, ENCO_IMPRESO, ENCO_DEBITOS,\n"
        "        ENCO_CREDITOS, ENCO_ORIGEN, ENCO_USUARIO, ENCO_CREADO, ENCO_OBSERVACION)\n"
        "        VALUES (:i, 'CD', 'CO', :num, '2026-03-02', 'comprobante de diario', '900123',\n"
        "        100.00, 2, 100.00, 100.00, 'CONTABILIDAD', 'ANA', '2026-03-02 10:00:00', "
        "'nota');\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        k +
        ") DO BEGIN\n"
        "        INSERT INTO COMPROBANTE_DETALLE (ENCO_CONSEC, CODE_ITEM, CUEN_COD, TERC_NIT,\n"
        "          CCOS_COD, CODE_DETALLE, CODE_DEBITO, CODE_CREDITO, CODE_BASE, CODE_DOCREF,\n"
        "          CODE_FECHAVENCE)\n"
        "          VALUES (:i, :j, '110505', '900123', '01', 'movimiento ' || :j, 10.00, 0, 0,\n"
        "          'FV' || :num, '2026-04-02');\n"
        "        j = j + 1;\n"
        "      END\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 1, :i, 'I', 'CO' || :num,\n"
        "        'N', 'CD', 'banco');\n"
        "    END\n"
        "    IF (p = 2) THEN BEGIN\n"
        "      INSERT INTO RECIBOS_CAJA (RECA_ID, PREF_PRE, RECA_NUMERO, RECA_FECHA, TERC_NIT,\n"
        "        CAJA_COD, RECA_CONCEPTO, RECA_VALOR, RECA_OBSERVACION)\n"
        "        VALUES (:i, 'RC', :num, '2026-03-02', '900123', '01', 'abono', 52.50, 'recibo');\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        k +
        ") DO BEGIN\n"
        "        INSERT INTO RECIBOS_CAJA_DETALLE (RECA_ID, RCDE_ITEM, TIDO_COD, RCDE_IDDOC,\n"
        "          RCDE_PREFDOC, RCDE_NUMDOC, RCDE_VALOR, RCDE_DESCUENTO, RCDE_RETENCION,\n"
        "          RCDE_SALDOANT)\n"
        "          VALUES (:i, :j, 31, :i - 2, 'FV', LPAD(CAST(:i - 2 AS VARCHAR(6)), 6, '0'),\n"
        "          10.50, 0, 0, 116.60);\n"
        "        j = j + 1;\n"
        "      END\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        std::to_string(kPagosPorRecibo) +
        ") DO BEGIN\n"
        "        INSERT INTO RECIBOS_CAJA_PAGO (RECA_ID, RCPA_ITEM, FOPA_COD, BANC_COD,\n"
        "          RCPA_DOCUMENTO, RCPA_FECHA, RCPA_VALOR)\n"
        "          VALUES (:i, :j, 'EF', '07', 'CH' || :num, '2026-03-02', 26.25);\n"
        "        j = j + 1;\n"
        "      END\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 61, :i, 'I', 'RC' || :num,\n"
        "        'N', NULL, 'banco');\n"
        "    END\n"
        "    IF (p = 3) THEN BEGIN\n"
        "      cla = '11' || LPAD(CAST(i AS VARCHAR(8)), 8, '0');\n"
        "      INSERT INTO CUENTAS (CUEN_COD, CUEN_NOMBRE, CUEN_NIVEL, CUEN_NATURALEZA,\n"
        "        CUEN_AUXILIAR, CUEN_TERCERO, CUEN_CCOSTO, CUEN_PORCRETE, CUEN_BASERETE, "
        "CUEN_ACTIVA)\n"
        "        VALUES (:cla, 'Cuenta ' || :i, 4, 'D', 'S', 'N', 'N', 0.1100, 100000.00, 'S');\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 100, 0, 'I', :cla,\n"
        "        'N', NULL, 'banco');\n"
        "    END\n"
        "    IF (p = 4) THEN BEGIN\n"
        "      cla = 'AR' || LPAD(CAST(i AS VARCHAR(8)), 8, '0');\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        k +
        ") DO BEGIN\n"
        "        INSERT INTO UNIDAD_ARTICULO (ARTI_COD, UNAR_UNIDAD, UNAR_NOMBRE, UNAR_FACTOR,\n"
        "          UNAR_PESO, UNAR_PRINCIPAL)\n"
        "          VALUES (:cla, 'U' || :j, 'Unidad ' || :j, :j, 0.5, IIF(:j = 1, 'S', 'N'));\n"
        "        j = j + 1;\n"
        "      END\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 124, 0, 'M', :cla,\n"
        "        'N', NULL, 'banco');\n"
        "    END\n"
        "    IF (p = 5) THEN\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, " +
        std::to_string(kTipoSinManejador) +
        ", :i, 'I', 'XX' || :num,\n"
        "        'N', NULL, 'banco');\n"
        "    i = i + 1;\n"
        "  END\n"
        "END";
    return b;
}

// ---------------------------------------------------------------- checks after a send

const char kConteoDestino[] =
    "SELECT (SELECT COUNT(*) FROM FACTURAS) + (SELECT COUNT(*) FROM FACTURAS_DETALLE) + "
    "(SELECT COUNT(*) FROM COMPROBANTE_ENCABEZADO) + (SELECT COUNT(*) FROM COMPROBANTE_DETALLE) + "
    "(SELECT COUNT(*) FROM RECIBOS_CAJA) + (SELECT COUNT(*) FROM RECIBOS_CAJA_DETALLE) + "
    "(SELECT COUNT(*) FROM RECIBOS_CAJA_PAGO) + (SELECT COUNT(*) FROM CUENTAS) + "
    "(SELECT COUNT(*) FROM UNIDAD_ARTICULO), (SELECT COUNT(*) FROM AUDITORIA), "
    "(SELECT COUNT(*) FROM RECIBOS_CAJA_DETALLE d JOIN FACTURAS f ON f.FACT_ID = d.RCDE_IDDOC "
    "AND f.PREF_PRE = d.RCDE_PREFDOC AND f.FACT_NUMERO = d.RCDE_NUMDOC) FROM RDB$DATABASE";

struct Medida {
    bool hecha = false;
    double segundos = 0;
    long entradas = 0, enviadas = 0, fallidas = 0;
    long filas = 0, filasEsperadas = 0;  // rows in the target after the send
    long rssKiB = 0;
    bool verificada = false;
    char nota[768] = {};
};

template <class R>
void Anotar(R& m, const std::string& texto) {
    std::string t = m.nota;
    if (!t.empty()) t += "; ";
    for (char ch : texto) t += ch == '\n' ? ' ' : ch;
    std::snprintf(m.nota, sizeof m.nota, "%s", t.c_str());
}

// Compares what the target and the origin's marks hold with what the workload asks for.
void Verificar(const prueba::EscenarioEnvio& e, const std::string& destino, const Lote& c,
               bool enLinea, Medida& m) {
    const auto cuenta = prueba::Consultar(destino, kConteoDestino).at(0);
    m.filas = cuenta[0].comoEntero();
    const long auditoria = cuenta[1].comoEntero();
    const long referencias = cuenta[2].comoEntero();
    m.filasEsperadas = c.filasDocumento();
    long referenciasEsperadas = 0;
    for (int i = 1; i <= c.entradas; ++i)
        if (ClaseDe(c.carga, i) == Clase::Recibo) referenciasEsperadas += c.detalles;
    const long marcadas =
        prueba::Consultar(e.origen(), "SELECT COUNT(*) FROM AUDITORIA WHERE AUDI_ENVIO = 'S'")
            .at(0)[0]
            .comoEntero();
    m.verificada = m.filas == m.filasEsperadas && marcadas == c.entradas &&
                   referencias == referenciasEsperadas &&
                   (enLinea ? auditoria == 0 : auditoria == c.entradas);
    if (!m.verificada) {
        Anotar(m, "NOT VERIFIED: the target holds " + std::to_string(m.filas) + " of " +
                      std::to_string(m.filasEsperadas) + " document rows and " +
                      std::to_string(auditoria) + " journal rows, " + std::to_string(referencias) +
                      " of " + std::to_string(referenciasEsperadas) +
                      " receipt references resolved; " + std::to_string(marcadas) + " of " +
                      std::to_string(c.entradas) + " entries marked sent");
        std::string pendientes;
        for (const auto& f : prueba::Consultar(e.origen(),
                                               "SELECT TIDO_COD, COUNT(*) FROM AUDITORIA WHERE "
                                               "AUDI_ENVIO = 'N' GROUP BY TIDO_COD ORDER BY 1"))
            pendientes +=
                (pendientes.empty() ? "" : ", ") + f[0].comoTexto() + ": " + f[1].comoTexto();
        if (!pendientes.empty()) Anotar(m, "unsent entries by type {" + pendientes + "}");
    }
}

long RssKiB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

// ---------------------------------------------------------------- the floor

namespace piso {

using namespace Firebird;

const unsigned char kTpbEscritura[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                       isc_tpb_rec_version, isc_tpb_wait};
const unsigned char kTpbLectura[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                     isc_tpb_rec_version, isc_tpb_wait};

// The layout of a message: types and offsets, read once.
struct Formato {
    fb::Ref<IMessageMetadata> meta;
    std::vector<unsigned> tipo, largo, desp, nulo;
    unsigned tamano = 0;

    void describir(IMessageMetadata* m) {
        meta = fb::Ref<IMessageMetadata>(m);
        fb::Estado st;
        const unsigned n = m->getCount(&st);
        for (unsigned i = 0; i < n; ++i) {
            tipo.push_back(m->getType(&st, i) & ~1u);
            largo.push_back(m->getLength(&st, i));
            desp.push_back(m->getOffset(&st, i));
            nulo.push_back(m->getNullOffset(&st, i));
        }
        tamano = m->getMessageLength(&st);
    }
    unsigned cantidad() const { return unsigned(tipo.size()); }
};

using Fila = std::vector<unsigned char>;

template <class T>
T Tomar(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
void Poner(unsigned char* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

bool EsNulo(const Formato& f, const unsigned char* b, unsigned i) {
    return Tomar<short>(b + f.nulo[i]) != 0;
}

// Integers and exact numerics as their raw mantissa.
int64_t Entero(const Formato& f, const unsigned char* b, unsigned i) {
    const unsigned char* p = b + f.desp[i];
    switch (f.tipo[i]) {
        case SQL_SHORT:
            return Tomar<int16_t>(p);
        case SQL_LONG:
            return Tomar<int32_t>(p);
        case SQL_INT64:
            return Tomar<int64_t>(p);
        default:
            throw std::runtime_error("floor: not an integer field");
    }
}

std::string Texto(const Formato& f, const unsigned char* b, unsigned i) {
    const unsigned char* p = b + f.desp[i];
    switch (f.tipo[i]) {
        case SQL_TEXT:
            return std::string(reinterpret_cast<const char*>(p), f.largo[i]);
        case SQL_VARYING:
            return std::string(reinterpret_cast<const char*>(p + 2), Tomar<uint16_t>(p));
        default:
            throw std::runtime_error("floor: not a text field");
    }
}

void PonerEntero(const Formato& f, unsigned char* b, unsigned i, int64_t v) {
    Poner<short>(b + f.nulo[i], 0);
    unsigned char* p = b + f.desp[i];
    switch (f.tipo[i]) {
        case SQL_SHORT:
            Poner<int16_t>(p, int16_t(v));
            break;
        case SQL_LONG:
            Poner<int32_t>(p, int32_t(v));
            break;
        case SQL_INT64:
            Poner<int64_t>(p, v);
            break;
        default:
            throw std::runtime_error("floor: not an integer parameter");
    }
}

void PonerTexto(const Formato& f, unsigned char* b, unsigned i, const std::string& t) {
    Poner<short>(b + f.nulo[i], 0);
    unsigned char* p = b + f.desp[i];
    const size_t n = std::min<size_t>(t.size(), f.largo[i]);
    switch (f.tipo[i]) {
        case SQL_TEXT:
            std::memset(p, ' ', f.largo[i]);
            std::memcpy(p, t.data(), n);
            break;
        case SQL_VARYING:
            Poner<uint16_t>(p, uint16_t(n));
            std::memcpy(p + 2, t.data(), n);
            break;
        default:
            throw std::runtime_error("floor: not a text parameter");
    }
}

class Transaccion {
  public:
    Transaccion(IAttachment* att, const unsigned char* tpb, unsigned largo) {
        fb::Estado st;
        t_ = fb::Ref<ITransaction>(att->startTransaction(&st, largo, tpb));
    }
    ~Transaccion() {
        try {
            fb::Estado st;
            t_.Terminar([&](ITransaction* t) { t->rollback(&st); });
        } catch (...) {
        }
    }
    ITransaction* get() const { return t_.get(); }
    void confirmar() {
        fb::Estado st;
        t_.Terminar([&](ITransaction* t) { t->commit(&st); });
    }

  private:
    fb::Ref<ITransaction> t_;
};

class Base {
  public:
    explicit Base(const std::string& ubicacion) {
        fb::Estado st;
        IXpbBuilder* dpb = fb::Util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
        struct Desechar {
            IXpbBuilder* p;
            ~Desechar() { p->dispose(); }
        } desechar{dpb};
        dpb->insertString(&st, isc_dpb_user_name, prueba::kUsuario);
        dpb->insertString(&st, isc_dpb_password, prueba::kClave);
        dpb->insertString(&st, isc_dpb_lc_ctype, "NONE");
        dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
        fb::Ref<IProvider> proveedor(fb::Maestro()->getDispatcher());
        att_ = fb::Ref<IAttachment>(proveedor->attachDatabase(
            &st, ubicacion.c_str(), dpb->getBufferLength(&st), dpb->getBuffer(&st)));
    }
    ~Base() {
        try {
            desconectar();
        } catch (...) {
        }
    }
    void desconectar() {
        fb::Estado st;
        att_.Terminar([&](IAttachment* a) { a->detach(&st); });
    }
    IAttachment* get() const { return att_.get(); }

  private:
    fb::Ref<IAttachment> att_;
};

// A statement prepared once, with its parameter and row buffers.
class Preparada {
  public:
    Preparada(IAttachment* att, ITransaction* tra, const std::string& texto) {
        fb::Estado st;
        st_ = fb::Ref<IStatement>(
            att->prepare(&st, tra, 0, texto.c_str(), 3, IStatement::PREPARE_PREFETCH_METADATA));
        entrada.describir(st_->getInputMetadata(&st));
        salida.describir(st_->getOutputMetadata(&st));
        parametros.assign(entrada.tamano, 0);
        fila.assign(salida.tamano, 0);
    }
    ~Preparada() {
        entrada.meta.Soltar();
        salida.meta.Soltar();
        try {
            fb::Estado st;
            st_.Terminar([&](IStatement* s) { s->free(&st); });
        } catch (...) {
        }
    }

    Formato entrada, salida;
    Fila parametros, fila;

    // With the statement's own parameters, or with another message (a fetched row).
    void ejecutar(ITransaction* tra) {
        ejecutar(tra, entrada.cantidad() ? &entrada : nullptr, parametros.data());
    }
    void ejecutar(ITransaction* tra, const Formato* mensaje, unsigned char* datos) {
        fb::Estado st;
        st_->execute(&st, tra, mensaje ? mensaje->meta.get() : nullptr, mensaje ? datos : nullptr,
                     nullptr, nullptr);
    }
    // The first row into `fila`; false when there is none.
    bool leerUna(ITransaction* tra) {
        bool hay = false;
        recorrer(tra, [&] {
            hay = true;
            return false;
        });
        return hay;
    }
    // Every row, copied.
    std::vector<Fila> leerTodas(ITransaction* tra) {
        std::vector<Fila> filas;
        recorrer(tra, [&] {
            filas.push_back(fila);
            return true;
        });
        return filas;
    }

  private:
    template <class F>
    void recorrer(ITransaction* tra, F&& otra) {
        fb::Estado st;
        fb::Ref<IResultSet> cursor(st_->openCursor(
            &st, tra, entrada.cantidad() ? entrada.meta.get() : nullptr,
            entrada.cantidad() ? parametros.data() : nullptr, salida.meta.get(), 0));
        while (cursor->fetchNext(&st, fila.data()) == IStatus::RESULT_OK)
            if (!otra()) break;
        cursor.Terminar([&](IResultSet* c) { c->close(&st); });
    }

    fb::Ref<IStatement> st_;
};

struct CodigoPartido {
    std::string prefijo, numero;
};
CodigoPartido Partir(const std::string& codigo) {
    if (codigo.size() <= 6) return {"", codigo};
    return {codigo.substr(0, codigo.size() - 6), codigo.substr(codigo.size() - 6)};
}

std::string Columnas(size_t n) {
    std::string t;
    for (size_t i = 0; i < n; ++i) t += i ? ", ?" : "?";
    return t;
}

// What the run must do for the workload, with nothing in between: statements prepared once
// with parameters, source rows fetched into the client's buffers and handed to the inserts as
// they are (large objects copied to the target), one write transaction per header, detail
// row, master row and journal copy, committed each; the target's look-ups and new ids read
// in one read-only transaction; the marks in the origin's snapshot transaction, committed at
// the end, as the run's session close does.
class Piso {
  public:
    Piso(const std::string& origen, const std::string& destino, bool enLinea, std::string traza)
        : enLinea_(enLinea), traza_(std::move(traza)), origen_(origen), destino_(destino) {}

    Medida correr() {
        Medida m;
        traOrigen_.emplace(origen_.get(), nullptr, 0);  // snapshot, as Trcia
        lectura_.emplace(destino_.get(), kTpbLectura, sizeof kTpbLectura);
        {
            Preparada& bloqueo = destino(
                "select CONF_VALOR from CONFIGURACION where CONF_MODULO = 'CONTABILIDAD' and "
                "CONF_CATEGORIA = 'GENERAL' and CONF_PROPIEDAD = 'FECHA DE BLOQUEO'");
            if (bloqueo.leerUna(lectura_->get()))
                fechaBloqueo_ = Texto(bloqueo.salida, bloqueo.fila.data(), 0);
        }
        Preparada& diario =
            origen("select * from auditoria where audi_envio = 'N' order by audi_fecha, audi_hora");
        const std::vector<Fila> entradas = diario.leerTodas(traOrigen_->get());
        const Formato& fa = diario.salida;
        Preparada& copia =
            destino("INSERT INTO AUDITORIA VALUES (" + Columnas(fa.cantidad()) + ")");
        Preparada& marca = origen("UPDATE AUDITORIA SET AUDI_ENVIO = 'S' where AUDI_ID = ?");
        for (const Fila& f : entradas) {
            const unsigned char* a = f.data();
            const int64_t id = Entero(fa, a, 0);
            const int tipo = int(Entero(fa, a, 4));
            const int64_t idDoc = EsNulo(fa, a, 5) ? 0 : Entero(fa, a, 5);
            const std::string codigo = Texto(fa, a, 7);
            trazar(id, tipo, codigo);
            ++m.entradas;
            switch (tipo) {
                case 31:
                case 61:
                    documento(*BuscarTipoDoc(tipo), idDoc, codigo);
                    break;
                case 1:
                    comprobante(idDoc);
                    break;
                case 100:
                    cuenta(codigo);
                    break;
                case 124:
                    unidades(codigo);
                    break;
                default:
                    break;  // no catalog entry: nothing to copy
            }
            if (!enLinea_) {
                Transaccion t(destino_.get(), kTpbEscritura, sizeof kTpbEscritura);
                copia.ejecutar(t.get(), &fa, const_cast<unsigned char*>(a));
                t.confirmar();
            }
            PonerEntero(marca.entrada, marca.parametros.data(), 0, id);
            marca.ejecutar(traOrigen_->get());
            ++m.enviadas;
        }
        lectura_->confirmar();
        traOrigen_->confirmar();
        preparadas_.clear();
        destino_.desconectar();
        origen_.desconectar();
        return m;
    }

  private:
    Preparada& preparar(Base& base, ITransaction* tra, const std::string& texto) {
        auto& p = preparadas_[{&base == &origen_, texto}];
        if (!p) p = std::make_unique<Preparada>(base.get(), tra, texto);
        return *p;
    }
    Preparada& origen(const std::string& texto) {
        return preparar(origen_, traOrigen_->get(), texto);
    }
    Preparada& destino(const std::string& texto) {
        return preparar(destino_, lectura_->get(), texto);
    }

    // The trail line: one line appended, the file opened and closed around it.
    void trazar(int64_t id, int tipo, const std::string& codigo) {
        if (FILE* f = std::fopen(traza_.c_str(), "ab")) {
            std::fprintf(f, "02/03/26,10:00:00,%lld,%d,%s\r\n", static_cast<long long>(id), tipo,
                         codigo.c_str());
            std::fclose(f);
        }
    }

    // Inserts the row in a transaction of its own, its large objects copied first.
    void insertar(Preparada& insercion, const Formato& f, unsigned char* fila) {
        Transaccion t(destino_.get(), kTpbEscritura, sizeof kTpbEscritura);
        for (unsigned i = 0; i < f.cantidad(); ++i)
            if (f.tipo[i] == SQL_BLOB && !EsNulo(f, fila, i))
                Poner<ISC_QUAD>(fila + f.desp[i],
                                copiarBlob(Tomar<ISC_QUAD>(fila + f.desp[i]), t.get()));
        insercion.ejecutar(t.get(), &f, fila);
        t.confirmar();
    }

    ISC_QUAD copiarBlob(ISC_QUAD id, ITransaction* destino) {
        fb::Estado st;
        fb::Ref<IBlob> leer(origen_.get()->openBlob(&st, traOrigen_->get(), &id, 0, nullptr));
        ISC_QUAD nuevo{};
        fb::Ref<IBlob> escribir(destino_.get()->createBlob(&st, destino, &nuevo, 0, nullptr));
        char trozo[32768];
        for (;;) {
            unsigned leido = 0;
            if (leer->getSegment(&st, sizeof trozo, trozo, &leido) == IStatus::RESULT_NO_DATA)
                break;
            escribir->putSegment(&st, leido, trozo);
        }
        leer.Terminar([&](IBlob* b) { b->close(&st); });
        escribir.Terminar([&](IBlob* b) { b->close(&st); });
        return nuevo;
    }

    Preparada& insercion(const std::string& tabla, const Formato& f) {
        return destino("INSERT INTO " + tabla + " VALUES (" + Columnas(f.cantidad()) + ")");
    }

    int64_t nuevoId(const std::string& vista) {
        Preparada& v = destino("select * from " + vista);
        if (!v.leerUna(lectura_->get()))
            throw std::runtime_error("floor: " + vista + " gave no row");
        return Entero(v.salida, v.fila.data(), 0);
    }

    static void exigirAusente(bool hay, const std::string& que) {
        if (hay) throw std::runtime_error("floor: " + que + " is already in the target");
    }

    // Header and detail tables, for a target without the document (the workload creates
    // documents only).
    void documento(const DescriptorTipoDoc& t, int64_t idDoc, const std::string& codigo) {
        Preparada& fuente =
            origen("select * from " + t.tablaEncabezado + " where " + t.columnaId + " = ?");
        PonerEntero(fuente.entrada, fuente.parametros.data(), 0, idDoc);
        if (!fuente.leerUna(traOrigen_->get())) return;
        const CodigoPartido cod = Partir(codigo);
        Preparada& busca = destino("SELECT * FROM " + t.tablaEncabezado + " WHERE " +
                                   t.columnaPrefijo + " = ? AND " + t.columnaNumero + " = ?");
        PonerTexto(busca.entrada, busca.parametros.data(), 0, cod.prefijo);
        PonerTexto(busca.entrada, busca.parametros.data(), 1, cod.numero);
        exigirAusente(busca.leerUna(lectura_->get()), codigo);
        Formato& fh = fuente.salida;
        if (enLinea_) PonerEntero(fh, fuente.fila.data(), 0, nuevoId(t.vistaNuevoId));
        const int64_t idEncabezado = Entero(fh, fuente.fila.data(), 0);
        insertar(insercion(t.tablaEncabezado, fh), fh, fuente.fila.data());
        for (size_t n = 0; n < t.detalles.size(); ++n) {
            const TablaDetalle& d = t.detalles[n];
            Preparada& det = origen("select * from " + d.tabla + " where " + d.columnaId + " = ?");
            PonerEntero(det.entrada, det.parametros.data(), 0, idDoc);
            std::vector<Fila> filas = det.leerTodas(traOrigen_->get());
            const Formato& fd = det.salida;
            Preparada& ins = insercion(d.tabla, fd);
            for (Fila& f : filas) {
                PonerEntero(fd, f.data(), 0, idEncabezado);
                if (t.posicionEnCero >= 0) PonerEntero(fd, f.data(), unsigned(t.posicionEnCero), 0);
                if (n == 0 && t.referenciasEnPrimerDetalle) referencia(fd, f.data());
                insertar(ins, fd, f.data());
            }
        }
    }

    // The paid document of a receipt row, named by type (2), prefix (4) and number (5), gets
    // its target id in position 3; 0 when the target lacks it.
    void referencia(const Formato& fd, unsigned char* fila) {
        int64_t id = 0;
        if (!EsNulo(fd, fila, 2) && Entero(fd, fila, 2) == 31) {
            Preparada& r =
                destino("select fact_id from facturas where pref_pre = ? and fact_numero = ?");
            PonerTexto(r.entrada, r.parametros.data(), 0, Texto(fd, fila, 4));
            PonerTexto(r.entrada, r.parametros.data(), 1, Texto(fd, fila, 5));
            if (r.leerUna(lectura_->get())) id = Entero(r.salida, r.fila.data(), 0);
        }
        PonerEntero(fd, fila, 3, id);
    }

    // A voucher with the replace flag on: the key probed for a voucher to remove, then
    // looked up, then the header (position 8 at 0) and its details.
    void comprobante(int64_t idDoc) {
        Preparada& fuente = origen("select * from comprobante_encabezado where enco_consec = ?");
        PonerEntero(fuente.entrada, fuente.parametros.data(), 0, idDoc);
        if (!fuente.leerUna(traOrigen_->get())) return;
        Formato& fh = fuente.salida;
        unsigned char* h = fuente.fila.data();
        if (!fechaBloqueo_.empty() && !EsNulo(fh, h, 4)) {
            unsigned a, me, d;
            fb::Util()->decodeDate(Tomar<ISC_DATE>(h + fh.desp[4]), &a, &me, &d);
            char fecha[16];
            std::snprintf(fecha, sizeof fecha, "%04u-%02u-%02u", a, me, d);
            if (std::string(fecha) < fechaBloqueo_) return;
        }
        const std::string clave = " WHERE TICO_COD = ? AND PRCO_PREF = ? AND ENCO_NUMERO = ?";
        for (const char* select : {"SELECT ENCO_CONSEC FROM COMPROBANTE_ENCABEZADO",
                                   "SELECT * FROM COMPROBANTE_ENCABEZADO"}) {
            Preparada& busca = destino(select + clave);
            for (unsigned i = 0; i < 3; ++i)
                PonerTexto(busca.entrada, busca.parametros.data(), i, Texto(fh, h, i + 1));
            exigirAusente(busca.leerUna(lectura_->get()), "comprobante");
        }
        PonerEntero(fh, h, 8, 0);
        if (enLinea_) PonerEntero(fh, h, 0, nuevoId("cambie_id_comproba"));
        const int64_t idEncabezado = Entero(fh, h, 0);
        insertar(insercion("COMPROBANTE_ENCABEZADO", fh), fh, h);
        Preparada& det = origen("select * from comprobante_detalle where enco_consec = ?");
        PonerEntero(det.entrada, det.parametros.data(), 0, idDoc);
        std::vector<Fila> filas = det.leerTodas(traOrigen_->get());
        Preparada& ins = insercion("COMPROBANTE_DETALLE", det.salida);
        for (Fila& f : filas) {
            PonerEntero(det.salida, f.data(), 0, idEncabezado);
            insertar(ins, det.salida, f.data());
        }
    }

    void cuenta(const std::string& codigo) {
        Preparada& fuente = origen("select * from cuentas where cuen_cod = ?");
        PonerTexto(fuente.entrada, fuente.parametros.data(), 0, codigo);
        if (!fuente.leerUna(traOrigen_->get())) return;
        Preparada& busca = destino("SELECT * FROM CUENTAS WHERE CUEN_COD = ?");
        PonerTexto(busca.entrada, busca.parametros.data(), 0, codigo);
        exigirAusente(busca.leerUna(lectura_->get()), codigo);
        insertar(insercion("CUENTAS", fuente.salida), fuente.salida, fuente.fila.data());
    }

    void unidades(const std::string& articulo) {
        Preparada& fuente = origen("select * from unidad_articulo where arti_cod = ?");
        PonerTexto(fuente.entrada, fuente.parametros.data(), 0, articulo);
        std::vector<Fila> filas = fuente.leerTodas(traOrigen_->get());
        const Formato& f = fuente.salida;
        Preparada& busca =
            destino("SELECT * from UNIDAD_ARTICULO where arti_cod = ? AND UNAR_UNIDAD = ?");
        Preparada& ins = insercion("UNIDAD_ARTICULO", f);
        for (Fila& fila : filas) {
            PonerTexto(busca.entrada, busca.parametros.data(), 0, articulo);
            PonerTexto(busca.entrada, busca.parametros.data(), 1, Texto(f, fila.data(), 1));
            exigirAusente(busca.leerUna(lectura_->get()), articulo);
            insertar(ins, f, fila.data());
        }
    }

    bool enLinea_;
    std::string traza_, fechaBloqueo_;
    Base origen_, destino_;
    std::optional<Transaccion> traOrigen_, lectura_;
    std::map<std::pair<bool, std::string>, std::unique_ptr<Preparada>> preparadas_;
};

}  // namespace piso

// ---------------------------------------------------------------- one measurement

struct Configuracion {
    Acceso acceso;
    bool enLinea;
    Lote carga;
    bool esPiso;
};

Medida Medir(const Configuracion& c) {
    prueba::EscenarioEnvio e(c.acceso);
    prueba::EjecutarSql(e.origen(), {BloqueOrigen(c.carga)});
    e.parametros.enLinea = c.enLinea;
    if (c.carga.carga == Carga::SinManejador)
        e.parametros.tipos.push_back({kTipoSinManejador, "SIN MANEJADOR", true});
    const std::string destino = c.enLinea ? e.destino() : e.archivoEnvio();

    Medida m;
    Reloj::time_point inicio, fin;
    if (c.esPiso) {
        inicio = Reloj::now();
        if (!c.enLinea) {
            // The run starts from a fresh copy of the template: so does the floor.
            std::filesystem::copy_file(e.instalacion.ruta("sop/envio.fdb"),
                                       e.instalacion.ruta("datos/002/envio.fdb"),
                                       std::filesystem::copy_options::overwrite_existing);
        }
        piso::Piso p(e.origen(), destino, c.enLinea, e.instalacion.ruta("ENVIO.TXT"));
        m = p.correr();
        fin = Reloj::now();
    } else {
        inicio = Reloj::now();
        const ResultadoEnvio r = e.enviar();
        fin = Reloj::now();
        m.entradas = r.visitadas;
        m.enviadas = r.enviadas;
        m.fallidas = r.fallidas;
        if (r.detenido) Anotar(m, "run stopped at a failure");
    }
    m.segundos = std::chrono::duration<double>(fin - inicio).count();
    m.rssKiB = RssKiB();
    Verificar(e, destino, c.carga, c.enLinea, m);
    m.hecha = true;
    return m;
}

// In a child process: its own engine, its own peak memory. R is a plain record with the
// fields hecha and nota.
template <class R, class F>
R Aparte(F&& medir) {
    static_assert(std::is_trivially_copyable_v<R>, "the result crosses a pipe as bytes");
    int tubo[2];
    if (pipe(tubo) != 0) throw std::runtime_error("pipe");
    std::fflush(stdout);
    const pid_t hijo = fork();
    if (hijo < 0) throw std::runtime_error("fork");
    if (hijo == 0) {
        close(tubo[0]);
        R m;
        try {
            m = medir();
        } catch (const std::exception& error) {
            m.hecha = false;
            Anotar(m, std::string("aborted: ") + error.what());
        } catch (...) {
            m.hecha = false;
            Anotar(m, "aborted by an unknown exception");
        }
        const char* p = reinterpret_cast<const char*>(&m);
        for (size_t hecho = 0; hecho < sizeof m;) {
            ssize_t n = write(tubo[1], p + hecho, sizeof m - hecho);
            if (n <= 0) break;
            hecho += size_t(n);
        }
        close(tubo[1]);
        _exit(0);
    }
    close(tubo[1]);
    R m;
    char* p = reinterpret_cast<char*>(&m);
    size_t leido = 0;
    while (leido < sizeof m) {
        ssize_t n = read(tubo[0], p + leido, sizeof m - leido);
        if (n <= 0) break;
        leido += size_t(n);
    }
    close(tubo[0]);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    if (leido != sizeof m) {
        m = R{};
        Anotar(m, WIFSIGNALED(estado)
                      ? "the measurement process died of signal " + std::to_string(WTERMSIG(estado))
                      : std::string("the measurement process reported nothing"));
    }
    return m;
}

Medida MedirAparte(const Configuracion& c) {
    return Aparte<Medida>([&] { return Medir(c); });
}

// ---------------------------------------------------------------- the cost of each step

// Each step of an entry, once through the session layer the way the run and the copy take
// it, once straight through the client the way the floor takes it; same databases, same
// process, disjoint rows.
enum Paso {
    kTraza,
    kMarca,
    kCopiaDiario,
    kLecturaEncabezado,
    kBusqueda,
    kIdNuevo,
    kFilaDetalle,
    kPreparar,
    kLecturaVacia,
    kPasos
};
const char* const kNombrePaso[kPasos] = {
    "trail line (archivo_auditoria / fopen-append-fclose)",
    "journal mark (literal UPDATE via QCopia / prepared UPDATE)",
    "journal row copy (CDestino apply / insert+commit)",
    "source header read with blob (QCopia literal select / prepared)",
    "target look-up, not found (CDestino literal select / prepared)",
    "new id (CIdfact on cambie_id_factura / prepared)",
    "detail row (CDestino insert+apply / insert+commit)",
    "prepare + free of a new select text (client only)",
    "empty read-only read-committed transaction (client only)",
};

struct Desglose {
    bool hecha = false;
    int veces = 0;
    double capa[kPasos] = {}, directo[kPasos] = {};  // us per step, <0: not measured
    char nota[768] = {};
};

template <class F>
double Microsegundos(int veces, F&& paso) {
    const auto inicio = Reloj::now();
    for (int i = 1; i <= veces; ++i) paso(i);
    return std::chrono::duration<double, std::micro>(Reloj::now() - inicio).count() / veces;
}

Desglose MedirPasos(Acceso acceso, int veces) {
    using namespace Firebird;
    using namespace piso;
    Desglose d;
    d.veces = veces;
    for (double& v : d.capa) v = -1;
    prueba::EscenarioEnvio e(acceso);
    // 2n invoices of one detail row and their journal: the layer takes 1..n, the client n+1..2n.
    prueba::EjecutarSql(e.origen(), {BloqueOrigen({Carga::Facturas, 2 * veces, 1})});
    ComponentesEnvio& c = e.componentes;
    c.dbCia.ubicacion(e.origen());
    c.dbCia.usuario(prueba::kUsuario);
    c.dbCia.clave(prueba::kClave);
    c.dbCia.conectar();
    c.dbEnvio.ubicacion(e.destino());
    c.dbEnvio.usuario(prueba::kUsuario);
    c.dbEnvio.clave(prueba::kClave);
    c.dbEnvio.conectar();
    Base origen(e.origen()), destino(e.destino());
    std::optional<piso::Transaccion> traOrigen, lectura;
    traOrigen.emplace(origen.get(), nullptr, 0);
    lectura.emplace(destino.get(), kTpbLectura, sizeof kTpbLectura);
    const std::string traza = e.instalacion.ruta("ENVIO.TXT");
    auto numero = [](int i) {
        char t[16];
        std::snprintf(t, sizeof t, "%06d", i);
        return std::string(t);
    };
    auto insertar = [&](Preparada& ins, const Formato& f, unsigned char* fila) {
        piso::Transaccion t(destino.get(), kTpbEscritura, sizeof kTpbEscritura);
        ins.ejecutar(t.get(), &f, fila);
        t.confirmar();
    };

    d.capa[kTraza] = Microsegundos(veces, [&](int i) {
        archivo_auditoria(e.dialogos, std::to_string(i), "31", "FV" + numero(i));
    });
    d.directo[kTraza] = Microsegundos(veces, [&](int i) {
        if (FILE* f = std::fopen(traza.c_str(), "ab")) {
            std::fprintf(f, "02/03/26,10:00:00,%d,31,FV%s\r\n", i, numero(i).c_str());
            std::fclose(f);
        }
    });

    d.capa[kMarca] = Microsegundos(veces, [&](int i) {
        c.qCopia.texto("UPDATE AUDITORIA SET AUDI_ENVIO = 'S' where AUDI_ID = " +
                       std::to_string(i));
        c.qCopia.ejecutar();
    });
    {
        Preparada marca(origen.get(), traOrigen->get(),
                        "UPDATE AUDITORIA SET AUDI_ENVIO = 'S' where AUDI_ID = ?");
        d.directo[kMarca] = Microsegundos(veces, [&](int i) {
            PonerEntero(marca.entrada, marca.parametros.data(), 0, veces + i);
            marca.ejecutar(traOrigen->get());
        });
    }

    c.qAuditor.texto("select * from auditoria order by audi_id");
    c.qAuditor.abrir();
    c.qAuditor.primero();
    d.capa[kCopiaDiario] = Microsegundos(veces, [&](int) {
        c.cDestino.cerrar();
        c.cDestino.texto("SELECT * FROM AUDITORIA");
        c.cDestino.abrir();
        c.cDestino.insertar();
        CopiarCampos(c.qAuditor, c.cDestino, 0);
        c.cDestino.publicar();
        if (c.cDestino.aplicar(0) != 0) throw std::runtime_error("journal copy refused");
        c.cDestino.cerrar();
        c.qAuditor.siguiente();
    });
    c.qAuditor.cerrar();
    {
        Preparada diario(origen.get(), traOrigen->get(),
                         "select * from auditoria where audi_id > ? order by audi_id");
        PonerEntero(diario.entrada, diario.parametros.data(), 0, veces);
        std::vector<Fila> filas = diario.leerTodas(traOrigen->get());
        Preparada copia(
            destino.get(), lectura->get(),
            "INSERT INTO AUDITORIA VALUES (" + Columnas(diario.salida.cantidad()) + ")");
        d.directo[kCopiaDiario] = Microsegundos(
            veces, [&](int i) { insertar(copia, diario.salida, filas[size_t(i - 1)].data()); });
    }

    d.capa[kLecturaEncabezado] = Microsegundos(veces, [&](int i) {
        c.qCopia.texto("select * from facturas where fact_id = " + std::to_string(i));
        c.qCopia.abrir();
        if (c.qCopia.vacia()) throw std::runtime_error("no source header");
        c.qCopia.cerrar();
    });
    {
        Preparada fuente(origen.get(), traOrigen->get(),
                         "select * from facturas where fact_id = ?");
        d.directo[kLecturaEncabezado] = Microsegundos(veces, [&](int i) {
            PonerEntero(fuente.entrada, fuente.parametros.data(), 0, veces + i);
            if (!fuente.leerUna(traOrigen->get())) throw std::runtime_error("no source header");
            const Formato& f = fuente.salida;
            for (unsigned k = 0; k < f.cantidad(); ++k) {
                if (f.tipo[k] != SQL_BLOB || EsNulo(f, fuente.fila.data(), k)) continue;
                fb::Estado st;
                ISC_QUAD id = Tomar<ISC_QUAD>(fuente.fila.data() + f.desp[k]);
                fb::Ref<IBlob> b(origen.get()->openBlob(&st, traOrigen->get(), &id, 0, nullptr));
                char trozo[32768];
                unsigned leido = 0;
                while (b->getSegment(&st, sizeof trozo, trozo, &leido) != IStatus::RESULT_NO_DATA) {
                }
                b.Terminar([&](IBlob* x) { x->close(&st); });
            }
        });
    }

    d.capa[kBusqueda] = Microsegundos(veces, [&](int i) {
        c.cDestino.cerrar();
        c.cDestino.texto("SELECT * FROM FACTURAS WHERE PREF_PRE = 'FV' AND FACT_NUMERO = '" +
                         numero(i) + "'");
        c.cDestino.abrir();
        if (!c.cDestino.vacio()) throw std::runtime_error("unexpected invoice in the target");
        c.cDestino.cerrar();
    });
    {
        Preparada busca(destino.get(), lectura->get(),
                        "SELECT * FROM FACTURAS WHERE PREF_PRE = ? AND FACT_NUMERO = ?");
        d.directo[kBusqueda] = Microsegundos(veces, [&](int i) {
            PonerTexto(busca.entrada, busca.parametros.data(), 0, "FV");
            PonerTexto(busca.entrada, busca.parametros.data(), 1, numero(veces + i));
            if (busca.leerUna(lectura->get()))
                throw std::runtime_error("unexpected invoice in the target");
        });
    }

    d.capa[kIdNuevo] = Microsegundos(veces, [&](int) {
        c.cIdfact.cerrar();
        c.cIdfact.texto("select * from cambie_id_factura");
        c.cIdfact.abrir();
        if (c.cIdfact.vacio()) throw std::runtime_error("cambie_id_factura gave no row");
        (void)c.cIdfact.valor(0).comoEntero();
        c.cIdfact.cerrar();
    });
    {
        Preparada vista(destino.get(), lectura->get(), "select * from cambie_id_factura");
        d.directo[kIdNuevo] = Microsegundos(veces, [&](int) {
            if (!vista.leerUna(lectura->get()))
                throw std::runtime_error("cambie_id_factura gave no row");
        });
    }

    c.qCopiadet.texto("select * from facturas_detalle where fact_id = 1");
    c.qCopiadet.abrir();
    d.capa[kFilaDetalle] = Microsegundos(veces, [&](int i) {
        c.cDestino.cerrar();
        c.cDestino.texto("SELECT * FROM FACTURAS_DETALLE WHERE FACT_ID = 0");
        c.cDestino.abrir();
        c.cDestino.insertar();
        CopiarCampos(c.qCopiadet, c.cDestino, 0);
        c.cDestino.asignar(0, Valor(1000000 + i));
        c.cDestino.asignar(18, Valor(0));
        c.cDestino.publicar();
        if (c.cDestino.aplicar(0) != 0) throw std::runtime_error("detail row refused");
        c.cDestino.cerrar();
    });
    c.qCopiadet.cerrar();
    {
        Preparada det(origen.get(), traOrigen->get(),
                      "select * from facturas_detalle where fact_id = 1");
        if (!det.leerUna(traOrigen->get())) throw std::runtime_error("no source detail");
        Preparada ins(
            destino.get(), lectura->get(),
            "INSERT INTO FACTURAS_DETALLE VALUES (" + Columnas(det.salida.cantidad()) + ")");
        d.directo[kFilaDetalle] = Microsegundos(veces, [&](int i) {
            PonerEntero(det.salida, det.fila.data(), 0, 2000000 + i);
            PonerEntero(det.salida, det.fila.data(), 18, 0);
            insertar(ins, det.salida, det.fila.data());
        });
    }

    d.directo[kPreparar] = Microsegundos(veces, [&](int i) {
        Preparada p(origen.get(), traOrigen->get(),
                    "select * from facturas where fact_id = " + std::to_string(3 * veces + i));
    });
    d.directo[kLecturaVacia] = Microsegundos(veces, [&](int) {
        piso::Transaccion t(destino.get(), kTpbLectura, sizeof kTpbLectura);
        t.confirmar();
    });

    lectura->confirmar();
    traOrigen->confirmar();
    destino.desconectar();
    origen.desconectar();
    c.dbCia.desconectar();
    c.dbEnvio.desconectar();
    d.hecha = true;
    return d;
}

void Pasos(const Opciones& o) {
    const int veces = o.documentos;
    std::printf("## cost of each step of an entry, us, %d times each\n\n", veces);
    for (Acceso acceso : o.accesos) {
        const Desglose d = Aparte<Desglose>([&] { return MedirPasos(acceso, veces); });
        std::printf("%s:\n", NombreAccesoCorto(acceso));
        if (!d.hecha) {
            std::printf("    %s\n\n", d.nota);
            continue;
        }
        std::printf("    %-66s %9s %9s %9s\n", "step", "layer", "client", "excess");
        for (int p = 0; p < kPasos; ++p) {
            if (d.capa[p] < 0)
                std::printf("    %-66s %9s %9.1f %9s\n", kNombrePaso[p], "-", d.directo[p], "");
            else
                std::printf("    %-66s %9.1f %9.1f %9.1f\n", kNombrePaso[p], d.capa[p],
                            d.directo[p], d.capa[p] - d.directo[p]);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
}

// The repetitions of one side; the one of median time stands for them.
Medida Mediana(std::vector<Medida> ms) {
    std::sort(ms.begin(), ms.end(),
              [](const Medida& a, const Medida& b) { return a.segundos < b.segundos; });
    for (const Medida& m : ms)
        if (!m.hecha) return m;
    Medida r = ms[ms.size() / 2];
    for (const Medida& m : ms) r.rssKiB = std::max(r.rssKiB, m.rssKiB);
    return r;
}

// The ratio floor / run of each repetition (run and floor measured one after the other),
// their median; none when a side failed or did not verify.
std::optional<double> Razon(const std::vector<Medida>& corridas, const std::vector<Medida>& pisos) {
    if (corridas.empty() || corridas.size() != pisos.size()) return std::nullopt;
    std::vector<double> r;
    for (size_t i = 0; i < corridas.size(); ++i) {
        const Medida &c = corridas[i], &p = pisos[i];
        if (!c.hecha || !p.hecha || !c.verificada || !p.verificada || c.fallidas || p.fallidas)
            return std::nullopt;
        r.push_back(p.segundos / c.segundos);
    }
    std::sort(r.begin(), r.end());
    return r[r.size() / 2];
}

// Both sides of one configuration, repeated; the order alternates so that a drift of the
// machine's load falls on both alike.
void Repetir(const Opciones& o, const Configuracion& base, std::vector<Medida>& corridas,
             std::vector<Medida>& pisos) {
    for (int r = 0; r < o.repeticiones; ++r) {
        Configuracion corrida = base, piso = base;
        corrida.esPiso = false;
        piso.esPiso = true;
        if (r % 2 == 0) {
            if (o.corrida) corridas.push_back(MedirAparte(corrida));
            if (o.piso) pisos.push_back(MedirAparte(piso));
        } else {
            if (o.piso) pisos.push_back(MedirAparte(piso));
            if (o.corrida) corridas.push_back(MedirAparte(corrida));
        }
    }
}

// ---------------------------------------------------------------- output

std::string Fmt(const char* formato, double v) {
    char t[64];
    std::snprintf(t, sizeof t, formato, v);
    return t;
}

const char kLeeme[] = R"(# banco_envio: the send run against its floor

Reproduce (from /work/main, after `cmake --build build --target banco_envio`):
  build/bench/banco_envio                       # invoices: -d 200 -k 5, both modes, both accesses
  build/bench/banco_envio -d 200 -k 5 --modo ambos --acceso ambos --carga facturas -r 3
  build/bench/banco_envio --carga mixta         # vouchers, cash receipts, accounts, article units
  build/bench/banco_envio --escala              # offline journal copy at 1,000 and 10,000 entries
  build/bench/banco_envio --pasos -d 200        # cost of each step, through the layer and direct
Other options: --modo en-linea|fuera-de-linea|ambos, --acceso servidor|embebido|ambos,
  -r N repetitions per side, --entradas N1,N2 for --escala, --solo corrida|piso (profiling).

Run: SpeedButton1Click with the window's defaults (everything unsent, replace on), timed from
  the click to the release of both sessions (which commits the journal marks); offline this
  includes the copy of the template. Each measurement is a child process with an installation
  of its own; the origin is filled by one EXECUTE BLOCK before the clock starts, and the target
  and the marks are checked after it stops.
Floor: the same work straight through the Firebird client, timed the same way: attach both
  databases (offline: copy the template first); read the lock date; fetch the journal; for
  each entry append the trail line (open, write, close); read the source header; look the
  document up in the target (vouchers: the replace probe and the look-up); online read the new
  id from the cambie_id_ view; insert the header from the fetched buffer (blobs copied) in a
  write transaction of its own, committed; read each detail table with one select and insert
  each row in its own committed transaction (receipt rows: one look-up of the paid invoice
  each); master data: source select, then per row target look-up, insert, commit; offline
  insert the journal row in its own committed transaction; mark the entry with UPDATE in the
  origin's snapshot transaction, committed at the end. Target reads share one read-only
  read-committed transaction; every statement is prepared once and takes its values as
  parameters. The workload only creates documents, so the floor has no replace path.
Times: median of the repetitions of each side (-r, default 3); run and floor alternate.
Ratio: floor time / run time of each back-to-back pair, median of the pairs; 1.00 means the
  run costs what its database work costs. n/a when a side failed entries or did not leave the
  expected rows (the notes under the line say what).
Peak RSS: getrusage(RUSAGE_SELF).ru_maxrss of the measurement's process (embedded: the engine
  and its page cache are in it).
)";

std::string Carga1() {
    double c[3] = {};
    if (getloadavg(c, 3) < 1) return "?";
    return Fmt("%.2f", c[0]);
}

void Encabezado(int argc, char** argv) {
    utsname u{};
    uname(&u);
    std::string linea;
    for (int i = 0; i < argc; ++i) linea += std::string(i ? " " : "") + argv[i];
    char ahora[64];
    const std::time_t t = std::time(nullptr);
    std::strftime(ahora, sizeof ahora, "%Y-%m-%d %H:%M:%S", std::localtime(&t));
    std::printf("%s\n", kLeeme);
    std::printf("Measured: %s on %s %s, %ld processors, load average %s at the start\n", ahora,
                u.sysname, u.release, sysconf(_SC_NPROCESSORS_ONLN), Carga1().c_str());
    std::printf("Command: %s\n\n", linea.c_str());
}

void Notas(const char* lado, const Medida& m) {
    if (m.nota[0]) std::printf("    %s: %s\n", lado, m.nota);
    if (m.fallidas > 0)
        std::printf("    %s: %ld of %ld entries FAILED (logged, confirmed, left unsent)\n", lado,
                    m.fallidas, m.entradas);
}

void Documentos(const Opciones& o) {
    const Lote carga{o.carga, o.documentos, o.detalles};
    std::printf("## %s: %d journal entries, %d detail rows per document, %d run(s) per side\n\n",
                NombreCarga(o.carga), o.documentos, o.detalles, o.repeticiones);
    std::printf("%-9s %-15s %7s | %8s %8s %9s %7s | %8s %8s %9s %7s | %6s\n", "access", "mode",
                "rows", "run s", "docs/s", "rows/s", "RSS MiB", "floor s", "docs/s", "rows/s",
                "RSS MiB", "ratio");
    for (Acceso acceso : o.accesos) {
        for (bool enLinea : o.modos) {
            std::vector<Medida> corridas, pisos;
            Repetir(o, {acceso, enLinea, carga, false}, corridas, pisos);
            const long filas = carga.filasDocumento() + (enLinea ? 0 : carga.entradas);
            auto columnas = [&](const std::vector<Medida>& ms) {
                if (ms.empty()) return std::string(36, ' ') + "-";
                const Medida m = Mediana(ms);
                if (!m.hecha) return std::string("  failed") + std::string(28, ' ');
                char t[128];
                std::snprintf(t, sizeof t, "%8.3f %8.1f %9.1f %7.1f", m.segundos,
                              m.entradas / m.segundos, filas / m.segundos, m.rssKiB / 1024.0);
                return std::string(t);
            };
            std::string razon = "     -";
            Medida mc, mp;
            if (!corridas.empty()) mc = Mediana(corridas);
            if (!pisos.empty()) mp = Mediana(pisos);
            if (!corridas.empty() && !pisos.empty()) {
                const auto r = Razon(corridas, pisos);
                razon = r ? Fmt("%6.3f", *r) : "   n/a";
            }
            std::printf("%-9s %-15s %7ld | %s | %s | %s\n", NombreAccesoCorto(acceso),
                        NombreModo(enLinea), filas, columnas(corridas).c_str(),
                        columnas(pisos).c_str(), razon.c_str());
            if (!corridas.empty()) Notas("run", mc);
            if (!pisos.empty()) Notas("floor", mp);
            std::fflush(stdout);
        }
    }
    std::printf("\n");
}

void Escala(const Opciones& o) {
    std::printf(
        "## offline journal copy scaling: entries of type %d (listed, no catalog entry),\n"
        "## so that an entry costs its trail line, its journal copy and its mark\n\n",
        kTipoSinManejador);
    std::printf("%-9s %8s | %8s %9s %7s | %8s %9s %7s | %6s\n", "access", "entries", "run s",
                "us/entry", "RSS MiB", "floor s", "us/entry", "RSS MiB", "ratio");
    for (Acceso acceso : o.accesos) {
        std::vector<double> porEntrada, porEntradaPiso;
        for (int n : o.tamanos) {
            const Lote carga{Carga::SinManejador, n, 0};
            std::vector<Medida> corridas, pisos;
            Repetir(o, {acceso, false, carga, false}, corridas, pisos);
            auto columnas = [&](const std::vector<Medida>& ms, std::vector<double>& costos) {
                if (ms.empty()) return std::string(26, ' ') + "-";
                const Medida m = Mediana(ms);
                if (!m.hecha) return std::string("  failed") + std::string(18, ' ');
                costos.push_back(m.segundos * 1e6 / n);
                char t[96];
                std::snprintf(t, sizeof t, "%8.3f %9.1f %7.1f", m.segundos, m.segundos * 1e6 / n,
                              m.rssKiB / 1024.0);
                return std::string(t);
            };
            const std::string c1 = columnas(corridas, porEntrada),
                              c2 = columnas(pisos, porEntradaPiso);
            std::string razon = "     -";
            if (!corridas.empty() && !pisos.empty()) {
                const auto r = Razon(corridas, pisos);
                razon = r ? Fmt("%6.3f", *r) : "   n/a";
            }
            std::printf("%-9s %8d | %s | %s | %s\n", NombreAccesoCorto(acceso), n, c1.c_str(),
                        c2.c_str(), razon.c_str());
            if (!corridas.empty()) Notas("run", Mediana(corridas));
            if (!pisos.empty()) Notas("floor", Mediana(pisos));
            std::fflush(stdout);
        }
        auto crecimiento = [](const std::vector<double>& v) {
            return v.size() >= 2 ? Fmt("%.3f", v.back() / v.front()) : std::string("-");
        };
        if (o.tamanos.size() >= 2)
            std::printf("%-9s cost per entry at %d / at %d entries: run %s, floor %s\n",
                        NombreAccesoCorto(acceso), o.tamanos.back(), o.tamanos.front(),
                        crecimiento(porEntrada).c_str(), crecimiento(porEntradaPiso).c_str());
    }
    std::printf("\n");
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    using namespace velmora;
    const Opciones o = LeerOpciones(argc, argv);
    Encabezado(argc, argv);
    try {
        if (o.pasos)
            Pasos(o);
        else if (o.escala)
            Escala(o);
        else
            Documentos(o);
        std::printf("Load average at the end: %s\n", Carga1().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "banco_envio: %s\n", error.what());
        return 1;
    }
    return 0;
}
