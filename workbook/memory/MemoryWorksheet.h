#pragma once

#include <memory>

#include "workbook/Excel.h"
#include "workbook/memory/BookData.h"

namespace telvainn::excel::memory {

class MemoryWorksheet final : public excel::Worksheet {
  public:
    MemoryWorksheet(std::shared_ptr<BookData> book, std::shared_ptr<SheetData> sheet);

    QString Name() override;
    void SetName(const QString& name) override;
    void Activate() override;
    void Protect() override;
    void Unprotect() override;
    bool IsProtected() override;

    CellValue Cell(int row, int column) override;
    void SetCell(int row, int column, const CellValue& value) override;
    std::unique_ptr<excel::Range> Cells(int row, int column) override;
    std::unique_ptr<excel::Range> GetRange(const QString& addressOrName) override;

    Block ReadBlock(int firstRow, int firstColumn, int rowCount, int columnCount) override;
    void WriteBlock(int firstRow, int firstColumn, const Block& values) override;
    void SetNumberFormat(int row, int column, const QString& format) override;
    void SetColorIndex(const std::vector<CellRect>& cells, int index) override;

  private:
    SheetData& sheet();  // raises when the workbook is closed or the sheet deleted

    std::shared_ptr<BookData> m_book;
    std::shared_ptr<SheetData> m_sheet;
};

}  // namespace telvainn::excel::memory
