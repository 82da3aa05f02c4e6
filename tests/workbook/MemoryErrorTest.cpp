#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <limits>

#include "support/RaisedMessage.h"
#include "workbook/ColorIndex.h"
#include "workbook/memory/MemoryApplication.h"

namespace telvainn::excel::memory {
namespace {

class MemoryErrors : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_workbook = m_app.NewWorkbook();
        m_workbook->Worksheets(1)->SetName(QStringLiteral("r10"));
        m_workbook->AddWorksheet(QStringLiteral("Base"));
        m_workbook->SaveAs(m_dir.filePath(QStringLiteral("r10.xls")));
        m_sheet = m_workbook->Worksheets(1);
    }

    Application m_app;
    QTemporaryDir m_dir;
    std::unique_ptr<Workbook> m_workbook;
    std::unique_ptr<Worksheet> m_sheet;
};

TEST_F(MemoryErrors, SheetsOutsideTheWorkbook) {
    EXPECT_EQ(raisedMessage([&] { m_workbook->Worksheets(3); }),
              QStringLiteral("Subscript out of range: there is no worksheet 3 in 'r10.xls', which has 2."));
    EXPECT_EQ(raisedMessage([&] { m_workbook->Worksheets(0); }),
              QStringLiteral("Subscript out of range: there is no worksheet 0 in 'r10.xls', which has 2."));
    EXPECT_EQ(raisedMessage([&] { m_workbook->DeleteWorksheet(5); }),
              QStringLiteral("Subscript out of range: there is no worksheet 5 in 'r10.xls', which has 2."));
    EXPECT_EQ(raisedMessage([&] { m_workbook->WorksheetNamed(QStringLiteral("Base2")); }),
              QStringLiteral("Subscript out of range: there is no worksheet named 'Base2' in 'r10.xls'."));
}

TEST_F(MemoryErrors, SheetNamesLikeASpreadsheetProgram) {
    EXPECT_EQ(m_workbook->WorksheetNamed(QStringLiteral("BASE"))->Name(), QStringLiteral("Base"))
        << "sheet names are found without regard to letter case";
    EXPECT_EQ(raisedMessage([&] { m_workbook->AddWorksheet(QStringLiteral("base")); }),
              QStringLiteral("The sheet name 'base' is already taken in 'r10.xls'."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->SetName(QStringLiteral("Base")); }),
              QStringLiteral("The sheet name 'Base' is already taken in 'r10.xls'."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->SetName(QStringLiteral("a/b")); }),
              QStringLiteral("'a/b' is not a valid sheet name."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->SetName(QString()); }),
              QStringLiteral("'' is not a valid sheet name."));
    EXPECT_EQ(
        raisedMessage([&] { m_sheet->SetName(QString(32, QLatin1Char('x'))); }),
        QStringLiteral("'") + QString(32, QLatin1Char('x')) + QStringLiteral("' is not a valid sheet name."));
    m_sheet->SetName(QStringLiteral("R10"));  // its own name in another case is no clash
    EXPECT_EQ(m_sheet->Name(), QStringLiteral("R10"));
}

TEST_F(MemoryErrors, TheLastSheetStays) {
    m_workbook->DeleteWorksheet(2);
    EXPECT_EQ(raisedMessage([&] { m_workbook->DeleteWorksheet(1); }),
              QStringLiteral("A workbook must contain at least one worksheet."));
    EXPECT_EQ(m_workbook->WorksheetCount(), 1);
}

TEST_F(MemoryErrors, ADeletedSheetsConnectionsRaise) {
    auto base = m_workbook->Worksheets(2);
    auto range = base->GetRange(QStringLiteral("A1"));
    m_workbook->AddName(QStringLiteral("land"), QStringLiteral("Base"), QStringLiteral("A1:A3"));
    m_workbook->DeleteWorksheet(2);
    EXPECT_EQ(raisedMessage([&] { base->Cell(1, 1); }),
              QStringLiteral("The worksheet 'Base' has been deleted."));
    EXPECT_EQ(raisedMessage([&] { range->Count(); }),
              QStringLiteral("The worksheet 'Base' has been deleted."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->GetRange(QStringLiteral("land")); }),
              QStringLiteral("The range named 'land' refers to a worksheet that is no longer in 'r10.xls'."));
}

TEST_F(MemoryErrors, RangesThatAreNeitherAddressNorName) {
    EXPECT_EQ(raisedMessage([&] { m_sheet->GetRange(QStringLiteral("_SKALNEG")); }),
              QStringLiteral("There is no range named '_SKALNEG' in 'r10.xls'."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->GetRange(QStringLiteral("B0")); }),
              QStringLiteral("There is no range named 'B0' in 'r10.xls'."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->GetRange(QStringLiteral("BÅ;CÅ")); }),
              QStringLiteral("There is no range named 'BÅ;CÅ' in 'r10.xls'."));
}

TEST_F(MemoryErrors, NamesAreCheckedWhenAdded) {
    EXPECT_EQ(raisedMessage([&] {
                  m_workbook->AddName(QStringLiteral("B3"), QStringLiteral("Base"), QStringLiteral("A1"));
              }),
              QStringLiteral("'B3' is not a valid name for a range."));
    EXPECT_EQ(raisedMessage([&] {
                  m_workbook->AddName(QStringLiteral("to ord"), QStringLiteral("Base"), QStringLiteral("A1"));
              }),
              QStringLiteral("'to ord' is not a valid name for a range."));
    EXPECT_EQ(raisedMessage([&] {
                  m_workbook->AddName(QStringLiteral("land"), QStringLiteral("Base3"), QStringLiteral("A1"));
              }),
              QStringLiteral("Subscript out of range: there is no worksheet named 'Base3' in 'r10.xls'."));
    EXPECT_EQ(raisedMessage([&] {
                  m_workbook->AddName(QStringLiteral("land"), QStringLiteral("Base"), QStringLiteral("A1:"));
              }),
              QStringLiteral("'A1:' is not a cell address."));
}

TEST_F(MemoryErrors, ANameGivenAgainTakesTheNewCellsAndIsFoundInAnyCase) {
    m_workbook->AddName(QStringLiteral("land"), QStringLiteral("Base"), QStringLiteral("A1:A3"));
    m_workbook->AddName(QStringLiteral("LAND"), QStringLiteral("r10"), QStringLiteral("B2"));
    m_sheet->SetCell(2, 2, QStringLiteral("NO"));
    const auto land = m_workbook->Worksheets(2)->GetRange(QStringLiteral("Land"));
    EXPECT_EQ(land->Count(), 1);
    EXPECT_EQ(land->Value(), CellValue(QStringLiteral("NO")));
}

TEST_F(MemoryErrors, CellsOutsideTheSheet) {
    EXPECT_EQ(raisedMessage([&] { m_sheet->Cell(0, 1); }),
              QStringLiteral("Cell (0, 1) is outside the worksheet."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->SetCell(1, 16385, CellValue(1.0)); }),
              QStringLiteral("Cell (1, 16385) is outside the worksheet."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->Cells(1048577, 1); }),
              QStringLiteral("Cell (1048577, 1) is outside the worksheet."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->SetNumberFormat(-1, 1, QStringLiteral("0")); }),
              QStringLiteral("Cell (-1, 1) is outside the worksheet."));
    EXPECT_EQ(raisedMessage([&] {
                  m_sheet->WriteBlock(1, 16384, {{CellValue(1.0), CellValue(2.0)}});
              }),
              QStringLiteral("Cell (1, 16385) is outside the worksheet."));
    EXPECT_TRUE(m_sheet->Cell(1, 16384).isEmpty()) << "a block that does not fit writes nothing";
}

TEST_F(MemoryErrors, BlocksThatDoNotFit) {
    EXPECT_EQ(raisedMessage([&] { m_sheet->ReadBlock(1, 1, 0, 3); }),
              QStringLiteral("A block of 0 by 3 cells at (1, 1) does not fit in the worksheet."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->ReadBlock(1048576, 1, 2, 1); }),
              QStringLiteral("A block of 2 by 1 cells at (1048576, 1) does not fit in the worksheet."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->ReadBlock(1, 1, 1, std::numeric_limits<int>::max()); }),
              QStringLiteral("A block of 1 by 2147483647 cells at (1, 1) does not fit in the worksheet."));
    EXPECT_EQ(m_sheet->ReadBlock(1048576, 16384, 1, 1), (Block{{CellValue()}}));
}

TEST_F(MemoryErrors, NumbersNoCellCanHold) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(raisedMessage([&] { m_sheet->SetCell(1, 1, CellValue(nan)); }),
              QStringLiteral("A cell cannot hold the number nan."));
    EXPECT_EQ(raisedMessage([&] { m_sheet->Cells(1, 1)->SetValue(CellValue(infinity)); }),
              QStringLiteral("A cell cannot hold the number inf."));
    EXPECT_EQ(raisedMessage([&] {
                  m_sheet->WriteBlock(1, 1, {{CellValue(1.0), CellValue(-infinity)}});
              }),
              QStringLiteral("A cell cannot hold the number -inf."));
    EXPECT_TRUE(m_sheet->Cell(1, 1).isEmpty());
}

TEST_F(MemoryErrors, ColourIndexesOutsideThePalette) {
    const auto cell = m_sheet->Cells(1, 1);
    for (const int index : {0, 57, -1, -4105}) {
        EXPECT_EQ(
            raisedMessage([&] { cell->SetColorIndex(index); }),
            QStringLiteral("Unable to set the ColorIndex property of the Interior class: %1 is not a colour "
                           "index.")
                .arg(index));
    }
    EXPECT_EQ(cell->ColorIndex(), kColorIndexNone);
}

TEST_F(MemoryErrors, EveryUseOfAClosedWorkbookRaises) {
    auto range = m_sheet->GetRange(QStringLiteral("A1:B2"));
    m_workbook->Close();
    const QString closed = QStringLiteral("The workbook 'r10.xls' has been closed.");
    const std::vector<std::function<void()>> calls = {
        [&] { m_workbook->Name(); },
        [&] { m_workbook->FullName(); },
        [&] { m_workbook->WorksheetNamed(QStringLiteral("Base")); },
        [&] { m_workbook->Close(); },
        [&] { m_workbook->OnBeforeClose([] {}); },
        [&] { m_workbook->AddWorksheet(QStringLiteral("Ny")); },
        [&] { m_workbook->DeleteWorksheet(1); },
        [&] { m_workbook->AddName(QStringLiteral("land"), QStringLiteral("Base"), QStringLiteral("A1")); },
        [&] { m_workbook->SaveAs(m_dir.filePath(QStringLiteral("ny.xls"))); },
        [&] { m_sheet->Name(); },
        [&] { m_sheet->Protect(); },
        [&] { m_sheet->ReadBlock(1, 1, 1, 1); },
        [&] { range->Count(); },
        [&] { range->Find(QStringLiteral("x")); },
        [&] { range->Values(); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(raisedMessage(calls[i]), closed) << "call " << i;
    }
    EXPECT_FALSE(m_workbook->IsOpen());
}

TEST_F(MemoryErrors, TwoWorkbooksOfOneNameCannotBeOpen) {
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    auto second = m_app.NewWorkbook();
    EXPECT_EQ(
        raisedMessage([&] { second->SaveAs(other.filePath(QStringLiteral("R10.xls"))); }),
        QStringLiteral("A workbook named 'R10.xls' is already open. Two workbooks with the same name cannot "
                       "be open at the same time, even from different folders."));
    m_workbook->SaveAs(other.filePath(QStringLiteral("r10.xls")));  // its own name again is fine
    m_workbook->Close();
    second->SaveAs(m_dir.filePath(QStringLiteral("r10.xls")));
    EXPECT_EQ(
        raisedMessage([&] { m_app.Open(other.filePath(QStringLiteral("r10.xls"))); }),
        QStringLiteral("A workbook named 'r10.xls' is already open. Two workbooks with the same name cannot "
                       "be open at the same time, even from different folders."));
}

TEST_F(MemoryErrors, WindowsAndUserClosesOfWorkbooksThatAreNotOpen) {
    EXPECT_EQ(raisedMessage([&] { m_app.SetWindowVisible(QStringLiteral("r20.xls"), false); }),
              QStringLiteral("Subscript out of range: there is no window named 'r20.xls'."));
    EXPECT_EQ(raisedMessage([&] { m_app.WindowVisible(QStringLiteral("r20.xls")); }),
              QStringLiteral("Subscript out of range: there is no window named 'r20.xls'."));
    EXPECT_EQ(raisedMessage([&] { m_app.UserCloses(QStringLiteral("r20.xls")); }),
              QStringLiteral("There is no open workbook named 'r20.xls' for the user to close."));
}

}  // namespace
}  // namespace telvainn::excel::memory
