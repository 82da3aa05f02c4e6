#include "ui/Translation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace telvainn::ui {

bool installQtTranslation(QCoreApplication& application) {
    // Built into the program, so nothing is looked up on disk.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral(":/translations/qt_nb.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace telvainn::ui
