#pragma once

#include <QString>
#include <memory>

#include "workbook/memory/BookData.h"

namespace telvainn::excel::memory {

// The in-memory engine's file: a JSON document holding sheets, cells, fills, number formats, protection,
// names and the active sheet, whatever the file's extension. Copying such a file onto a report file and
// opening the copy works as it does with real workbooks.
void writeWorkbookFile(const BookData& book, const QString& path);

// A workbook as the file holds it, named after the file. Raises when the file is missing, unreadable
// or not such a document.
std::shared_ptr<BookData> readWorkbookFile(const QString& path);

}  // namespace telvainn::excel::memory
