// The dialogs of the programs, as Qt message boxes.
#pragma once

#include <QString>

#include "foundation/dialogos.h"

class QWidget;

namespace velmora {

class DialogosQt : public Dialogos {
  public:
    // `padre` is the window the dialogs are modal to (none: the application); `titulo`
    // the title of plain message boxes (empty: the application's name).
    explicit DialogosQt(QWidget* padre = nullptr, QString titulo = {});

    void mensaje(const std::string& texto) override;
    void error(const std::string& texto) override;
    bool confirmar(const std::string& texto) override;
    void pitido() override;

  private:
    QWidget* padre_;
    QString titulo_;
};

}  // namespace velmora
