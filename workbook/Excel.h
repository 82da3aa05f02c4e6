#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/Error.h"
#include "workbook/CellValue.h"
#include "workbook/RangeAddress.h"

// The spreadsheet operations the program relies on, in Excel's object model: an application with
// workbooks, a workbook with worksheets, a worksheet with cells and ranges. Two engines implement it:
// LibreOffice Calc (workbook/uno) and an in-process one for tests (workbook/memory).
//
// Rows and columns are 1-based. Every operation may raise telvainn::Error carrying the engine's own
// text; callers put their own context in front of it. The objects handed out are connections: a
// connection to a workbook that has been closed raises on use.
namespace telvainn::excel {

class Range {
  public:
    virtual ~Range() = default;

    virtual int Count() = 0;                            // cells, over every area of a union
    virtual CellValue Value() = 0;                      // of the top-left cell of the first area
    virtual void SetValue(const CellValue& value) = 0;  // every cell
    // The whole first area, row by row, in one call: how a code list or a block of rows is read.
    virtual Block Values() = 0;

    // The first cell whose whole content, as the sheet shows it, equals text (letters compared without
    // regard to case), or nullopt. A cell that merely contains text does not match: "1234" is not
    // found in a list holding "12345".
    virtual std::optional<CellPosition> Find(const QString& text) = 0;

    // Interior.ColorIndex: the fill of the top-left cell (kColorIndexNone when it has none); setting
    // it fills every cell.
    virtual int ColorIndex() = 0;
    virtual void SetColorIndex(int index) = 0;

    // Locked: whether a person may not type into the cell while its sheet is protected. Every cell of
    // a new sheet is locked; reading gives the top-left cell's state, setting changes every cell.
    virtual bool Locked() = 0;
    virtual void SetLocked(bool locked) = 0;
};

class Worksheet {
  public:
    virtual ~Worksheet() = default;

    virtual QString Name() = 0;
    virtual void SetName(const QString& name) = 0;
    virtual void Activate() = 0;
    virtual void Protect() = 0;  // without password
    // Raises WorkbookRefusal when the sheet is protected with a password.
    virtual void Unprotect() = 0;
    virtual bool IsProtected() = 0;

    // Cells.Item(row, column).Value
    virtual CellValue Cell(int row, int column) = 0;
    virtual void SetCell(int row, int column, const CellValue& value) = 0;
    virtual std::unique_ptr<Range> Cells(int row, int column) = 0;

    // Range(address or name): "B15", "B3:D7", unions "B15;C15" or "B15,C15", or a name as a formula
    // on this sheet sees it: the sheet's own names first, then the workbook's.
    virtual std::unique_ptr<Range> GetRange(const QString& addressOrName) = 0;

    // A rectangle in one call; rows or columns past the used area come back empty.
    virtual Block ReadBlock(int firstRow, int firstColumn, int rowCount, int columnCount) = 0;
    virtual void WriteBlock(int firstRow, int firstColumn, const Block& values) = 0;

    // Making templates: a number format in the engine's format code, e.g. "DD.MM.YYYY" for a date.
    virtual void SetNumberFormat(int row, int column, const QString& format) = 0;

    // Interior.ColorIndex of many rectangles at once, in one call to the engine: how a validation run
    // applies its colours. The same result as setting each rectangle's ColorIndex in turn.
    virtual void SetColorIndex(const std::vector<CellRect>& cells, int index) = 0;
};

class Workbook {
  public:
    virtual ~Workbook() = default;

    virtual QString Name() = 0;  // file name without folder
    virtual QString FullName() = 0;
    virtual bool IsOpen() = 0;

    virtual int WorksheetCount() = 0;
    virtual std::unique_ptr<Worksheet> Worksheets(int index) = 0;  // 1..WorksheetCount()
    virtual std::unique_ptr<Worksheet> WorksheetNamed(const QString& name) = 0;
    virtual std::unique_ptr<Worksheet> ActiveSheet() = 0;

    virtual void Activate() = 0;
    // In the file's own format: an .xls stays Excel 97-2003. A workbook opened read-only, or whose file
    // is marked read-only, is not saved: that raises, and the file stays as it was.
    virtual void Save() = 0;
    virtual void Close() = 0;  // without saving; the BeforeClose handler does not run

    // BeforeClose: runs when the user closes the workbook in the spreadsheet program (the close goes
    // ahead) while the application's EnableEvents is on. Delivered by Application::DeliverNotifications
    // on the owner's thread, never during a call. An empty handler unregisters.
    virtual void OnBeforeClose(std::function<void()> handler) = 0;

    // Making templates: sheets appended at the end, workbook-level names, saving under a new name.
    virtual std::unique_ptr<Worksheet> AddWorksheet(const QString& name) = 0;
    virtual void DeleteWorksheet(int index) = 0;
    virtual void AddName(const QString& name, const QString& sheetName, const QString& address) = 0;
    // A name known only on its own sheet, as a template may define its code lists.
    virtual void AddSheetName(const QString& name, const QString& sheetName, const QString& address) = 0;
    virtual void SaveAs(const QString& fullPath) = 0;  // .xls: Excel 97-2003
};

// Workbooks.Open(..., ReadOnly): a workbook opened read-only is only read. It leaves the file free for
// other programs to open at the same time, and cannot be saved over its file.
enum class OpenMode { ReadWrite, ReadOnly };

// Raised when the workbook itself refuses what the program must do (a sheet protected with a password
// the program does not know): the message names the cause, and nothing the user must finish is to blame.
class WorkbookRefusal : public Error {
  public:
    using Error::Error;
};

class Application {
  public:
    virtual ~Application() = default;

    // Document macros do not run by themselves on opening (no OnLoad or other event macro); only Run
    // runs one.
    virtual std::unique_ptr<Workbook> Open(const QString& fullPath, OpenMode mode = OpenMode::ReadWrite) = 0;
    virtual std::unique_ptr<Workbook> NewWorkbook() = 0;  // one empty sheet, not yet saved
    virtual int WorkbookCount() = 0;

    // Run("'r10.xls'!Ark1.buildComboBox1()"): runs the document's macro; a document that has no
    // macros at all makes it a no-op; a macro that is missing from a document that has macros, or a
    // call the engine reports as failed, raises. (LibreOffice shows a Basic runtime error inside the
    // macro in a message of its own and does not hand it to the caller.)
    virtual void Run(const QString& macro) = 0;

    virtual void SetScreenUpdating(bool on) = 0;
    virtual bool ScreenUpdating() = 0;
    virtual void SetVisible(bool on) = 0;
    virtual bool Visible() = 0;
    virtual void SetDisplayAlerts(bool on) = 0;
    virtual bool DisplayAlerts() = 0;
    virtual void SetEnableEvents(bool on) = 0;
    virtual bool EnableEvents() = 0;
    // Windows(name).Visible: the window of the open workbook with that file name.
    virtual void SetWindowVisible(const QString& workbookName, bool visible) = 0;

    virtual void Quit() = 0;  // closes everything unsaved and ends the engine

    // Close notifications are noticed on the engine's own thread; they wait here until the owner's
    // thread runs them. Runs the pending handlers, first waiting up to `wait` for one to arrive;
    // returns how many ran.
    virtual int DeliverNotifications(std::chrono::milliseconds wait = std::chrono::milliseconds(0)) = 0;
    // Called, from any thread, when a notification starts waiting, so that the owner can arrange a
    // DeliverNotifications call on its own thread (the desktop program posts one to its event loop).
    virtual void SetNotificationWaker(std::function<void()> waker) = 0;
};

}  // namespace telvainn::excel
