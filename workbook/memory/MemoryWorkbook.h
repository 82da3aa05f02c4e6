#pragma once

#include <memory>

#include "workbook/Excel.h"
#include "workbook/memory/EngineState.h"

namespace telvainn::excel::memory {

class MemoryWorkbook final : public excel::Workbook {
  public:
    MemoryWorkbook(std::shared_ptr<EngineState> engine, std::shared_ptr<BookData> book);

    QString Name() override;
    QString FullName() override;
    bool IsOpen() override;

    int WorksheetCount() override;
    std::unique_ptr<excel::Worksheet> Worksheets(int index) override;
    std::unique_ptr<excel::Worksheet> WorksheetNamed(const QString& name) override;
    std::unique_ptr<excel::Worksheet> ActiveSheet() override;

    void Activate() override;
    void Save() override;
    void Close() override;
    void OnBeforeClose(std::function<void()> handler) override;

    std::unique_ptr<excel::Worksheet> AddWorksheet(const QString& name) override;
    void DeleteWorksheet(int index) override;
    void AddName(const QString& name, const QString& sheetName, const QString& address) override;
    void AddSheetName(const QString& name, const QString& sheetName, const QString& address) override;
    void SaveAs(const QString& fullPath) override;

  private:
    BookData& book();  // raises when closed
    std::unique_ptr<excel::Worksheet> connect(std::shared_ptr<SheetData> sheet);
    void checkIndex(int index);
    void addName(const QString& name, const QString& sheetName, const QString& address, bool local);

    std::shared_ptr<EngineState> m_engine;
    std::shared_ptr<BookData> m_book;
};

}  // namespace telvainn::excel::memory
