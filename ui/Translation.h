#pragma once

class QCoreApplication;

namespace telvainn::ui {

// Makes Qt's own texts (standard buttons, file dialog, input dialog, print preview, context menus)
// bokmål, whatever the user's locale: the program is Norwegian throughout, and Qt itself ships no
// bokmål. False when the program's translation could not be loaded.
bool installQtTranslation(QCoreApplication& application);

}  // namespace telvainn::ui
