// A journal written by hand, or by a faulty program, with values that try to break out of
// the statements they go into, before one good entry. The real sender runs online, and the
// real receiver on a transfer file holding the same journal, with "--al-fallar continuar":
// each entry whose values cannot stand in its statement fails on its own, with its line in
// ERRORES.TXT and its question; an entry whose values are merely not found changes nothing;
// the good entry arrives; nothing outside the entries' keys changes in the destination; the
// program ends normally with status 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "foundation/texto.h"
#include "tests/soporte/concluido.h"
#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"
#include "tests/soporte/proceso.h"
#include "tests/soporte/volcado.h"

namespace velmora {
namespace {

using namespace prueba;
using Filas = std::vector<std::vector<std::string>>;

struct EntradaHostil {
    int tipo;
    const char* operacion;
    std::optional<std::string> codigo;  // AUDI_COD; none: null
    std::optional<int> documento;       // AUDI_IDDOC; none: null
    const char* tico;                   // AUDI_TICO; empty: null
    // Null: the entry goes through. Otherwise it fails, and the console shows this part of
    // the server's refusal before the question.
    const char* rechazo;
};

// The journal, in order. What the destination holds beforehand: invoices FV000001 and
// FV000002, voucher CGE CC000001, on account 7 deposit CB000001, cheque CH000001, withdrawal
// RB000001, transfer TB000001 and returned cheque DC000001; third party 900123, collector 1,
// salesperson 1, account 110505, brand M01, units UND and CAJ of ART-001, bank interface 41.
// The origin holds other versions of the same master records, which a key that matched
// more than its own would copy over them, and the good invoice FV000100.
//
// A value that goes into its statement quoted is compared as it stands: not found, the
// entry changes nothing and is marked as sent. A value that cannot stand in its statement
// makes the server refuse it, and so does an entry without the id that its statements read
// the record by: those entries fail, one by one, and stay unsent. An annulment without code
// names no document: an empty code, found nowhere.
//
//  #  type op  value                          outcome
//  1  31   A   code FV' OR 'a'='a000001       not found: quotes in the prefix
//  2  31   D   code FV;--000001               not found: semicolon and line comment
//  3  31   D   code /*FV*/000002              not found: a block comment around the prefix
//  4  31   A   code 80 A0 D1 FF + 000001      not found: bytes above 0x7F in the prefix
//  5  31   D   code of 20 characters          not found: its 14-character prefix fits
//  6  1    D   type '--, prefix with a quote  not found
//  7  71   D   prefix with a quote, account 7 not found
//  8  102  M   tax id with a quote            not found in the origin: nothing to copy
//  9  124  D   article code with a quote      the clearing by article deletes nothing
// 10  100  M   account of 20 characters       not found: longer than any account
// 11  129  I   brand of 20 characters         not found: longer than any brand
// 12  105  M   collector ABC                  fails: a bare key that is no number
// 13  106  M   salesperson 1 OR 1=1           fails: the same
// 14  106  I   salesperson B9 B2 (¹²)         fails: superscript digits are no digits
// 15  105  M   collector 12345678901          fails: out of the integer range
// 16  72   A   account 7'                     fails: a bank account goes bare
// 17  71   D   account --                     fails: the same
// 18  73   A   account /*                     fails: the same
// 19  77   D   account D1 (Ñ)                 fails: the same
// 20  76   A   account ;                      fails: the same
// 21  31   I   no id                          fails: the source header has no key
// 22  111  M   no id                          fails: the id is the interface's key
// 23  1    I   no id                          fails: the source voucher has no key
// 24  31   A   no code                        not found: names no document
// 25  31   I   FV000100                       sent
const EntradaHostil kDiario[] = {
    {31, "A", "FV' OR 'a'='a000001", 1, "", nullptr},
    {31, "D", "FV;--000001", 1, "", nullptr},
    {31, "D", "/*FV*/000002", 2, "", nullptr},
    {31, "A",
     "\x80\xA0\xD1\xFF"
     "000001",
     1, "", nullptr},
    {31, "D", "ABCDEFGHIJKLMN000001", 1, "", nullptr},
    {1, "D", "CC' OR ''='000001", 1, "'--", nullptr},
    {71, "D", "CB' OR ''='000001", 1, "7", nullptr},
    {102, "M", "900123' OR ''='", 0, "", nullptr},
    {124, "D", "ART-001' OR ''='", 0, "", nullptr},
    {100, "M", "11050500000000000001", 0, "", nullptr},
    {129, "I", "MARCA-DE-VEINTE-CARA", 0, "", nullptr},
    {105, "M", "ABC", 0, "", "conversion error from string \"ABC\""},
    {106, "M", "1 OR 1=1", 0, "", "conversion error from string \"1 OR 1=1\""},
    {106, "I", "\xB9\xB2", 0, "", "conversion error from string \"\xC2\xB9\xC2\xB2\""},
    {105, "M", "12345678901", 0, "", "numeric value is out of range"},
    {72, "A", "CH000001", 1, "7'", "conversion error from string \"7' \""},
    {71, "D", "CB000001", 1, "--", "conversion error from string \"-- \""},
    {73, "A", "RB000001", 1, "/*", "conversion error from string \"/* \""},
    {77, "D", "DC000001", 1, "\xD1", "conversion error from string \"\xC3\x91  \""},
    {76, "A", "TB000001", 1, ";", "conversion error from string \";  \""},
    {31, "I", "FV000101", std::nullopt, "", "conversion error from string \"\""},
    {111, "M", "IB41", std::nullopt, "", "conversion error from string \"\""},
    {1, "I", "CC000009", std::nullopt, "CGE", "conversion error from string \"\""},
    {31, "A", std::nullopt, 1, "", nullptr},
    {31, "I", "FV000100", 100, "", nullptr},
};

std::string InsertarAuditoria(int id, const EntradaHostil& e) {
    char hora[16];
    std::snprintf(hora, sizeof hora, "'09:%02d:00'", id);
    return Insertar("AUDITORIA",
                    {{"AUDI_ID", std::to_string(id)},
                     {"AUDI_USUARIO", "'ANA'"},
                     {"AUDI_FECHA", "'2026-03-02'"},
                     {"AUDI_HORA", hora},
                     {"TIDO_COD", std::to_string(e.tipo)},
                     {"AUDI_IDDOC", e.documento ? std::to_string(*e.documento) : "NULL"},
                     {"AUDI_OPER", Literal(e.operacion)},
                     {"AUDI_COD", e.codigo ? Literal(*e.codigo) : "NULL"},
                     {"AUDI_ENVIO", "'N'"},
                     {"AUDI_TICO", *e.tico ? Literal(e.tico) : "NULL"},
                     {"AUDI_RAZON", "'prueba'"}});
}

// The names of the types in the support database.
const std::map<int, std::string> kNombres = {
    {1, "COMPROBANTES CONTABLES"}, {31, "FACTURAS DE VENTA"},
    {71, "CONSIGNACIONES"},        {72, "CHEQUES"},
    {73, "RETIROS BANCARIOS"},     {76, "TRASLADOS BANCARIOS"},
    {77, "DEVOLUCION DE CHEQUES"}, {100, "PLAN DE CUENTAS"},
    {105, "COBRADORES"},           {106, "VENDEDORES"},
    {111, "INTERFAZ DE BANCOS"},   {129, "MARCAS"},
};

std::string Mensaje(const EntradaHostil& e) {
    std::string m = "Error transmitiendo " + kNombres.at(e.tipo) + " ";
    if (e.tipo == 1) m += std::string(e.tico) + " ";
    return m + e.codigo.value_or("");
}

// Master records in two versions: the destination's, and the origin's that would be copied
// over it.
std::vector<std::string> Maestros(const std::string& version) {
    const std::string nombre = Literal(version);
    return {
        Insertar("TERCEROS", {{"TERC_NIT", "'900123'"}, {"TERC_NOMBRE", nombre}}),
        Insertar("COBRADORES", {{"COBR_COD", "1"}, {"COBR_NOMBRE", nombre}}),
        Insertar("VENDEDORES", {{"VEND_COD", "1"}, {"VEND_NOMBRE", nombre}}),
        Insertar("CUENTAS", {{"CUEN_COD", "'110505'"}, {"CUEN_NOMBRE", nombre}}),
        Insertar("MARCAS", {{"MARC_COD", "'M01'"}, {"MARC_NOMBRE", nombre}}),
        Insertar("UNIDAD_ARTICULO",
                 {{"ARTI_COD", "'ART-001'"}, {"UNAR_UNIDAD", "'UND'"}, {"UNAR_NOMBRE", nombre}}),
        Insertar("INTERFAZ_BANCOS", {{"INBA_ID", "41"}, {"INBA_NOMBRE", nombre}}),
        Insertar("INTERFAZ_BANCOS_CTAS",
                 {{"INBA_ID", "41"}, {"INBC_ITEM", "1"}, {"INBC_CONCEPTO", nombre}}),
    };
}

std::vector<std::string> DestinoPrevio() {
    std::vector<std::string> sql = Maestros("Destino");
    for (const auto& s : Factura(501, "FV", "000001", 2)) sql.push_back(s);
    for (const auto& s : Factura(502, "FV", "000002", 1)) sql.push_back(s);
    for (const auto& s : Comprobante(801, "CGE", "CC", "000001", "2026-03-01", 2)) sql.push_back(s);
    sql.push_back(
        Insertar("UNIDAD_ARTICULO", {{"ARTI_COD", "'ART-001'"}, {"UNAR_UNIDAD", "'CAJ'"}}));
    sql.push_back(Insertar("INTERFAZ_BANCOS_CTAS", {{"INBA_ID", "41"}, {"INBC_ITEM", "2"}}));
    sql.push_back(DocumentoBanco("CONSIGNA", "CONS_ID", 601, 7, "CB", "CONS_NUMERO", "000001",
                                 "CONS_VALOR", "10.00"));
    sql.push_back(
        FilaConValor("CONSIGNA_DETALLE", "CONS_ID", 601, "CNDE_ITEM", 1, "CNDE_VALOR", "10.00"));
    sql.push_back(DocumentoBanco("CHEQUES", "CHEQ_ID", 611, 7, "CH", "CHEQ_NUMERO", "000001",
                                 "CHEQ_VALOR", "20.00"));
    sql.push_back(DocumentoBanco("RETIROS", "RETI_ID", 621, 7, "RB", "RETI_NUMERO", "000001",
                                 "RETI_VALOR", "30.00"));
    sql.push_back(DocumentoBanco("TRASLADOS", "TRAS_ID", 631, 7, "TB", "TRAS_NUMERO", "000001",
                                 "TRAS_VALOR", "40.00"));
    sql.push_back(DocumentoBanco("DEVOLUCION_CHEQUES", "DVCH_ID", 641, 7, "DC", "DVCH_NUMDOC",
                                 "000001", "DVCH_VALOR", "50.00"));
    return sql;
}

std::vector<std::string> Origen() {
    std::vector<std::string> sql = Maestros("Origen");
    for (const auto& s : Factura(100, "FV", "000100", 2)) sql.push_back(s);
    int id = 0;
    for (const EntradaHostil& e : kDiario) sql.push_back(InsertarAuditoria(++id, e));
    return sql;
}

// An installation whose general database lists both companies and the user, with the
// destination as it stands before the journal.
class DiarioHostil : public ::testing::Test {
  protected:
    DiarioHostil() {
        instalacion.registrar({servidor()});
        EjecutarSql(instalacion.ubicacion(Acceso::Servidor, "datos/general.fdb"),
                    {"INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('001', 'Origen')",
                     "INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('002', 'Destino')",
                     "INSERT INTO USUARIO (USUA_COD, USUA_NOMBRE) VALUES ('PRUEBA', 'Prueba')"});
        EjecutarSql(destino(), DestinoPrevio());
        previo = Volcar(destino());
    }

    std::string servidor() const { return instalacion.servidor(Acceso::Servidor); }
    std::string origen() const { return instalacion.compania(Acceso::Servidor, "001"); }
    std::string destino() const { return instalacion.compania(Acceso::Servidor, "002"); }

    // Runs the program from company 001 to company 002, answering "continuar" to every
    // question: its exit status, and its console.
    std::pair<int, std::string> ejecutar(const std::string& programa,
                                         const std::vector<std::string>& opciones) {
        std::vector<std::string> argumentos{"--desatendido", "--al-fallar", "continuar"};
        argumentos.insert(argumentos.end(), opciones.begin(), opciones.end());
        for (const auto& a : {servidor(), std::string("001"), servidor(), std::string("002")})
            argumentos.push_back(a);
        Proceso proceso(programa, argumentos,
                        {{"XDG_CONFIG_DIRS", instalacion.ruta("xdg")},
                         {"ISC_USER", kUsuario},
                         {"ISC_PASSWORD", kClave}},
                        instalacion.raiz());
        const int estado = proceso.esperar();
        return {estado, proceso.errores()};
    }

    // Every failing entry's question on the console, in journal order, each after the
    // server's refusal that caused it, and the end of the run after the last, with every
    // entry visited and each either copied or failed; one line each in ERRORES.TXT, in the
    // same order.
    void comprobarFallas(const std::string& consola, Corrida corrida) {
        std::vector<std::string> preguntas;
        std::string errores;
        Cuentas cuentas;
        for (const EntradaHostil& e : kDiario) {
            ++cuentas.visitadas;
            ++(e.rechazo ? cuentas.fallidas : cuentas.copiadas);
            if (!e.rechazo) continue;
            preguntas.push_back(Utf8DeWindows1252(Mensaje(e)) +
                                ". Continuar? Sí (--al-fallar continuar)");
            errores += "F,H,PRUEBA," + Mensaje(e) + "\r\n";
        }
        std::vector<std::string> vistas, antes;
        size_t inicio = 0, tramo = 0;
        for (size_t fin; (fin = consola.find('\n', inicio)) != std::string::npos;
             inicio = fin + 1) {
            const std::string linea = consola.substr(inicio, fin - inicio);
            if (!linea.ends_with(". Continuar? Sí (--al-fallar continuar)")) continue;
            vistas.push_back(linea);
            antes.push_back(consola.substr(tramo, inicio - tramo));
            tramo = fin + 1;
        }
        EXPECT_EQ(vistas, preguntas) << consola;
        size_t n = 0;
        for (const EntradaHostil& e : kDiario) {
            if (!e.rechazo) continue;
            if (n < antes.size()) {
                EXPECT_NE(antes[n].find(e.rechazo), std::string::npos) << vistas[n] << "\n"
                                                                       << antes[n];
            }
            ++n;
        }
        // After the last question, nothing but the end of the run, then its summary.
        EXPECT_EQ(consola.substr(tramo),
                  ConcluidoEnConsola(corrida, cuentas, ErroresMostrado(instalacion)))
            << consola;

        EXPECT_EQ(SinFechas(LeerArchivo(instalacion.ruta("ERRORES.TXT"))), errores);
    }

    // The good entry arrived whole; without it, the destination is as it was.
    void comprobarDestino() {
        EXPECT_EQ(Textos(destino(),
                         "SELECT D.FADE_ITEM, D.FADE_CANTDEV FROM FACTURAS F JOIN "
                         "FACTURAS_DETALLE D ON D.FACT_ID = F.FACT_ID WHERE F.PREF_PRE = 'FV' "
                         "AND F.FACT_NUMERO = '000100' ORDER BY 1"),
                  (Filas{{"1", "0.0000"}, {"2", "0.0000"}}));
        EjecutarSql(destino(),
                    {"DELETE FROM FACTURAS_DETALLE WHERE FACT_ID IN (SELECT FACT_ID FROM "
                     "FACTURAS WHERE PREF_PRE = 'FV' AND FACT_NUMERO = '000100')",
                     "DELETE FROM FACTURAS WHERE PREF_PRE = 'FV' AND FACT_NUMERO = '000100'"});
        EXPECT_EQ(Diferencias(previo, Volcar(destino())), "");
    }

    Instalacion instalacion;
    Contenido previo;
};

TEST_F(DiarioHostil, EnLineaCadaEntradaQueNoCabeEnSuSentenciaFallaSolaYLaBuenaSeEnvia) {
    EjecutarSql(origen(), Origen());

    const auto [estado, consola] = ejecutar(VELMORA_ENVIO_PROGRAMA, {"--en-linea"});

    EXPECT_EQ(estado, 1) << consola;
    comprobarFallas(consola, Corrida::Envio);
    std::string marcas, obtenidas;
    for (const EntradaHostil& e : kDiario) marcas += e.rechazo ? "N" : "S";
    for (const auto& f : Textos(origen(), "SELECT AUDI_ENVIO FROM AUDITORIA ORDER BY AUDI_ID"))
        obtenidas += f[0];
    EXPECT_EQ(obtenidas, marcas);
    comprobarDestino();
}

// The receiver carries out annulments and deletions by statements on the journal's key: the
// same journal in a transfer file, received, fails and passes the same entries. The file is
// only read.
TEST_F(DiarioHostil, RecibidoCadaEntradaQueNoCabeEnSuSentenciaFallaSolaYLaBuenaSeRecibe) {
    const std::filesystem::path archivo = instalacion.ruta("datos/001/envio.fdb");
    std::filesystem::copy_file(instalacion.ruta("sop/envio.fdb"), archivo);
    std::filesystem::permissions(
        archivo, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                     std::filesystem::perms::group_read | std::filesystem::perms::group_write |
                     std::filesystem::perms::others_read | std::filesystem::perms::others_write);
    const std::string ubicacion = instalacion.ubicacion(Acceso::Servidor, "datos/001/envio.fdb");
    EjecutarSql(ubicacion, Origen());
    const Contenido enviado = Volcar(ubicacion);

    const auto [estado, consola] = ejecutar(VELMORA_RECEPCION_PROGRAMA, {});

    EXPECT_EQ(estado, 1) << consola;
    comprobarFallas(consola, Corrida::Recepcion);
    EXPECT_EQ(Diferencias(enviado, Volcar(ubicacion)), "");
    comprobarDestino();
}

}  // namespace
}  // namespace velmora
