#pragma once

#include <atomic>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/document/XDocumentEventListener.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "workbook/Excel.h"
#include "workbook/NotificationQueue.h"
#include "workbook/uno/Office.h"

// The LibreOffice engine's objects. Each connection holds the document it belongs to, and every
// operation first checks that the document is still open in the office that opened it.
namespace telvainn::excel::uno {

// What the office's listener threads share with the application.
struct EventGate {
    NotificationQueue queue;
    std::atomic<bool> enableEvents{false};
};

struct Document {
    Office& office;
    int generation;
    css::uno::Reference<css::sheet::XSpreadsheetDocument> model;
    QString fullPath;  // empty until saved
    std::atomic<bool> closed{false};
    std::atomic<bool> closingByProgram{false};
    std::function<void()> beforeClose;  // the owner's thread only
    // What listens to the office for the user closing the document.
    css::uno::Reference<css::document::XDocumentEventListener> closeWatcher;
    bool windowVisible = true;
    bool controllersLocked = false;

    Document(Office& office, css::uno::Reference<css::sheet::XSpreadsheetDocument> model, QString fullPath);
    // Raises when the document is no longer there to be used.
    void check() const;
    QString name() const;
};

class UnoRange final : public Range {
  public:
    UnoRange(std::shared_ptr<Document> document,
             std::vector<css::uno::Reference<css::table::XCellRange>> areas);
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
    std::shared_ptr<Document> m_document;
    std::vector<css::uno::Reference<css::table::XCellRange>> m_areas;
};

class UnoWorksheet final : public Worksheet {
  public:
    UnoWorksheet(std::shared_ptr<Document> document, css::uno::Reference<css::sheet::XSpreadsheet> sheet);
    QString Name() override;
    void SetName(const QString& name) override;
    void Activate() override;
    void Protect() override;
    void Unprotect() override;
    bool IsProtected() override;
    CellValue Cell(int row, int column) override;
    void SetCell(int row, int column, const CellValue& value) override;
    std::unique_ptr<Range> Cells(int row, int column) override;
    std::unique_ptr<Range> GetRange(const QString& addressOrName) override;
    Block ReadBlock(int firstRow, int firstColumn, int rowCount, int columnCount) override;
    void WriteBlock(int firstRow, int firstColumn, const Block& values) override;
    void SetNumberFormat(int row, int column, const QString& format) override;
    void SetColorIndex(const std::vector<CellRect>& cells, int index) override;

    // A formula as a user types it in an English office ("=1/0", "=TEXT(5;\"0\")"): how tests make
    // the cells that only a formula gives, such as error values.
    void SetFormula(int row, int column, const QString& formula);

  private:
    template <class Function>
    auto call(Function&& function) {
        m_document->check();
        return m_document->office.call(std::forward<Function>(function));
    }

    std::shared_ptr<Document> m_document;
    css::uno::Reference<css::sheet::XSpreadsheet> m_sheet;
};

class UnoApplication;

class UnoWorkbook final : public Workbook {
  public:
    UnoWorkbook(UnoApplication& application, std::shared_ptr<Document> document);
    QString Name() override;
    QString FullName() override;
    bool IsOpen() override;
    int WorksheetCount() override;
    std::unique_ptr<Worksheet> Worksheets(int index) override;
    std::unique_ptr<Worksheet> WorksheetNamed(const QString& name) override;
    std::unique_ptr<Worksheet> ActiveSheet() override;
    void Activate() override;
    void Save() override;
    void Close() override;
    void OnBeforeClose(std::function<void()> handler) override;
    std::unique_ptr<Worksheet> AddWorksheet(const QString& name) override;
    void DeleteWorksheet(int index) override;
    void AddName(const QString& name, const QString& sheetName, const QString& address) override;
    void AddSheetName(const QString& name, const QString& sheetName, const QString& address) override;
    void SaveAs(const QString& fullPath) override;

  private:
    template <class Function>
    auto call(Function&& function) {
        m_document->check();
        return m_document->office.call(std::forward<Function>(function));
    }

    void addName(const QString& name, const QString& sheetName, const QString& address, bool local);

    UnoApplication& m_application;
    std::shared_ptr<Document> m_document;
};

class UnoApplication final : public Application {
  public:
    explicit UnoApplication(const LibreOfficeOptions& options);
    ~UnoApplication() override;

    std::unique_ptr<Workbook> Open(const QString& fullPath, OpenMode mode = OpenMode::ReadWrite) override;
    std::unique_ptr<Workbook> NewWorkbook() override;
    int WorkbookCount() override;
    void Run(const QString& macro) override;
    void SetScreenUpdating(bool on) override;
    bool ScreenUpdating() override { return m_screenUpdating; }
    void SetVisible(bool on) override;
    bool Visible() override { return m_visible; }
    void SetDisplayAlerts(bool on) override { m_displayAlerts = on; }
    bool DisplayAlerts() override { return m_displayAlerts; }
    void SetEnableEvents(bool on) override { m_gate->enableEvents = on; }
    bool EnableEvents() override { return m_gate->enableEvents; }
    void SetWindowVisible(const QString& workbookName, bool visible) override;
    void Quit() override;
    int DeliverNotifications(std::chrono::milliseconds wait) override { return m_gate->queue.deliver(wait); }
    void SetNotificationWaker(std::function<void()> waker) override {
        m_gate->queue.setWaker(std::move(waker));
    }

    QString connectionString() const { return m_office.connectionString(); }

    // For the workbooks: a document closed by the program leaves the list of open ones.
    void closeDocument(Document& document);
    void applyWindowVisibility(Document& document);

  private:
    std::shared_ptr<Document> adopt(css::uno::Reference<css::sheet::XSpreadsheetDocument> model,
                                    QString path);
    std::shared_ptr<Document> openDocumentNamed(const QString& name);
    void forgetClosed();
    void lockControllers(Document& document, bool lock);

    Office m_office;
    std::shared_ptr<EventGate> m_gate = std::make_shared<EventGate>();
    std::vector<std::shared_ptr<Document>> m_documents;
    bool m_screenUpdating = true;
    bool m_visible = false;
    bool m_displayAlerts = true;
};

// Load and store arguments.
css::uno::Sequence<css::beans::PropertyValue> propertyList(
    std::initializer_list<std::pair<const char*, css::uno::Any>> properties);

// Fills: the colour of an Interior.ColorIndex (nullopt for kColorIndexNone), raising for an index that is
// none; and giving it to a cell range or a set of ranges.
std::optional<quint32> fillOfColorIndex(int index);
void setFill(const css::uno::Reference<css::beans::XPropertySet>& cells, std::optional<quint32> fill);

// Cell values between the office's Any and ours.
CellValue cellValueOf(const css::uno::Reference<css::table::XCell>& cell);
void setCellValue(const css::uno::Reference<css::table::XCell>& cell, const CellValue& value);
CellValue cellValueOf(const css::uno::Any& any);
css::uno::Any anyOf(const CellValue& value);
// The values of a rectangle in one call, each exactly what a read of its cell alone gives.
Block readBlock(const css::uno::Reference<css::table::XCellRange>& area);

}  // namespace telvainn::excel::uno
