#include "ctrlacceso/controles.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSizeGrip>
#include <QStandardItemModel>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "ctrlacceso/aplicacion.h"
#include "foundation/ctipodoc.h"
#include "foundation/texto.h"

namespace velmora {

namespace {

constexpr int kRolBytes = Qt::UserRole + 1;  // the Windows-1252 bytes behind a shown text
constexpr char kFormatoFecha[] = "dd/MM/yyyy";

QStandardItem* Elemento(const std::string& bytes) {
    auto* elemento = new QStandardItem(DeWindows1252(bytes));
    elemento->setData(QByteArray(bytes.data(), qsizetype(bytes.size())), kRolBytes);
    elemento->setEditable(false);
    return elemento;
}

std::string Bytes(const QStandardItem* elemento) {
    const QByteArray b = elemento->data(kRolBytes).toByteArray();
    return std::string(b.constData(), size_t(b.size()));
}

QFrame* Desplegable(QWidget* dueno) {
    auto* marco = new QFrame(dueno, Qt::Popup);
    marco->setFrameShape(QFrame::StyledPanel);
    return marco;
}

QToolButton* BotonDesplegar(QWidget* padre) {
    auto* boton = new QToolButton(padre);
    boton->setArrowType(Qt::DownArrow);
    boton->setFocusPolicy(Qt::NoFocus);
    return boton;
}

// A printable key without Ctrl or Alt: the start of a search.
bool Escribe(const QKeyEvent* evento) {
    return !evento->text().isEmpty() && evento->text().at(0).isPrint() &&
           !(evento->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The company list: typing finds from the current row on.
class ListaCompanias : public QTreeView {
  public:
    using QTreeView::QTreeView;
    void keyboardSearch(const QString& tecla) override { alEscribir_.buscar(*this, tecla); }

  private:
    BusquedaAlEscribir alEscribir_;
};

// A column never narrower than its title in the font of the platform.
int AnchoConTitulo(const QHeaderView& titulos, int columna, int ancho) {
    return std::max(ancho, titulos.sectionSizeHint(columna));
}

// "1/2/2026" as "01/02/2026": a day or month of one digit gets its zero; anything else comes
// back as it was.
QString FechaCompleta(const QString& texto) {
    const QStringList partes = texto.split(QLatin1Char('/'));
    if (partes.size() != 3) return texto;
    QStringList campos;
    for (int i = 0; i < 3; ++i) {
        QString campo = partes[i];
        campo.remove(QLatin1Char('_')).remove(QLatin1Char(' '));
        if (i < 2 && campo.size() == 1) campo.prepend(QLatin1Char('0'));
        campos.push_back(campo);
    }
    return campos.join(QLatin1Char('/'));
}

}  // namespace

void BusquedaAlEscribir::buscar(QAbstractItemView& vista, const QString& tecla) {
    QAbstractItemModel* modelo = vista.model();
    if (!modelo || modelo->rowCount() == 0 || tecla.isEmpty()) return;
    const bool sigue =
        reloj_.isValid() && reloj_.elapsed() <= QApplication::keyboardInputInterval();
    reloj_.start();
    texto_ = sigue ? texto_ + tecla : tecla;
    const QModelIndex actual = vista.currentIndex();
    const int filas = modelo->rowCount();
    const int columna = actual.isValid() ? actual.column() : 0;
    int desde = actual.isValid() ? actual.row() : 0;
    QString buscado = texto_;
    if (texto_.size() > 1 && texto_.count(texto_.at(0)) == texto_.size()) {
        buscado = texto_.left(1);
        ++desde;
    }
    for (int i = 0; i < filas; ++i) {
        const QModelIndex celda = modelo->index((desde + i) % filas, columna);
        if (celda.data(Qt::DisplayRole).toString().startsWith(buscado, Qt::CaseInsensitive)) {
            vista.setCurrentIndex(celda);
            vista.scrollTo(celda);
            return;
        }
    }
}

QToolButton* BotonPlano(const char* nombre, const QString& texto, const QIcon& icono,
                        QWidget* padre) {
    auto* boton = new QToolButton(padre);
    boton->setObjectName(nombre);
    boton->setText(texto);
    boton->setIcon(icono);
    boton->setIconSize(QSize(32, 32));
    boton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    boton->setAutoRaise(true);
    boton->setFocusPolicy(Qt::NoFocus);
    boton->setMinimumWidth(80);
    return boton;
}

// ---- CajaCompania ----

CajaCompania::CajaCompania(AnchoColumna codigo, AnchoColumna nombre, QWidget* padre)
    : QWidget(padre), anchos_{codigo, nombre} {
    texto_ = new QLineEdit(this);
    texto_->setReadOnly(true);
    boton_ = BotonDesplegar(this);
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(0);
    fila->addWidget(texto_);
    fila->addWidget(boton_);
    setFocusProxy(texto_);
    setFocusPolicy(Qt::StrongFocus);

    desplegable_ = Desplegable(this);
    vista_ = new ListaCompanias(desplegable_);
    vista_->setRootIsDecorated(false);
    vista_->setItemsExpandable(false);
    vista_->setUniformRowHeights(true);
    vista_->setAllColumnsShowFocus(true);
    vista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    modelo_ = new QStandardItemModel(0, 2, this);
    modelo_->setHorizontalHeaderLabels({QStringLiteral("Código"), QStringLiteral("Nombre")});
    vista_->setModel(modelo_);
    vista_->setSortingEnabled(true);
    vista_->sortByColumn(0, Qt::AscendingOrder);
    QHeaderView* titulos = vista_->header();
    titulos->setStretchLastSection(false);
    titulos->setSectionsClickable(true);
    titulos->setSectionResizeMode(QHeaderView::Interactive);
    titulos->setMinimumSectionSize(20);
    for (int c = 0; c < 2; ++c) {
        // The given width never cuts the title; the person may still narrow it.
        AnchoColumna& a = anchos_[c];
        a.ancho = AnchoConTitulo(*titulos, c, a.ancho);
        if (a.maximo > 0) a.maximo = std::max(a.maximo, a.ancho);
        titulos->resizeSection(c, a.ancho);
    }
    connect(titulos, &QHeaderView::sectionResized, this,
            [this](int columna, int, int nuevo) { limitarColumna(columna, nuevo); });

    auto* agarradera = new QSizeGrip(desplegable_);
    auto* pie = new QHBoxLayout;
    pie->setContentsMargins(0, 0, 0, 0);
    pie->addStretch();
    pie->addWidget(agarradera);
    auto* columna = new QVBoxLayout(desplegable_);
    columna->setContentsMargins(1, 1, 1, 1);
    columna->setSpacing(0);
    columna->addWidget(vista_);
    columna->addLayout(pie);

    connect(boton_, &QToolButton::clicked, this, [this] { desplegar(); });
    connect(vista_, &QTreeView::clicked, this, [this](const QModelIndex& indice) {
        elegirFila(indice.row());
        desplegable_->hide();
    });
    texto_->installEventFilter(this);
    vista_->installEventFilter(this);
}

void CajaCompania::companias(const std::vector<Compania>& lista) {
    modelo_->removeRows(0, modelo_->rowCount());
    for (const Compania& c : lista) modelo_->appendRow({Elemento(c.codigo), Elemento(c.nombre)});
    vista_->sortByColumn(vista_->header()->sortIndicatorSection(),
                         vista_->header()->sortIndicatorOrder());
    codigo_.clear();
    nombre_.clear();
    texto_->clear();
}

void CajaCompania::valor(const std::string& codigo) {
    for (int fila = 0; fila < modelo_->rowCount(); ++fila) {
        if (Bytes(modelo_->item(fila, 0)) == codigo) return elegirFila(fila);
    }
    codigo_.clear();
    nombre_.clear();
    texto_->clear();
    emit cambio();
}

void CajaCompania::elegirFila(int fila) {
    if (fila < 0 || fila >= modelo_->rowCount()) return;
    codigo_ = Bytes(modelo_->item(fila, 0));
    nombre_ = Bytes(modelo_->item(fila, 1));
    texto_->setText(DeWindows1252(nombre_));
    texto_->setCursorPosition(0);
    emit cambio();
}

void CajaCompania::limitarColumna(int columna, int nuevo) {
    const AnchoColumna& a = anchos_[columna];
    if (a.minimo > 0 && nuevo < a.minimo) vista_->header()->resizeSection(columna, a.minimo);
    if (a.maximo > 0 && nuevo > a.maximo) vista_->header()->resizeSection(columna, a.maximo);
}

void CajaCompania::ajustarColumnas() {
    // The name takes the room the list leaves it, within its limit.
    QHeaderView* titulos = vista_->header();
    const int libre = vista_->viewport()->width() - titulos->sectionSize(0);
    if (libre > titulos->sectionSize(1)) {
        const int maximo = anchos_[1].maximo;
        titulos->resizeSection(1, maximo > 0 ? std::min(libre, maximo) : libre);
    }
}

void CajaCompania::desplegar() {
    if (desplegable_->isVisible()) return;
    if (!desplegable_->property("medido").toBool()) {
        desplegable_->setProperty("medido", true);
        const int columnas = vista_->header()->length() + vista_->frameWidth() * 2 + 24;
        desplegable_->resize(std::max(width(), columnas), 180);
    }
    desplegable_->move(mapToGlobal(QPoint(0, height())));
    // The current row is the chosen company, in the name column where typing searches.
    int actual = 0;
    for (int fila = 0; fila < modelo_->rowCount(); ++fila)
        if (!codigo_.empty() && Bytes(modelo_->item(fila, 0)) == codigo_) actual = fila;
    if (modelo_->rowCount() > 0) vista_->setCurrentIndex(modelo_->index(actual, 1));
    desplegable_->show();
    ajustarColumnas();
    vista_->setFocus(Qt::PopupFocusReason);
}

bool CajaCompania::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress) return QWidget::eventFilter(objeto, evento);
    auto* tecla = static_cast<QKeyEvent*>(evento);
    if (objeto == texto_) {
        const bool abrir = tecla->key() == Qt::Key_F4 ||
                           (tecla->key() == Qt::Key_Down && (tecla->modifiers() & Qt::AltModifier));
        if (abrir) {
            desplegar();
            return true;
        }
        if (Escribe(tecla)) {
            desplegar();
            vista_->keyboardSearch(tecla->text());
            return true;
        }
    } else if (objeto == vista_) {
        if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
            if (vista_->currentIndex().isValid()) elegirFila(vista_->currentIndex().row());
            desplegable_->hide();
            return true;
        }
        if (tecla->key() == Qt::Key_Escape) {
            desplegable_->hide();
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

// ---- CajaFecha ----

CajaFecha::CajaFecha(QWidget* padre) : QWidget(padre) {
    editor_ = new QLineEdit(this);
    editor_->setInputMask(QStringLiteral("99/99/9999;_"));
    editor_->setFixedWidth(editor_->fontMetrics().horizontalAdvance(QStringLiteral("88/88/88888")) +
                           12);
    boton_ = BotonDesplegar(this);
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(0);
    fila->addWidget(editor_);
    fila->addWidget(boton_);
    setFocusProxy(editor_);
    setFocusPolicy(Qt::StrongFocus);
    editor_->installEventFilter(this);

    desplegable_ = Desplegable(this);
    calendario_ = new QCalendarWidget(desplegable_);
    calendario_->setGridVisible(true);
    calendario_->setLocale(QLocale(QLocale::Spanish, QLocale::AnyTerritory));
    auto* columna = new QVBoxLayout(desplegable_);
    columna->setContentsMargins(1, 1, 1, 1);
    columna->addWidget(calendario_);
    connect(boton_, &QToolButton::clicked, this, [this] { desplegarCalendario(); });
    connect(calendario_, &QCalendarWidget::clicked, this, [this](QDate dia) {
        fecha(dia);
        desplegable_->hide();
    });
    connect(calendario_, &QCalendarWidget::activated, this, [this](QDate dia) {
        fecha(dia);
        desplegable_->hide();
    });
}

bool CajaFecha::vacia() const {
    QString cifras = editor_->text();
    cifras.remove(QLatin1Char('/'));
    return cifras.trimmed().isEmpty();
}

std::optional<QDate> CajaFecha::fecha() const {
    if (vacia()) return std::nullopt;
    const QDate dia =
        QDate::fromString(FechaCompleta(editor_->text()), QLatin1String(kFormatoFecha));
    if (!dia.isValid()) {
        throw std::runtime_error("'" + AWindows1252(editor_->displayText()) +
                                 "' no es una fecha v\xE1lida");
    }
    return dia;
}

void CajaFecha::fecha(std::optional<QDate> valor) {
    if (valor && valor->isValid())
        editor_->setText(valor->toString(QLatin1String(kFormatoFecha)));
    else
        editor_->clear();
}

std::string CajaFecha::textoIso() const {
    const std::optional<QDate> dia = fecha();
    return dia ? dia->toString(Qt::ISODate).toStdString() : std::string();
}

bool CajaFecha::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == editor_) {
        if (evento->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(evento)->text() == QLatin1String("/") && completarCampo())
            return true;
        if (evento->type() == QEvent::FocusOut && !vacia()) {
            // Leaving the box completes what was typed.
            const QString completa = FechaCompleta(editor_->text());
            if (completa.size() == 10 && completa != editor_->displayText())
                editor_->setText(completa);
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

bool CajaFecha::completarCampo() {
    // "/" after one digit of the day or the month: the digit gets its zero and the cursor
    // goes to the next field.
    const int posicion = editor_->cursorPosition();
    const int campo = posicion <= 2 ? 0 : posicion <= 5 ? 1 : 2;
    if (campo == 2) return false;
    QString texto = editor_->displayText();
    const int inicio = campo * 3;
    const QChar primero = texto.at(inicio), segundo = texto.at(inicio + 1);
    if (!primero.isDigit() || segundo.isDigit()) return false;
    texto[inicio + 1] = primero;
    texto[inicio] = QLatin1Char('0');
    editor_->setText(texto);
    editor_->setCursorPosition(inicio + 3);
    return true;
}

void CajaFecha::desplegarCalendario() {
    std::optional<QDate> dia;
    Protegido([&] { dia = fecha(); });
    calendario_->setSelectedDate(dia.value_or(QDate::currentDate()));
    desplegable_->adjustSize();
    desplegable_->move(mapToGlobal(QPoint(0, height())));
    desplegable_->show();
    calendario_->setFocus(Qt::PopupFocusReason);
}

// ---- GrupoOpciones ----

GrupoOpciones::GrupoOpciones(const QString& titulo, const QStringList& opciones, int elegida,
                             QWidget* padre)
    : QGroupBox(titulo, padre), grupo_(new QButtonGroup(this)) {
    auto* columna = new QVBoxLayout(this);
    columna->setContentsMargins(8, 2, 8, 2);
    columna->setSpacing(2);
    for (int i = 0; i < opciones.size(); ++i) {
        auto* boton = new QRadioButton(opciones[i], this);
        grupo_->addButton(boton, i);
        columna->addWidget(boton);
    }
    if (QAbstractButton* b = grupo_->button(elegida)) b->setChecked(true);
    ajustarFoco();
    connect(grupo_, &QButtonGroup::idToggled, this, [this](int indice, bool elegido) {
        if (!elegido) return;
        ajustarFoco();
        emit clic(indice);
    });
}

int GrupoOpciones::elegida() const {
    return grupo_->checkedId();
}

void GrupoOpciones::elegir(int indice) {
    if (QAbstractButton* b = grupo_->button(indice)) b->setChecked(true);
}

QAbstractButton* GrupoOpciones::opcion(int indice) const {
    return grupo_->button(indice);
}

QList<QAbstractButton*> GrupoOpciones::opciones() const {
    return grupo_->buttons();
}

void GrupoOpciones::ajustarFoco() {
    // Only the chosen item is a stop of the focus order.
    for (QAbstractButton* b : grupo_->buttons())
        b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---- ModeloTipos ----

ModeloTipos::ModeloTipos(ConjuntoEditable& ctipodoc, QString tituloMarca, QObject* padre)
    : QAbstractTableModel(padre), ctipodoc_(ctipodoc), tituloMarca_(std::move(tituloMarca)) {}

void ModeloTipos::recargar() {
    beginResetModel();
    filas_ = TiposDe(ctipodoc_);
    endResetModel();
}

int ModeloTipos::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : int(filas_.size());
}

int ModeloTipos::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : 3;
}

QVariant ModeloTipos::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= int(filas_.size())) return {};
    const TipoDocumento& t = filas_[size_t(indice.row())];
    switch (indice.column()) {
        case kCtipodocCodigo:
            if (rol == Qt::DisplayRole || rol == Qt::EditRole) return t.codigo;
            if (rol == Qt::TextAlignmentRole)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            break;
        case kCtipodocNombre:
            if (rol == Qt::DisplayRole || rol == Qt::EditRole) return DeWindows1252(t.nombre);
            break;
        case kCtipodocMarca:
            if (rol == Qt::CheckStateRole) return t.marcado ? Qt::Checked : Qt::Unchecked;
            if (rol == Qt::EditRole) return t.marcado ? QStringLiteral("S") : QStringLiteral("N");
            break;
    }
    return {};
}

QVariant ModeloTipos::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole) return {};
    switch (seccion) {
        case kCtipodocCodigo:
            return QStringLiteral("Código");
        case kCtipodocNombre:
            return QStringLiteral("Operación");
        case kCtipodocMarca:
            return tituloMarca_;
    }
    return {};
}

Qt::ItemFlags ModeloTipos::flags(const QModelIndex& indice) const {
    if (!indice.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (indice.column() == kCtipodocMarca) f |= Qt::ItemIsUserCheckable | Qt::ItemIsEditable;
    return f;
}

bool ModeloTipos::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (!indice.isValid() || indice.column() != kCtipodocMarca) return false;
    bool marcar;
    if (rol == Qt::CheckStateRole) {
        marcar = valor.toInt() == Qt::Checked;
    } else if (rol == Qt::EditRole && (valor.toString() == "S" || valor.toString() == "N")) {
        marcar = valor.toString() == "S";  // the pick list: "S" or "N"
    } else {
        return false;
    }
    bool hecho = false;
    Protegido([&] {
        MarcarFila(ctipodoc_, indice.row(), marcar);
        hecho = true;
    });
    filas_ = TiposDe(ctipodoc_);
    emit dataChanged(index(indice.row(), 0), index(indice.row(), 2));
    return hecho;
}

// ---- RejillaTipos ----

RejillaTipos::RejillaTipos(Dialogos& dialogos, int anchoMarca, QWidget* padre)
    : QTableView(padre), dialogos_(dialogos), anchoMarca_(anchoMarca) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setMinimumSectionSize(35);
    horizontalHeader()->setHighlightSections(false);
    auto* buscar = new QShortcut(QKeySequence::Find, this);
    buscar->setContext(Qt::WidgetShortcut);
    connect(buscar, &QShortcut::activated, this, [this] { abrirBusqueda(); });
}

void RejillaTipos::setModel(QAbstractItemModel* modelo) {
    QTableView::setModel(modelo);
    // The columns fill the grid's width: the name takes what the others leave.
    QHeaderView* titulos = horizontalHeader();
    titulos->resizeSection(kCtipodocCodigo, 60);
    titulos->setSectionResizeMode(kCtipodocNombre, QHeaderView::Stretch);
    titulos->setSectionResizeMode(kCtipodocMarca, QHeaderView::Fixed);
    // Never narrower than its title, whatever the font.
    titulos->resizeSection(kCtipodocMarca,
                           std::max(anchoMarca_, titulos->sectionSizeHint(kCtipodocMarca)));
}

void RejillaTipos::keyboardSearch(const QString& tecla) {
    alEscribir_.buscar(*this, tecla);
}

void RejillaTipos::keyPressEvent(QKeyEvent* evento) {
    if ((evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) && model()) {
        // Enter moves to the next cell, and on to the next row after the last column.
        QModelIndex actual = currentIndex();
        if (!actual.isValid()) return;
        int fila = actual.row(), columna = actual.column() + 1;
        if (columna >= model()->columnCount()) {
            columna = 0;
            if (fila + 1 < model()->rowCount())
                ++fila;
            else
                columna = actual.column();
        }
        setCurrentIndex(model()->index(fila, columna));
        return;
    }
    QTableView::keyPressEvent(evento);
}

bool RejillaTipos::buscar(const QString& texto) {
    if (!model() || model()->rowCount() == 0 || texto.isEmpty()) {
        dialogos_.pitido();
        return false;
    }
    const QModelIndex actual = currentIndex();
    const int columna = actual.isValid() ? actual.column() : kCtipodocNombre;
    const int filas = model()->rowCount();
    const int desde = actual.isValid() ? actual.row() + 1 : 0;
    for (int i = 0; i < filas; ++i) {
        const QModelIndex celda = model()->index((desde + i) % filas, columna);
        if (celda.data(Qt::DisplayRole).toString().contains(texto, Qt::CaseInsensitive)) {
            setCurrentIndex(celda);
            scrollTo(celda);
            return true;
        }
    }
    dialogos_.pitido();
    return false;
}

void RejillaTipos::abrirBusqueda() {
    if (!busqueda_) {
        busqueda_ = new QDialog(this);
        busqueda_->setObjectName("Busqueda");
        busqueda_->setWindowTitle(QStringLiteral("Buscar"));
        auto* texto = new QLineEdit(busqueda_);
        texto->setObjectName("TextoBuscado");
        auto* siguiente = new QPushButton(QStringLiteral("Buscar &siguiente"), busqueda_);
        siguiente->setObjectName("BuscarSiguiente");
        siguiente->setDefault(true);
        auto* cerrar = new QPushButton(QStringLiteral("&Cerrar"), busqueda_);
        auto* fila = new QHBoxLayout(busqueda_);
        auto* etiqueta = new QLabel(QStringLiteral("&Buscar:"), busqueda_);
        etiqueta->setBuddy(texto);
        fila->addWidget(etiqueta);
        fila->addWidget(texto, 1);
        fila->addWidget(siguiente);
        fila->addWidget(cerrar);
        connect(siguiente, &QPushButton::clicked, this, [this, texto] { buscar(texto->text()); });
        connect(cerrar, &QPushButton::clicked, busqueda_, &QDialog::close);
    }
    busqueda_->show();
    busqueda_->raise();
    busqueda_->activateWindow();
}

}  // namespace velmora
