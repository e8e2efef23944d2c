#include "ctrlacceso/ctrlacceso.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "ctrlacceso/aplicacion.h"
#include "ctrlacceso/controles.h"
#include "ctrlacceso/dibujos.h"
#include "foundation/inicio_sesion.h"
#include "foundation/texto.h"
#include "foundation/ubicaciones.h"

namespace velmora {

namespace {

const char kConectandoOrigen[] = "Conectando con el servidor origen";
const char kConectandoDestino[] = "Conectando con el servidor Destino";

// Password boxes show a "*" for every character, whatever the platform's habit.
class EstiloAsterisco : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* opcion, const QWidget* control,
                  QStyleHintReturn* retorno) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, opcion, control, retorno);
    }
};

QComboBox* CajaServidores(const std::vector<std::string>& servidores, QWidget* padre) {
    auto* caja = new QComboBox(padre);
    caja->setEditable(false);
    // The raw bytes of each entry go back to the connections untouched.
    for (const std::string& s : servidores)
        caja->addItem(DeWindows1252(s), QByteArray(s.data(), qsizetype(s.size())));
    caja->setCurrentIndex(servidores.empty() ? -1 : 0);
    // The list exists from the start, so that the window sees the keys typed in it too.
    caja->view();
    return caja;
}

QLineEdit* CajaTexto(const char* nombre, QWidget* padre) {
    auto* caja = new QLineEdit(padre);
    caja->setObjectName(nombre);
    return caja;
}

QLabel* Imagen(const char* nombre, const QPixmap& dibujo, QWidget* padre) {
    auto* imagen = new QLabel(padre);
    imagen->setObjectName(nombre);
    imagen->setPixmap(dibujo);
    imagen->setAlignment(Qt::AlignCenter);
    return imagen;
}

std::string Texto(const QLineEdit* caja) {
    return AWindows1252(caja->text());
}

// Focus that moves inside the window; not the window losing its activation, nor a
// drop-down list taking the keys for a while.
bool SaleDentroDeLaVentana(const QFocusEvent* evento) {
    return evento->reason() != Qt::ActiveWindowFocusReason &&
           evento->reason() != Qt::PopupFocusReason;
}

}  // namespace

Tfacceso::Tfacceso(DatosAcceso& datos, SesionOrigen& dbGeneral, SesionOrigen& dbGeneraldes,
                   Dialogos& dialogos, QWidget* propietario)
    : QDialog(propietario),
      datos_(datos),
      dbGeneral_(dbGeneral),
      dbGeneraldes_(dbGeneraldes),
      dialogos_(dialogos) {
    InstalarENoManejada(dialogos_);
    setObjectName("Tfacceso");
    setWindowTitle(QStringLiteral("Control de acceso"));
    setFixedSize(397, 304);

    const std::vector<std::string> servidores = LeerServidores(diraplicacion(dialogos_));

    auto* estilo = new EstiloAsterisco;
    estilo->setParent(this);

    // A side of the connection: its server box, user and password under their labels.
    auto grupo = [&](const QString& titulo, const char* nombre, const char* nombreServidor,
                     const char* nombreUsuario, const char* nombreClave, QComboBox*& servidor,
                     QLineEdit*& usuario, QLineEdit*& clave) {
        auto* caja = new QGroupBox(titulo, this);
        caja->setObjectName(nombre);
        servidor = CajaServidores(servidores, caja);
        servidor->setObjectName(nombreServidor);
        usuario = CajaTexto(nombreUsuario, caja);
        clave = CajaTexto(nombreClave, caja);
        clave->setEchoMode(QLineEdit::Password);
        clave->setStyle(estilo);
        auto* forma = new QFormLayout(caja);
        forma->addRow(QStringLiteral("Servidor : "), servidor);
        forma->addRow(QStringLiteral("Usuario : "), usuario);
        forma->addRow(QStringLiteral("Clave : "), clave);
        forma->setContentsMargins(8, 4, 8, 4);
        forma->setVerticalSpacing(3);
        return caja;
    };
    QGroupBox* origen = grupo(QStringLiteral("Origen:"), "GroupBox1", "Servidor", "Tusua", "TClave",
                              servidor_, tusua_, tclave_);
    QGroupBox* destino = grupo(QStringLiteral("Destino:"), "GroupBox2", "ServidorDes", "TUsuades",
                               "TClavedes", servidorDes_, tusuades_, tclavedes_);

    speedButton1_ = BotonPlano("SpeedButton1", QStringLiteral("F2: &Entrar"), IconoEntrar(), this);
    speedButton2_ = BotonPlano("SpeedButton2", QStringLiteral("ESC: &Salir"), IconoSalir(), this);
    connect(speedButton1_, &QToolButton::clicked, this,
            [this] { Protegido([this] { SpeedButton1Click(); }); });
    connect(speedButton2_, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });

    panel2_ = new QLabel(this);
    panel2_->setObjectName("Panel2");
    panel2_->setFrameShape(QFrame::Panel);
    panel2_->setFrameShadow(QFrame::Sunken);
    panel2_->setAlignment(Qt::AlignCenter);
    // Its place is kept while hidden, so that showing it never moves the other controls.
    QSizePolicy politica = panel2_->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    panel2_->setSizePolicy(politica);
    panel2_->hide();

    auto* imagenes = new QVBoxLayout;
    imagenes->addWidget(Imagen("Image1", DibujoLlave(QSize(90, 90)), this));
    imagenes->addWidget(Imagen("Image2", DibujoServidores(QSize(90, 90)), this));

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(speedButton1_);
    botones->addWidget(speedButton2_);
    botones->addStretch();

    auto* derecha = new QVBoxLayout;
    derecha->addWidget(origen);
    derecha->addWidget(destino);
    derecha->addLayout(botones);

    auto* cuerpo = new QHBoxLayout;
    cuerpo->addLayout(imagenes);
    cuerpo->addLayout(derecha, 1);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(6, 6, 6, 4);
    todo->addLayout(cuerpo);
    todo->addWidget(panel2_);

    setTabOrder(servidor_, tusua_);
    setTabOrder(tusua_, tclave_);
    setTabOrder(tclave_, servidorDes_);
    setTabOrder(servidorDes_, tusuades_);
    setTabOrder(tusuades_, tclavedes_);

    // The window sees every key before the focused control does.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
}

Tfacceso::~Tfacceso() = default;

std::string Tfacceso::Servidor(const QComboBox* caja) {
    const QByteArray bytes = caja->currentData().toByteArray();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

void Tfacceso::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (mostrada_) return;
    mostrada_ = true;
    if (QScreen* pantalla = screen())
        move(pantalla->availableGeometry().center() - rect().center());
    activateWindow();
    tusua_->setFocus(Qt::OtherFocusReason);
}

bool Tfacceso::eventFilter(QObject* objeto, QEvent* evento) {
    auto* control = qobject_cast<QWidget*>(objeto);
    if (control && evento->type() == QEvent::KeyPress)
        return TeclaVista(control, static_cast<QKeyEvent*>(evento));
    if (evento->type() == QEvent::FocusOut && isVisible() &&
        SaleDentroDeLaVentana(static_cast<QFocusEvent*>(evento))) {
        if (objeto == tclave_) Protegido([this] { TClaveExit(); });
        if (objeto == servidorDes_) Protegido([this] { ServidorDesExit(); });
    }
    return QDialog::eventFilter(objeto, evento);
}

void Tfacceso::keyPressEvent(QKeyEvent* evento) {
    if (!TeclaVista(this, evento)) QDialog::keyPressEvent(evento);
}

bool Tfacceso::TeclaVista(QWidget* control, QKeyEvent* evento) {
    const bool sinModificador =
        !(evento->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    const bool f2 = evento->key() == Qt::Key_F2 && sinModificador;
    const bool esc = evento->key() == Qt::Key_Escape && sinModificador;
    if (f2 || esc) {
        // An open server list closes first, its choice kept.
        servidor_->hidePopup();
        servidorDes_->hidePopup();
    }
    if (f2) {
        Protegido([this] { SpeedButton1Click(); });
        return true;
    }
    if (esc) {
        SpeedButton2Click();
        return true;
    }
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        // In the text boxes the key is dropped, in the server boxes it becomes a tab: either
        // way the focus moves on.
        if (control == tusua_ || control == tclave_ || control == tusuades_ ||
            control == tclavedes_ || control == servidor_ || control == servidorDes_) {
            focusNextChild();
            return true;
        }
    }
    return false;
}

void Tfacceso::TClaveExit() {
    mostrarEstado(kConectandoOrigen);
    ConectarOrigen(dbGeneral_, Servidor(servidor_), Texto(tusua_), Texto(tclave_), datos_);
    origenConectado_ = true;
    ocultarEstado();
}

void Tfacceso::ServidorDesExit() {
    if (Servidor(servidorDes_) == Servidor(servidor_)) {
        tusuades_->setText(tusua_->text());
        tclavedes_->setText(tclave_->text());
    } else {
        tusuades_->clear();
        tclavedes_->clear();
    }
}

void Tfacceso::SpeedButton1Click() {
    mostrarEstado(kConectandoDestino);
    ConectarDestino(dbGeneraldes_, Servidor(servidorDes_), Texto(tusuades_), Texto(tclavedes_),
                    datos_);
    ocultarEstado();
    if (origenConectado_) accept();
}

void Tfacceso::SpeedButton2Click() {
    reject();
}

void Tfacceso::mostrarEstado(const char* texto) {
    panel2_->setText(DeWindows1252(texto));
    panel2_->show();
    repaint();
}

void Tfacceso::ocultarEstado() {
    panel2_->hide();
    repaint();
}

}  // namespace velmora
