// The sender's main window "Envío de información", driven as a person does: the sign-in at
// its first activation, the lists it loads, its start states and enabling rules, the grid and
// its menu, the company boxes, the command-line mode and whole sends.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <filesystem>
#include <memory>

#include "envio/principal.h"
#include "foundation/clave.h"
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

const char kSinCompanias[] =
    "Debe indicar las compa\xF1\xED"
    "as origen y destino.";

// A sales invoice FV000123 with two detail rows and an article A001, both journaled unsent.
std::vector<std::string> FacturaYArticulo() {
    auto sql = Factura(7, "FV", "000123", 2);
    sql.push_back(
        "INSERT INTO ARTICULO (ARTI_COD, ARTI_NOMBRE, ARTI_PRECIO) VALUES ('A001', 'CAF\xC9', 10)");
    sql.push_back(Auditoria(1, 31, 7, "I", "FV000123", "2026-03-02", "10:00:00"));
    sql.push_back(Auditoria(2, 101, 0, "I", "A001", "2026-03-02", "10:01:00"));
    return sql;
}

class PrincipalEnvio : public ::testing::Test {
  protected:
    PrincipalEnvio() { prueba::AplicacionDePrueba(); }

    // The installation, before the window opens.
    InstalacionVentanas& instalar(Acceso acceso = Acceso::Embebido) {
        instalacion_ = std::make_unique<InstalacionVentanas>(acceso);
        return *instalacion_;
    }

    // Opens the window with `argumentos` and signs in as PRUEBA.
    envio::Tfprincipal& abrir(std::vector<std::string> argumentos = {}) {
        if (!instalacion_) instalar();
        ventana_ = std::make_unique<envio::Tfprincipal>(dialogos, std::move(argumentos));
        EXPECT_TRUE(prueba::Activar(
            *ventana_, [](Tfacceso& acceso) { prueba::Firmar(acceso, "prueba", prueba::kClave); }));
        return *ventana_;
    }

    template <class T = QWidget>
    T* control(const char* nombre) {
        return Control<T>(*ventana_, nombre);
    }
    QTableView* rejilla() { return control<QTableView>("DBGridEh1"); }
    QAbstractButton* opcion(const char* grupo, int indice) {
        return control<GrupoOpciones>(grupo)->opcion(indice);
    }

    // The grid's rows: code and mark.
    std::vector<std::pair<int, bool>> filas() {
        std::vector<std::pair<int, bool>> r;
        QAbstractItemModel* m = rejilla()->model();
        for (int f = 0; f < m->rowCount(); ++f)
            r.push_back({m->index(f, 0).data().toInt(),
                         m->index(f, 2).data(Qt::CheckStateRole).toInt() == Qt::Checked});
        return r;
    }
    std::vector<int> marcados() {
        std::vector<int> r;
        for (const auto& [codigo, marcado] : filas())
            if (marcado) r.push_back(codigo);
        return r;
    }
    std::vector<int> codigosDelSoporte(const char* orden = "") {
        std::vector<int> r;
        for (const auto& f :
             Textos(instalacion_->instalacion.ubicacion(Acceso::Embebido, "sop/velmora.fdb"),
                    std::string("SELECT TIDO_COD FROM TIPO_DOCUMENTO "
                                "ORDER BY TIDO_COD") +
                        orden))
            r.push_back(std::stoi(f[0]));
        return r;
    }

    // Opens the grid's context menu as a right click does; true when it opened.
    bool abrirMenu() {
        const QPoint donde = rejilla()->visualRect(rejilla()->model()->index(2, 1)).center();
        QContextMenuEvent evento(QContextMenuEvent::Mouse, donde,
                                 rejilla()->viewport()->mapToGlobal(donde));
        QApplication::sendEvent(rejilla()->viewport(), &evento);
        auto* menu = control<QMenu>("PopupMenu1");
        const bool abierto = menu->isVisible();
        menu->hide();
        return abierto;
    }
    void elegirDelMenu(const char* accion) { control<QAction>(accion)->trigger(); }

    // A click on the item's caption.
    void elegir(const char* grupo, int indice) {
        QAbstractButton* boton = opcion(grupo, indice);
        QTest::mouseClick(boton, Qt::LeftButton, {}, QPoint(10, boton->height() / 2));
    }

    void enviar() { prueba::Enviar(*ventana_); }

    DialogosGrabados dialogos;
    std::unique_ptr<InstalacionVentanas> instalacion_;
    std::unique_ptr<envio::Tfprincipal> ventana_;
};

TEST_F(PrincipalEnvio, TrasLaFirmaMuestraServidoresCompaniasYTodosLosTiposMarcados) {
    envio::Tfprincipal& v = abrir();
    const std::string servidor = instalacion_->servidor();

    EXPECT_TRUE(dialogos.llamadas().empty());
    EXPECT_EQ(prueba::ConFoco(), "Tipo");
    EXPECT_EQ(v.windowTitle(), "Envío de información");
    EXPECT_EQ(v.size(), QSize(697, 481));
    EXPECT_EQ(v.datosAcceso().usuarioOrigen, "PRUEBA");
    EXPECT_EQ(v.datosAcceso().claveDestino, EncriptarClave(prueba::kClave));
    EXPECT_EQ(control<QLineEdit>("SerOri1")->text().toStdString(), servidor);
    EXPECT_EQ(control<QLineEdit>("SerDes1")->text().toStdString(), servidor);
    EXPECT_TRUE(control<QLineEdit>("SerOri1")->isReadOnly());
    EXPECT_TRUE(control<QLineEdit>("SerDes1")->isReadOnly());

    for (const char* nombre : {"LCiaOri", "LCiaDes"}) {
        auto* caja = control<CajaCompania>(nombre);
        EXPECT_EQ(caja->valor(), "") << nombre;
        EXPECT_EQ(caja->texto(), "") << nombre;
        QAbstractItemModel* lista = caja->lista()->model();
        ASSERT_EQ(lista->rowCount(), 2) << nombre;
        EXPECT_EQ(lista->index(0, 0).data(), "001");
        EXPECT_EQ(lista->index(0, 1).data(), "Compañía Origen");
        EXPECT_EQ(lista->index(1, 1).data(), "Almacén Destino");
    }

    auto* todo = control<QCheckBox>("CkTodo");
    EXPECT_EQ(todo->text(), "Todo lo no enviado");
    EXPECT_TRUE(todo->isChecked());
    EXPECT_EQ(todo->layoutDirection(), Qt::RightToLeft);
    auto* fechas = control<QGroupBox>("RngFechas");
    EXPECT_EQ(fechas->title(), "Rango de fechas de registro");
    EXPECT_FALSE(fechas->isEnabled());
    EXPECT_TRUE(control<CajaFecha>("Fecini")->vacia());
    EXPECT_TRUE(control<CajaFecha>("Fecfin")->vacia());

    auto* tipo = control<GrupoOpciones>("Tipo");
    EXPECT_EQ(tipo->title(), "Tipo de envío ");
    EXPECT_EQ(opcion("Tipo", 0)->text(), "En línea");
    EXPECT_EQ(opcion("Tipo", 1)->text(), "Fuera de línea (preparar archivo)");
    EXPECT_EQ(tipo->elegida(), 1);
    auto* existe = control<GrupoOpciones>("Existe");
    EXPECT_EQ(existe->title(), "Documentos existentes ");
    EXPECT_EQ(opcion("Existe", 0)->text(), "Omitir (no recibir)");
    EXPECT_EQ(opcion("Existe", 1)->text(), "Reemplazar");
    EXPECT_EQ(existe->elegida(), 1);
    EXPECT_FALSE(existe->isEnabled());
    EXPECT_EQ(control<QLineEdit>("Pref")->text(), "");

    EXPECT_EQ(control<QGroupBox>("GroupBox3")->title(), "Operaciones a transmitir ");
    EXPECT_FALSE(rejilla()->isEnabled());
    QAbstractItemModel* tipos = rejilla()->model();
    EXPECT_EQ(tipos->headerData(0, Qt::Horizontal), "Código");
    EXPECT_EQ(tipos->headerData(1, Qt::Horizontal), "Operación");
    EXPECT_EQ(tipos->headerData(2, Qt::Horizontal), "Enviar");
    // 35 wide at least, and never narrower than its title.
    QHeaderView* titulos = rejilla()->horizontalHeader();
    EXPECT_GE(titulos->sectionSize(2), 35);
    EXPECT_GE(titulos->sectionSize(2), titulos->sectionSizeHint(2));
    EXPECT_EQ(marcados(), codigosDelSoporte());  // every type marked, ascending
    EXPECT_EQ(tipos->index(0, 1).data(), "COMPROBANTES CONTABLES");
    EXPECT_EQ(rejilla()->currentIndex().row(), 0);

    EXPECT_FALSE(control("Panel3")->isVisible());
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 0);
    EXPECT_EQ(control<QToolButton>("SpeedButton1")->text(), "Enviar");
    EXPECT_EQ(control<QToolButton>("SpeedButton2")->text(), "Cancelar");
    EXPECT_EQ(control<QLabel>("Revision")->text(), "Rev:2008/09/15");
}

TEST_F(PrincipalEnvio, TodoLoNoEnviadoDecideFechasYRejillaSinTocarLasMarcas) {
    abrir();
    auto* todo = control<QCheckBox>("CkTodo");
    elegirDelMenu("Desmarcartodo1");  // the menu works on the list whatever the grid's state

    QTest::mouseClick(todo, Qt::LeftButton);
    EXPECT_FALSE(todo->isChecked());
    EXPECT_TRUE(control("RngFechas")->isEnabled());
    EXPECT_TRUE(rejilla()->isEnabled());

    QTest::mouseClick(todo, Qt::LeftButton);
    EXPECT_TRUE(todo->isChecked());
    EXPECT_FALSE(control("RngFechas")->isEnabled());
    EXPECT_FALSE(rejilla()->isEnabled());
    EXPECT_EQ(marcados(), std::vector<int>{});
}

TEST_F(PrincipalEnvio, EnLineaHabilitaDocumentosExistentesQueGuardaSuEleccion) {
    abrir();
    auto* existe = control<GrupoOpciones>("Existe");

    elegir("Tipo", 0);
    EXPECT_TRUE(existe->isEnabled());
    elegir("Existe", 0);
    elegir("Tipo", 1);
    EXPECT_FALSE(existe->isEnabled());
    EXPECT_EQ(existe->elegida(), 0);

    // The run reads the choice in both send types.
    const ParametrosEnvio p = ventana_->Parametros();
    EXPECT_FALSE(p.enLinea);
    EXPECT_FALSE(p.reemplazar);
}

TEST_F(PrincipalEnvio, ElFocoRecorreLosControlesEnSuOrden) {
    abrir();
    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
    elegir("Tipo", 0);
    opcion("Tipo", 0)->setFocus(Qt::TabFocusReason);

    std::vector<std::string> visitados = {prueba::ConFoco()};
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visitados.push_back(prueba::ConFoco());
    }
    EXPECT_EQ(visitados, (std::vector<std::string>{"Tipo", "Fecini", "Fecfin", "Existe", "CkTodo",
                                                   "Pref", "LCiaOri", "LCiaDes", "SerOri1",
                                                   "SerDes1", "DBGridEh1", "Tipo"}));
}

TEST_F(PrincipalEnvio, ElMenuDeLaRejillaSoloAbreHabilitadaYDejaLaListaEnSuPrimeraFila) {
    abrir();
    EXPECT_FALSE(abrirMenu());

    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
    EXPECT_TRUE(abrirMenu());
    auto* menu = control<QMenu>("PopupMenu1");
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "&Marcar todo");
    EXPECT_EQ(menu->actions()[1]->text(), "&Desmarcar todo");

    rejilla()->setCurrentIndex(rejilla()->model()->index(7, 1));
    elegirDelMenu("Desmarcartodo1");
    EXPECT_EQ(marcados(), std::vector<int>{});
    EXPECT_EQ(rejilla()->currentIndex().row(), 0);
    EXPECT_EQ(ventana_->Parametros().tipos.front().codigo, 1);
    EXPECT_FALSE(ventana_->Parametros().tipos.front().marcado);

    rejilla()->setCurrentIndex(rejilla()->model()->index(12, 1));
    elegirDelMenu("Seleccionartodo1");
    EXPECT_EQ(marcados(), codigosDelSoporte());
    EXPECT_EQ(rejilla()->currentIndex().row(), 0);
}

TEST_F(PrincipalEnvio, LaCasillaDeLaRejillaCambiaLaMarcaQueLeeElEnvio) {
    abrir();
    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
    rejilla()->setFocus();
    rejilla()->setCurrentIndex(rejilla()->model()->index(1, 2));
    const int codigo = rejilla()->model()->index(1, 0).data().toInt();

    QTest::keyClick(rejilla(), Qt::Key_Space);
    std::vector<TipoDocumento> tipos = ventana_->Parametros().tipos;
    EXPECT_FALSE(tipos[1].marcado);
    EXPECT_EQ(tipos[1].codigo, codigo);
    EXPECT_EQ(std::count_if(tipos.begin(), tipos.end(), [](auto& t) { return !t.marcado; }), 1);

    QTest::keyClick(rejilla(), Qt::Key_Space);
    EXPECT_TRUE(ventana_->Parametros().tipos[1].marcado);

    // The pick list of the column: "S" or "N", nothing else.
    QAbstractItemModel* m = rejilla()->model();
    EXPECT_TRUE(m->setData(m->index(1, 2), "N", Qt::EditRole));
    EXPECT_FALSE(m->setData(m->index(1, 2), "X", Qt::EditRole));
    EXPECT_FALSE(ventana_->Parametros().tipos[1].marcado);
    EXPECT_FALSE(m->setData(m->index(1, 1), "otro nombre", Qt::EditRole));
}

TEST_F(PrincipalEnvio, EscribirBuscaEnLaColumnaYElDialogoBuscaElSiguiente) {
    abrir();
    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
    rejilla()->setFocus();
    rejilla()->setCurrentIndex(rejilla()->model()->index(0, 1));
    auto nombre = [this] { return rejilla()->currentIndex().data().toString().toStdString(); };

    QTest::keyClicks(rejilla(), "FAC");
    EXPECT_EQ(nombre(), "FACTURAS DE COMPRA");

    // Enter moves to the next cell.
    QTest::keyClick(rejilla(), Qt::Key_Return);
    EXPECT_EQ(rejilla()->currentIndex().column(), 2);
    rejilla()->setCurrentIndex(rejilla()->currentIndex().siblingAtColumn(1));

    QTest::keyClick(rejilla(), Qt::Key_F, Qt::ControlModifier);
    auto* busqueda = rejilla()->findChild<QDialog*>("Busqueda");
    ASSERT_TRUE(busqueda && busqueda->isVisible());
    Control<QLineEdit>(*busqueda, "TextoBuscado")->setText("venta");
    QTest::mouseClick(Control(*busqueda, "BuscarSiguiente"), Qt::LeftButton);
    EXPECT_EQ(nombre(), "FACTURAS DE VENTA");
    QTest::mouseClick(Control(*busqueda, "BuscarSiguiente"), Qt::LeftButton);
    EXPECT_EQ(nombre(), "REMISIONES DE VENTA");

    Control<QLineEdit>(*busqueda, "TextoBuscado")->setText("no existe");
    QTest::mouseClick(Control(*busqueda, "BuscarSiguiente"), Qt::LeftButton);
    EXPECT_EQ(nombre(), "REMISIONES DE VENTA");
    EXPECT_EQ(dialogos.llamadas(), std::vector<Llamada>{Pitido()});
}

TEST_F(PrincipalEnvio, LaCajaDeCompaniaMuestraElNombreYDaElCodigo) {
    abrir();
    auto* origen = control<CajaCompania>("LCiaOri");
    QTreeView* lista = origen->lista();
    QHeaderView* titulos = lista->header();
    EXPECT_EQ(lista->model()->headerData(0, Qt::Horizontal), "Código");
    EXPECT_EQ(lista->model()->headerData(1, Qt::Horizontal), "Nombre");
    // 60 wide, or the title's width where this platform's font needs more.
    const int codigo = std::max(60, titulos->sectionSizeHint(0));
    EXPECT_EQ(titulos->sectionSize(0), codigo);
    EXPECT_EQ(titulos->sectionSize(1), 150);
    // A title is never cut: the destination's 50 grow to the title where the font needs it.
    QHeaderView* titulosDestino = control<CajaCompania>("LCiaDes")->lista()->header();
    EXPECT_EQ(titulosDestino->sectionSize(0), std::max(50, titulosDestino->sectionSizeHint(0)));

    // Resized columns keep to their limits.
    const std::pair<int, int> anchos[] = {{10, 50}, {100, codigo}, {55, 55}};
    for (const auto& [pedido, queda] : anchos) {
        titulos->resizeSection(0, pedido);
        EXPECT_EQ(titulos->sectionSize(0), queda) << pedido;
    }
    const std::pair<int, int> anchosNombre[] = {{20, 100}, {500, 220}, {180, 180}};
    for (const auto& [pedido, queda] : anchosNombre) {
        titulos->resizeSection(1, pedido);
        EXPECT_EQ(titulos->sectionSize(1), queda) << pedido;
    }

    // Typing opens the list and finds the name; Enter chooses it.
    QTest::keyClick(origen->focusProxy(), Qt::Key_A);
    EXPECT_TRUE(origen->desplegable()->isVisible());
    QTest::keyClick(lista, Qt::Key_Return);
    EXPECT_FALSE(origen->desplegable()->isVisible());
    EXPECT_EQ(origen->valor(), "002");
    EXPECT_EQ(origen->texto(), prueba::kNombreDestino);
    EXPECT_EQ(origen->focusProxy()->property("text").toString(), "Almacén Destino");

    // A click on a title sorts by that column.
    origen->desplegar();
    const int x = titulos->sectionViewportPosition(1) + 10;
    QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(lista->model()->index(0, 0).data(), "002");
    QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(lista->model()->index(0, 0).data(), "001");

    // A click on a row chooses its company.
    const QRect fila = lista->visualRect(lista->model()->index(0, 1));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, fila.center());
    EXPECT_EQ(origen->valor(), "001");
    EXPECT_FALSE(origen->desplegable()->isVisible());

    const ParametrosEnvio p = ventana_->Parametros();
    EXPECT_EQ(p.companiaOrigen, "001");
    EXPECT_EQ(p.textoCompaniaOrigen, prueba::kNombreOrigen);
    EXPECT_EQ(p.companiaDestino, "");
    EXPECT_EQ(p.textoCompaniaDestino, "");
}

// Typing a letter looks from the current company on, the current one included; the same
// letter typed again goes on to the next company with it.
TEST_F(PrincipalEnvio, EscribirEnLaCajaDeCompaniaBuscaDesdeLaFilaActualIncluida) {
    InstalacionVentanas& inst = instalar();
    EjecutarSql(inst.general(),
                {"INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE) VALUES ('003', 'Comercial Tres')"});
    abrir();
    struct Caso {
        const char* elegida;
        const char* teclas;
        const char* queda;
    };
    const Caso casos[] = {
        {"", "c", "001"},      {"001", "c", "001"},    {"003", "c", "003"},
        {"002", "c", "003"},   {"001", "cc", "003"},   {"003", "cc", "001"},
        {"001", "com", "001"}, {"001", "come", "003"}, {"002", "a", "002"},
    };
    auto* caja = control<CajaCompania>("LCiaOri");
    for (const Caso& caso : casos) {
        caja->valor(caso.elegida);
        const QString teclas = QString::fromLatin1(caso.teclas);
        QTest::keyClick(caja->focusProxy(), teclas.at(0).toLatin1());
        QTest::keyClicks(caja->lista(), teclas.mid(1));
        QTest::keyClick(caja->lista(), Qt::Key_Return);
        EXPECT_EQ(caja->valor(), caso.queda) << caso.elegida << " + " << caso.teclas;
        QTest::qWait(QApplication::keyboardInputInterval() + 50);  // the next search starts anew
    }
}

TEST_F(PrincipalEnvio, EscribirEnLaRejillaBuscaDesdeLaFilaActualIncluida) {
    abrir();
    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
    rejilla()->setFocus();
    QAbstractItemModel* m = rejilla()->model();
    auto fila = [m](int codigo) {
        for (int f = 0; f < m->rowCount(); ++f)
            if (m->index(f, 0).data().toInt() == codigo) return f;
        return -1;
    };
    ASSERT_EQ(m->index(0, 0).data().toInt(), 1);
    ASSERT_EQ(m->index(1, 0).data().toInt(), 11);
    struct Caso {
        int desde;
        const char* teclas;
        int queda;
    };
    const Caso casos[] = {{1, "1", 1}, {11, "1", 11}, {1, "12", 12}, {1, "11", 11}};
    for (const Caso& caso : casos) {
        rejilla()->setCurrentIndex(m->index(fila(caso.desde), 0));
        QTest::keyClicks(rejilla(), caso.teclas);
        EXPECT_EQ(rejilla()->currentIndex().siblingAtColumn(0).data().toInt(), caso.queda)
            << caso.desde << " + " << caso.teclas;
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
    }
}

TEST_F(PrincipalEnvio, UnaFechaConDiaOMesDeUnaCifraSeCompleta) {
    abrir();
    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
    const std::pair<const char*, const char*> casos[] = {
        {"1/2/2026", "2026-02-01"},
        {"15/3/2026", "2026-03-15"},
        {"7/12/2026", "2026-12-07"},
        {"01022026", "2026-02-01"},
    };
    auto* desde = control<CajaFecha>("Fecini");
    for (const auto& [tecleado, iso] : casos) {
        desde->editor()->clear();
        desde->editor()->setFocus();
        desde->editor()->setCursorPosition(0);
        prueba::Escribir(desde->editor(), tecleado);
        EXPECT_EQ(desde->textoIso(), iso) << tecleado;
        EXPECT_EQ(ventana_->Parametros().desde, iso) << tecleado;
        QTest::keyClick(desde->editor(), Qt::Key_Tab);  // leaving the box shows it whole
        EXPECT_EQ(desde->editor()->displayText(),
                  QDate::fromString(iso, Qt::ISODate).toString("dd/MM/yyyy"))
            << tecleado;
    }
}

TEST_F(PrincipalEnvio, LasCajasDeRutaMuestranElFinalYLaRutaEnteraEnSuAyuda) {
    abrir();
    for (const char* nombre : {"SerOri1", "SerDes1"}) {
        auto* caja = control<QLineEdit>(nombre);
        EXPECT_EQ(caja->cursorPosition(), caja->text().size()) << nombre;
        EXPECT_EQ(caja->toolTip(), caja->text()) << nombre;
    }
}

// The name column takes the room its list leaves, up to its limit of 220: no name is
// shortened with room to spare.
TEST_F(PrincipalEnvio, LaColumnaDelNombreOcupaElAnchoDeLaLista) {
    abrir();
    for (const char* nombre : {"LCiaOri", "LCiaDes"}) {
        auto* caja = control<CajaCompania>(nombre);
        caja->desplegar();
        QHeaderView* titulos = caja->lista()->header();
        const int libre = caja->lista()->viewport()->width() - titulos->sectionSize(0);
        EXPECT_GT(libre, 150) << nombre;
        EXPECT_EQ(titulos->sectionSize(1), std::min(libre, 220)) << nombre;
        caja->desplegable()->hide();
    }
}

TEST_F(PrincipalEnvio, EnviarLeeLaVentanaEnValores) {
    abrir();
    control<CajaCompania>("LCiaOri")->valor("001");
    control<CajaCompania>("LCiaDes")->valor("002");
    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
    control<CajaFecha>("Fecini")->fecha(QDate(2026, 3, 1));
    prueba::Escribir(control<CajaFecha>("Fecfin")->editor(), "31032026");
    prueba::Escribir(control<QLineEdit>("Pref"), "FV");
    elegir("Tipo", 0);

    const ParametrosEnvio p = ventana_->Parametros();
    EXPECT_EQ(p.textoCompaniaDestino, prueba::kNombreDestino);
    EXPECT_EQ(p.companiaDestino, "002");
    EXPECT_TRUE(p.enLinea);
    EXPECT_TRUE(p.reemplazar);
    EXPECT_FALSE(p.todoLoNoEnviado);
    EXPECT_EQ(p.desde, "2026-03-01");
    EXPECT_EQ(p.hasta, "2026-03-31");
    EXPECT_EQ(p.prefijo, "FV");
    EXPECT_EQ(p.acceso.usuarioOrigen, "PRUEBA");
    EXPECT_EQ(p.acceso.servidorDestino, instalacion_->servidor());
    EXPECT_EQ(p.tipos.size(), codigosDelSoporte().size());
}

TEST_F(PrincipalEnvio, UnaFechaQueNoExisteSeMuestraYLaVentanaSigue) {
    abrir();
    control<CajaCompania>("LCiaOri")->valor("001");
    control<CajaCompania>("LCiaDes")->valor("002");
    QTest::mouseClick(control("CkTodo"), Qt::LeftButton);
    prueba::Escribir(control<CajaFecha>("Fecini")->editor(), "31022026");
    prueba::Escribir(control<CajaFecha>("Fecfin")->editor(), "31032026");

    enviar();

    EXPECT_EQ(dialogos.llamadas(),
              std::vector<Llamada>{Mensaje(
                  "Se presento el siguiente error: '31/02/2026' no es una fecha v\xE1lida")});
    EXPECT_TRUE(ventana_->isVisible());
    EXPECT_FALSE(control("Panel3")->isVisible());
}

TEST_F(PrincipalEnvio, SinCompaniasElEnvioAvisaYLaVentanaSigue) {
    abrir();
    enviar();
    EXPECT_EQ(dialogos.llamadas(), std::vector<Llamada>{Mensaje(kSinCompanias)});
    EXPECT_TRUE(ventana_->isVisible());
}

TEST_F(PrincipalEnvio, UnEnvioCompletoPorElServidorLlevaLosDocumentosYCierraLaVentana) {
    InstalacionVentanas& inst = instalar(Acceso::Servidor);
    EjecutarSql(inst.origen(), FacturaYArticulo());
    abrir();
    ASSERT_EQ(control<QLineEdit>("SerOri1")->text().toStdString(), inst.servidor());

    // The origin by typing in its box, the destination by a click in the list.
    auto* origen = control<CajaCompania>("LCiaOri");
    QTest::keyClick(origen->focusProxy(), Qt::Key_C);
    QTest::keyClick(origen->lista(), Qt::Key_Return);
    auto* destino = control<CajaCompania>("LCiaDes");
    QTest::mouseClick(destino->findChild<QToolButton*>(), Qt::LeftButton);
    ASSERT_TRUE(destino->desplegable()->isVisible());
    QTreeView* lista = destino->lista();
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                      lista->visualRect(lista->model()->index(1, 1)).center());
    ASSERT_EQ(origen->valor(), "001");
    ASSERT_EQ(destino->valor(), "002");
    elegir("Tipo", 0);

    enviar();

    EXPECT_EQ(dialogos.llamadas(),
              std::vector<Llamada>{
                  Mensaje(Concluido(Corrida::Envio, {.visitadas = 2, .copiadas = 2}))});
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 2);
    EXPECT_EQ(Textos(inst.destino(), "SELECT PREF_PRE, FACT_NUMERO FROM FACTURAS"),
              (Filas{{"FV", "000123"}}));
    EXPECT_EQ(Textos(inst.destino(), "SELECT COUNT(*) FROM FACTURAS_DETALLE"), (Filas{{"2"}}));
    EXPECT_EQ(Textos(inst.destino(), "SELECT ARTI_COD FROM ARTICULO"), (Filas{{"A001"}}));
    // The marks were committed after their group.
    EXPECT_EQ(Textos(inst.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA ORDER BY AUDI_ID"),
              (Filas{{"S"}, {"S"}}));
}

TEST_F(PrincipalEnvio, FueraDeLineaSinPlantillaAvisaYTerminaElPrograma) {
    InstalacionVentanas& inst = instalar();
    std::filesystem::remove(inst.instalacion.ruta("sop/envio.fdb"));
    abrir();
    control<CajaCompania>("LCiaOri")->valor("001");
    control<CajaCompania>("LCiaDes")->valor("002");

    enviar();

    EXPECT_EQ(dialogos.llamadas(),
              std::vector<Llamada>{Mensaje("No se pudo copiar la base de datos para el envio.")});
    EXPECT_FALSE(ventana_->isVisible());
}

TEST_F(PrincipalEnvio, ModoArticulosEnviaSoloLosArticulosEnLineaYTermina) {
    InstalacionVentanas& inst = instalar();
    EjecutarSql(inst.origen(), FacturaYArticulo());

    abrir({"ARTICULOS", "001", "002"});

    EXPECT_EQ(marcados(), std::vector<int>{101});
    EXPECT_EQ(control<GrupoOpciones>("Tipo")->elegida(), 0);
    EXPECT_TRUE(control("Existe")->isEnabled());
    EXPECT_EQ(control<CajaCompania>("LCiaOri")->texto(), prueba::kNombreOrigen);
    // The invoice's type is not marked: visited, not selected.
    EXPECT_EQ(dialogos.llamadas(),
              std::vector<Llamada>{Mensaje(Concluido(
                  Corrida::Envio, {.visitadas = 2, .copiadas = 1, .noSeleccionadas = 1}))});
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_EQ(Textos(inst.destino(), "SELECT ARTI_COD FROM ARTICULO"), (Filas{{"A001"}}));
    EXPECT_EQ(Textos(inst.destino(), "SELECT COUNT(*) FROM FACTURAS"), (Filas{{"0"}}));
    EXPECT_EQ(Textos(inst.origen(), "SELECT AUDI_ENVIO FROM AUDITORIA ORDER BY AUDI_ID"),
              (Filas{{"N"}, {"S"}}));
}

TEST_F(PrincipalEnvio, SinLaPalabraExactaYSusDosCodigosElArranqueEsInteractivo) {
    const std::vector<std::string> casos[] = {
        {"ARTICULOS", "001"},        {"ARTICULOS", "001", ""},   {"articulos", "001", "002"},
        {"Articulos", "001", "002"}, {"ARTICULO", "001", "002"},
    };
    for (const auto& argumentos : casos) {
        instalar();
        dialogos.olvidar();
        abrir(argumentos);
        EXPECT_TRUE(dialogos.llamadas().empty()) << argumentos[0];
        EXPECT_TRUE(ventana_->isVisible()) << argumentos[0];
        EXPECT_EQ(marcados(), codigosDelSoporte()) << argumentos[0];
        EXPECT_EQ(control<GrupoOpciones>("Tipo")->elegida(), 1) << argumentos[0];
        EXPECT_EQ(control<CajaCompania>("LCiaOri")->valor(), "") << argumentos[0];
        ventana_.reset();
    }
}

TEST_F(PrincipalEnvio, ModoArticulosConUnCodigoQueNoEstaDejaLaCajaVaciaYLaVentanaAbierta) {
    abrir({"ARTICULOS", "009", "002"});

    EXPECT_EQ(dialogos.llamadas(), std::vector<Llamada>{Mensaje(kSinCompanias)});
    EXPECT_TRUE(ventana_->isVisible());
    EXPECT_EQ(control<CajaCompania>("LCiaOri")->valor(), "");
    EXPECT_EQ(control<CajaCompania>("LCiaOri")->texto(), "");
    EXPECT_EQ(control<CajaCompania>("LCiaDes")->valor(), "002");
    EXPECT_EQ(marcados(), std::vector<int>{101});
}

TEST_F(PrincipalEnvio, UnFalloAlCargarLasListasSeMuestraYDejaElRestoSinHacer) {
    InstalacionVentanas& inst = instalar();
    std::filesystem::remove(inst.instalacion.ruta("sop/velmora.fdb"));

    abrir({"ARTICULOS", "001", "002"});

    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0].rfind("No se encontr\xF3 el archivo o la ruta ", 0), 0u)
        << dialogos.mensajes()[0];
    EXPECT_TRUE(ventana_->isVisible());
    EXPECT_EQ(control<CajaCompania>("LCiaOri")->lista()->model()->rowCount(), 0);
    EXPECT_EQ(control<CajaCompania>("LCiaDes")->lista()->model()->rowCount(), 0);
    EXPECT_EQ(rejilla()->model()->rowCount(), 0);

    // Later activations do nothing.
    ventana_->hide();
    ventana_->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(ventana_.get()));
    QTest::qWait(50);
    EXPECT_EQ(dialogos.mensajes().size(), 1u);
}

TEST_F(PrincipalEnvio, CancelarLaFirmaTerminaElProgramaSinMensaje) {
    instalar();
    ventana_ = std::make_unique<envio::Tfprincipal>(dialogos, std::vector<std::string>{});
    EXPECT_TRUE(prueba::Activar(*ventana_, [](Tfacceso&) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }));
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_TRUE(dialogos.llamadas().empty());
}

TEST_F(PrincipalEnvio, CancelarYLaBarraDeTituloCierranLaVentana) {
    const std::function<void(envio::Tfprincipal&)> formas[] = {
        [](envio::Tfprincipal& v) {
            QTest::mouseClick(Control(v, "SpeedButton2"), Qt::LeftButton);
        },
        [](envio::Tfprincipal& v) { v.close(); },
    };
    for (const auto& cerrar : formas) {
        instalar();
        abrir();
        cerrar(*ventana_);
        EXPECT_FALSE(ventana_->isVisible());
        EXPECT_TRUE(dialogos.llamadas().empty());
        ventana_.reset();
    }
}

}  // namespace
}  // namespace velmora
