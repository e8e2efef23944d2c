// A run as a person watches it in the main window: the run goes on a thread of its own while
// the window repaints, shows its busy panel, bar and count, and waits for each dialog; the
// person stops it with "Cancelar" or by closing the window, SIGTERM stops it without asking;
// whatever way a run ends, its panel goes with it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>

#include "envio/principal.h"
#include "recepcion/principal.h"
#include "tests/soporte/concluido.h"
#include "tests/soporte/dialogos_grabados.h"
#include "tests/soporte/escenario_envio.h"
#include "tests/soporte/ventanas.h"

namespace velmora {
namespace {

using prueba::Acceso;
using prueba::Auditoria;
using prueba::Concluido;
using prueba::Corrida;
using prueba::Control;
using prueba::EjecutarSql;
using prueba::Factura;
using prueba::InstalacionVentanas;
using prueba::Textos;
using Filas = std::vector<std::vector<std::string>>;

const std::string kPregunta = VentanaPrincipal::kPreguntaDetener;

// `n` sales invoices FV000001.. with two detail rows each, journaled unsent in that order.
std::vector<std::string> Facturas(int n, int primera = 1) {
    std::vector<std::string> sql;
    for (int i = primera; i < primera + n; ++i) {
        char numero[8];
        std::snprintf(numero, sizeof numero, "%06d", i);
        for (auto& s : Factura(i, "FV", numero, 2)) sql.push_back(s);
        sql.push_back(Auditoria(i, 31, i, "I", std::string("FV") + numero));
    }
    return sql;
}

// What the window showed at one moment of a run.
struct Vista {
    bool panel, enviar, cancelar, companias;
    int valor, maximo;
    QString cuenta;
};

class CorridaEnVentana : public ::testing::Test {
  protected:
    CorridaEnVentana() { prueba::AplicacionDePrueba(); }

    envio::Tfprincipal& abrir(Acceso acceso = Acceso::Embebido) {
        if (!instalacion_) instalacion_ = std::make_unique<InstalacionVentanas>(acceso);
        ventana_ = std::make_unique<envio::Tfprincipal>(dialogos);
        EXPECT_TRUE(prueba::Activar(
            *ventana_, [](Tfacceso& acceso) { prueba::Firmar(acceso, "prueba", prueba::kClave); }));
        Control<CajaCompania>(*ventana_, "LCiaOri")->valor("001");
        Control<CajaCompania>(*ventana_, "LCiaDes")->valor("002");
        Control<GrupoOpciones>(*ventana_, "Tipo")->elegir(0);  // "En línea"
        return *ventana_;
    }

    Vista ver() {
        auto* barra = Control<QProgressBar>(*ventana_, "ProgressBar1");
        return {Control(*ventana_, "Panel3")->isVisible(),
                Control(*ventana_, "SpeedButton1")->isEnabled(),
                Control(*ventana_, "SpeedButton2")->isEnabled(),
                Control(*ventana_, "LCiaOri")->isEnabled(),
                barra->value(),
                barra->maximum(),
                Control<QLabel>(*ventana_, "LblCuenta")->text()};
    }

    // Clicks "Enviar" and looks at the window every few milliseconds, from a timer of the
    // window's thread, until the run ends; `alVer` may act on what it sees.
    std::vector<Vista> enviarMirando(std::function<void(const Vista&)> alVer = {}) {
        std::vector<Vista> vistas;
        QTimer reloj;
        reloj.setInterval(2);
        QObject::connect(&reloj, &QTimer::timeout, [&] {
            if (!ventana_->corriendo()) return;
            vistas.push_back(ver());
            if (alVer) alVer(vistas.back());
        });
        reloj.start();
        prueba::Enviar(*ventana_);
        return vistas;
    }

    int enDestino(const char* select) {
        return std::stoi(Textos(instalacion_->destino(), select)[0][0]);
    }
    std::set<std::string> enviadas() {
        std::set<std::string> r;
        for (const auto& f : Textos(instalacion_->origen(),
                                    "SELECT AUDI_COD FROM AUDITORIA WHERE AUDI_ENVIO = 'S'"))
            r.insert(f[0]);
        return r;
    }
    std::set<std::string> enElDestino() {
        std::set<std::string> r;
        for (const auto& f :
             Textos(instalacion_->destino(), "SELECT PREF_PRE || FACT_NUMERO FROM FACTURAS"))
            r.insert(f[0]);
        return r;
    }

    DialogosGrabados dialogos;
    std::unique_ptr<InstalacionVentanas> instalacion_;
    std::unique_ptr<envio::Tfprincipal> ventana_;
};

TEST_F(CorridaEnVentana, DuranteLaCorridaLaVentanaPintaElPanelLaBarraYLaCuenta) {
    instalacion_ = std::make_unique<InstalacionVentanas>(Acceso::Servidor);
    EjecutarSql(instalacion_->origen(), Facturas(300));
    abrir();

    const std::vector<Vista> vistas = enviarMirando();

    // The timer of the window's thread ran all along the run: many looks, the bar and the
    // count going up one entry at a time, the panel over it all, only "Cancelar" enabled.
    ASSERT_GT(vistas.size(), 20u);
    std::set<int> valores;
    int anterior = 0;
    for (const Vista& v : vistas) {
        // From the journal's count to its last entry; the run shows the panel after its
        // checks and takes it away before its closing message.
        if (v.maximo == 300 && v.valor < 300) {
            EXPECT_TRUE(v.panel);
        }
        EXPECT_FALSE(v.enviar);
        EXPECT_FALSE(v.companias);
        EXPECT_TRUE(v.cancelar);
        EXPECT_GE(v.valor, anterior);
        anterior = v.valor;
        if (v.maximo == 300) {
            EXPECT_EQ(v.cuenta, QStringLiteral("%1 de 300 entradas").arg(v.valor));
            valores.insert(v.valor);
        }
    }
    EXPECT_GT(valores.size(), 10u);
    EXPECT_GT(*valores.rbegin(), *valores.begin());

    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0],
              Concluido(Corrida::Envio, {.visitadas = 300, .copiadas = 300}));
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_FALSE(Control(*ventana_, "Panel3")->isVisible());
    EXPECT_EQ(Control<QProgressBar>(*ventana_, "ProgressBar1")->value(), 300);
    EXPECT_EQ(enDestino("SELECT COUNT(*) FROM FACTURAS"), 300);
    EXPECT_EQ(enDestino("SELECT COUNT(*) FROM FACTURAS_DETALLE"), 600);
    EXPECT_EQ(enviadas().size(), 300u);
}

TEST_F(CorridaEnVentana, LosDialogosDeLaCorridaVanEnOrdenYLaCorridaEsperaCadaRespuesta) {
    instalacion_ = std::make_unique<InstalacionVentanas>(Acceso::Servidor);
    auto sql = Facturas(40);
    for (auto& s : Factura(41, "FX", "000041", 1)) sql.push_back(s);
    sql.push_back(Auditoria(41, 31, 41, "I", "FX000041"));
    for (auto& s : Facturas(40, 42)) sql.push_back(s);
    EjecutarSql(instalacion_->origen(), sql);
    EjecutarSql(instalacion_->destino(),
                {"ALTER TABLE FACTURAS ADD CONSTRAINT CHK_SIN_FX CHECK (PREF_PRE <> 'FX')"});
    abrir();

    // While each dialog is open the run stands still: the bar where it was, the panel as it
    // was, over the grid until the closing message.
    struct Durante {
        int antes, despues;
        bool panel;
    };
    std::vector<Durante> duranteDialogo;
    dialogos.alLlamar = [&](const Llamada&) {
        if (!ventana_->corriendo()) return;
        const int antes = ver().valor;
        QTest::qWait(150);
        duranteDialogo.push_back({antes, ver().valor, ver().panel});
    };
    dialogos.responder({true});  // "Continuar?": "&Si"

    enviarMirando();

    const std::vector<Llamada>& llamadas = dialogos.llamadas();
    ASSERT_EQ(llamadas.size(), 5u) << ::testing::PrintToString(llamadas);
    EXPECT_EQ(llamadas[0].tipo, Llamada::Tipo::kMensaje);
    EXPECT_NE(llamadas[0].texto.find("CHK_SIN_FX"), std::string::npos) << llamadas[0].texto;
    EXPECT_EQ(llamadas[1], Pitido());
    EXPECT_EQ(llamadas[2].tipo, Llamada::Tipo::kError);
    EXPECT_EQ(llamadas[3],
              Confirmacion("Error transmitiendo FACTURAS DE VENTA FX000041. Continuar?"));
    EXPECT_EQ(llamadas[4],
              Mensaje(Concluido(Corrida::Envio, {.visitadas = 81, .copiadas = 80, .fallidas = 1},
                                prueba::ErroresMostrado(instalacion_->instalacion))));
    ASSERT_EQ(duranteDialogo.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        const int entrada = i < 4 ? 41 : 81;
        EXPECT_EQ(duranteDialogo[i].antes, entrada) << i;
        EXPECT_EQ(duranteDialogo[i].despues, entrada) << i;
        EXPECT_EQ(duranteDialogo[i].panel, i < 4) << i;
    }
    EXPECT_EQ(enDestino("SELECT COUNT(*) FROM FACTURAS"), 80);
    EXPECT_EQ(enviadas().size(), 80u);
    EXPECT_EQ(enviadas().count("FX000041"), 0u);
    EXPECT_FALSE(ventana_->isVisible());
}

// The ways a person stops a run: the answer "Sí" ends it after the entry in progress; the
// entries done stay in the destination and marked, the others are neither; the program ends.
TEST_F(CorridaEnVentana, DetenerLaCorridaDejaEntradasEnterasYMarcasSoloParaEllas) {
    // A person is asked and sees the closing message; a signal asks nobody and waits for
    // nobody.
    struct Caso {
        const char* nombre;
        std::function<void(envio::Tfprincipal&)> pedir;
        std::vector<Llamada::Tipo> dialogos;
    };
    const Caso casos[] = {
        {"Cancelar",
         [](envio::Tfprincipal& v) {
             QTest::mouseClick(Control(v, "SpeedButton2"), Qt::LeftButton);
         },
         {Llamada::Tipo::kConfirmar, Llamada::Tipo::kMensaje}},
        {"cerrar la ventana",
         [](envio::Tfprincipal& v) { v.close(); },
         {Llamada::Tipo::kConfirmar, Llamada::Tipo::kMensaje}},
        {"SIGTERM", [](envio::Tfprincipal&) { std::raise(SIGTERM); }, {}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        instalacion_ = std::make_unique<InstalacionVentanas>(Acceso::Embebido);
        EjecutarSql(instalacion_->origen(), Facturas(300));
        dialogos.olvidar();
        abrir();

        bool pedido = false;
        enviarMirando([&](const Vista& v) {
            if (pedido || v.valor < 30) return;
            pedido = true;
            caso.pedir(*ventana_);
        });

        ASSERT_TRUE(pedido);
        std::vector<Llamada::Tipo> tipos;
        for (const Llamada& l : dialogos.llamadas()) tipos.push_back(l.tipo);
        ASSERT_EQ(tipos, caso.dialogos);
        EXPECT_FALSE(ventana_->isVisible());

        const std::set<std::string> marcadas = enviadas();
        EXPECT_GE(marcadas.size(), 20u);
        EXPECT_LT(marcadas.size(), 300u);
        if (!tipos.empty()) {
            EXPECT_EQ(dialogos.llamadas()[0], Confirmacion(kPregunta));
            // The entry in progress when the stop came, if any, was visited and undone.
            const int n = int(marcadas.size());
            const std::string& cierre = dialogos.llamadas()[1].texto;
            EXPECT_TRUE(
                cierre == Concluido(Corrida::Envio,
                                    {.visitadas = n, .copiadas = n, .interrumpido = true}) ||
                cierre == Concluido(Corrida::Envio,
                                    {.visitadas = n + 1, .copiadas = n, .interrumpido = true}))
                << cierre;
        }
        EXPECT_EQ(enElDestino(), marcadas);
        EXPECT_EQ(enDestino("SELECT COUNT(*) FROM FACTURAS_DETALLE"), int(2 * marcadas.size()));
        ventana_.reset();
    }
}

TEST_F(CorridaEnVentana, NoALaPreguntaDejaSeguirLaCorridaHastaElFin) {
    instalacion_ = std::make_unique<InstalacionVentanas>(Acceso::Embebido);
    EjecutarSql(instalacion_->origen(), Facturas(200));
    abrir();
    dialogos.respuestaPorDefecto(false);

    bool pedido = false;
    enviarMirando([&](const Vista& v) {
        if (pedido || v.valor < 20) return;
        pedido = true;
        QTest::mouseClick(Control(*ventana_, "SpeedButton2"), Qt::LeftButton);
    });

    ASSERT_EQ(dialogos.llamadas().size(), 2u);
    EXPECT_EQ(dialogos.llamadas()[0], Confirmacion(kPregunta));
    EXPECT_EQ(dialogos.llamadas()[1],
              Mensaje(Concluido(Corrida::Envio, {.visitadas = 200, .copiadas = 200})));
    EXPECT_EQ(enviadas().size(), 200u);
    EXPECT_EQ(enDestino("SELECT COUNT(*) FROM FACTURAS"), 200);
    EXPECT_FALSE(ventana_->isVisible());
}

TEST_F(CorridaEnVentana, FueraDeUnaCorridaSigtermCierraLaVentanaSinPreguntar) {
    abrir();
    std::raise(SIGTERM);
    EXPECT_TRUE(prueba::Esperar([this] { return !ventana_->isVisible(); }, 5000));
    EXPECT_TRUE(dialogos.llamadas().empty());

    // With the login open, the login closes too.
    ventana_ = std::make_unique<envio::Tfprincipal>(dialogos);
    EXPECT_TRUE(prueba::Activar(*ventana_, [](Tfacceso&) { std::raise(SIGTERM); }));
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(dialogos.llamadas().empty());
}

TEST_F(CorridaEnVentana, UnFalloDeLaCorridaSeMuestraYElPanelSeVaConElla) {
    instalacion_ = std::make_unique<InstalacionVentanas>(Acceso::Embebido);
    EjecutarSql(instalacion_->origen(), Facturas(3));
    abrir();
    // The destination company's database is not there: the run fails when it opens it.
    std::filesystem::remove(instalacion_->instalacion.ruta("datos/002/velmora.fdb"));

    prueba::Enviar(*ventana_);

    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0].rfind("No se encontr\xF3 el archivo o la ruta ", 0), 0u)
        << dialogos.mensajes()[0];
    EXPECT_TRUE(ventana_->isVisible());
    const Vista v = ver();
    EXPECT_FALSE(v.panel);
    EXPECT_TRUE(v.enviar);
    EXPECT_TRUE(v.companias);
    EXPECT_FALSE(Control(*ventana_, "DBGridEh1")->isEnabled());  // as "Todo lo no enviado" has it
}

// The login comes when the main window is first shown, even where the desktop never
// activates it, and only once.
TEST_F(CorridaEnVentana, LaFirmaApareceAlMostrarseSinActivacionYUnaSolaVez) {
    instalacion_ = std::make_unique<InstalacionVentanas>(Acceso::Embebido);
    ventana_ = std::make_unique<envio::Tfprincipal>(dialogos);
    ventana_->setAttribute(Qt::WA_ShowWithoutActivating);
    int vecesFirma = 0;
    bool activaAlFirmar = true;
    std::function<void(Tfacceso&)> firmar = [&](Tfacceso& acceso) {
        ++vecesFirma;
        activaAlFirmar = ventana_->isActiveWindow();
        prueba::Firmar(acceso, "prueba", prueba::kClave);
    };
    EXPECT_TRUE(prueba::Activar(*ventana_, firmar));
    EXPECT_EQ(vecesFirma, 1);
    EXPECT_FALSE(activaAlFirmar);
    EXPECT_EQ(Control<CajaCompania>(*ventana_, "LCiaOri")->lista()->model()->rowCount(), 2);

    prueba::AlAparecerAcceso otraFirma(firmar);
    ventana_->hide();
    ventana_->show();
    ventana_->activateWindow();
    QTest::qWait(300);
    EXPECT_EQ(vecesFirma, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A reversed range and the receiver without companies: the run says so before anything is
// opened, the panel never outlives it and the window stays for another try.
TEST_F(CorridaEnVentana, LoQueLaCorridaRechazaDejaLaVentanaComoEstaba) {
    struct Caso {
        const char* nombre;
        bool receptor;
        bool invertidas;
        const char* mensaje;
    };
    const Caso casos[] = {
        {"envio, fechas invertidas", false, true, "La fecha Hasta: es anterior a la fecha Desde:."},
        {"recepcion, fechas invertidas", true, true,
         "La fecha Hasta: es anterior a la fecha Desde:."},
        {"recepcion, sin compa\xF1\xED"
         "as",
         true, false,
         "Debe indicar las compa\xF1\xED"
         "as origen y destino."},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        instalacion_ = std::make_unique<InstalacionVentanas>(Acceso::Embebido);
        EjecutarSql(instalacion_->origen(), Facturas(3));
        dialogos.olvidar();
        std::unique_ptr<VentanaPrincipal> ventana;
        if (caso.receptor)
            ventana = std::make_unique<recepcion::Tfprincipal>(dialogos);
        else
            ventana = std::make_unique<envio::Tfprincipal>(dialogos);
        ASSERT_TRUE(prueba::Activar(
            *ventana, [](Tfacceso& acceso) { prueba::Firmar(acceso, "prueba", prueba::kClave); }));
        if (caso.invertidas) {
            Control<CajaCompania>(*ventana, "LCiaOri")->valor("001");
            Control<CajaCompania>(*ventana, "LCiaDes")->valor("002");
            QTest::mouseClick(Control(*ventana, "CkTodo"), Qt::LeftButton);
            prueba::Escribir(Control<CajaFecha>(*ventana, "Fecini")->editor(), "31032026");
            prueba::Escribir(Control<CajaFecha>(*ventana, "Fecfin")->editor(), "01032026");
        }

        prueba::Enviar(*ventana);

        ASSERT_FALSE(dialogos.mensajes().empty());
        EXPECT_FALSE(Control(*ventana, "Panel3")->isVisible());
        EXPECT_TRUE(Control(*ventana, "SpeedButton1")->isEnabled());
        EXPECT_EQ(dialogos.mensajes(), std::vector<std::string>{caso.mensaje});
        EXPECT_TRUE(ventana->isVisible());
        EXPECT_EQ(Textos(instalacion_->origen(),
                         "SELECT COUNT(*) FROM AUDITORIA WHERE AUDI_ENVIO = 'S'"),
                  (Filas{{"0"}}));
    }
}

}  // namespace
}  // namespace velmora
