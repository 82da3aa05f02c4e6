#pragma once

#include <QDialog>
#include <functional>

namespace telvainn::ui {

// Shows a modal dialog and gives its result. The program runs the dialog's own loop; tests fill in and
// press the dialog's controls instead, so every window can be driven without a screen.
using DialogRunner = std::function<int(QDialog&)>;

inline int execDialog(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace telvainn::ui
