// The pictures of the windows: drawn here, so that the programs need no image files.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace velmora {

// The two decorative pictures on the left of the login window.
QPixmap DibujoLlave(const QSize& tamano);
QPixmap DibujoServidores(const QSize& tamano);

// The pictures above the captions of the flat buttons.
QIcon IconoEntrar();
QIcon IconoSalir();
QIcon IconoEnviar();
QIcon IconoCancelar();

}  // namespace velmora
