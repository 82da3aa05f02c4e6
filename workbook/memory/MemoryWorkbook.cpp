#include "workbook/memory/MemoryWorkbook.h"

#include <QFileInfo>

#include "core/Error.h"
#include "workbook/RangeAddress.h"
#include "workbook/ReadOnlyFile.h"
#include "workbook/memory/MemoryWorksheet.h"
#include "workbook/memory/WorkbookFile.h"

namespace telvainn::excel::memory {

MemoryWorkbook::MemoryWorkbook(std::shared_ptr<EngineState> engine, std::shared_ptr<BookData> book)
    : m_engine(std::move(engine)), m_book(std::move(book)) {}

BookData& MemoryWorkbook::book() {
    m_book->requireOpen();
    return *m_book;
}

std::unique_ptr<excel::Worksheet> MemoryWorkbook::connect(std::shared_ptr<SheetData> sheet) {
    return std::make_unique<MemoryWorksheet>(m_book, std::move(sheet));
}

void MemoryWorkbook::checkIndex(int index) {
    const int count = static_cast<int>(book().sheets.size());
    if (index < 1 || index > count) {
        throw Error(QStringLiteral("Subscript out of range: there is no worksheet %1 in '%2', which has %3.")
                        .arg(index)
                        .arg(m_book->name)
                        .arg(count));
    }
}

QString MemoryWorkbook::Name() {
    return book().name;
}

// An unsaved workbook has no folder; its full name is its name, as in Excel.
QString MemoryWorkbook::FullName() {
    const BookData& data = book();
    return data.fullPath.isEmpty() ? data.name : data.fullPath;
}

bool MemoryWorkbook::IsOpen() {
    return m_book->open;
}

int MemoryWorkbook::WorksheetCount() {
    return static_cast<int>(book().sheets.size());
}

std::unique_ptr<excel::Worksheet> MemoryWorkbook::Worksheets(int index) {
    checkIndex(index);
    return connect(m_book->sheets[static_cast<std::size_t>(index - 1)]);
}

std::unique_ptr<excel::Worksheet> MemoryWorkbook::WorksheetNamed(const QString& name) {
    auto sheet = book().sheetNamed(name);
    if (!sheet) {
        throw Error(QStringLiteral("Subscript out of range: there is no worksheet named '%1' in '%2'.")
                        .arg(name, m_book->name));
    }
    return connect(std::move(sheet));
}

std::unique_ptr<excel::Worksheet> MemoryWorkbook::ActiveSheet() {
    const BookData& data = book();
    return connect(data.sheets[static_cast<std::size_t>(data.activeSheet - 1)]);
}

void MemoryWorkbook::Activate() {
    book();
}

void MemoryWorkbook::Save() {
    const BookData& data = book();
    if (data.fullPath.isEmpty()) {
        throw Error(QStringLiteral("The workbook '%1' has never been saved: save it with SaveAs first.")
                        .arg(data.name));
    }
    if (data.readOnly || fileMarkedReadOnly(data.fullPath)) {
        throw Error(
            QStringLiteral("'%1' is read-only. To save a copy, click OK, then give the workbook a new "
                           "name in the Save As dialog box.")
                .arg(data.name));
    }
    writeWorkbookFile(data, data.fullPath);
}

void MemoryWorkbook::Close() {
    m_engine->close(book());
}

void MemoryWorkbook::OnBeforeClose(std::function<void()> handler) {
    book().beforeClose = std::move(handler);
}

std::unique_ptr<excel::Worksheet> MemoryWorkbook::AddWorksheet(const QString& name) {
    BookData& data = book();
    checkSheetName(data, name, nullptr);
    auto sheet = std::make_shared<SheetData>();
    sheet->name = name;
    data.sheets.push_back(sheet);
    return connect(std::move(sheet));
}

void MemoryWorkbook::DeleteWorksheet(int index) {
    checkIndex(index);
    BookData& data = *m_book;
    if (data.sheets.size() == 1) {
        throw Error(QStringLiteral("A workbook must contain at least one worksheet."));
    }
    data.sheets.erase(data.sheets.begin() + (index - 1));
    if (index < data.activeSheet || data.activeSheet > static_cast<int>(data.sheets.size())) {
        --data.activeSheet;
    }
}

void MemoryWorkbook::AddName(const QString& name, const QString& sheetName, const QString& address) {
    addName(name, sheetName, address, false);
}

void MemoryWorkbook::AddSheetName(const QString& name, const QString& sheetName, const QString& address) {
    addName(name, sheetName, address, true);
}

// A name given again in the same scope takes the new cells, as Excel's Names.Add does.
void MemoryWorkbook::addName(const QString& name, const QString& sheetName, const QString& address,
                             bool local) {
    BookData& data = book();
    const bool nameLooksValid = !name.isEmpty() && !name.contains(QLatin1Char(' ')) &&
                                !name.contains(QLatin1Char('!')) && !name.front().isDigit();
    if (!nameLooksValid || parseRangeAddress(name)) {
        throw Error(QStringLiteral("'%1' is not a valid name for a range.").arg(name));
    }
    auto sheet = data.sheetNamed(sheetName);
    if (!sheet) {
        throw Error(QStringLiteral("Subscript out of range: there is no worksheet named '%1' in '%2'.")
                        .arg(sheetName, data.name));
    }
    auto rects = parseRangeAddress(address);
    if (!rects) {
        throw Error(QStringLiteral("'%1' is not a cell address.").arg(address));
    }
    for (NameData& existing : data.names) {
        if (existing.name.compare(name, Qt::CaseInsensitive) == 0 && existing.local == local &&
            (!local || existing.sheet.lock() == sheet)) {
            existing.sheet = sheet;
            existing.rects = std::move(*rects);
            return;
        }
    }
    data.names.push_back({name, sheet, std::move(*rects), local});
}

void MemoryWorkbook::SaveAs(const QString& fullPath) {
    BookData& data = book();
    const QFileInfo file(fullPath);
    m_engine->checkNameFree(file.fileName(), &data);
    writeWorkbookFile(data, file.absoluteFilePath());
    data.fullPath = file.absoluteFilePath();
    data.name = file.fileName();
    data.readOnly = false;
}

}  // namespace telvainn::excel::memory
