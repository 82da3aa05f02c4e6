#include "workbook/memory/BookData.h"

#include "core/Error.h"

namespace telvainn::excel::memory {
namespace {

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

void BookData::requireOpen() const {
    if (!open) {
        throw Error(QStringLiteral("The workbook '%1' has been closed.").arg(name));
    }
}

void BookData::requireSheet(const SheetData& sheet) const {
    requireOpen();
    if (indexOf(sheet) == 0) {
        throw Error(QStringLiteral("The worksheet '%1' has been deleted.").arg(sheet.name));
    }
}

int BookData::indexOf(const SheetData& sheet) const {
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].get() == &sheet) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

std::shared_ptr<SheetData> BookData::sheetNamed(QStringView sheetName) const {
    for (const auto& sheet : sheets) {
        if (sameName(sheet->name, sheetName)) {
            return sheet;
        }
    }
    return nullptr;
}

const NameData* BookData::findName(QStringView rangeName, const SheetData& fromSheet) const {
    const NameData* workbookName = nullptr;
    for (const NameData& entry : names) {
        if (!sameName(entry.name, rangeName)) {
            continue;
        }
        if (!entry.local) {
            workbookName = &entry;
        } else if (entry.sheet.lock().get() == &fromSheet) {
            return &entry;
        }
    }
    return workbookName;
}

void checkSheetName(const BookData& book, const QString& sheetName, const SheetData* self) {
    static const QString kForbidden = QStringLiteral("[]:*?/\\");
    bool valid = !sheetName.isEmpty() && sheetName.size() <= 31;
    for (const QChar ch : sheetName) {
        valid = valid && !kForbidden.contains(ch);
    }
    if (!valid) {
        throw Error(QStringLiteral("'%1' is not a valid sheet name.").arg(sheetName));
    }
    const auto holder = book.sheetNamed(sheetName);
    if (holder && holder.get() != self) {
        throw Error(
            QStringLiteral("The sheet name '%1' is already taken in '%2'.").arg(sheetName, book.name));
    }
}

}  // namespace telvainn::excel::memory
