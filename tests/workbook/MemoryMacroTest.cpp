#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <stdexcept>

#include "support/RaisedMessage.h"
#include "workbook/memory/MacroRegistry.h"
#include "workbook/memory/MemoryApplication.h"

namespace telvainn::excel::memory {
namespace {

TEST(MacroCallText, SplitsDocumentAndMacro) {
    const auto quoted = parseMacroCall(u"'r10.xls'!Ark1.buildComboBox1()");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->document, QStringLiteral("r10.xls"));
    EXPECT_EQ(quoted->macro, QStringLiteral("Ark1.buildComboBox1"));

    const auto spaced = parseMacroCall(u"'min rapport!.xls'!Modul1.Bygg");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->document, QStringLiteral("min rapport!.xls"));
    EXPECT_EQ(spaced->macro, QStringLiteral("Modul1.Bygg"));

    const auto bare = parseMacroCall(u" r10.xls ! Makro() ");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->document, QStringLiteral("r10.xls"));
    EXPECT_EQ(bare->macro, QStringLiteral("Makro"));
}

TEST(MacroCallText, WithoutDocumentOrMacroIsNoCall) {
    EXPECT_EQ(parseMacroCall(u"Ark1.buildComboBox1()"), std::nullopt);
    EXPECT_EQ(parseMacroCall(u"''!Makro"), std::nullopt);
    EXPECT_EQ(parseMacroCall(u"'r10.xls'!()"), std::nullopt);
    EXPECT_EQ(parseMacroCall(u""), std::nullopt);
}

class MemoryMacros : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_workbook = m_app.NewWorkbook();
        m_workbook->SaveAs(m_dir.filePath(QStringLiteral("r10.xls")));
    }

    Application m_app;
    QTemporaryDir m_dir;
    std::unique_ptr<Workbook> m_workbook;
};

TEST_F(MemoryMacros, ADocumentWithoutMacrosMakesRunANoOp) {
    m_app.RegisterMacro(QStringLiteral("r20.xls"), QStringLiteral("Ark1.buildComboBox1"), [](Workbook&) {});
    m_app.Run(QStringLiteral("'r10.xls'!Ark1.buildComboBox1()"));
    m_app.Run(QStringLiteral("'ikke-åpen.xls'!Hva.somHelst"));
    EXPECT_TRUE(m_workbook->Worksheets(1)->Cell(1, 1).isEmpty());
    EXPECT_EQ(m_app.WorkbookCount(), 1);
}

TEST_F(MemoryMacros, ARegisteredMacroRunsOnItsOpenWorkbook) {
    int runs = 0;
    m_app.RegisterMacro(QStringLiteral("R10.XLS"), QStringLiteral("Ark1.buildComboBox1()"),
                        [&](Workbook& workbook) {
                            ++runs;
                            workbook.Worksheets(1)->SetCell(1, 1, workbook.Name());
                        });
    m_app.Run(QStringLiteral("'r10.xls'!Ark1.buildComboBox1()"));
    m_app.Run(QStringLiteral("'r10.xls'!ark1.BUILDCOMBOBOX1"));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(m_workbook->Worksheets(1)->Cell(1, 1), CellValue(QStringLiteral("r10.xls")));
}

TEST_F(MemoryMacros, AFailingMacroRaisesWithItsReason) {
    m_app.RegisterMacro(QStringLiteral("r10.xls"), QStringLiteral("Ark1.feil"),
                        [](Workbook&) { throw Error(QStringLiteral("Typen stemmer ikke")); });
    m_app.RegisterMacro(QStringLiteral("r10.xls"), QStringLiteral("Ark1.annen"),
                        [](Workbook& workbook) { workbook.Worksheets(9); });
    m_app.RegisterMacro(QStringLiteral("r10.xls"), QStringLiteral("Ark1.std"),
                        [](Workbook&) { throw std::runtime_error("overflow"); });
    EXPECT_EQ(raisedMessage([&] { m_app.Run(QStringLiteral("'r10.xls'!Ark1.feil()")); }),
              QStringLiteral("The macro ''r10.xls'!Ark1.feil()' failed: Typen stemmer ikke"));
    EXPECT_EQ(raisedMessage([&] { m_app.Run(QStringLiteral("'r10.xls'!Ark1.annen")); }),
              QStringLiteral(
                  "The macro ''r10.xls'!Ark1.annen' failed: Subscript out of range: there is no worksheet "
                  "9 in 'r10.xls', which has 1."));
    EXPECT_EQ(raisedMessage([&] { m_app.Run(QStringLiteral("'r10.xls'!Ark1.std")); }),
              QStringLiteral("The macro ''r10.xls'!Ark1.std' failed: overflow"));
}

TEST_F(MemoryMacros, AMacroMissingFromADocumentWithMacrosRaises) {
    m_app.RegisterMacro(QStringLiteral("r10.xls"), QStringLiteral("Ark1.annen"), [](Workbook&) {});
    EXPECT_EQ(raisedMessage([&] { m_app.Run(QStringLiteral("'r10.xls'!Ark1.buildComboBox1()")); }),
              QStringLiteral(
                  "Cannot run the macro ''r10.xls'!Ark1.buildComboBox1()'. The macro may not be available "
                  "in this workbook."));
    EXPECT_EQ(raisedMessage([&] { m_app.Run(QStringLiteral("Ark1.annen")); }),
              QStringLiteral(
                  "Cannot run the macro 'Ark1.annen'. The macro may not be available in this workbook."));
}

TEST_F(MemoryMacros, AMacroOfAClosedDocumentRaises) {
    m_app.RegisterMacro(QStringLiteral("r10.xls"), QStringLiteral("Ark1.buildComboBox1"), [](Workbook&) {});
    m_workbook->Close();
    EXPECT_EQ(raisedMessage([&] { m_app.Run(QStringLiteral("'r10.xls'!Ark1.buildComboBox1()")); }),
              QStringLiteral(
                  "Cannot run the macro ''r10.xls'!Ark1.buildComboBox1()': the workbook 'r10.xls' is not "
                  "open."));
}

TEST_F(MemoryMacros, RegisteringAgainReplacesAndAMacroMayRegisterAnother) {
    QStringList ran;
    m_app.RegisterMacro(QStringLiteral("r10.xls"), QStringLiteral("M"),
                        [&](Workbook&) { ran.append(QStringLiteral("gammel")); });
    m_app.RegisterMacro(QStringLiteral("r10.xls"), QStringLiteral("m()"), [&](Workbook&) {
        ran.append(QStringLiteral("ny"));
        m_app.RegisterMacro(QStringLiteral("r10.xls"), QStringLiteral("M"),
                            [&](Workbook&) { ran.append(QStringLiteral("tredje")); });
    });
    m_app.Run(QStringLiteral("'r10.xls'!M"));
    m_app.Run(QStringLiteral("'r10.xls'!M"));
    EXPECT_EQ(ran, (QStringList{QStringLiteral("ny"), QStringLiteral("tredje")}));
}

}  // namespace
}  // namespace telvainn::excel::memory
