#include "ctrlacceso/dibujos.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace velmora {

namespace {

constexpr int kLadoIcono = 32;

QPixmap Lienzo(const QSize& tamano) {
    QPixmap pixmap(tamano);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A database drum: an upright cylinder.
void Tambor(QPainter& p, const QRectF& r, const QColor& color) {
    const qreal elipse = r.height() / 4;
    QLinearGradient degradado(r.topLeft(), r.topRight());
    degradado.setColorAt(0, color.darker(130));
    degradado.setColorAt(0.4, color.lighter(130));
    degradado.setColorAt(1, color.darker(150));
    QPainterPath cuerpo;
    cuerpo.moveTo(r.left(), r.top() + elipse / 2);
    cuerpo.lineTo(r.left(), r.bottom() - elipse / 2);
    cuerpo.arcTo(QRectF(r.left(), r.bottom() - elipse, r.width(), elipse), 180, 180);
    cuerpo.lineTo(r.right(), r.top() + elipse / 2);
    cuerpo.closeSubpath();
    p.setPen(QPen(color.darker(200), 1));
    p.setBrush(degradado);
    p.drawPath(cuerpo);
    p.setBrush(color.lighter(150));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), elipse));
}

QIcon Icono(void (*dibujar)(QPainter&)) {
    QPixmap pixmap = Lienzo(QSize(kLadoIcono, kLadoIcono));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    dibujar(p);
    return QIcon(pixmap);
}

// An arrow pointing right, in `color`.
void Flecha(QPainter& p, const QColor& color) {
    QPainterPath flecha;
    flecha.moveTo(4, 12);
    flecha.lineTo(16, 12);
    flecha.lineTo(16, 5);
    flecha.lineTo(28, 16);
    flecha.lineTo(16, 27);
    flecha.lineTo(16, 20);
    flecha.lineTo(4, 20);
    flecha.closeSubpath();
    p.setPen(QPen(color.darker(160), 1.5));
    p.setBrush(color);
    p.drawPath(flecha);
}

// A red disc with a white cross.
void Cruz(QPainter& p) {
    p.setPen(QPen(QColor(130, 20, 20), 1.5));
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
}

}  // namespace

QPixmap DibujoLlave(const QSize& tamano) {
    QPixmap pixmap = Lienzo(tamano);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(tamano.width() / 100.0, tamano.height() / 100.0);
    const QColor oro(212, 170, 60);
    p.setPen(QPen(oro.darker(180), 2));
    p.setBrush(oro);
    // Bow, shank and bit of a key.
    QPainterPath llave;
    llave.addEllipse(QRectF(10, 30, 40, 40));
    llave.addRect(QRectF(45, 44, 48, 12));
    llave.addRect(QRectF(72, 56, 8, 14));
    llave.addRect(QRectF(84, 56, 8, 10));
    llave.setFillRule(Qt::WindingFill);
    p.drawPath(llave.simplified());
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(20, 40, 20, 20));
    return pixmap;
}

QPixmap DibujoServidores(const QSize& tamano) {
    QPixmap pixmap = Lienzo(tamano);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(tamano.width() / 100.0, tamano.height() / 100.0);
    Tambor(p, QRectF(8, 20, 36, 60), QColor(60, 110, 190));
    Tambor(p, QRectF(56, 20, 36, 60), QColor(60, 160, 90));
    p.setPen(QPen(QColor(90, 90, 90), 3));
    p.drawLine(QPointF(44, 50), QPointF(56, 50));
    return pixmap;
}

QIcon IconoEntrar() {
    return Icono([](QPainter& p) { Flecha(p, QColor(50, 160, 60)); });
}

QIcon IconoSalir() {
    return Icono(Cruz);
}

QIcon IconoEnviar() {
    return Icono([](QPainter& p) {
        Tambor(p, QRectF(2, 6, 12, 20), QColor(60, 110, 190));
        Tambor(p, QRectF(18, 6, 12, 20), QColor(60, 160, 90));
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.drawLine(QPointF(9, 16), QPointF(23, 16));
        p.drawLine(QPointF(19, 12), QPointF(23, 16));
        p.drawLine(QPointF(19, 20), QPointF(23, 16));
    });
}

QIcon IconoCancelar() {
    return Icono(Cruz);
}

}  // namespace velmora
