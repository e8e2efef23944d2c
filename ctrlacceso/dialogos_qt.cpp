#include "ctrlacceso/dialogos_qt.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "foundation/texto.h"

namespace velmora {

namespace {

// A box with one "OK" button; the caption is set by hand so that no translation changes it.
void MostrarConOk(QMessageBox::Icon icono, const QString& titulo, const std::string& texto,
                  QWidget* padre) {
    QMessageBox caja(icono, titulo, DeWindows1252(texto), QMessageBox::NoButton, padre);
    QPushButton* ok = caja.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    caja.setDefaultButton(ok);
    caja.setEscapeButton(ok);
    caja.exec();
}

}  // namespace

DialogosQt::DialogosQt(QWidget* padre, QString titulo)
    : padre_(padre), titulo_(std::move(titulo)) {}

void DialogosQt::mensaje(const std::string& texto) {
    const QString titulo = titulo_.isEmpty() ? QCoreApplication::applicationName() : titulo_;
    MostrarConOk(QMessageBox::NoIcon, titulo, texto, padre_);
}

void DialogosQt::error(const std::string& texto) {
    MostrarConOk(QMessageBox::Critical, QStringLiteral("Error"), texto, padre_);
}

bool DialogosQt::confirmar(const std::string& texto) {
    QMessageBox caja(QMessageBox::Question, QStringLiteral("Confirmación"), DeWindows1252(texto),
                     QMessageBox::NoButton, padre_);
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
