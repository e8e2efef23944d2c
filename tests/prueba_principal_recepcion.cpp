// The receiver's main window "Recepción de información": what it shares with the sender's
// and where it differs (no send type, a grid that stays disabled, the types read in descending
// order and listed ascending, "Omitir (no recibir)" first), its command-line mode and a whole
// reception of a transfer file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <memory>

#include "envio/principal.h"
#include "foundation/clave.h"
#include "recepcion/principal.h"
#include "tests/soporte/concluido.h"
#include "tests/soporte/dialogos_grabados.h"
#include "tests/soporte/escenario_envio.h"
#include "tests/soporte/ventanas.h"

namespace velmora {
namespace {

using prueba::Acceso;
using prueba::Concluido;
using prueba::Corrida;
using prueba::Control;
using prueba::InstalacionVentanas;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;


// Signs in on a main window as PRUEBA and waits for its first activation.
void Activar(VentanaPrincipal& ventana) {
    EXPECT_TRUE(prueba::Activar(
        ventana, [](Tfacceso& acceso) { prueba::Firmar(acceso, "prueba", prueba::kClave); }));
}

// The transfer file for company 002, prepared by the sender's window from the journal of 001
// (a sales invoice with two lines and an article), sent with the window's defaults.
void PrepararArchivo(const InstalacionVentanas& inst) {
    auto sql = prueba::Factura(7, "FV", "000123", 2);
    sql.push_back(
        "INSERT INTO ARTICULO (ARTI_COD, ARTI_NOMBRE, ARTI_PRECIO) VALUES ('A001', 'CAF\xC9', 10)");
    sql.push_back(prueba::Auditoria(1, 31, 7, "I", "FV000123", "2026-03-02", "10:00:00"));
    sql.push_back(prueba::Auditoria(2, 101, 0, "I", "A001", "2026-03-02", "10:01:00"));
    prueba::EjecutarSql(inst.origen(), sql);

    DialogosGrabados dialogos;
    envio::Tfprincipal envio(dialogos);
    Activar(envio);
    Control<CajaCompania>(envio, "LCiaOri")->valor("001");
    Control<CajaCompania>(envio, "LCiaDes")->valor("002");
    prueba::Enviar(envio);
    ASSERT_EQ(dialogos.mensajes(), std::vector<std::string>{Concluido(
                                       Corrida::Envio, {.visitadas = 2, .copiadas = 2})});
    ASSERT_FALSE(envio.isVisible());
}

class PrincipalRecepcion : public ::testing::Test {
  protected:
    PrincipalRecepcion() { prueba::AplicacionDePrueba(); }

    InstalacionVentanas& instalar(Acceso acceso = Acceso::Embebido) {
        instalacion_ = std::make_unique<InstalacionVentanas>(acceso);
        return *instalacion_;
    }

    recepcion::Tfprincipal& abrir(std::vector<std::string> argumentos = {}) {
        if (!instalacion_) instalar();
        ventana_ = std::make_unique<recepcion::Tfprincipal>(dialogos, std::move(argumentos));
        Activar(*ventana_);
        return *ventana_;
    }

    template <class T = QWidget>
    T* control(const char* nombre) {
        return Control<T>(*ventana_, nombre);
    }
    QTableView* rejilla() { return control<QTableView>("DBGridEh1"); }

    std::vector<int> codigos() {
        std::vector<int> r;
        for (int f = 0; f < rejilla()->model()->rowCount(); ++f)
            r.push_back(rejilla()->model()->index(f, 0).data().toInt());
        return r;
    }
    std::vector<int> marcados() {
        std::vector<int> r;
        QAbstractItemModel* m = rejilla()->model();
        for (int f = 0; f < m->rowCount(); ++f)
            if (m->index(f, 2).data(Qt::CheckStateRole).toInt() == Qt::Checked)
                r.push_back(m->index(f, 0).data().toInt());
        return r;
    }
    std::vector<int> codigosDelSoporte() {
        std::vector<int> r;
        for (const auto& f :
             Textos(instalacion_->instalacion.ubicacion(Acceso::Embebido, "sop/velmora.fdb"),
                    "SELECT TIDO_COD FROM TIPO_DOCUMENTO ORDER BY TIDO_COD"))
            r.push_back(std::stoi(f[0]));
        return r;
    }

    DialogosGrabados dialogos;
    std::unique_ptr<InstalacionVentanas> instalacion_;
    std::unique_ptr<recepcion::Tfprincipal> ventana_;
};

TEST_F(PrincipalRecepcion, TrasLaFirmaMuestraSuPropiaFormaYLosTiposEnOrdenAscendente) {
    recepcion::Tfprincipal& v = abrir();

    EXPECT_TRUE(dialogos.llamadas().empty());
    EXPECT_EQ(prueba::ConFoco(), "Fecini");
    EXPECT_EQ(v.windowTitle(), "Recepción de información");
    EXPECT_EQ(v.size(), QSize(636, 480));
    EXPECT_EQ(control<QLineEdit>("SerOri1")->text().toStdString(), instalacion_->servidor());
    EXPECT_EQ(control<CajaCompania>("LCiaDes")->lista()->model()->rowCount(), 2);
    EXPECT_EQ(v.findChild<QWidget*>("Tipo"), nullptr);
    EXPECT_EQ(v.findChild<QWidget*>("RngFechas"), nullptr);

    auto* todo = control<QCheckBox>("CkTodo");
    EXPECT_EQ(todo->text(), "Todo el envio");
    EXPECT_TRUE(todo->isChecked());
    EXPECT_TRUE(control("GroupBox2")->isEnabled());
    auto* existe = control<GrupoOpciones>("Existe");
    EXPECT_TRUE(existe->isEnabled());
    EXPECT_EQ(existe->elegida(), 0);
    EXPECT_EQ(existe->opcion(0)->text(), "Omitir (no recibir)");
    EXPECT_EQ(control<QGroupBox>("GroupBox3")->title(), "Operaciones a recibir ");
    EXPECT_EQ(control<QLabel>("Revision")->text(), "Rev:2006/12/20 ");
    EXPECT_EQ(control<QToolButton>("SpeedButton1")->text(), "Enviar");

    EXPECT_FALSE(rejilla()->isEnabled());
    EXPECT_EQ(rejilla()->model()->headerData(2, Qt::Horizontal), "Recibir");
    QHeaderView* titulos = rejilla()->horizontalHeader();
    EXPECT_GE(titulos->sectionSize(2), 38);
    EXPECT_GE(titulos->sectionSize(2), titulos->sectionSizeHint(2));
    EXPECT_EQ(codigos(), codigosDelSoporte());
    EXPECT_EQ(marcados(), codigosDelSoporte());
    EXPECT_EQ(rejilla()->currentIndex().row(), 0);
}

TEST_F(PrincipalRecepcion, TodoElEnvioNoCambiaNadaMasYLasFechasSiguenHabilitadas) {
    abrir();
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
        EXPECT_TRUE(control("GroupBox2")->isEnabled());
        EXPECT_FALSE(rejilla()->isEnabled());
        EXPECT_EQ(marcados(), codigosDelSoporte());
    }

    // The menu never opens over the disabled grid.
    const QPoint donde = rejilla()->viewport()->rect().center();
    QContextMenuEvent evento(QContextMenuEvent::Mouse, donde,
                             rejilla()->viewport()->mapToGlobal(donde));
    QApplication::sendEvent(rejilla()->viewport(), &evento);
    EXPECT_FALSE(control<QMenu>("PopupMenu1")->isVisible());
}

TEST_F(PrincipalRecepcion, EnviarLeeLaVentanaEnValores) {
    abrir();
    control<CajaCompania>("LCiaOri")->valor("002");
    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
    control<CajaFecha>("Fecini")->fecha(QDate(2026, 1, 5));
    prueba::Escribir(control<QLineEdit>("Pref"), "FV");

    const ParametrosRecepcion p = ventana_->Parametros();
    EXPECT_EQ(p.companiaOrigen, "002");
    EXPECT_EQ(p.companiaDestino, "");
    EXPECT_FALSE(p.reemplazar);
    EXPECT_FALSE(p.todoElEnvio);
    EXPECT_EQ(p.desde, "2026-01-05");
    EXPECT_EQ(p.hasta, "");
    EXPECT_EQ(p.prefijo, "FV");
    EXPECT_EQ(p.acceso.claveOrigen, EncriptarClave(prueba::kClave));
    EXPECT_EQ(p.tipos.size(), codigosDelSoporte().size());
}

TEST_F(PrincipalRecepcion, ElFocoRecorreLosControlesEnSuOrden) {
    abrir();
    control("Fecini")->setFocus(Qt::TabFocusReason);
    std::vector<std::string> visitados = {prueba::ConFoco()};
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visitados.push_back(prueba::ConFoco());
    }
    // The grid is disabled, so the order goes round.
    EXPECT_EQ(visitados,
              (std::vector<std::string>{"Fecini", "Fecfin", "CkTodo", "Pref", "Existe", "SerOri1",
                                        "SerDes1", "LCiaOri", "LCiaDes", "Fecini"}));
}

TEST_F(PrincipalRecepcion, SinLaPalabraExactaYSusDosCodigosElArranqueEsInteractivo) {
    const std::vector<std::string> casos[] = {
        {"ARTICULOS", "001"},
        {"articulos", "001", "002"},
    };
    for (const auto& argumentos : casos) {
        instalar();
        abrir(argumentos);
        EXPECT_TRUE(dialogos.llamadas().empty()) << argumentos[0];
        EXPECT_TRUE(ventana_->isVisible()) << argumentos[0];
        EXPECT_EQ(marcados(), codigosDelSoporte()) << argumentos[0];
        ventana_.reset();
    }
}

TEST_F(PrincipalRecepcion, UnaRecepcionCompletaPorElServidorAplicaElArchivoYCierraLaVentana) {
    InstalacionVentanas& inst = instalar(Acceso::Servidor);
    PrepararArchivo(inst);
    abrir();

    // The transfer file for 002 lies under 002, the origin company of the receiver.
    auto* origen = control<CajaCompania>("LCiaOri");
    QTest::keyClick(origen->focusProxy(), Qt::Key_A);
    QTest::keyClick(origen->lista(), Qt::Key_Return);
    control<CajaCompania>("LCiaDes")->valor("002");
    ASSERT_EQ(origen->valor(), "002");
    prueba::Enviar(*ventana_);

    EXPECT_EQ(dialogos.llamadas(),
              std::vector<Llamada>{
                  Mensaje(Concluido(Corrida::Recepcion, {.visitadas = 2, .copiadas = 2}))});
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_EQ(Textos(inst.destino(), "SELECT PREF_PRE, FACT_NUMERO FROM FACTURAS"),
              (Filas{{"FV", "000123"}}));
    EXPECT_EQ(Textos(inst.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"2"}}));
    EXPECT_EQ(Textos(inst.destino(), "SELECT ARTI_COD FROM ARTICULO"), (Filas{{"A001"}}));
}

TEST_F(PrincipalRecepcion, ModoArticulosRecibeSoloLosArticulosYTermina) {
    InstalacionVentanas& inst = instalar();
    PrepararArchivo(inst);

    abrir({"ARTICULOS", "002", "002"});

    EXPECT_EQ(marcados(), std::vector<int>{101});
    EXPECT_EQ(control<GrupoOpciones>("Existe")->elegida(), 0);
    // The invoice's type is not marked: visited, not selected.
    EXPECT_EQ(dialogos.llamadas(),
              std::vector<Llamada>{Mensaje(Concluido(
                  Corrida::Recepcion, {.visitadas = 2, .copiadas = 1, .noSeleccionadas = 1}))});
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_EQ(Textos(inst.destino(), "SELECT ARTI_COD FROM ARTICULO"), (Filas{{"A001"}}));
    EXPECT_EQ(Textos(inst.destino(), "SELECT COUNT(*) FROM FACTURAS"), (Filas{{"0"}}));
}

TEST_F(PrincipalRecepcion, UnRangoSinFechasAvisaYLaVentanaSigue) {
    abrir();
    control<CajaCompania>("LCiaOri")->valor("002");
    control<CajaCompania>("LCiaDes")->valor("002");
    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);

    prueba::Enviar(*ventana_);

    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0].rfind("Debe indicar las fechas", 0), 0u);
    EXPECT_TRUE(ventana_->isVisible());
}

TEST_F(PrincipalRecepcion, SinArchivoDeEnvioElErrorSeMuestraYLaVentanaSigue) {
    abrir();
    control<CajaCompania>("LCiaOri")->valor("001");
    control<CajaCompania>("LCiaDes")->valor("002");

    prueba::Enviar(*ventana_);

    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0], "No se encontr\xF3 el archivo o la ruta " +
                                          instalacion_->instalacion.ruta("datos/001/envio.fdb"));
    EXPECT_TRUE(ventana_->isVisible());
    EXPECT_FALSE(control("Panel3")->isVisible());  // the panel goes with its run
    EXPECT_TRUE(control("SpeedButton1")->isEnabled());
}

TEST_F(PrincipalRecepcion, CancelarCierraLaVentana) {
    abrir();
    QTest::mouseClick(control("SpeedButton2"), Qt::LeftButton);
    EXPECT_FALSE(ventana_->isVisible());
}

}  // namespace
}  // namespace velmora
