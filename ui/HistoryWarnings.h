#pragma once

#include "app/SendHistory.h"
#include "core/Prompter.h"

namespace telvainn::ui {

// What went wrong in the history's last reads, told once, after the window has shown what it could.
inline void tellHistoryWarnings(SendHistory& history, Prompter& prompter) {
    if (const QString warning = history.takeWarning(); !warning.isEmpty()) {
        prompter.tell(MessageKind::Warning, warning);
    }
}

}  // namespace telvainn::ui
