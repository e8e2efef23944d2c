// Bank documents sent end to end: they are numbered per bank account, so the journal's
// account (AUDI_TICO) is part of the key that finds them in the destination.
#include <gtest/gtest.h>

#include "tests/soporte/documentos.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora {
namespace {

using prueba::Auditoria;
using prueba::DocumentoBanco;
using prueba::EjecutarSql;
using prueba::EscenarioEnvio;
using prueba::FilaConValor;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

std::string Cheque(int id, int cuenta, const std::string& numero, const std::string& valor) {
    return DocumentoBanco("CHEQUES", "CHEQ_ID", id, cuenta, "CH", "CHEQ_NUMERO", numero,
                          "CHEQ_VALOR", valor);
}
std::string NotaCredito(int id, int cuenta, const std::string& numero) {
    return DocumentoBanco("NOTAS_CREDITO", "NCBC_ID", id, cuenta, "NB", "NCBC_NUMERO", numero,
                          "NCBC_VALOR", "80.00");
}
std::string DevolucionCheque(int id, int cuenta, const std::string& numero,
                             const std::string& valor) {
    return DocumentoBanco("DEVOLUCION_CHEQUES", "DVCH_ID", id, cuenta, "DH", "DVCH_NUMDOC", numero,
                          "DVCH_VALOR", valor);
}
// The journal row of a bank document: AUDI_TICO holds the account.
std::string AuditoriaBanco(int id, int tipo, int idDocumento, const std::string& operacion,
                           const std::string& codigo, int cuenta) {
    return Auditoria(id, tipo, idDocumento, operacion, codigo, "2026-03-02",
                     "10:0" + std::to_string(id) + ":00", "N", std::to_string(cuenta));
}

TEST(ChequesEnLinea, MismoPrefijoYNumeroEnOtraCuentaEsOtroCheque) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {Cheque(20, 12, "000001", "250.00"), Cheque(21, 15, "000001", "75.00"),
                             AuditoriaBanco(1, 72, 20, "M", "CH000001", 12),
                             AuditoriaBanco(2, 72, 21, "I", "CH000001", 15)});
    EjecutarSql(e.destino(), {Cheque(3, 7, "000001", "100.00"), Cheque(4, 12, "000001", "200.00")});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 2);
    // Account 12's cheque is replaced in place; account 15 had none and gets a new one.
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT CHEQ_ID, CUBA_COD, PRBA_PREF, CHEQ_NUMERO, CHEQ_VALOR "
                     "FROM CHEQUES ORDER BY CHEQ_ID"),
              (Filas{{"3", "7", "CH", "000001", "100.00"},
                     {"4", "12", "CH", "000001", "250.00"},
                     {"5", "15", "CH", "000001", "75.00"}}));
}

TEST(NotasCreditoEnLinea, AnularMarcaSoloLaNotaDeLaCuentaDelDiario) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {AuditoriaBanco(1, 75, 30, "A", "NB000002", 7)});
    EjecutarSql(e.destino(), {NotaCredito(5, 7, "000002"), NotaCredito(6, 12, "000002")});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 1);
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT NCBC_ID, CUBA_COD, NCBC_ANULADO, NCBC_VALOR "
                     "FROM NOTAS_CREDITO ORDER BY NCBC_ID"),
              (Filas{{"5", "7", "S", "80.00"}, {"6", "12", "N", "80.00"}}));
}

TEST(DevolucionesChequeEnLinea, SeEncuentranPorSuNumeroDeDocumento) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {DevolucionCheque(40, 7, "000003", "66.00"),
                             AuditoriaBanco(1, 77, 40, "M", "DH000003", 7),
                             AuditoriaBanco(2, 77, 41, "D", "DH000004", 7)});
    EjecutarSql(e.destino(), {DevolucionCheque(8, 7, "000003", "60.00"),
                              DevolucionCheque(9, 7, "000004", "10.00"),
                              DevolucionCheque(10, 12, "000004", "10.00")});
    e.parametros.enLinea = true;

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 2);
    EXPECT_EQ(Textos(e.destino(),
                     "SELECT DVCH_ID, CUBA_COD, DVCH_NUMDOC, DVCH_VALOR "
                     "FROM DEVOLUCION_CHEQUES ORDER BY DVCH_ID"),
              (Filas{{"8", "7", "000003", "66.00"}, {"10", "12", "000004", "10.00"}}));
}

TEST(ConsignacionesEnLinea, ReemplazarCambiaLasLineasDeLaConsignacionDeEsaCuenta) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {
                                DocumentoBanco("CONSIGNA", "CONS_ID", 50, 7, "CN", "CONS_NUMERO",
                                               "000001", "CONS_VALOR", "40.00"),
                                FilaConValor("CONSIGNA_DETALLE", "CONS_ID", 50, "CNDE_ITEM", 1,
                                             "CNDE_VALOR", "40.00"),
                                AuditoriaBanco(1, 71, 50, "M", "CN000001", 7),
                            });
    EjecutarSql(
        e.destino(),
        {
            DocumentoBanco("CONSIGNA", "CONS_ID", 2, 7, "CN", "CONS_NUMERO", "000001", "CONS_VALOR",
                           "30.00"),
            FilaConValor("CONSIGNA_DETALLE", "CONS_ID", 2, "CNDE_ITEM", 1, "CNDE_VALOR", "10.00"),
            FilaConValor("CONSIGNA_DETALLE", "CONS_ID", 2, "CNDE_ITEM", 2, "CNDE_VALOR", "20.00"),
        });
    e.parametros.enLinea = true;

    e.enviar();

    EXPECT_EQ(Textos(e.destino(), "SELECT CONS_ID, CUBA_COD, CONS_VALOR FROM CONSIGNA"),
              (Filas{{"2", "7", "40.00"}}));
    EXPECT_EQ(Textos(e.destino(), "SELECT CONS_ID, CNDE_ITEM, CNDE_VALOR FROM CONSIGNA_DETALLE"),
              (Filas{{"2", "1", "40.00"}}));
}

TEST(BancosFueraDeLinea, AnularYBorrarNoEscribenEnElArchivoSinoSoloSuDiario) {
    EscenarioEnvio e;
    EjecutarSql(e.origen(), {Cheque(20, 12, "000001", "250.00"), NotaCredito(30, 7, "000002"),
                             AuditoriaBanco(1, 72, 20, "I", "CH000001", 12),
                             AuditoriaBanco(2, 75, 30, "A", "NB000002", 7),
                             AuditoriaBanco(3, 72, 20, "D", "CH000001", 12)});

    ResultadoEnvio r = e.enviar();

    EXPECT_EQ(r.enviadas, 3);
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT CHEQ_ID, CUBA_COD, CHEQ_ANULADO FROM CHEQUES"),
              (Filas{{"20", "12", "N"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(), "SELECT COUNT(*) FROM NOTAS_CREDITO"), (Filas{{"0"}}));
    EXPECT_EQ(Textos(e.archivoEnvio(),
                     "SELECT AUDI_ID, TIDO_COD, AUDI_OPER, AUDI_TICO "
                     "FROM AUDITORIA ORDER BY AUDI_ID"),
              (Filas{{"1", "72", "I", "12 "}, {"2", "75", "A", "7  "}, {"3", "72", "D", "12 "}}));
}

}  // namespace
}  // namespace velmora
