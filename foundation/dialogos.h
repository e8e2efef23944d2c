// The only way the programs talk to the person at the screen. The windows implement it
// with Qt; the tests with a recorder, so that a whole run can be checked without a window.
#pragma once

#include <string>

namespace velmora {

// Every text is Windows-1252 bytes, as read from the databases; the implementation
// converts it for display.
class Dialogos {
  public:
    virtual ~Dialogos() = default;
    // Plain message box: title the program's name, no icon, one "OK" button.
    virtual void mensaje(const std::string& texto) = 0;
    // Error dialog: title "Error", error icon, one "OK" button.
    virtual void error(const std::string& texto) = 0;
    // Confirmation: title "Confirmación", question icon, buttons "&Si" and "&No".
    // True when the answer is "&Si".
    virtual bool confirmar(const std::string& texto) = 0;
    // The default system beep.
    virtual void pitido() = 0;
};

}  // namespace velmora
