#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "support/RaisedMessage.h"
#include "workbook/ColorIndex.h"
#include "workbook/memory/MemoryApplication.h"

namespace telvainn::excel::memory {
namespace {

class MemoryWorkbookFile : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& fileName) const { return m_dir.filePath(fileName); }

    void writeBytes(const QString& fileName, const QByteArray& bytes) const {
        QFile file(path(fileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    Application m_app;
    QTemporaryDir m_dir;
};

TEST_F(MemoryWorkbookFile, KeepsEverythingAWorkbookHolds) {
    auto made = m_app.NewWorkbook();
    auto report = made->Worksheets(1);
    report->SetName(QStringLiteral("r60"));
    report->SetCell(1, 1, CellValue(0.1 + 0.2));
    report->SetCell(1, 2, CellValue(1.0 / 3.0));
    report->SetCell(1, 3, CellValue(-12345678901.0));
    report->SetCell(1, 4, CellValue(1e300));
    report->SetCell(2, 1, QStringLiteral("Blåbær \"sitat\" \\ \r\n ny linje"));
    report->SetCell(2, 2, QStringLiteral("007"));
    report->SetCell(2, 3, CellValue(QString()));
    report->SetNumberFormat(3, 1, QStringLiteral("DD.MM.YYYY"));
    report->Cells(4, 1)->SetColorIndex(54);
    report->Protect();
    auto base = made->AddWorksheet(QStringLiteral("Base"));
    base->SetCell(65536, 256, CellValue(7.0));
    auto base2 = made->AddWorksheet(QStringLiteral("Base2"));
    made->AddName(QStringLiteral("land"), QStringLiteral("Base2"), QStringLiteral("A1:B2;D4"));
    base->Activate();
    made->SaveAs(path(QStringLiteral("alt.xls")));
    made->Close();

    auto again = m_app.Open(path(QStringLiteral("alt.xls")));
    ASSERT_EQ(again->WorksheetCount(), 3);
    auto sheet = again->Worksheets(1);
    EXPECT_EQ(sheet->Name(), QStringLiteral("r60"));
    EXPECT_EQ(sheet->Cell(1, 1), CellValue(0.1 + 0.2));
    EXPECT_EQ(sheet->Cell(1, 2), CellValue(1.0 / 3.0));
    EXPECT_EQ(sheet->Cell(1, 3), CellValue(-12345678901.0));
    EXPECT_EQ(sheet->Cell(1, 4), CellValue(1e300));
    EXPECT_EQ(sheet->Cell(2, 1), CellValue(QStringLiteral("Blåbær \"sitat\" \\ \r\n ny linje")));
    EXPECT_EQ(sheet->Cell(2, 2), CellValue(QStringLiteral("007")));
    EXPECT_EQ(sheet->Cell(2, 3), CellValue(QString()));
    EXPECT_TRUE(sheet->Cell(3, 1).isEmpty());
    EXPECT_EQ(sheet->Cells(4, 1)->ColorIndex(), 18);
    EXPECT_TRUE(sheet->IsProtected());
    EXPECT_FALSE(again->Worksheets(2)->IsProtected());
    EXPECT_EQ(again->Worksheets(2)->Cell(65536, 256), CellValue(7.0));
    EXPECT_EQ(again->ActiveSheet()->Name(), QStringLiteral("Base"));
    const auto land = again->Worksheets(1)->GetRange(QStringLiteral("land"));
    EXPECT_EQ(land->Count(), 5);
    land->SetValue(QStringLiteral("x"));
    EXPECT_EQ(again->Worksheets(3)->Cell(4, 4), CellValue(QStringLiteral("x")));
    EXPECT_TRUE(again->Worksheets(1)->Cell(4, 4).isEmpty());
}

TEST_F(MemoryWorkbookFile, IsReadableJsonWhateverTheExtension) {
    auto made = m_app.NewWorkbook();
    made->Worksheets(1)->SetName(QStringLiteral("Base"));
    made->Worksheets(1)->SetCell(1, 1, CellValue(39783.0));
    made->Worksheets(1)->SetNumberFormat(1, 1, QStringLiteral("DD.MM.YYYY"));
    made->Worksheets(1)->Cells(2, 1)->SetColorIndex(kColorIndexRed);
    made->AddName(QStringLiteral("valuta"), QStringLiteral("Base"), QStringLiteral("$A$2:$A$5"));
    made->SaveAs(path(QStringLiteral("r10.xls")));

    QFile file(path(QStringLiteral("r10.xls")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(root.value(QStringLiteral("format")).toString(), QStringLiteral("telvainn in-memory workbook"));
    const QJsonObject sheet = root.value(QStringLiteral("sheets")).toArray().at(0).toObject();
    EXPECT_EQ(sheet.value(QStringLiteral("name")).toString(), QStringLiteral("Base"));
    const QJsonArray cells = sheet.value(QStringLiteral("cells")).toArray();
    ASSERT_EQ(cells.size(), 2);
    EXPECT_EQ(cells.at(0).toObject(),
              (QJsonObject{{QStringLiteral("row"), 1},
                           {QStringLiteral("column"), 1},
                           {QStringLiteral("value"), 39783},
                           {QStringLiteral("numberFormat"), QStringLiteral("DD.MM.YYYY")}}));
    EXPECT_EQ(cells.at(1).toObject(), (QJsonObject{{QStringLiteral("row"), 2},
                                                   {QStringLiteral("column"), 1},
                                                   {QStringLiteral("fill"), QStringLiteral("#FF0000")}}));
    EXPECT_EQ(root.value(QStringLiteral("names")).toArray().at(0).toObject(),
              (QJsonObject{{QStringLiteral("name"), QStringLiteral("valuta")},
                           {QStringLiteral("sheet"), QStringLiteral("Base")},
                           {QStringLiteral("address"), QStringLiteral("A2:A5")}}));
}

TEST_F(MemoryWorkbookFile, ACopiedTemplateOpensUnderItsNewName) {
    auto made = m_app.NewWorkbook();
    made->Worksheets(1)->SetCell(5, 2, CellValue(10.0));
    made->SaveAs(path(QStringLiteral("r10.xls")));
    made->Close();
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("r10.xls")), path(QStringLiteral("min rapport.xls"))));

    auto copy = m_app.Open(path(QStringLiteral("min rapport.xls")));
    EXPECT_EQ(copy->Name(), QStringLiteral("min rapport.xls"));
    EXPECT_EQ(copy->FullName(), path(QStringLiteral("min rapport.xls")));
    EXPECT_EQ(copy->Worksheets(1)->Cell(5, 2), CellValue(10.0));
}

TEST_F(MemoryWorkbookFile, SaveCopiesNothingButTheWorkbooksOwnFile) {
    auto made = m_app.NewWorkbook();
    made->SaveAs(path(QStringLiteral("a.xls")));
    made->Worksheets(1)->SetCell(1, 1, CellValue(1.0));
    made->SaveAs(path(QStringLiteral("b.xls")));
    made->Worksheets(1)->SetCell(1, 1, CellValue(2.0));
    made->Save();
    made->Close();
    EXPECT_TRUE(m_app.Open(path(QStringLiteral("a.xls")))->Worksheets(1)->Cell(1, 1).isEmpty());
    EXPECT_EQ(m_app.Open(path(QStringLiteral("b.xls")))->Worksheets(1)->Cell(1, 1), CellValue(2.0));
}

TEST_F(MemoryWorkbookFile, MissingFileRaisesCouldNotBeFound) {
    const QString missing = path(QStringLiteral("r35.xls"));
    EXPECT_EQ(
        raisedMessage([&] { m_app.Open(missing); }),
        QStringLiteral("'") + missing +
            QStringLiteral("' could not be found. Check the spelling of the file name, and verify that the "
                           "file location is correct."));
    EXPECT_EQ(
        raisedMessage([&] { m_app.Open(m_dir.path()); }),
        QStringLiteral("'") + m_dir.path() +
            QStringLiteral("' could not be found. Check the spelling of the file name, and verify that the "
                           "file location is correct."));
    EXPECT_EQ(m_app.WorkbookCount(), 0);
}

TEST_F(MemoryWorkbookFile, AnythingButOurJsonRaisesNotValid) {
    const QList<QByteArray> contents = {
        QByteArray(),
        QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 a real xls"),
        QByteArrayLiteral("{\"format\": \"something else\", \"version\": 1}"),
        QByteArrayLiteral("{\"format\": \"telvainn in-memory workbook\", \"version\": 1, \"activeSheet\": 1, "
                          "\"sheets\": []}"),
        QByteArrayLiteral("{\"format\": \"telvainn in-memory workbook\", \"version\": 1, \"activeSheet\": 2, "
                          "\"sheets\": [{\"name\": \"A\", \"cells\": []}]}"),
        QByteArrayLiteral(
            "{\"format\": \"telvainn in-memory workbook\", \"version\": 1, \"activeSheet\": 1, "
            "\"sheets\": [{\"name\": \"A\", \"cells\": [{\"row\": 0, \"column\": 1, \"value\": 1}]}]}"),
        QByteArrayLiteral(
            "{\"format\": \"telvainn in-memory workbook\", \"version\": 1, \"activeSheet\": 1, "
            "\"sheets\": [{\"name\": \"A\", \"cells\": [{\"row\": 1, \"column\": 1, \"value\": true}]}]}"),
        QByteArrayLiteral(
            "{\"format\": \"telvainn in-memory workbook\", \"version\": 1, \"activeSheet\": 1, "
            "\"sheets\": [{\"name\": \"A\", \"cells\": [{\"row\": 1, \"column\": 1, \"fill\": \"red\"}]}]}"),
        QByteArrayLiteral(
            "{\"format\": \"telvainn in-memory workbook\", \"version\": 1, \"activeSheet\": 1, "
            "\"sheets\": [{\"name\": \"A\", \"cells\": []}, {\"name\": \"a\", \"cells\": []}]}"),
        QByteArrayLiteral("{\"format\": \"telvainn in-memory workbook\", \"version\": 1, \"activeSheet\": 1, "
                          "\"sheets\": [{\"name\": \"A\", \"cells\": []}], "
                          "\"names\": [{\"name\": \"land\", \"sheet\": \"B\", \"address\": \"A1\"}]}"),
    };
    for (const QByteArray& bytes : contents) {
        writeBytes(QStringLiteral("r10.xls"), bytes);
        const QString file = path(QStringLiteral("r10.xls"));
        EXPECT_EQ(
            raisedMessage([&] { m_app.Open(file); }),
            QStringLiteral("The file '") + file +
                QStringLiteral("' cannot be opened because the file format or file extension is not valid."))
            << bytes.toStdString();
    }
    EXPECT_EQ(m_app.WorkbookCount(), 0);
}

TEST_F(MemoryWorkbookFile, SavingANewWorkbookWithoutAFileRaises) {
    auto made = m_app.NewWorkbook();
    EXPECT_EQ(raisedMessage([&] { made->Save(); }),
              QStringLiteral("The workbook 'Book1' has never been saved: save it with SaveAs first."));
}

TEST_F(MemoryWorkbookFile, SaveAsIntoAMissingFolderRaisesWithTheSystemsReasonAndKeepsTheName) {
    auto made = m_app.NewWorkbook();
    const QString target = path(QStringLiteral("mangler/r10.xls"));
    EXPECT_EQ(raisedMessage([&] { made->SaveAs(target); }),
              QStringLiteral("Cannot save the workbook as '") + target +
                  QStringLiteral("': No such file or directory"));
    EXPECT_EQ(made->Name(), QStringLiteral("Book1"));
}

TEST_F(MemoryWorkbookFile, SaveIntoAReadOnlyFolderRaisesAndKeepsTheOldFile) {
    auto made = m_app.NewWorkbook();
    made->Worksheets(1)->SetCell(1, 1, CellValue(1.0));
    made->SaveAs(path(QStringLiteral("r10.xls")));
    made->Worksheets(1)->SetCell(1, 1, CellValue(2.0));

    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    const QFileDevice::Permissions writable = readOnly | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), readOnly));
    {
        // Root (as in many containers) writes through any permission bits: nothing to check then.
        QFile probe(path(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QFile::setPermissions(m_dir.path(), writable);
            GTEST_SKIP() << "folder permissions do not stop this user from writing";
        }
    }
    const QString message = raisedMessage([&] { made->Save(); });
    QFile::setPermissions(m_dir.path(), writable);
    EXPECT_EQ(message, QStringLiteral("Cannot save the workbook as '") + path(QStringLiteral("r10.xls")) +
                           QStringLiteral("': Permission denied"));
    made->Close();
    EXPECT_EQ(m_app.Open(path(QStringLiteral("r10.xls")))->Worksheets(1)->Cell(1, 1), CellValue(1.0));
}

}  // namespace
}  // namespace telvainn::excel::memory
