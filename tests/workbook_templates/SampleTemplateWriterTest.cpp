#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "core/Error.h"
#include "core/ReportCatalogue.h"
#include "tools/lag-maler/SampleTemplate.h"
#include "workbook/ColorIndex.h"
#include "workbook/memory/MemoryApplication.h"
#include "workbook/memory/WorkbookFile.h"

using namespace telvainn;
using namespace telvainn::excel;

namespace {

const QString kMalerDir = QStringLiteral(TELVAINN_MALER_DIR);

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

const QString kSource = QStringLiteral(
    "sheet Forside\n"
    "cell A1 \"Forside\"\n"
    "sheet r10 active\n"
    "cell B5 10\n"
    "cell B6 \"000\"\n"
    "row A10 \"Tekst\" \"Objekt\" _ \"Sektor\"\n"
    "fill A11:D20 36\n"
    "fill L12 19\n"
    "format C1 \"#,##0\"\n"
    "sheet Base\n"
    "cell A1 2009-02-25\n"
    "list A3 Base_Itens\n"
    "1010000 | Kontanter\n"
    "1510000 | Innskudd i banker\n"
    "end\n"
    "list D3 _s10100 _s15100\n"
    "000 Ingen sektor\n"
    "end\n"
    "name Alt A1:B4\n");

// An engine whose new workbooks come with three sheets, as Excel's do.
class ThreeSheetEngine final : public Application {
  public:
    std::unique_ptr<Workbook> Open(const QString& fullPath, OpenMode mode = OpenMode::ReadWrite) override {
        return m_inner.Open(fullPath, mode);
    }
    std::unique_ptr<Workbook> NewWorkbook() override {
        auto book = m_inner.NewWorkbook();
        book->AddWorksheet(QStringLiteral("Sheet2"));
        book->AddWorksheet(QStringLiteral("Sheet3"));
        return book;
    }
    int WorkbookCount() override { return m_inner.WorkbookCount(); }
    void Run(const QString& macro) override { m_inner.Run(macro); }
    void SetScreenUpdating(bool on) override { m_inner.SetScreenUpdating(on); }
    bool ScreenUpdating() override { return m_inner.ScreenUpdating(); }
    void SetVisible(bool on) override { m_inner.SetVisible(on); }
    bool Visible() override { return m_inner.Visible(); }
    void SetDisplayAlerts(bool on) override { m_inner.SetDisplayAlerts(on); }
    bool DisplayAlerts() override { return m_inner.DisplayAlerts(); }
    void SetEnableEvents(bool on) override { m_inner.SetEnableEvents(on); }
    bool EnableEvents() override { return m_inner.EnableEvents(); }
    void SetWindowVisible(const QString& name, bool visible) override {
        m_inner.SetWindowVisible(name, visible);
    }
    void Quit() override { m_inner.Quit(); }
    int DeliverNotifications(std::chrono::milliseconds wait) override {
        return m_inner.DeliverNotifications(wait);
    }
    void SetNotificationWaker(std::function<void()> waker) override {
        m_inner.SetNotificationWaker(std::move(waker));
    }

  private:
    memory::Application m_inner;
};

QStringList sheetNames(Workbook& book) {
    QStringList names;
    for (int index = 1; index <= book.WorksheetCount(); ++index) {
        names.append(book.Worksheets(index)->Name());
    }
    return names;
}

}  // namespace

TEST(SampleTemplateWriter, SavedWorkbookHoldsSheetsValuesFillsFormatsAndNames) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("r10.xls"));
    memory::Application engine;
    writeSampleWorkbook(engine, parseSampleWorkbook(kSource, QStringLiteral("t.txt")), path);
    EXPECT_EQ(engine.WorkbookCount(), 0) << "nothing is left open";

    auto book = engine.Open(path);
    EXPECT_EQ(sheetNames(*book),
              (QStringList{QStringLiteral("Forside"), QStringLiteral("r10"), QStringLiteral("Base")}));
    EXPECT_EQ(book->ActiveSheet()->Name(), QStringLiteral("r10"));

    auto report = book->WorksheetNamed(QStringLiteral("r10"));
    EXPECT_EQ(report->Cell(5, 2), CellValue(10.0));
    EXPECT_EQ(report->Cell(6, 2), CellValue(QStringLiteral("000")));
    EXPECT_EQ(report->Cell(10, 4), CellValue(QStringLiteral("Sektor")));
    EXPECT_TRUE(report->Cell(10, 3).isEmpty());
    EXPECT_EQ(report->Cells(12, 12)->ColorIndex(), 19);
    EXPECT_EQ(report->Cells(11, 1)->ColorIndex(), 36);
    EXPECT_EQ(report->Cells(20, 4)->ColorIndex(), 36);
    EXPECT_EQ(report->Cells(21, 4)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(book->WorksheetNamed(QStringLiteral("Forside"))->Cell(1, 1),
              CellValue(QStringLiteral("Forside")));

    auto base = book->WorksheetNamed(QStringLiteral("Base"));
    EXPECT_EQ(base->Cell(1, 1), CellValue(39869.0));
    auto items = base->GetRange(QStringLiteral("Base_Itens"));
    EXPECT_EQ(items->Count(), 2);
    EXPECT_EQ(items->Values(),
              (Block{{CellValue(QStringLiteral("1010000"))}, {CellValue(QStringLiteral("1510000"))}}));
    EXPECT_EQ(items->Find(QStringLiteral("1510000")), (CellPosition{4, 1}));
    EXPECT_EQ(base->Cell(4, 2), CellValue(QStringLiteral("Innskudd i banker")));
    for (const QString& name : {QStringLiteral("_s10100"), QStringLiteral("_s15100")}) {
        auto list = base->GetRange(name);
        EXPECT_EQ(list->Count(), 1);
        EXPECT_EQ(list->Value(), CellValue(QStringLiteral("000 Ingen sektor")));
    }
    EXPECT_EQ(base->GetRange(QStringLiteral("Alt"))->Count(), 8);
    book->Close();

    // Number formats are not part of the interface's reading side; the engine's file shows them.
    const auto saved = memory::readWorkbookFile(path);
    EXPECT_EQ(saved->sheets[2]->find(1, 1)->numberFormat, kSampleDateFormat);
    EXPECT_EQ(saved->sheets[1]->find(1, 3)->numberFormat, QStringLiteral("#,##0"));
}

TEST(SampleTemplateWriter, SheetsANewWorkbookStartsWithAreNotKept) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("r10.xls"));
    ThreeSheetEngine engine;
    writeSampleWorkbook(engine, parseSampleWorkbook(kSource, QStringLiteral("t.txt")), path);
    auto book = engine.Open(path);
    EXPECT_EQ(sheetNames(*book),
              (QStringList{QStringLiteral("Forside"), QStringLiteral("r10"), QStringLiteral("Base")}));
    EXPECT_EQ(book->ActiveSheet()->Name(), QStringLiteral("r10"));
    book->Close();

    // A source whose first sheet has the name of one the engine starts with.
    writeSampleWorkbook(engine,
                        parseSampleWorkbook(QStringLiteral("sheet Sheet3\nsheet Sheet1 active\ncell A1 1"),
                                            QStringLiteral("t.txt")),
                        path);
    book = engine.Open(path);
    EXPECT_EQ(sheetNames(*book), (QStringList{QStringLiteral("Sheet3"), QStringLiteral("Sheet1")}));
    EXPECT_EQ(book->ActiveSheet()->Cell(1, 1), CellValue(1.0));
}

TEST(SampleTemplateWriter, AnExistingFileIsReplaced) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("r10.xls"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an old template");
    old.close();

    memory::Application engine;
    writeSampleWorkbook(engine, parseSampleWorkbook(kSource, QStringLiteral("t.txt")), path);
    auto book = engine.Open(path);
    EXPECT_EQ(book->WorksheetCount(), 3);
}

TEST(SampleTemplateWriter, AFailureNamesTargetAndSourceLeavesNoFileAndNothingOpen) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("mangler/r10.xls"));
    memory::Application engine;

    // What the engine itself says when a workbook cannot be saved there.
    QString engineText;
    {
        auto probe = engine.NewWorkbook();
        engineText = errorOf([&] { probe->SaveAs(path); });
        probe->Close();
    }
    ASSERT_NE(engineText, QStringLiteral("(no error)"));

    EXPECT_EQ(errorOf([&] {
                  writeSampleWorkbook(engine, parseSampleWorkbook(kSource, QStringLiteral("t.txt")), path);
              }),
              QStringLiteral("Klarte ikke lage \"%1\" fra t.txt: %2").arg(path, engineText));
    EXPECT_EQ(engine.WorkbookCount(), 0);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(SampleTemplateWriter, EveryCommittedSourceWritesAWorkbookWhoseNamesResolve) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    memory::Application engine;
    QStringList sources;
    for (const int number : kReportNumbers) {
        sources.append(QDir(kMalerDir).filePath(QStringLiteral("r%1.txt").arg(number)));
    }
    const QDir tests(QDir(kMalerDir).filePath(QStringLiteral("test")));
    for (const QString& name : tests.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        sources.append(tests.filePath(name));
    }
    EXPECT_EQ(sources.size(), 12);

    for (const QString& source : sources) {
        SCOPED_TRACE(source.toStdString());
        const SampleWorkbook description = readSampleWorkbook(source);
        const QString path = folder.filePath(QFileInfo(source).completeBaseName() + QStringLiteral(".xls"));
        writeSampleWorkbook(engine, description, path);

        auto book = engine.Open(path);
        EXPECT_EQ(book->ActiveSheet()->Name(),
                  description.sheets[static_cast<std::size_t>(description.activeSheet)].name);
        EXPECT_EQ(book->WorksheetCount(), static_cast<int>(description.sheets.size()));
        for (const SampleName& name : description.names) {
            auto sheet = book->WorksheetNamed(name.sheet);
            auto range = sheet->GetRange(name.name);
            EXPECT_EQ(range->Count(), name.area.cellCount()) << name.name.toStdString();
            const QStringList texts = description.namedTexts(name.name);
            if (texts.size() > 1) {
                for (const QString& code : texts) {
                    EXPECT_TRUE(range->Find(code).has_value())
                        << name.name.toStdString() << " " << code.toStdString();
                }
            } else {
                EXPECT_EQ(range->Value(), CellValue(texts.front()));
            }
        }
        book->Close();
    }
}
