// The dialogs of the programs, as Qt message boxes.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "foundation/dialogos.h"

namespace velmora {

class DialogosQt : public Dialogos {
  public:
    // `padre` is the window the dialogs are modal to (none: the modal window open, else the
    // program's visible window); `titulo` the title of plain message boxes (empty: the
    // caption of that window, else the application's name).
    explicit DialogosQt(QWidget* padre = nullptr, QString titulo = {});

    void mensaje(const std::string& texto) override;
    void error(const std::string& texto) override;
    bool confirmar(const std::string& texto) override;
    void pitido() override;

  private:
    QWidget* padre() const;
    QPointer<QWidget> padre_;
    QString titulo_;
};

}  // namespace velmora
