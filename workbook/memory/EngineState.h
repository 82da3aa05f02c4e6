#pragma once

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

#include "workbook/NotificationQueue.h"
#include "workbook/memory/BookData.h"
#include "workbook/memory/MacroRegistry.h"

namespace telvainn::excel::memory {

// What the application knows, shared with every connection it hands out, so that a connection that
// outlives the application still raises cleanly instead of dangling.
struct EngineState {
    std::vector<std::shared_ptr<BookData>> books;  // the open workbooks, in the order they were opened
    NotificationQueue notifications;
    MacroRegistry macros;
    bool screenUpdating = true;
    bool visible = false;
    bool displayAlerts = true;
    bool enableEvents = true;
    int untitledCount = 0;

    std::shared_ptr<BookData> openNamed(QStringView name) const;  // letter case ignored; or null
    // Raises when another open workbook than `self` has this file name, as two windows would share it.
    void checkNameFree(const QString& name, const BookData* self) const;
    void close(BookData& book);  // no notification: the program closes it
    void closeAll();
};

}  // namespace telvainn::excel::memory
