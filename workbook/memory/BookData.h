#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <memory>
#include <vector>

#include "workbook/RangeAddress.h"
#include "workbook/memory/SheetData.h"

namespace telvainn::excel::memory {

// A name: one or more rectangles on one sheet, known in the whole workbook or, when local, only on
// that sheet.
struct NameData {
    QString name;
    std::weak_ptr<SheetData> sheet;
    std::vector<CellRect> rects;
    bool local = false;
};

struct BookData {
    QString name;      // file name without folder; "Book1" and so on until first saved
    QString fullPath;  // empty until first saved
    std::vector<std::shared_ptr<SheetData>> sheets;
    std::vector<NameData> names;
    int activeSheet = 1;
    bool open = true;
    bool windowVisible = true;
    bool readOnly = false;  // opened read-only: not saved over its file
    std::function<void()> beforeClose;

    // Every use of a connection goes through one of these two, so a closed workbook raises.
    void requireOpen() const;
    void requireSheet(const SheetData& sheet) const;  // open, and the sheet not deleted

    int indexOf(const SheetData& sheet) const;  // 1-based; 0 when not in the workbook
    std::shared_ptr<SheetData> sheetNamed(QStringView sheetName) const;  // letter case ignored; or null
    // The name as a formula on `fromSheet` sees it: that sheet's own names first, then the workbook's.
    // Letter case ignored; null when there is none.
    const NameData* findName(QStringView rangeName, const SheetData& fromSheet) const;
};

// Raises unless `sheetName` can name a sheet and no other sheet of `book` but `self` has it.
void checkSheetName(const BookData& book, const QString& sheetName, const SheetData* self);

}  // namespace telvainn::excel::memory
