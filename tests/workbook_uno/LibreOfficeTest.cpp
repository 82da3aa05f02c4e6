#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "core/Error.h"
#include "support/OfficeKiller.h"
#include "support/WorkbookPrinters.h"
#include "workbook_uno/LibreOfficeFixture.h"

namespace telvainn::excel {
namespace {

using namespace std::chrono_literals;
using testing::closeAsUser;
using testing::testOfficeOptions;

class LibreOfficeTest : public ::testing::Test {
  protected:
    // A workbook saved to disk and opened again, as the program opens reports and templates.
    std::unique_ptr<Workbook> savedWorkbook(Application& application, const QString& name) {
        auto made = application.NewWorkbook();
        made->Worksheets(1)->SetName(QStringLiteral("r10"));
        made->Worksheets(1)->SetCell(5, 2, CellValue(10.0));
        const QString path = m_folder.filePath(name);
        made->SaveAs(path);
        made->Close();
        return application.Open(path);
    }

    QTemporaryDir m_folder;
};

TEST_F(LibreOfficeTest, StartsOnFirstNeedWithASeededPrivateProfile) {
    const QTemporaryDir profiles;
    auto options = testOfficeOptions();
    options.profileFolder = profiles.path();
    const auto application = uno::makeLibreOfficeApplication(options);
    EXPECT_TRUE(uno::libreOfficeConnection(*application).isEmpty())
        << "nothing is started before it is needed";

    application->NewWorkbook()->Close();
    EXPECT_FALSE(uno::libreOfficeConnection(*application).isEmpty());

    QFile settings(profiles.filePath(QStringLiteral("profil-1/user/registrymodifications.xcu")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray text = settings.readAll();
    EXPECT_TRUE(text.contains("ooSetupLastVersion"));
    EXPECT_TRUE(text.contains("<prop oor:name=\"WarnAlienFormat\" oor:op=\"fuse\"><value>false</value>"));
}

TEST_F(LibreOfficeTest, AnOfficeThatCannotStartIsReportedAtTheFirstCall) {
    auto options = testOfficeOptions();
    options.soffice = QStringLiteral("/bin/false");
    const auto application = uno::makeLibreOfficeApplication(options);
    try {
        application->NewWorkbook();
        ADD_FAILURE() << "a workbook without an office";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("LibreOffice avsluttet under oppstart (kode 1)."));
    }
    options.soffice = m_folder.filePath(QStringLiteral("finnes-ikke"));
    try {
        uno::makeLibreOfficeApplication(options)->NewWorkbook();
        ADD_FAILURE() << "a workbook without an office";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Klarte ikke starte LibreOffice (%1): No such file or directory")
                      .arg(options.soffice));
    }
}

TEST_F(LibreOfficeTest, TwoProgramsNeverShareAProfile) {
    const QTemporaryDir profiles;
    auto options = testOfficeOptions();
    options.profileFolder = profiles.path();
    const auto first = uno::makeLibreOfficeApplication(options);
    const auto second = uno::makeLibreOfficeApplication(options);
    first->NewWorkbook()->Worksheets(1)->SetCell(1, 1, CellValue(1.0));
    second->NewWorkbook()->Worksheets(1)->SetCell(1, 1, CellValue(2.0));
    EXPECT_NE(uno::libreOfficeConnection(*first), uno::libreOfficeConnection(*second));
    EXPECT_TRUE(QFile::exists(profiles.filePath(QStringLiteral("profil-2/user/registrymodifications.xcu"))));
}

TEST_F(LibreOfficeTest, AKilledOfficeFailsTheCallClearlyAndTheNextCallStartsANewOne) {
    const auto application = uno::makeLibreOfficeApplication(testOfficeOptions());
    const auto workbook = savedWorkbook(*application, QStringLiteral("drept.xls"));
    const auto sheet = workbook->Worksheets(1);
    ASSERT_EQ(sheet->Cell(5, 2), CellValue(10.0));

    ASSERT_TRUE(
        testsupport::killAndAwait(testsupport::officeProcessId(uno::libreOfficeConnection(*application))));
    const QString workbookGone =
        QStringLiteral("Arbeidsboka \"drept.xls\" ble lukket da LibreOffice Calc avsluttet.");
    try {
        sheet->Cell(5, 2);
        ADD_FAILURE() << "a call into a dead office succeeded";
    } catch (const Error& error) {
        // Which of the two it meets depends on whether the engine has heard of the death yet; both tell it.
        EXPECT_TRUE(error.message() == uno::kOfficeDiedMessage || error.message() == workbookGone)
            << error.message().toStdString();
    }

    const auto fresh = application->NewWorkbook();
    fresh->Worksheets(1)->SetCell(1, 1, CellValue(QStringLiteral("igjen")));
    EXPECT_EQ(fresh->Worksheets(1)->Cell(1, 1), CellValue(QStringLiteral("igjen")));
    EXPECT_FALSE(workbook->IsOpen());
    try {
        sheet->Cell(5, 2);
        ADD_FAILURE() << "a sheet of the dead office still answered";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), workbookGone);
    }
    EXPECT_EQ(application->WorkbookCount(), 1);
    const auto reopened = application->Open(m_folder.filePath(QStringLiteral("drept.xls")));
    EXPECT_EQ(reopened->Worksheets(1)->Cell(5, 2), CellValue(10.0));
}

TEST_F(LibreOfficeTest, AHungOfficeIsEndedByTheWatchdogWithinItsBound) {
    auto options = testOfficeOptions();
    // Long enough for the calls before the stop on a loaded machine.
    options.callTimeout = 5000ms;
    const auto application = uno::makeLibreOfficeApplication(options);
    const auto workbook = application->NewWorkbook();
    const auto sheet = workbook->Worksheets(1);
    sheet->SetCell(1, 1, CellValue(1.0));

    ASSERT_TRUE(
        testsupport::stopAndAwait(testsupport::officeProcessId(uno::libreOfficeConnection(*application))));
    QElapsedTimer timer;
    timer.start();
    try {
        sheet->Cell(1, 1);
        ADD_FAILURE() << "a call into a stopped office returned";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("LibreOffice Calc svarte ikke på 5 sekunder og ble avsluttet."));
    }
    EXPECT_GE(timer.elapsed(), 4900) << "not ended before its bound";

    EXPECT_EQ(application->NewWorkbook()->WorksheetCount(), 1) << "the next call starts a new office";
}

TEST_F(LibreOfficeTest, BeforeCloseRunsWhenTheUserClosesTheWorkbook) {
    const auto application = uno::makeLibreOfficeApplication(testOfficeOptions());
    application->SetEnableEvents(true);
    for (const QString& how : {QStringLiteral("close"), QStringLiteral("dispatch")}) {
        SCOPED_TRACE(how.toStdString());
        const auto workbook = savedWorkbook(*application, how + QStringLiteral(".xls"));
        int closes = 0;
        workbook->OnBeforeClose([&] { ++closes; });
        std::atomic<int> wakes = 0;
        application->SetNotificationWaker([&] { ++wakes; });

        ASSERT_EQ(closeAsUser(*application, workbook->FullName(), how), 0);
        EXPECT_EQ(closes, 0) << "handlers run on the owner's thread, never on the office's";
        EXPECT_EQ(application->DeliverNotifications(5s), 1);
        EXPECT_EQ(closes, 1);
        EXPECT_GE(wakes, 1);
        EXPECT_FALSE(workbook->IsOpen());
        EXPECT_EQ(application->DeliverNotifications(300ms), 0) << "one close, one notification";
        EXPECT_EQ(application->WorkbookCount(), 0);
        application->SetNotificationWaker(nullptr);
    }
}

TEST_F(LibreOfficeTest, BeforeCloseIsQuietForTheProgramsOwnCloseAndWhileEventsAreOff) {
    const auto application = uno::makeLibreOfficeApplication(testOfficeOptions());
    application->SetEnableEvents(true);
    int closes = 0;
    const auto closedByProgram = savedWorkbook(*application, QStringLiteral("program.xls"));
    closedByProgram->OnBeforeClose([&] { ++closes; });
    closedByProgram->Close();

    application->SetEnableEvents(false);
    const auto closedByUser = savedWorkbook(*application, QStringLiteral("bruker.xls"));
    closedByUser->OnBeforeClose([&] { ++closes; });
    ASSERT_EQ(closeAsUser(*application, closedByUser->FullName(), QStringLiteral("close")), 0);

    EXPECT_EQ(application->DeliverNotifications(1s), 0);
    EXPECT_EQ(closes, 0);
    EXPECT_FALSE(closedByUser->IsOpen()) << "the workbook is gone even though nobody was told";
}

TEST_F(LibreOfficeTest, SaveKeepsAnXlsInExcel97Format) {
    const auto application = uno::makeLibreOfficeApplication(testOfficeOptions());
    const auto workbook = savedWorkbook(*application, QStringLiteral("format.xls"));
    workbook->Worksheets(1)->SetCell(11, 2, CellValue(QStringLiteral("1010000")));
    workbook->Save();
    QFile file(workbook->FullName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(8), QByteArray::fromHex("d0cf11e0a1b11ae1"))
        << "a compound document, as Excel 97-2003 writes";
    file.close();
    workbook->Close();
    EXPECT_EQ(application->Open(file.fileName())->Worksheets(1)->Cell(11, 2),
              CellValue(QStringLiteral("1010000")));
}

TEST_F(LibreOfficeTest, RunCallsTheDocumentsMacroAndRaisesWhenItIsMissing) {
    const auto application = uno::makeLibreOfficeApplication(testOfficeOptions());
    auto made = application->NewWorkbook();
    const QString path = m_folder.filePath(QStringLiteral("makro.ods"));  // .xls cannot keep Basic
    made->SaveAs(path);
    made->Close();
    auto withoutMacros = application->Open(path);
    application->Run(QStringLiteral("'makro.ods'!Ark1.buildComboBox1()"));  // no macros: nothing to do

    ASSERT_EQ(
        testing::actAsUser(*application, path,
                           {QStringLiteral("basic"), QStringLiteral("Ark1"),
                            QStringLiteral("Sub buildComboBox1()\n"
                                           "  ThisComponent.Sheets(0).getCellByPosition(0, 0).Value = 42\n"
                                           "End Sub\n")}),
        0);
    // Macros run in a workbook that has them when it is opened, as a template has.
    withoutMacros->Save();
    withoutMacros->Close();
    const auto workbook = application->Open(path);
    application->Run(QStringLiteral("'makro.ods'!Ark1.buildComboBox1()"));
    EXPECT_EQ(workbook->Worksheets(1)->Cell(1, 1), CellValue(42.0));

    try {
        application->Run(QStringLiteral("'makro.ods'!Sheet1.buildComboBox1()"));
        ADD_FAILURE() << "a macro the workbook does not have was found";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Finner ikke makroen 'makro.ods'!Sheet1.buildComboBox1() i arbeidsboka."));
    }
    EXPECT_TRUE(workbook->IsOpen()) << "a failed macro call leaves the workbook and the office alone";
}

TEST_F(LibreOfficeTest, AFileThatIsNoWorkbookIsRefused) {
    const auto application = uno::makeLibreOfficeApplication(testOfficeOptions());
    const QString path = m_folder.filePath(QStringLiteral("tekst.xls"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Dette er ingen arbeidsbok\n");
    file.close();
    try {
        application->Open(path);
        ADD_FAILURE() << "a text file opened as a workbook";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Fila \"%1\" er ikke en Excel-arbeidsbok.").arg(path));
    }
    EXPECT_EQ(application->WorkbookCount(), 0);
}

TEST_F(LibreOfficeTest, TheAvailabilityCheckUsesAnOfficeOfItsOwn) {
    const auto application = uno::makeLibreOfficeApplication(testOfficeOptions());
    const auto workbook = application->NewWorkbook();
    const QString connection = uno::libreOfficeConnection(*application);
    EXPECT_TRUE(uno::libreOfficeAvailable(testOfficeOptions()));
    EXPECT_EQ(uno::libreOfficeConnection(*application), connection);
    EXPECT_TRUE(workbook->IsOpen());
    EXPECT_EQ(workbook->WorksheetCount(), 1);
}

}  // namespace
}  // namespace telvainn::excel
