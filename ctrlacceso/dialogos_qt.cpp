#include "ctrlacceso/dialogos_qt.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "foundation/texto.h"

namespace velmora {

namespace {

// The window a box belongs to when none was given: the modal one open (the login), else the
// program's visible window.
QWidget* VentanaDelPrograma() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* activa = QApplication::activeWindow()) return activa;
    for (QWidget* ventana : QApplication::topLevelWidgets())
        if (ventana->isVisible() && !(ventana->windowType() == Qt::Popup) &&
            !ventana->windowTitle().isEmpty())
            return ventana;
    return nullptr;
}

// A box with one "OK" button; the caption is set by hand so that no translation changes it.
// The text is shown as it is, every line of it.
void MostrarConOk(QMessageBox::Icon icono, const QString& titulo, const std::string& texto,
                  QWidget* padre) {
    QMessageBox caja(icono, titulo, DeWindows1252(texto), QMessageBox::NoButton, padre);
    caja.setTextFormat(Qt::PlainText);
    QPushButton* ok = caja.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    caja.setDefaultButton(ok);
    caja.setEscapeButton(ok);
    caja.exec();
}

}  // namespace

DialogosQt::DialogosQt(QWidget* padre, QString titulo)
    : padre_(padre), titulo_(std::move(titulo)) {}

QWidget* DialogosQt::padre() const {
    return padre_ ? padre_.data() : VentanaDelPrograma();
}

void DialogosQt::mensaje(const std::string& texto) {
    // Titled as the window it belongs to: "Envío de información", "Control de acceso".
    QWidget* duenio = padre();
    QString titulo = titulo_;
    if (titulo.isEmpty() && duenio) titulo = duenio->window()->windowTitle();
    if (titulo.isEmpty()) titulo = QCoreApplication::applicationName();
    MostrarConOk(QMessageBox::NoIcon, titulo, texto, duenio);
}

void DialogosQt::error(const std::string& texto) {
    MostrarConOk(QMessageBox::Critical, QStringLiteral("Error"), texto, padre());
}

bool DialogosQt::confirmar(const std::string& texto) {
    QMessageBox caja(QMessageBox::Question, QStringLiteral("Confirmación"), DeWindows1252(texto),
                     QMessageBox::NoButton, padre());
    caja.setTextFormat(Qt::PlainText);
    QPushButton* si = caja.addButton(QStringLiteral("&Si"), QMessageBox::YesRole);
    QPushButton* no = caja.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    caja.setDefaultButton(si);
    // Escape and the title bar's close button answer "&No".
    caja.setEscapeButton(no);
    caja.exec();
    return caja.clickedButton() == si;
}

void DialogosQt::pitido() {
    QApplication::beep();
}

}  // namespace velmora
