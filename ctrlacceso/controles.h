// The controls that both main windows share: the company box, the date box that can be
// empty, and the document type grid over Ctipodoc.
#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QDialog>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QTableView>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "foundation/dialogos.h"
#include "foundation/inicio_sesion.h"
#include "foundation/sesion.h"
#include "foundation/tipo_documento.h"

class QButtonGroup;
class QFrame;
class QLineEdit;
class QStandardItemModel;
class QIcon;
class QToolButton;
class QTreeView;
class QAbstractButton;
class QAbstractItemView;
class QCalendarWidget;

namespace velmora {

// Typing in a list or a grid: the keys typed within the keyboard interval add up, and the
// text is looked for at the start of the current column's cells from the current row on,
// the current row included, going round. A key typed again alone moves to the next row that
// starts with it.
class BusquedaAlEscribir {
  public:
    void buscar(QAbstractItemView& vista, const QString& tecla);

  private:
    QString texto_;
    QElapsedTimer reloj_;
};

// A flat button with its picture above its caption, which never takes the focus.
QToolButton* BotonPlano(const char* nombre, const QString& texto, const QIcon& icono,
                        QWidget* padre);

// Width of a column of a drop-down list, with its limits when the user resizes it
// (0: no limit).
struct AnchoColumna {
    int ancho = 0;
    int minimo = 0;
    int maximo = 0;
};

// A company box: shows the name of the chosen company and yields its code. Its drop-down
// list, opened by the button or by typing, shows the code and the name under titles; the
// list can be resized, its columns resized and sorted by clicking a title.
class CajaCompania : public QWidget {
    Q_OBJECT
  public:
    CajaCompania(AnchoColumna codigo, AnchoColumna nombre, QWidget* padre = nullptr);

    // Replaces the list; the choice is forgotten.
    void companias(const std::vector<Compania>& lista);
    // Chooses the company of `codigo`; a code that is not listed leaves the box empty.
    void valor(const std::string& codigo);
    // COMP_COD of the chosen company; empty when none is chosen.
    std::string valor() const { return codigo_; }
    // The name shown (Windows-1252 bytes); empty when none is chosen.
    std::string texto() const { return nombre_; }

    void desplegar();
    QTreeView* lista() const { return vista_; }
    QFrame* desplegable() const { return desplegable_; }

  signals:
    void cambio();

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void elegirFila(int fila);
    void ajustarColumnas();
    void limitarColumna(int columna, int nuevo);

    AnchoColumna anchos_[2];
    std::string codigo_, nombre_;
    QLineEdit* texto_;
    QToolButton* boton_;
    QFrame* desplegable_;
    QTreeView* vista_;
    QStandardItemModel* modelo_;
};

// A date box that can be empty: a masked entry "dd/mm/aaaa" with a calendar. A day or month
// typed with one digit is completed: "1/2/2026" is 01/02/2026.
class CajaFecha : public QWidget {
    Q_OBJECT
  public:
    explicit CajaFecha(QWidget* padre = nullptr);

    bool vacia() const;
    // The date typed or picked: none when the box is empty. A text that is not a date
    // raises std::runtime_error.
    std::optional<QDate> fecha() const;
    void fecha(std::optional<QDate> valor);
    // As YYYY-MM-DD, empty when the box is empty.
    std::string textoIso() const;
    QLineEdit* editor() const { return editor_; }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void desplegarCalendario();
    bool completarCampo();

    QLineEdit* editor_;
    QToolButton* boton_;
    QFrame* desplegable_;
    QCalendarWidget* calendario_;
};

// A titled choice of items, one of them chosen: one stop in the focus order (the chosen
// item takes the focus), the arrow keys move the choice.
class GrupoOpciones : public QGroupBox {
    Q_OBJECT
  public:
    GrupoOpciones(const QString& titulo, const QStringList& opciones, int elegida,
                  QWidget* padre = nullptr);

    int elegida() const;
    // Chooses an item as a click does: `clic` is emitted.
    void elegir(int indice);
    QAbstractButton* opcion(int indice) const;
    QList<QAbstractButton*> opciones() const;

  signals:
    void clic(int indice);

  private:
    void ajustarFoco();
    QButtonGroup* grupo_;
};

// The grid's view of Ctipodoc: "Código", "Operación" and the mark as a check box. The rows
// are read again from Ctipodoc after each change; a mark changed in the grid is written to
// Ctipodoc, whose row errors go to its hooks.
class ModeloTipos : public QAbstractTableModel {
    Q_OBJECT
  public:
    ModeloTipos(ConjuntoEditable& ctipodoc, QString tituloMarca, QObject* padre = nullptr);

    // Reads Ctipodoc again.
    void recargar();

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;

  private:
    ConjuntoEditable& ctipodoc_;
    QString tituloMarca_;
    std::vector<TipoDocumento> filas_;
};

// DBGridEh1: the document type grid. Enter moves to the next cell, typing searches the
// current column, Ctrl+F opens the find dialog.
class RejillaTipos : public QTableView {
    Q_OBJECT
  public:
    RejillaTipos(Dialogos& dialogos, int anchoMarca, QWidget* padre = nullptr);

    // Looks for `texto` in the current column from the row after the current one, going
    // round; false (and a beep) when no row holds it.
    bool buscar(const QString& texto);
    void abrirBusqueda();
    void setModel(QAbstractItemModel* modelo) override;
    void keyboardSearch(const QString& tecla) override;

  protected:
    void keyPressEvent(QKeyEvent* evento) override;

  private:
    BusquedaAlEscribir alEscribir_;
    Dialogos& dialogos_;
    int anchoMarca_;
    QDialog* busqueda_ = nullptr;
};

}  // namespace velmora
