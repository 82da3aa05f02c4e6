#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "core/ReportCatalogue.h"
#include "support/CliRunner.h"
#include "support/SampleTemplates.h"
#include "workbook_uno/LibreOfficeFixture.h"

namespace telvainn {
namespace {

using excel::CellValue;

const QString kValidLog = QStringLiteral(
                              "Valideringsrapport nr. 1:\nAntall feillinjer: 0\nSum aktiva       : 1_500\n"
                              "Sum passiva      : 0\n------------------------------------\n"
                              "Validering nr. 1 er ferdig.\nRadene fra og med 11 til og med 11\n"
                              "danner grunnlaget for valideringen.\n")
                              .replace(QLatin1Char('_'), QChar(0x00A0));

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Report workbooks as they reach telvainn-cli from outside the program: with macros of their own, open
// in another program, protected by passwords, marked read-only; and two programs on one program folder.
// The user's own office is played by an office of the test.
class WorkbooksFromOutsideTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(testsupport::copySampleTemplates(cli.home.path()));
        cli.configure("[KONFIGURASJON]\r\nDSNR=7\r\nREGNR=1234\r\n");
    }

    QString file(const QString& name) const { return cli.home.filePath(name); }

    CliRun run(const QStringList& args) const {
        QProcessEnvironment env;
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("nb_NO.UTF-8"));
        return cli.run(args, env);
    }

    // A new report 10 made by the program, with one valid row typed in.
    QString filledReport(const QString& name) {
        const QString path = file(name);
        const CliRun made = run({QStringLiteral("ny"), QStringLiteral("--rapport"), QStringLiteral("10"),
                                 QStringLiteral("--periode"), QStringLiteral("200812"), path});
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        const auto workbook = office().Open(path);
        workbook->ActiveSheet()->WriteBlock(
            11, 1, {{QStringLiteral("Kontanter"), 1010000.0, CellValue(), 0.0, 0.0, 1.0, 1500.0}});
        workbook->Save();
        workbook->Close();
        return path;
    }

    static excel::Application& office() { return excel::testing::keptOffice("outside"); }

    CliRunner cli;
};

// The program runs the open macro it names; nothing the workbook binds to its events runs, neither in a
// workbook that is opened nor in one that is then refused.
TEST_F(WorkbooksFromOutsideTest, AWorkbooksEventMacrosNeverRunAndTheProgramsOwnMacroDoes) {
    const QString markers = file(QStringLiteral("merker"));
    ASSERT_TRUE(QDir().mkpath(markers));
    const QString report = file(QStringLiteral("R10.ods"));
    ASSERT_NO_FATAL_FAILURE(
        excel::testing::makeReportWithMacros(office(), cli.home.path(), 7, 1234, report, markers));
    const QString disguised = file(QStringLiteral("R10-ods.xls"));
    ASSERT_TRUE(QFile::copy(report, disguised));
    QDir marked(markers);

    const CliRun validated = run({QStringLiteral("valider"), report});
    EXPECT_EQ(validated.exitCode, 0) << validated.err.toStdString();
    EXPECT_EQ(validated.out, kValidLog);
    EXPECT_EQ(marked.entryList(QDir::Files), QStringList{QStringLiteral("makro")});

    ASSERT_TRUE(marked.remove(QStringLiteral("makro")));
    const CliRun encrypted = run({QStringLiteral("krypter"), report});
    EXPECT_EQ(encrypted.exitCode, 0) << encrypted.err.toStdString();
    EXPECT_EQ(encrypted.out, file(QStringLiteral("R10.ods.txt")) + QLatin1Char('\n'));
    EXPECT_EQ(marked.entryList(QDir::Files), QStringList{QStringLiteral("makro")});

    ASSERT_TRUE(marked.remove(QStringLiteral("makro")));
    for (const QString& command : {QStringLiteral("valider"), QStringLiteral("krypter")}) {
        const CliRun refused = run({command, disguised});
        EXPECT_EQ(refused.err, QStringLiteral("Fila \"%1\" er ikke en Excel-arbeidsbok.\n").arg(disguised));
        EXPECT_NE(refused.exitCode, 0);
    }
    EXPECT_EQ(marked.entryList(QDir::Files), QStringList());
}

// Another program has the template open for editing, and two programs validate at the same time: each
// opens the template only to read it.
TEST_F(WorkbooksFromOutsideTest, TwoProgramsValidateAtOnceWhileTheTemplateIsOpenElsewhere) {
    const QString first = filledReport(QStringLiteral("R10-a.xls"));
    const QString second = filledReport(QStringLiteral("R10-b.xls"));
    const auto templateOpen = office().Open(templatePath(cli.home.path(), 10));

    CliConditions norwegian;
    norwegian.extra.insert(QStringLiteral("LC_ALL"), QStringLiteral("nb_NO.UTF-8"));
    const auto one = cli.start({QStringLiteral("valider"), first}, norwegian);
    const auto two = cli.start({QStringLiteral("valider"), second}, norwegian);
    for (const CliRun& validated : {cli.finish(*one), cli.finish(*two)}) {
        EXPECT_EQ(validated.err, QString());
        EXPECT_EQ(validated.out, kValidLog);
        EXPECT_EQ(validated.exitCode, 0);
    }
    templateOpen->Close();
}

// The user's own office has the report open, or a colleague's has; the program says who, and changes
// nothing.
TEST_F(WorkbooksFromOutsideTest, AReportOpenInAnotherProgramIsRefusedWithWhoHasIt) {
    const QString report = filledReport(QStringLiteral("R10.xls"));
    const QByteArray before = bytesOf(report);
    const QString lockFile = file(QStringLiteral(".~lock.R10.xls#"));
    const QString advice = QStringLiteral(
        ". Lukk den der og prøv igjen. Er den ikke åpen noe sted, kan du slette låsefila \".~lock.R10.xls#\" "
        "i "
        "samme mappe.\n");
    {
        const auto open = office().Open(report);
        const QStringList holder = QString::fromUtf8(bytesOf(lockFile)).split(QLatin1Char(','));
        ASSERT_GE(holder.size(), 4) << "the office keeps a lock file beside the workbook";
        const CliRun refused = run({QStringLiteral("valider"), report, QStringLiteral("--lagre")});
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_EQ(refused.err,
                  QStringLiteral("Arbeidsboka \"%1\" er åpen i et annet program (av %2 på maskinen "
                                 "%3, %4)")
                          .arg(report, holder[1], holder[2], holder[3]) +
                      advice);
        EXPECT_EQ(refused.out, QString());
        open->Close();
    }
    {
        QFile lock(lockFile);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write("Kari Nordmann,kari,kontor-7,10.12.2026 09:15,file:///home/kari/.config/libreoffice/4;");
    }
    const CliRun refused = run({QStringLiteral("krypter"), report});
    EXPECT_EQ(refused.err,
              QStringLiteral(
                  "Arbeidsboka \"%1\" er åpen i et annet program (av Kari Nordmann på maskinen kontor-7, "
                  "10.12.2026 09:15)")
                      .arg(report) +
                  advice);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("R10.txt"))));
    EXPECT_EQ(bytesOf(report), before);

    ASSERT_TRUE(QFile::remove(lockFile));
    EXPECT_EQ(run({QStringLiteral("valider"), report}).out, kValidLog);
}

// A password to open the workbook, a password on its report sheet, a file marked read-only: each is named,
// and the workbook stays as it was.
TEST_F(WorkbooksFromOutsideTest, PasswordsAndReadOnlyFilesAreNamedAndTheWorkbookKept) {
    const QString report = filledReport(QStringLiteral("R10.xls"));
    const QString locked = file(QStringLiteral("R10-passord.xls"));
    {
        const auto workbook = office().Open(report);
        ASSERT_EQ(excel::testing::actAsUser(office(), report,
                                            {QStringLiteral("copy-with-password"), QStringLiteral("hemmelig"),
                                             QUrl::fromLocalFile(locked).toString(QUrl::FullyEncoded)}),
                  0);
        ASSERT_EQ(excel::testing::actAsUser(office(), report,
                                            {QStringLiteral("protect"), QStringLiteral("hemmelig")}),
                  0);
        workbook->Save();
        workbook->Close();
    }
    const CliRun encrypted = run({QStringLiteral("valider"), locked});
    EXPECT_EQ(encrypted.exitCode, 2);
    EXPECT_EQ(encrypted.err,
              QStringLiteral("Arbeidsboka \"%1\" er beskyttet med passord, og programmet kan ikke åpne "
                             "den. Lagre den uten passord i regnearket og prøv igjen.\n")
                  .arg(locked));

    const QByteArray protectedBytes = bytesOf(report);
    const CliRun sheetProtected = run({QStringLiteral("valider"), report, QStringLiteral("--lagre")});
    EXPECT_EQ(sheetProtected.exitCode, 2);
    EXPECT_EQ(
        sheetProtected.out,
        QStringLiteral("Validering nr. 1 feilet.\n------------------------------------\nArket \"r10\" er "
                       "beskyttet med et passord programmet ikke kjenner. Opphev beskyttelsen i regnearket "
                       "(Verktøy > Beskytt ark) og prøv igjen.\n"));
    EXPECT_EQ(bytesOf(report), protectedBytes);

    const QString readOnly = filledReport(QStringLiteral("R10-les.xls"));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray readOnlyBytes = bytesOf(readOnly);
    const CliRun saved = run({QStringLiteral("valider"), readOnly, QStringLiteral("--lagre")});
    EXPECT_EQ(saved.exitCode, 2);
    EXPECT_EQ(saved.out, kValidLog) << "the validation is shown all the same";
    EXPECT_EQ(saved.err,
              QStringLiteral("Arbeidsboka \"%1\" er skrivebeskyttet og ble ikke lagret. Fjern "
                             "skrivebeskyttelsen, eller lagre den under et annet navn i regnearket.\n")
                  .arg(readOnly));
    EXPECT_EQ(bytesOf(readOnly), readOnlyBytes);
}

}  // namespace
}  // namespace telvainn
