// Entries committed in groups, each still whole: a failed entry changes nothing of what the
// destination held, the entries around it stay, and a row that another user holds fails its
// entry alone within the bound.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"
#include "tests/soporte/escenario_recepcion.h"
#include "tests/soporte/volcado.h"
#include "transfer/grupo.h"

namespace velmora {
namespace {

using prueba::Acceso;
using prueba::Auditoria;
using prueba::EjecutarSql;
using prueba::EscenarioEnvio;
using prueba::EscenarioRecepcion;
using prueba::Factura;
using prueba::Insertar;
using prueba::Marcas;
using prueba::SinFechas;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

// A document of a family with its journal entry, and the table whose new rows the destination
// will refuse on the second copy.
struct Familia {
    const char* nombre;
    std::vector<std::string> origen;
    const char* rechazada;  // refused on insert (or on update, for `alActualizar`)
    bool alActualizar = false;
    std::string falla;  // the failure's text
};

std::vector<std::string> Unir(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Familia> Familias() {
    return {
        {"Factura", Unir(Factura(7, "FV", "000123", 2), {Auditoria(1, 31, 7, "I", "FV000123")}),
         "FACTURAS_DETALLE", false, "Error transmitiendo FACTURAS DE VENTA FV000123"},
        {"Comprobante",
         Unir(prueba::Comprobante(70, "T01", "CP", "000009", "2026-03-05", 2),
              {Auditoria(1, 1, 70, "I", "CP000009", "2026-03-05", "10:00:00", "N", "T01")}),
         "COMPROBANTE_DETALLE", false, "Error transmitiendo COMPROBANTES CONTABLES T01 CP000009"},
        {"Consignacion",
         {Insertar("CONSIGNA", {{"CONS_ID", "90"},
                                {"CUBA_COD", "4"},
                                {"PRBA_PREF", "'CG'"},
                                {"CONS_NUMERO", "'000001'"}}),
          Insertar("CONSIGNA_DETALLE",
                   {{"CONS_ID", "90"}, {"CNDE_ITEM", "1"}, {"CNDE_VALOR", "10"}}),
          Insertar("CONSIGNA_DETALLE",
                   {{"CONS_ID", "90"}, {"CNDE_ITEM", "2"}, {"CNDE_VALOR", "20"}}),
          Auditoria(1, 71, 90, "I", "CG000001", "2026-03-02", "10:00:00", "N", "4")},
         "CONSIGNA_DETALLE", false, "Error transmitiendo CONSIGNACIONES CG000001"},
        {"ReciboDeCaja",
         {Insertar("RECIBOS_CAJA",
                   {{"RECA_ID", "61"}, {"PREF_PRE", "'RC'"}, {"RECA_NUMERO", "'000001'"}}),
          prueba::FilaQuePaga("RECIBOS_CAJA_DETALLE", 61, 1, 31, 0, "FV", "000999"),
          prueba::FilaConValor("RECIBOS_CAJA_PAGO", "RECA_ID", 61, "RCPA_ITEM", 1, "RCPA_VALOR",
                               "10"),
          Auditoria(1, 61, 61, "I", "RC000001")},
         "RECIBOS_CAJA_PAGO", false, "Error transmitiendo RECIBOS DE CAJA RC000001"},
        {"Maestro",
         {Insertar("INTERFAZ_BANCOS", {{"INBA_ID", "4"}, {"INBA_NOMBRE", "'bancos'"}}),
          Insertar("INTERFAZ_BANCOS_CTAS",
                   {{"INBA_ID", "4"}, {"INBC_ITEM", "1"}, {"CUEN_COD", "'1105'"}}),
          Insertar("INTERFAZ_BANCOS_CTAS",
                   {{"INBA_ID", "4"}, {"INBC_ITEM", "2"}, {"CUEN_COD", "'1110'"}}),
          Auditoria(1, 111, 4, "M", "")},
         "INTERFAZ_BANCOS_CTAS", false, "Error transmitiendo INTERFAZ DE BANCOS "},
        {"Cheque",
         {prueba::DocumentoBanco("CHEQUES", "CHEQ_ID", 80, 4, "CH", "CHEQ_NUMERO", "000005",
                                 "CHEQ_VALOR", "10"),
          Auditoria(1, 72, 80, "I", "CH000005", "2026-03-02", "10:00:00", "N", "4")},
         "CHEQUES", true, "Error transmitiendo CHEQUES CH000005"},
    };
}

// The destination refuses every new or changed row of `tabla` (only changes: `alActualizar`).
std::vector<std::string> Rechazar(const std::string& tabla, bool alActualizar) {
    return {"CREATE EXCEPTION RECHAZADA 'fila rechazada por el destino'",
            "CREATE TRIGGER RECHAZAR FOR " + tabla +
                (alActualizar ? " BEFORE UPDATE" : " BEFORE INSERT OR UPDATE") +
                " AS BEGIN EXCEPTION RECHAZADA; END",
            "COMMIT"};
}

class ReemplazoFallido : public ::testing::TestWithParam<Familia> {};

// The destination holds the document from an earlier send. Sent again with "Reemplazar",
// its new rows are refused: the entry fails, and the destination keeps exactly what it held,
// header and every row of every detail table.
TEST_P(ReemplazoFallido, ElEnvioDejaElDocumentoAnteriorComoEstaba) {
    const Familia& f = GetParam();
    EscenarioEnvio e(Acceso::Embebido);
    EjecutarSql(e.origen(), f.origen);
    e.parametros.enLinea = true;
    ASSERT_EQ(e.enviar().enviadas, 1);
    EjecutarSql(e.origen(), {"UPDATE AUDITORIA SET AUDI_ENVIO = 'N'"});
    EjecutarSql(e.destino(), Rechazar(f.rechazada, f.alActualizar));
    const prueba::Contenido antes = prueba::Volcar(e.destino());

    e.parametros.reemplazar = true;
    const ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.fallidas, 1);
    EXPECT_EQ(prueba::Diferencias(antes, prueba::Volcar(e.destino())), "");
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"N"}));
    EXPECT_NE(e.errores().find(f.falla), std::string::npos) << e.errores();
}

// The same in the receiver: the file received a second time with "Reemplazar".
TEST_P(ReemplazoFallido, LaRecepcionDejaElDocumentoAnteriorComoEstaba) {
    const Familia& f = GetParam();
    EscenarioRecepcion e(Acceso::Embebido);
    EjecutarSql(e.origen(), f.origen);
    e.prepararArchivo();
    e.parametros.reemplazar = true;
    ASSERT_EQ(e.recibir().fallidas, 0);
    EjecutarSql(e.destino(), Rechazar(f.rechazada, f.alActualizar));
    const prueba::Contenido antes = prueba::Volcar(e.destino());

    const ResultadoRecepcion r = e.recibir();

    EXPECT_EQ(r.fallidas, 1);
    EXPECT_EQ(prueba::Diferencias(antes, prueba::Volcar(e.destino())), "");
    EXPECT_NE(e.errores().find(f.falla), std::string::npos) << e.errores();
}

INSTANTIATE_TEST_SUITE_P(Familias, ReemplazoFallido, ::testing::ValuesIn(Familias()),
                         [](const auto& info) { return std::string(info.param.nombre); });

// More entries than a group holds, one of them refused in the middle of its group: every other
// entry is in the destination and marked, the refused one neither.
TEST(Grupos, UnaEntradaFallidaEnMedioDeSuGrupoDejaLasDemasConfirmadasYMarcadas) {
    for (Acceso acceso : {Acceso::Embebido, Acceso::Servidor}) {
        SCOPED_TRACE(prueba::NombreAcceso(acceso));
        EscenarioEnvio e(acceso);
        const int n = kEntradasPorGrupo + 10, mala = kEntradasPorGrupo / 2;
        std::vector<std::string> sql;
        for (int i = 1; i <= n; ++i) {
            char numero[8];
            std::snprintf(numero, sizeof numero, "%06d", i);
            for (auto& s : Factura(i, "FV", numero, 2)) sql.push_back(s);
            char hora[16];
            std::snprintf(hora, sizeof hora, "10:%02d:%02d", i / 60, i % 60);
            sql.push_back(Auditoria(i, 31, i, "I", std::string("FV") + numero, "2026-03-02", hora));
        }
        // A line the destination cannot take: its article code is refused.
        sql.push_back("UPDATE FACTURAS_DETALLE SET ARTI_COD = 'MALO' WHERE FACT_ID = " +
                      std::to_string(mala) + " AND FADE_ITEM = 2");
        EjecutarSql(e.origen(), sql);
        EjecutarSql(e.destino(), {"ALTER TABLE FACTURAS_DETALLE ADD CONSTRAINT SIN_MALO CHECK "
                                  "(ARTI_COD IS DISTINCT FROM 'MALO')",
                                  "COMMIT"});
        e.parametros.enLinea = true;
        e.parametros.todoLoNoEnviado = true;

        const ResultadoEnvio r = e.enviar();

        EXPECT_EQ(r.fallidas, 1);
        EXPECT_EQ(r.enviadas, n - 1);
        std::vector<std::string> marcas(n, "S");
        marcas[mala - 1] = "N";
        EXPECT_EQ(Marcas(e), marcas);
        EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS"),
                  (Filas{{std::to_string(n - 1)}}));
        EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"),
                  (Filas{{std::to_string(2 * (n - 1))}}));
        char numero[8];
        std::snprintf(numero, sizeof numero, "%06d", mala);
        EXPECT_EQ(Textos(e.destino(), std::string("SELECT COUNT(*) FROM FACTURAS WHERE "
                                                  "FACT_NUMERO = '") +
                                          numero + "'"),
                  (Filas{{"0"}}));
    }
}

// Offline the marks wait for the end of the send, all of them: more than the server takes in
// one list of values. The journal goes by time, its ids back and forth across the range of the
// column, as the ids waiting for their marks are kept as differences.
TEST(Grupos, FueraDeLineaTodasLasEntradasSeMarcanAlFinal) {
    EscenarioEnvio e(Acceso::Embebido);
    const int n = 1600;
    std::vector<std::string> sql;
    for (int i = 1; i <= n; ++i) {
        const int segundo = (i * 601) % n;  // a permutation of the seconds
        char hora[16];
        std::snprintf(hora, sizeof hora, "10:%02d:%02d", segundo / 60, segundo % 60);
        const int id = i % 2 ? i : 2147483647 - i;
        sql.push_back(Auditoria(id, 31, 100000 + i, "I", "FV999999", "2026-03-02", hora));
    }
    EjecutarSql(e.origen(), sql);
    e.parametros.enLinea = false;

    const ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, n);
    EXPECT_EQ(Textos(e.origen(), "SELECT COUNT(*) FROM AUDITORIA WHERE AUDI_ENVIO = 'S'"),
              (Filas{{std::to_string(n)}}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT COUNT(*) FROM AUDITORIA"),
              (Filas{{std::to_string(n)}}));
}

// Another user's uncommitted change, held by a second connection for the whole run.
class OtroUsuario {
  public:
    // `espera`: how long its statement waits for a lock (0: for good, -1: not at all).
    OtroUsuario(const std::string& ubicacion, const std::string& sentencia, int espera = 0)
        : transaccion_{sesion_, "TrOtro", OpcionesLecturaConfirmada(espera)} {
        sesion_.ubicacion(ubicacion);
        sesion_.usuario("SYSDBA");
        sesion_.clave("masterkey");
        sesion_.conectar();
        consulta_.texto(sentencia);
        consulta_.ejecutar();
    }
    ~OtroUsuario() { transaccion_.deshacer(); }

  private:
    SesionOrigen sesion_{"Otro"};
    Transaccion transaccion_;
    Consulta consulta_{transaccion_, "QOtro"};
};

// Invoices FV000001 to FV000003 with `detalles` lines each, and their journal entries.
std::vector<std::string> TresFacturas(int detalles, const std::string& operacion) {
    std::vector<std::string> sql;
    for (int i = 1; i <= 3; ++i) {
        const std::string n = std::to_string(i);
        sql = Unir(std::move(sql), Factura(i, "FV", "00000" + n, detalles));
        sql.push_back(
            Auditoria(i, 31, i, operacion, "FV00000" + n, "2026-03-02", "10:00:0" + n));
    }
    return sql;
}

// The three invoices sent with a wait bound of 1 s while another user holds a row, through
// `sentencia` on `ubicacion`: the run ends by itself within the bound, the second invoice fails
// alone with its ERRORES.TXT line, the other two are sent and marked.
void EnviarMientrasOtroTiene(EscenarioEnvio& e, const std::string& ubicacion,
                             const std::string& sentencia, bool enLinea = true) {
    e.parametros.enLinea = enLinea;
    e.parametros.esperaBloqueo = 1;
    const auto inicio = std::chrono::steady_clock::now();
    ResultadoEnvio r;
    {
        OtroUsuario otro(ubicacion, sentencia);
        r = e.enviar();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(10));

    EXPECT_EQ(r.fallidas, 1);
    EXPECT_EQ(r.enviadas, 2);
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"S", "N", "S"}));
    EXPECT_EQ(SinFechas(e.errores()),
              "F,H,PRUEBA,Error transmitiendo FACTURAS DE VENTA FV000002\r\n");
}

// Three invoices; another user holds the destination's copy of the second. Its entry fails
// within the bound with a message that names it, gets its ERRORES.TXT line and the question;
// the third is sent and the run ends by itself.
TEST(Bloqueos, UnDocumentoQueOtroUsuarioTieneFallaSoloYLaCorridaSigue) {
    for (Acceso acceso : {Acceso::Embebido, Acceso::Servidor}) {
        SCOPED_TRACE(prueba::NombreAcceso(acceso));
        EscenarioEnvio e(acceso);
        EjecutarSql(e.origen(), TresFacturas(2, "M"));
        EjecutarSql(e.destino(), Factura(50, "FV", "000002", 1));

        EnviarMientrasOtroTiene(
            e, e.destino(), "UPDATE FACTURAS SET TERC_NIT = 'otro' WHERE FACT_NUMERO = '000002'");
        bool nombrada = false, preguntada = false;
        for (const auto& l : e.dialogos.llamadas()) {
            nombrada |= l.texto == "El documento FACTURAS DE VENTA FV000002 est\xE1 siendo "
                                  "modificado por otro usuario.";
            preguntada |= l.texto == "Error transmitiendo FACTURAS DE VENTA FV000002. Continuar?";
        }
        EXPECT_TRUE(nombrada);
        EXPECT_TRUE(preguntada);
        EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"5"}}))
            << "invoices 1 and 3 with their lines, the held one as it was";
    }
}

// The destination held FV000002 from before, and refuses the second of its new lines: while
// the person reads the refusal, and the question after it, the invoice before it is committed
// and no row of the destination is locked: another user changes FV000002 without waiting.
TEST(Bloqueos, MientrasSeLeeUnRechazoNingunaFilaDelDestinoQuedaTomada) {
    for (Acceso acceso : {Acceso::Embebido, Acceso::Servidor}) {
        SCOPED_TRACE(prueba::NombreAcceso(acceso));
        EscenarioEnvio e(acceso);
        EjecutarSql(e.origen(), TresFacturas(2, "M"));
        EjecutarSql(e.destino(), Unir(Factura(50, "FV", "000002", 1),
                                      {"CREATE EXCEPTION RECHAZADA 'linea rechazada'",
                                       "CREATE TRIGGER RECHAZAR FOR FACTURAS_DETALLE BEFORE "
                                       "INSERT AS BEGIN IF (NEW.FADE_ITEM = 2 AND EXISTS (SELECT "
                                       "1 FROM FACTURAS WHERE FACT_ID = NEW.FACT_ID AND "
                                       "FACT_NUMERO = '000002')) THEN EXCEPTION RECHAZADA; END",
                                       "GRANT USAGE ON EXCEPTION RECHAZADA TO PUBLIC", "COMMIT"}));
        e.parametros.enLinea = true;
        e.parametros.reemplazar = true;
        std::vector<std::string> tomadaAlLeer;
        bool hastaLaPregunta = true;
        e.dialogos.alLlamar = [&](const Llamada& l) {
            if (l.tipo == Llamada::Tipo::kPitido || !hastaLaPregunta) return;
            hastaLaPregunta = l.tipo != Llamada::Tipo::kConfirmar;
            EXPECT_EQ(Textos(e.destino(), "SELECT FACT_NUMERO FROM FACTURAS ORDER BY 1"),
                      (Filas{{"000001"}, {"000002"}}))
                << l.texto;
            try {
                OtroUsuario otro(e.destino(),
                                 "UPDATE FACTURAS SET TERC_NIT = 'otro' WHERE FACT_NUMERO = "
                                 "'000002'",
                                 -1);
            } catch (const ErrorBaseDatos&) {
                tomadaAlLeer.push_back(l.texto);
            }
        };

        const ResultadoEnvio r = e.enviar();
        e.dialogos.alLlamar = nullptr;

        EXPECT_EQ(r.fallidas, 1);
        EXPECT_EQ(r.enviadas, 2);
        EXPECT_EQ(tomadaAlLeer, std::vector<std::string>{});
        bool preguntada = false;
        for (const auto& l : e.dialogos.llamadas())
            preguntada |= l.texto == "Error transmitiendo FACTURAS DE VENTA FV000002. Continuar?";
        EXPECT_TRUE(preguntada);
        EXPECT_EQ(Textos(e.destino(), "SELECT F.FACT_NUMERO, COUNT(*) FROM FACTURAS F JOIN "
                                      "FACTURAS_DETALLE D ON D.FACT_ID = F.FACT_ID GROUP BY 1"),
                  (Filas{{"000001", "2"}, {"000002", "1"}, {"000003", "2"}}));
    }
}

// Another user holds the origin's journal row of the second entry: its copy is committed with
// its group, but it cannot be marked; it fails within the bound, stays unsent and goes again
// next time; the run goes on and ends by itself.
TEST(Bloqueos, UnaMarcaQueOtroUsuarioTieneDejaLaEntradaSinEnviar) {
    for (Acceso acceso : {Acceso::Embebido, Acceso::Servidor}) {
        SCOPED_TRACE(prueba::NombreAcceso(acceso));
        EscenarioEnvio e(acceso);
        EjecutarSql(e.origen(), TresFacturas(1, "I"));

        EnviarMientrasOtroTiene(
            e, e.origen(), "UPDATE AUDITORIA SET AUDI_RAZON = 'editando' WHERE AUDI_ID = 2");

        // Next time the entry goes again, and its document is not doubled.
        const ResultadoEnvio otra = e.enviar();
        EXPECT_EQ(otra.enviadas, 1);
        EXPECT_EQ(Marcas(e), (std::vector<std::string>{"S", "S", "S"}));
        EXPECT_EQ(Textos(e.destino(), "SELECT COUNT(*) FROM FACTURAS"), (Filas{{"3"}}));
    }
}

// Offline the marks go at the end of the send: the held entry fails there, named by its
// journal row, and goes into the next transfer file.
TEST(Bloqueos, FueraDeLineaUnaMarcaQueOtroUsuarioTieneFallaAlFinal) {
    EscenarioEnvio e(Acceso::Embebido);
    EjecutarSql(e.origen(), TresFacturas(1, "I"));

    EnviarMientrasOtroTiene(
        e, e.origen(), "UPDATE AUDITORIA SET AUDI_RAZON = 'editando' WHERE AUDI_ID = 2", false);
    bool nombrada = false;
    for (const auto& l : e.dialogos.llamadas())
        nombrada |= l.texto == "Error transmitiendo FACTURAS DE VENTA FV000002: la entrada 2 del "
                               "diario est\xE1 siendo modificada por otro usuario; queda sin "
                               "marcar y se enviar\xE1 de nuevo.";
    EXPECT_TRUE(nombrada);

    const ResultadoEnvio otra = e.enviar();
    EXPECT_EQ(otra.enviadas, 1);
    EXPECT_EQ(Marcas(e), (std::vector<std::string>{"S", "S", "S"}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT AUDI_COD FROM AUDITORIA"), (Filas{{"FV000002"}}));
}

}  // namespace
}  // namespace velmora
