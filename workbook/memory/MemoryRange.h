#pragma once

#include <memory>
#include <vector>

#include "workbook/Excel.h"
#include "workbook/RangeAddress.h"
#include "workbook/memory/BookData.h"

namespace telvainn::excel::memory {

class MemoryRange final : public excel::Range {
  public:
    MemoryRange(std::shared_ptr<BookData> book, std::shared_ptr<SheetData> sheet,
                std::vector<CellRect> rects);

    int Count() override;
    CellValue Value() override;
    void SetValue(const CellValue& value) override;
    Block Values() override;
    std::optional<CellPosition> Find(const QString& text) override;
    int ColorIndex() override;
    void SetColorIndex(int index) override;
    bool Locked() override;
    void SetLocked(bool locked) override;

  private:
    SheetData& sheet();  // raises when the workbook is closed or the sheet deleted
    bool contains(int row, int column) const;

    std::shared_ptr<BookData> m_book;
    std::shared_ptr<SheetData> m_sheet;
    std::vector<CellRect> m_rects;  // never empty
};

// Raises for a number no cell can hold (not finite).
void checkCellValue(const CellValue& value);

}  // namespace telvainn::excel::memory
