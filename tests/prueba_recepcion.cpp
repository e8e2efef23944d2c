// The receive run: a transfer file that an offline send prepared, applied to a destination
// company with the receiver's rules.
#include <gtest/gtest.h>

#include "foundation/clave.h"
#include "foundation/errores.h"
#include "tests/soporte/concluido.h"
#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_recepcion.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::Comprobante;
using prueba::EjecutarSql;
using prueba::EscenarioRecepcion;
using prueba::Factura;
using prueba::SinFechas;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

// The four entries of the fixture, each received.
const std::string kConcluido =
    prueba::Concluido(prueba::Corrida::Recepcion, {.visitadas = 4, .copiadas = 4});

Filas Facturas(const std::string& ubicacion) {
    return Textos(ubicacion,
                  "SELECT FACT_ID, PREF_PRE, FACT_NUMERO, FACT_ANULADO, TERC_NIT FROM FACTURAS "
                  "ORDER BY FACT_ID");
}

Filas Detalles(const std::string& ubicacion) {
    return Textos(ubicacion,
                  "SELECT FACT_ID, FADE_ITEM, ARTI_COD FROM FACTURAS_DETALLE "
                  "ORDER BY FACT_ID, FADE_ITEM");
}

Filas Comprobantes(const std::string& ubicacion) {
    return Textos(ubicacion,
                  "SELECT E.ENCO_CONSEC, E.ENCO_NUMERO, E.ENCO_IMPRESO, COUNT(D.CODE_ITEM) "
                  "FROM COMPROBANTE_ENCABEZADO E LEFT JOIN COMPROBANTE_DETALLE D ON "
                  "D.ENCO_CONSEC = E.ENCO_CONSEC GROUP BY 1, 2, 3 ORDER BY 1");
}

// An invoice, a voucher and the annulment and deletion of two invoices that only the
// destination holds.
class Recepcion : public ::testing::Test {
  protected:
    Recepcion() {
        auto origen = Factura(7, "FV", "000123", 2);
        for (auto& s : Comprobante(30, "CC", "CP", "000007", "2026-03-02", 2)) origen.push_back(s);
        origen.push_back(Auditoria(1, 31, 7, "I", "FV000123", "2026-03-02", "09:00:00"));
        origen.push_back(Auditoria(2, 1, 30, "I", "CP000007", "2026-03-02", "09:10:00", "N", "CC"));
        origen.push_back(Auditoria(3, 31, 70, "A", "FV000001", "2026-03-02", "09:20:00"));
        origen.push_back(Auditoria(4, 31, 71, "D", "FV000002", "2026-03-02", "09:30:00"));
        EjecutarSql(e.origen(), origen);
        auto destino = Factura(40, "FV", "000001", 1);
        for (auto& s : Factura(41, "FV", "000002", 2)) destino.push_back(s);
        for (auto& s : Comprobante(5, "CC", "CP", "000001", "2026-03-01", 1)) destino.push_back(s);
        destino.push_back("UPDATE FACTURAS SET TERC_NIT = NULL");
        EjecutarSql(e.destino(), destino);
    }

    EscenarioRecepcion e;
};

TEST_F(Recepcion, AplicaElArchivoConIdsNuevosYAnulaYBorraEnElDestino) {
    EXPECT_EQ(e.prepararArchivo().fallidas, 0);

    ResultadoRecepcion r = e.recibir();

    EXPECT_EQ(r.visitadas, 4);
    EXPECT_EQ(r.fallidas, 0);
    EXPECT_EQ(e.dialogos.llamadas(), std::vector<Llamada>{Mensaje(kConcluido)});
    // New ids from the destination's views; annul and delete carried out although the file
    // holds neither document; the deleted invoice's rows go with it.
    EXPECT_EQ(Facturas(e.destino()), (Filas{{"40", "FV", "000001", "S", "<null>"},
                                            {"42", "FV", "000123", "N", "900123"}}));
    EXPECT_EQ(Detalles(e.destino()),
              (Filas{{"40", "1", "A001"}, {"42", "1", "A001"}, {"42", "2", "A002"}}));
    EXPECT_EQ(Comprobantes(e.destino()),
              (Filas{{"5", "000001", "3", "1"}, {"6", "000007", "0", "2"}}));
    EXPECT_EQ(Textos(e.archivo(), "SELECT COUNT(*) FROM AUDITORIA"), (Filas{{"4"}}))
        << "the transfer file is only read";
    EXPECT_EQ(e.errores(), "");
}

// The same file received again: with "Omitir (no recibir)" nothing changes and nothing
// fails; with "Reemplazar" documents are replaced in place under their destination id and
// vouchers deleted and inserted under a new one, their rows exactly the file's.
TEST_F(Recepcion, ElMismoArchivoDosVeces) {
    e.prepararArchivo();
    e.recibir();
    // Changes made in the destination since: they show what a second reception rewrites.
    EjecutarSql(e.destino(),
                {"UPDATE FACTURAS SET TERC_NIT = 'local' WHERE FACT_ID = 42",
                 "INSERT INTO FACTURAS_DETALLE (FACT_ID, FADE_ITEM, ARTI_COD) VALUES (42, 9, 'X')",
                 "UPDATE FACTURAS SET FACT_ANULADO = 'N' WHERE FACT_ID = 40",
                 "INSERT INTO COMPROBANTE_ENCABEZADO (ENCO_CONSEC, TICO_COD, PRCO_PREF, "
                 "ENCO_NUMERO) VALUES (9, 'CC', 'CP', '000009')"});
    const Filas facturas = Facturas(e.destino()), detalles = Detalles(e.destino());

    e.dialogos.olvidar();
    ResultadoRecepcion omitir = e.recibir();

    EXPECT_EQ(omitir.fallidas, 0);
    EXPECT_EQ(e.dialogos.llamadas(), std::vector<Llamada>{Mensaje(kConcluido)});
    EXPECT_EQ(Detalles(e.destino()), detalles);
    EXPECT_EQ(Facturas(e.destino()), (Filas{{"40", "FV", "000001", "S", "<null>"}, facturas[1]}))
        << "only the annulment is carried out again";
    EXPECT_EQ(
        Comprobantes(e.destino()),
        (Filas{{"5", "000001", "3", "1"}, {"6", "000007", "0", "2"}, {"9", "000009", "0", "0"}}));

    e.parametros.reemplazar = true;
    ResultadoRecepcion reemplazar = e.recibir();

    EXPECT_EQ(reemplazar.fallidas, 0);
    EXPECT_EQ(Facturas(e.destino()), (Filas{{"40", "FV", "000001", "S", "<null>"},
                                            {"42", "FV", "000123", "N", "900123"}}));
    EXPECT_EQ(Detalles(e.destino()),
              (Filas{{"40", "1", "A001"}, {"42", "1", "A001"}, {"42", "2", "A002"}}));
    EXPECT_EQ(
        Comprobantes(e.destino()),
        (Filas{{"5", "000001", "3", "1"}, {"9", "000009", "0", "0"}, {"10", "000007", "0", "2"}}))
        << "the voucher deleted and inserted under a new id";
}

// Records what the error log holds at every dialog, to show the order of a failure.
class DialogosConRegistro : public DialogosGrabados {
  public:
    explicit DialogosConRegistro(const EscenarioRecepcion& e) : e_(e) {}
    void mensaje(const std::string& texto) override {
        anotar();
        DialogosGrabados::mensaje(texto);
    }
    bool confirmar(const std::string& texto) override {
        anotar();
        return DialogosGrabados::confirmar(texto);
    }
    std::vector<size_t> lineasDelRegistro;  // lines of ERRORES.TXT at each box and question

  private:
    void anotar() {
        const std::string log = e_.errores();
        lineasDelRegistro.push_back(std::count(log.begin(), log.end(), '\n'));
    }
    const EscenarioRecepcion& e_;
};

// A failed entry: the apply's error, then the message box, the error log line with the
// origin user, and the question; "&No" ends the run with the completion message.
TEST_F(Recepcion, UnaFallaSeMuestraSeRegistraYSePregunta) {
    e.prepararArchivo();
    EjecutarSql(e.destino(), {"ALTER TABLE FACTURAS_DETALLE ADD CONSTRAINT SIN_ITEM_2 "
                              "CHECK (FADE_ITEM <> 2)",
                              "COMMIT"});
    DialogosConRegistro dialogos(e);
    ConfigurarProviders(e.ventana, dialogos);
    dialogos.responder({false});
    SinProgreso progreso;

    ResultadoRecepcion r = SpeedButton1Click(e.parametros, e.componentes, dialogos, progreso);
    e.componentes.dbEnvio.desconectar();

    const std::string falla = "Error transmitiendo FACTURAS DE VENTA FV000123";
    const auto& ll = dialogos.llamadas();
    ASSERT_EQ(ll.size(), 6u);
    EXPECT_NE(ll[0].texto.find("SIN_ITEM_2"), std::string::npos) << ll[0].texto;
    EXPECT_EQ(ll, (std::vector<Llamada>{Mensaje(ll[0].texto), Pitido(),
                                        Error(ll[0].texto.substr(0, ll[0].texto.size() - 1)),
                                        Mensaje(falla), Confirmacion(falla + ". Continuar?"),
                                        Mensaje(prueba::Concluido(
                                            prueba::Corrida::Recepcion,
                                            {.visitadas = 1, .fallidas = 1},
                                            prueba::ErroresMostrado(e.instalacion())))}));
    // The box, then the line, then the question.
    EXPECT_EQ(dialogos.lineasDelRegistro, (std::vector<size_t>{0, 0, 1, 1}));
    EXPECT_EQ(SinFechas(e.errores()), "F,H,PRUEBA," + falla + "\r\n");
    EXPECT_TRUE(r.detenido);
    EXPECT_EQ(r.visitadas, 1) << "the rest is not visited";
    EXPECT_TRUE(Textos(e.destino(),
                       "SELECT * FROM FACTURAS WHERE PREF_PRE = 'FV' AND "
                       "FACT_NUMERO = '000123'")
                    .empty());
    EXPECT_EQ(Comprobantes(e.destino()), (Filas{{"5", "000001", "3", "1"}}));
}

TEST_F(Recepcion, SinArchivoDeEnvioLaCorridaTerminaEnLaConexion) {
    try {
        e.recibir();
        FAIL() << "received without a transfer file";
    } catch (const ErrorConexion& error) {
        EXPECT_EQ(error.sesion(), "DbCia");
        EXPECT_EQ(error.ubicacion(), e.archivo());
    }
    EXPECT_TRUE(e.dialogos.llamadas().empty());
}

TEST_F(Recepcion, SeleccionPorFechasPrefijoYTipos) {
    e.prepararArchivo();
    e.parametros.todoElEnvio = false;
    e.parametros.desde = "2026-03-02";
    e.parametros.hasta = "2026-03-02";
    e.parametros.prefijo = "CP";  // the voucher's prefix: the invoices are skipped
    for (auto& t : e.parametros.tipos) t.marcado = t.codigo != 1;  // and vouchers are not asked

    ResultadoRecepcion r = e.recibir();

    EXPECT_EQ(r.visitadas, 4);
    EXPECT_EQ(Facturas(e.destino()), (Filas{{"40", "FV", "000001", "N", "<null>"},
                                            {"41", "FV", "000002", "N", "<null>"}}));
    EXPECT_EQ(Comprobantes(e.destino()), (Filas{{"5", "000001", "3", "1"}}));

    e.parametros.desde.clear();
    e.dialogos.olvidar();
    EXPECT_EQ(e.recibir().visitadas, 0);
    EXPECT_EQ(e.dialogos.llamadas(),
              std::vector<Llamada>{Mensaje(
                  "Debe indicar las fechas Desde: y Hasta: del rango de fechas de registro.")});
}

// Rules of the receiver's own: article rows are each received by their item key and never
// deleted; a cash receipt row whose settled invoice is not in the destination keeps the
// transfer file's id (here the invoice travels in the file, where the send found it, but its
// type is not received).
TEST(RecepcionReglas, FilasDeArticuloYReferenciasDeRecibos) {
    EscenarioRecepcion e;
    auto origen = Factura(77, "FV", "000077", 1);
    for (const std::string& s :
         {std::string("INSERT INTO UNIDAD_ARTICULO (ARTI_COD, UNAR_UNIDAD, UNAR_FACTOR) VALUES "
                      "('A1', 'UND', 1)"),
          std::string("INSERT INTO UNIDAD_ARTICULO (ARTI_COD, UNAR_UNIDAD, UNAR_FACTOR) VALUES "
                      "('A1', 'CAJA', 12)"),
          prueba::Encabezado("RECIBOS_CAJA", "RECA_ID", 5, "RECA_NUMERO", "RC", "000001"),
          prueba::FilaQuePaga("RECIBOS_CAJA_DETALLE", 5, 1, 31, 77, "FV", "000077"),
          Auditoria(1, 124, 0, "D", "A1", "2026-03-02", "09:00:00"),
          Auditoria(2, 31, 77, "I", "FV000077", "2026-03-02", "09:05:00"),
          Auditoria(3, 61, 5, "I", "RC000001", "2026-03-02", "09:10:00")})
        origen.push_back(s);
    EjecutarSql(e.origen(), origen);
    EjecutarSql(e.destino(), {"INSERT INTO UNIDAD_ARTICULO (ARTI_COD, UNAR_UNIDAD, UNAR_FACTOR) "
                              "VALUES ('A1', 'PAR', 2)",
                              "INSERT INTO UNIDAD_ARTICULO (ARTI_COD, UNAR_UNIDAD, UNAR_FACTOR) "
                              "VALUES ('A1', 'CAJA', 10)"});
    e.prepararArchivo();
    for (auto& t : e.parametros.tipos) t.marcado = t.codigo != 31;

    EXPECT_EQ(e.recibir().fallidas, 0);

    EXPECT_EQ(Textos(e.destino(),
                     "SELECT UNAR_UNIDAD, UNAR_FACTOR FROM UNIDAD_ARTICULO "
                     "ORDER BY UNAR_UNIDAD"),
              (Filas{{"CAJA", "12.000000"}, {"PAR", "2.000000"}, {"UND", "1.000000"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT RCDE_IDDOC FROM RECIBOS_CAJA_DETALLE"), (Filas{{"77"}}));
    EXPECT_TRUE(Textos(e.destino(), "SELECT * FROM FACTURAS").empty());
}

}  // namespace
}  // namespace velmora
