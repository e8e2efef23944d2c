#include "ctrlacceso/ventana_principal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QShowEvent>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iostream>

#include "ctrlacceso/aplicacion.h"
#include "ctrlacceso/ctrlacceso.h"
#include "ctrlacceso/dibujos.h"
#include "foundation/ctipodoc.h"
#include "foundation/errores.h"
#include "foundation/inicio_sesion.h"
#include "foundation/texto.h"

namespace velmora {

namespace {

// The window whose stop request SIGINT and SIGTERM make.
VentanaPrincipal* conSenales = nullptr;

QLabel* Etiqueta(const QString& texto, QWidget* companero, QWidget* padre) {
    auto* etiqueta = new QLabel(texto, padre);
    etiqueta->setBuddy(companero);
    return etiqueta;
}

}  // namespace

VentanaPrincipal::VentanaPrincipal(const FormaPrincipal& forma, Dialogos& dialogos,
                                   std::vector<std::string> argumentos, QWidget* padre)
    : QWidget(padre),
      dialogos_(dialogosVentana_),
      ctipodoc_(CrearCtipodoc(&raiz_)),
      dialogosVentana_(*this, dialogos),
      forma_(forma),
      argumentos_(std::move(argumentos)) {
    ConstruirControles();
    // SIGINT and SIGTERM become this window's stop request: a run ends between entries, an
    // idle window closes.
    detencion_.alSolicitar = [this](int) {
        QMetaObject::invokeMethod(
            this, [this] { AlSolicitarDetencion(); }, Qt::QueuedConnection);
    };
    DetenerConSenales(detencion_);
    conSenales = this;
}

VentanaPrincipal::~VentanaPrincipal() {
    AcabarCorrida();
    // Signals that come after this window are no longer its requests.
    if (conSenales == this) {
        static SolicitudDetencion sinVentana;
        DetenerConSenales(sinVentana);
        conSenales = nullptr;
    }
    RetirarENoManejada(dialogos_);
    // The grid's model reads Ctipodoc: it goes before Ctipodoc does.
    dbGridEh1_->setModel(nullptr);
    delete modeloTipos_;
}

void VentanaPrincipal::ConstruirControles() {
    setObjectName("Tfprincipal");
    setWindowTitle(forma_.titulo);
    resize(forma_.tamano);

    serOri1_ = new QLineEdit(this);
    serOri1_->setObjectName("SerOri1");
    serDes1_ = new QLineEdit(this);
    serDes1_->setObjectName("SerDes1");
    for (QLineEdit* servidor : {serOri1_, serDes1_}) servidor->setReadOnly(true);

    const AnchoColumna nombre{150, 100, 220};
    lCiaOri_ = new CajaCompania({60, 50, 60}, nombre, this);
    lCiaOri_->setObjectName("LCiaOri");
    lCiaDes_ = new CajaCompania({50, 0, 0}, nombre, this);
    lCiaDes_->setObjectName("LCiaDes");

    ckTodo_ = new QCheckBox(forma_.textoTodo, this);
    ckTodo_->setObjectName("CkTodo");
    ckTodo_->setLayoutDirection(Qt::RightToLeft);  // the caption left of the box
    ckTodo_->setChecked(true);

    fechas_ = new QGroupBox(QStringLiteral("Rango de fechas de registro"), this);
    fechas_->setObjectName(forma_.nombreFechas);
    fecini_ = new CajaFecha(fechas_);
    fecini_->setObjectName("Fecini");
    fecfin_ = new CajaFecha(fechas_);
    fecfin_->setObjectName("Fecfin");
    // The sender stacks the two dates; the receiver has them side by side.
    auto* filaFechas = new QGridLayout(fechas_);
    filaFechas->setContentsMargins(8, 2, 8, 4);
    filaFechas->setVerticalSpacing(3);
    filaFechas->addWidget(Etiqueta(QStringLiteral("Desde:"), fecini_, fechas_), 0, 0);
    filaFechas->addWidget(fecini_, 0, 1);
    const int filaHasta = forma_.conTipoEnvio ? 1 : 0;
    const int columnaHasta = forma_.conTipoEnvio ? 0 : 2;
    filaFechas->addWidget(Etiqueta(QStringLiteral("Hasta:"), fecfin_, fechas_), filaHasta,
                          columnaHasta);
    filaFechas->addWidget(fecfin_, filaHasta, columnaHasta + 1);
    filaFechas->setColumnStretch(columnaHasta + 2, 1);

    if (forma_.conTipoEnvio) {
        tipo_ = new GrupoOpciones(
            QStringLiteral("Tipo de envío "),
            {QStringLiteral("En línea"), QStringLiteral("Fuera de línea (preparar archivo)")}, 1,
            this);
        tipo_->setObjectName("Tipo");
    }
    existe_ =
        new GrupoOpciones(QStringLiteral("Documentos existentes "),
                          {QStringLiteral("Omitir (no recibir)"), QStringLiteral("Reemplazar")},
                          forma_.existeInicial, this);
    existe_->setObjectName("Existe");

    pref_ = new QLineEdit(this);
    pref_->setObjectName("Pref");
    pref_->setFixedWidth(60);

    operaciones_ = new QGroupBox(forma_.tituloOperaciones, this);
    operaciones_->setObjectName("GroupBox3");
    dbGridEh1_ = new RejillaTipos(dialogos_, forma_.anchoMarca, operaciones_);
    dbGridEh1_->setObjectName("DBGridEh1");
    modeloTipos_ = new ModeloTipos(*ctipodoc_, forma_.tituloMarca, this);
    dbGridEh1_->setModel(modeloTipos_);
    dbGridEh1_->setEnabled(false);
    dbGridEh1_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* filaRejilla = new QVBoxLayout(operaciones_);
    filaRejilla->setContentsMargins(6, 4, 6, 6);
    filaRejilla->addWidget(dbGridEh1_);

    auto* panel = new QFrame(operaciones_);
    panel->setObjectName("Panel3");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    auto* aviso = new QLabel(QStringLiteral("Copiando información. Espere un momento..."), panel);
    aviso->setAlignment(Qt::AlignCenter);
    progressBar1_ = new QProgressBar(panel);
    progressBar1_->setObjectName("ProgressBar1");
    progressBar1_->setRange(0, 1);
    progressBar1_->setValue(0);
    progressBar1_->setTextVisible(false);
    lblCuenta_ = new QLabel(panel);
    lblCuenta_->setObjectName("LblCuenta");
    lblCuenta_->setAlignment(Qt::AlignCenter);
    auto* columnaPanel = new QVBoxLayout(panel);
    columnaPanel->addWidget(aviso);
    columnaPanel->addWidget(lblCuenta_);
    columnaPanel->addWidget(progressBar1_);
    panel->hide();
    panel3_ = panel;
    operaciones_->installEventFilter(this);

    popupMenu1_ = new QMenu(this);
    popupMenu1_->setObjectName("PopupMenu1");
    QAction* marcar = popupMenu1_->addAction(QStringLiteral("&Marcar todo"));
    marcar->setObjectName("Seleccionartodo1");
    QAction* desmarcar = popupMenu1_->addAction(QStringLiteral("&Desmarcar todo"));
    desmarcar->setObjectName("Desmarcartodo1");

    speedButton1_ = BotonPlano("SpeedButton1", QStringLiteral("Enviar"), IconoEnviar(), this);
    speedButton2_ = BotonPlano("SpeedButton2", QStringLiteral("Cancelar"), IconoCancelar(), this);
    auto* revision = new QLabel(forma_.revision, this);
    revision->setObjectName("Revision");
    revision->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    // Top band: the companies and their servers, then the journal selection and the options.
    auto* companias = new QGridLayout;
    companias->addWidget(Etiqueta(QStringLiteral("Compañía Origen:"), lCiaOri_, this), 0, 0);
    companias->addWidget(lCiaOri_, 0, 1);
    companias->addWidget(serOri1_, 0, 2);
    companias->addWidget(Etiqueta(QStringLiteral("Compañía Destino:"), lCiaDes_, this), 1, 0);
    companias->addWidget(lCiaDes_, 1, 1);
    companias->addWidget(serDes1_, 1, 2);
    companias->setColumnStretch(1, 3);
    companias->setColumnStretch(2, 2);

    auto* seleccion = new QVBoxLayout;
    seleccion->addWidget(ckTodo_, 0, Qt::AlignLeft);
    seleccion->addWidget(fechas_);
    seleccion->addStretch();
    auto* opciones = new QHBoxLayout;
    auto* etiquetaPrefijo = Etiqueta(QStringLiteral("Prefijo a enviar:"), pref_, this);
    if (tipo_) {
        // The two choices one above the other, the journal selection, the prefix.
        auto* eleccion = new QVBoxLayout;
        eleccion->addWidget(tipo_);
        eleccion->addWidget(existe_);
        auto* prefijo = new QVBoxLayout;
        prefijo->addWidget(etiquetaPrefijo);
        prefijo->addWidget(pref_);
        prefijo->addStretch();
        opciones->addLayout(eleccion);
        opciones->addLayout(seleccion);
        opciones->addLayout(prefijo);
    } else {
        // The journal selection, then the choice with the prefix below it.
        auto* prefijo = new QHBoxLayout;
        prefijo->addWidget(etiquetaPrefijo);
        prefijo->addWidget(pref_);
        prefijo->addStretch();
        auto* eleccion = new QVBoxLayout;
        eleccion->addWidget(existe_);
        eleccion->addLayout(prefijo);
        eleccion->addStretch();
        opciones->addLayout(seleccion);
        opciones->addLayout(eleccion);
    }
    opciones->addStretch();

    auto* pie = new QHBoxLayout;
    pie->addWidget(speedButton1_);
    pie->addWidget(speedButton2_);
    pie->addStretch();
    pie->addWidget(revision);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(8, 8, 8, 4);
    todo->addLayout(companias);
    todo->addLayout(opciones);
    todo->addWidget(operaciones_, 1);
    todo->addLayout(pie);

    // Start states.
    fechas_->setEnabled(!forma_.conTipoEnvio);
    existe_->setEnabled(!forma_.conTipoEnvio);

    connect(ckTodo_, &QCheckBox::toggled, this, [this] { Protegido([this] { CkTodoClick(); }); });
    if (tipo_)
        connect(tipo_, &GrupoOpciones::clic, this, [this] { Protegido([this] { TipoClick(); }); });
    connect(marcar, &QAction::triggered, this,
            [this] { Protegido([this] { Seleccionartodo1Click(); }); });
    connect(desmarcar, &QAction::triggered, this,
            [this] { Protegido([this] { Desmarcartodo1Click(); }); });
    connect(dbGridEh1_, &QWidget::customContextMenuRequested, this, [this](const QPoint& donde) {
        // The menu opens only while the grid is enabled.
        if (dbGridEh1_->isEnabled()) popupMenu1_->popup(dbGridEh1_->viewport()->mapToGlobal(donde));
    });
    connect(speedButton1_, &QToolButton::clicked, this,
            [this] { Protegido([this] { SpeedButton1Click(); }); });
    connect(speedButton2_, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });

    OrdenarFoco();
}

void VentanaPrincipal::OrdenarFoco() {
    std::vector<QWidget*> paradas;
    for (const char* nombre : forma_.ordenFoco) {
        auto* control = findChild<QWidget*>(QLatin1String(nombre));
        if (!control) continue;
        if (auto* grupo = qobject_cast<GrupoOpciones*>(control)) {
            for (QAbstractButton* opcion : grupo->opciones()) paradas.push_back(opcion);
        } else {
            paradas.push_back(control->focusProxy() ? control->focusProxy() : control);
        }
    }
    paradas.push_back(dbGridEh1_);
    for (size_t i = 1; i < paradas.size(); ++i) setTabOrder(paradas[i - 1], paradas[i]);
    paradas_ = std::move(paradas);
    // The window opens with the focus on the first control of the order that can take it.
    for (QWidget* parada : paradas_) {
        if (parada->isEnabled() && (parada->focusPolicy() & Qt::TabFocus)) {
            parada->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

bool VentanaPrincipal::focusNextPrevChild(bool siguiente) {
    // Tab and Shift+Tab go round the window's own order, over the controls that can take
    // the focus now (enabled, and the chosen item of a choice).
    const auto actual = std::find(paradas_.begin(), paradas_.end(), QApplication::focusWidget());
    if (actual == paradas_.end()) return QWidget::focusNextPrevChild(siguiente);
    const size_t n = paradas_.size();
    const size_t desde = size_t(actual - paradas_.begin());
    for (size_t paso = 1; paso < n; ++paso) {
        QWidget* candidato = paradas_[(desde + (siguiente ? paso : n - paso)) % n];
        if (candidato->isEnabled() && candidato->isVisibleTo(this) &&
            (candidato->focusPolicy() & Qt::TabFocus)) {
            candidato->setFocus(siguiente ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void VentanaPrincipal::FormCreate() {
    ConfigurarProviders(raiz_, dialogos_);
    InstalarENoManejada(dialogos_);
    primeraActivacion_ = true;
}

void VentanaPrincipal::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (evento->spontaneous() || !primeraActivacion_) return;
    primeraActivacion_ = false;
    // Once the window is on the screen, whether or not the desktop activates it: the login
    // runs its own message loop.
    QTimer::singleShot(0, this, [this] {
        Protegido([this] { FormActivate(); });
        emit activada();
    });
}

void VentanaPrincipal::FormActivate() {
    Tfacceso acceso(datosAcceso_, dbGeneral_, dbGeneraldes_, dialogos_, this);
    if (acceso.exec() != QDialog::Accepted) {
        TerminarPrograma();
        return;
    }
    PonerServidor(serOri1_, datosAcceso_.servidorOrigen, &VentanaPrincipal::SerOri1Change);
    PonerServidor(serDes1_, datosAcceso_.servidorDestino, &VentanaPrincipal::SerDes1Change);
    CargarTipos();
    ArrancarModoArticulos();
}

void VentanaPrincipal::PonerServidor(QLineEdit* caja, const std::string& servidor,
                                     void (VentanaPrincipal::*cambio)()) {
    const QString texto = DeWindows1252(servidor);
    if (caja->text() == texto) return;  // no change, so no change handler
    caja->setText(texto);
    // The end of a path tells the installations apart; the whole of it in the tooltip.
    caja->setCursorPosition(int(texto.size()));
    caja->setToolTip(texto);
    (this->*cambio)();
}

void VentanaPrincipal::SerOri1Change() {
    ConectarSoporte(dbSop_, AWindows1252(serOri1_->text()), datosAcceso_.usuarioOrigen,
                    datosAcceso_.claveOrigen);
    lCiaOri_->companias(ListarCompanias(dbGeneral_));
}

void VentanaPrincipal::SerDes1Change() {
    lCiaDes_->companias(ListarCompanias(dbGeneraldes_));
}

void VentanaPrincipal::CargarTipos() {
    LlenarCtipodoc(*ctipodoc_, LeerTiposDocumento(dbSop_, forma_.textoQTipodoc));
    modeloTipos_->recargar();
    VolverAlPrimero();
}

void VentanaPrincipal::ArrancarModoArticulos() {
    const std::optional<ArranqueArticulos> arranque = ModoArticulos(argumentos_);
    if (!arranque) return;
    lCiaOri_->valor(arranque->companiaOrigen);
    lCiaDes_->valor(arranque->companiaDestino);
    Desmarcartodo1Click();
    MarcarTipo(*ctipodoc_, kTipoArticulos, true);
    modeloTipos_->recargar();
    VolverAlPrimero();
    PrepararModoArticulos();
    SpeedButton1Click();
}

void VentanaPrincipal::CkTodoClick() {
    if (!forma_.conTipoEnvio) return;
    const bool rango = !ckTodo_->isChecked();
    fechas_->setEnabled(rango);
    dbGridEh1_->setEnabled(rango);
}

void VentanaPrincipal::TipoClick() {
    existe_->setEnabled(tipo_->elegida() == 0);
}

void VentanaPrincipal::Seleccionartodo1Click() {
    Marcar(true);
}

void VentanaPrincipal::Desmarcartodo1Click() {
    Marcar(false);
}

void VentanaPrincipal::Marcar(bool marcar) {
    try {
        MarcarTodos(*ctipodoc_, marcar);
    } catch (...) {
        modeloTipos_->recargar();  // the grid shows what was saved before the failure
        throw;
    }
    modeloTipos_->recargar();
    VolverAlPrimero();
}

void VentanaPrincipal::VolverAlPrimero() {
    if (modeloTipos_->rowCount() == 0) return;
    const int columna = std::max(dbGridEh1_->currentIndex().column(), 0);
    dbGridEh1_->setCurrentIndex(modeloTipos_->index(0, columna));
    dbGridEh1_->scrollToTop();
}

void VentanaPrincipal::SpeedButton2Click() {
    // During a run "Cancelar" stops it, once the person confirms.
    if (corriendo()) {
        if (PreguntarDetener()) detencion_.solicitar();
        return;
    }
    TerminarPrograma();
}

void VentanaPrincipal::TerminarPrograma() {
    close();
}

void VentanaPrincipal::closeEvent(QCloseEvent* evento) {
    if (corriendo()) {
        // The window closes when the run has ended, if the person stops it.
        evento->ignore();
        if (PreguntarDetener()) detencion_.solicitar();
        return;
    }
    Protegido([this] { LiberarSesiones(); });
    QWidget::closeEvent(evento);
}

bool VentanaPrincipal::PreguntarDetener() {
    if (detencion_.solicitada()) return false;  // already asked for
    bool detener = false;
    Protegido([&] { detener = dialogos_.confirmar(kPreguntaDetener); });
    return detener;
}

void VentanaPrincipal::AlSolicitarDetencion() {
    // A signal asks nobody: a box open now closes as its escape button does ("&No", "OK").
    if (detencion_.senal() != 0)
        if (auto* modal = QApplication::activeModalWidget()) modal->close();
    // A run ends by itself at the next entry; an idle window closes, and with it whatever
    // it has open (the login).
    if (!corriendo()) TerminarPrograma();
}

void VentanaPrincipal::Correr(
    std::function<void(Dialogos&, Progreso&, SolicitudDetencion*)> corrida,
    std::function<void()> alTerminar) {
    if (corriendo()) return;
    BloquearControles(true);
    acabada_ = false;
    hilo_ = std::thread([this, corrida = std::move(corrida), alTerminar = std::move(alTerminar)] {
        std::exception_ptr fallo;
        try {
            corrida(dialogosVentana_, progreso_, &detencion_);
        } catch (...) {
            fallo = std::current_exception();
        }
        QMetaObject::invokeMethod(
            this, [this, fallo, alTerminar] { TerminarCorrida(fallo, alTerminar); },
            Qt::QueuedConnection);
        acabada_ = true;
    });
}

void VentanaPrincipal::TerminarCorrida(std::exception_ptr fallo, std::function<void()> alTerminar) {
    if (hilo_.joinable()) hilo_.join();
    // Whatever way the run ended, its panel goes with it.
    panel3_->hide();
    BloquearControles(false);
    if (fallo) {
        AtenderExcepcion(fallo);
    } else {
        Protegido([&] { alTerminar(); });
    }
    // A stopped run ends the program, as "&No" to its question does.
    if (detencion_.solicitada() && isVisible()) TerminarPrograma();
    emit corridaTerminada();
}

void VentanaPrincipal::AcabarCorrida() noexcept {
    if (!hilo_.joinable()) return;
    detencion_.solicitar();
    // The run may be waiting for a dialog of this thread.
    while (!acabada_) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    hilo_.join();
}

void VentanaPrincipal::BloquearControles(bool bloquear) {
    if (bloquear) {
        bloqueados_.clear();
        std::vector<QWidget*> controles;
        for (QObject* hijo : children())
            if (auto* control = qobject_cast<QWidget*>(hijo); control && !control->isWindow())
                controles.push_back(control);
        controles.push_back(dbGridEh1_);
        for (QWidget* control : controles) {
            // "Cancelar" stays to stop the run; the group keeps the panel, only its grid goes.
            if (control == speedButton2_ || control == operaciones_) continue;
            bloqueados_.push_back({control, !control->testAttribute(Qt::WA_ForceDisabled)});
            control->setEnabled(false);
        }
    } else {
        for (const auto& [control, habilitado] : bloqueados_) control->setEnabled(habilitado);
        bloqueados_.clear();
    }
}

void VentanaPrincipal::MostrarCuenta() {
    lblCuenta_->setText(
        QStringLiteral("%1 de %2 entradas").arg(progressBar1_->value()).arg(entradas_));
}

std::vector<TipoDocumento> VentanaPrincipal::tipos() {
    return TiposDe(*ctipodoc_);
}

std::string VentanaPrincipal::prefijo() const {
    return AWindows1252(pref_->text());
}

bool VentanaPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == operaciones_ && evento->type() == QEvent::Resize) ColocarPanel3();
    return QWidget::eventFilter(objeto, evento);
}

void VentanaPrincipal::ColocarPanel3() {
    // Over the middle of the grid.
    const QRect rejilla = dbGridEh1_->geometry();
    const int ancho = std::max(rejilla.width() * 3 / 4, 200);
    const int alto = panel3_->sizeHint().height();
    panel3_->setGeometry(rejilla.center().x() - ancho / 2, rejilla.center().y() - alto / 2, ancho,
                         alto);
}

void VentanaPrincipal::Panel3::enLaVentana(std::function<void()> accion) {
    if (QThread::currentThread() == ventana_.thread()) {
        accion();
    } else {
        QMetaObject::invokeMethod(&ventana_, std::move(accion), Qt::QueuedConnection);
    }
}

void VentanaPrincipal::Panel3::mostrar() {
    enLaVentana([v = &ventana_] {
        v->progressBar1_->setRange(0, 1);
        v->progressBar1_->setValue(0);
        v->entradas_ = 0;
        v->lblCuenta_->clear();
        v->ColocarPanel3();
        v->panel3_->show();
        v->panel3_->raise();
    });
}

void VentanaPrincipal::Panel3::ocultar() {
    enLaVentana([v = &ventana_] { v->panel3_->hide(); });
}

void VentanaPrincipal::Panel3::iniciar(int maximo) {
    enLaVentana([v = &ventana_, maximo] {
        // A bar of range 0..0 would show as busy; an empty journal shows an empty bar.
        v->progressBar1_->setRange(0, std::max(maximo, 1));
        v->progressBar1_->setValue(0);
        v->entradas_ = maximo;
        v->MostrarCuenta();
    });
}

void VentanaPrincipal::Panel3::avanzar() {
    enLaVentana([v = &ventana_] {
        v->progressBar1_->setValue(v->progressBar1_->value() + 1);
        v->MostrarCuenta();
    });
}

bool VentanaPrincipal::DialogosDeVentana::sinPersona(const char* tipo, const std::string& texto) {
    // After a signal nobody is waited for: what would have been shown goes to the error
    // output, and a question is answered "&No".
    if (ventana_.detencion_.senal() == 0) return false;
    std::cerr << tipo << ": " << Utf8DeWindows1252(texto) << std::endl;
    return true;
}

void VentanaPrincipal::DialogosDeVentana::enLaVentana(const std::function<void()>& accion) {
    if (QThread::currentThread() == ventana_.thread()) {
        accion();
        return;
    }
    // The run waits here until the person has answered; a failure to show goes back to it.
    std::exception_ptr fallo;
    QMetaObject::invokeMethod(
        &ventana_,
        [&] {
            try {
                accion();
            } catch (...) {
                fallo = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (fallo) std::rethrow_exception(fallo);
}

void VentanaPrincipal::DialogosDeVentana::mensaje(const std::string& texto) {
    if (sinPersona("mensaje", texto)) return;
    enLaVentana([&] { destino_.mensaje(texto); });
}

void VentanaPrincipal::DialogosDeVentana::error(const std::string& texto) {
    if (sinPersona("error", texto)) return;
    enLaVentana([&] { destino_.error(texto); });
}

bool VentanaPrincipal::DialogosDeVentana::confirmar(const std::string& texto) {
    if (sinPersona("confirmar", texto)) return false;
    bool respuesta = false;
    enLaVentana([&] { respuesta = destino_.confirmar(texto); });
    return respuesta;
}

void VentanaPrincipal::DialogosDeVentana::pitido() {
    enLaVentana([&] { destino_.pitido(); });
}

}  // namespace velmora
