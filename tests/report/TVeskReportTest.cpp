#include "report/TVeskReport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "core/Error.h"
#include "core/FileIo.h"
#include "core/ReportXml.h"
#include "support/MemoryProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/WorkbookPrinters.h"
#include "tools/lag-maler/SampleTemplate.h"
#include "workbook/ColorIndex.h"
#include "workbook/RangeAddress.h"
#include "workbook/memory/MemoryApplication.h"

using namespace telvainn;
using excel::CellValue;

namespace {

const QString kHeadingDataPrefix = QStringLiteral(
    "Programmet klarer ikke å lese \"heading-data\" fra rapporten i Excel. Det kan være ulovlige verdier i "
    "cellene. Programmet kan dermed ikke behandle rapporten. (");

// A current-generation workbook of report 10 with B3, B5 and B7 as given in source form.
QString currentWorkbook(const QString& b3, const QString& b5, const QString& b7) {
    return QStringLiteral(
               "sheet r10 active\ncell B3 %1\ncell B4 \"0123\"\ncell B5 %2\ncell B6 \"200906\"\n"
               "cell B7 %3\nsheet Base\ncell A1 2009-02-25\n")
        .arg(b3, b5, b7);
}

class TVeskReportTest : public ::testing::Test, public ReportOwner {
  protected:
    void ReportClosedByUser(TVeskReport& report) override { closedReports.push_back(&report); }

    ReportEnvironment environment(const QString& programFolder = testsupport::memoryProgramFolder()) {
        Locale locale;
        locale.decimalSeparator = QLatin1Char(',');
        locale.thousandsSeparator = QChar(0x00A0);
        return {app, programFolder, locale, prompter, templateVersion};
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    std::unique_ptr<TVeskReport> create(int reportNumber = 10, const QString& name = QStringLiteral("Q1.xls"),
                                        const QString& periode = QStringLiteral("200906")) {
        return TVeskReport::CreateNew(this, environment(), reportNumber, periode, QStringLiteral("N"),
                                      path(name), 123, 7);
    }
    // Configured Regnr 4321 and Dsnr 99, so that what the heading gives is told apart.
    std::unique_ptr<TVeskReport> open(const QString& file) {
        return TVeskReport::OpenExisting(this, environment(), file, 4321, 99);
    }
    QString workbookFrom(const QString& source, const QString& name = QStringLiteral("saved.xls")) {
        excel::writeSampleWorkbook(app, excel::parseSampleWorkbook(source, QStringLiteral("test")),
                                   path(name));
        return path(name);
    }
    QString openingError(const QString& source) {
        const QString file = workbookFrom(source);
        try {
            open(file);
        } catch (const Error& error) {
            EXPECT_EQ(app.WorkbookCount(), 0);
            return error.message();
        }
        ADD_FAILURE() << "opened";
        return {};
    }
    // Both macro spellings, so that a call shows which one was meant.
    void recordMacros(const QString& document) {
        for (const QString& macro :
             {QStringLiteral("Ark1.buildComboBox1"), QStringLiteral("Sheet1.buildComboBox1")}) {
            app.RegisterMacro(document, macro, [this, macro](excel::Workbook&) { macroCalls.append(macro); });
        }
    }
    void setRow(excel::Worksheet& sheet, int row, const std::vector<CellValue>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            sheet.SetCell(row, static_cast<int>(i) + 1, cells[i]);
        }
    }

    excel::memory::Application app;
    ScriptedPrompter prompter;
    TemplateVersion templateVersion;
    QTemporaryDir dir;
    QStringList macroCalls;
    std::vector<TVeskReport*> closedReports;
};

// Creating a report

TEST_F(TVeskReportTest, NewReportIsTheTemplateWithItsHeadingWrittenProtectedAndSaved) {
    auto report = create();
    excel::Worksheet& sheet = report->reportSheet();
    EXPECT_EQ(sheet.Name(), QStringLiteral("r10"));
    EXPECT_EQ(sheet.Cell(3, 2), CellValue(QStringLiteral("007")));
    EXPECT_EQ(sheet.Cell(4, 2), CellValue(QStringLiteral("0123")));
    EXPECT_EQ(sheet.Cell(5, 2), CellValue(10.0));
    EXPECT_EQ(sheet.Cell(6, 2), CellValue(QStringLiteral("200906")));
    EXPECT_EQ(sheet.Cell(7, 2), CellValue(QStringLiteral("N")));
    EXPECT_TRUE(sheet.IsProtected());
    EXPECT_EQ(report->generation(), TemplateGeneration::Current);
    EXPECT_EQ(report->logLines(),
              QStringList({QStringLiteral("Starter ny rapport"),
                           QStringLiteral("Filnavn:    ") + path("Q1.xls"), QStringLiteral("Dsnr:       7"),
                           QStringLiteral("Regnr:      123"), QStringLiteral("Rapportnr:  10"),
                           QStringLiteral("Periode:    200906"), QStringLiteral("Rapportmal: 25.02.2009")}));
    EXPECT_TRUE(app.Visible());
    EXPECT_TRUE(app.WindowVisible(QStringLiteral("Q1.xls")));
    EXPECT_TRUE(app.ScreenUpdating());

    report.reset();
    auto saved = app.Open(path("Q1.xls"));
    EXPECT_EQ(saved->ActiveSheet()->Cell(3, 2), CellValue(QStringLiteral("007")));
    EXPECT_TRUE(saved->ActiveSheet()->IsProtected());
}

TEST_F(TVeskReportTest, TheMacroOfTheReportNumberIsRunInTheNewWorkbook) {
    const std::vector<std::pair<int, QString>> cases = {{10, QStringLiteral("Ark1.buildComboBox1")},
                                                        {50, QStringLiteral("Ark1.buildComboBox1")},
                                                        {11, QStringLiteral("Sheet1.buildComboBox1")},
                                                        {60, QStringLiteral("Sheet1.buildComboBox1")}};
    for (const auto& [reportNumber, macro] : cases) {
        const QString name = QStringLiteral("Rapport%1.xls").arg(reportNumber);
        recordMacros(name);
        macroCalls.clear();
        create(reportNumber, name, QStringLiteral("200912"));
        EXPECT_EQ(macroCalls, QStringList{macro}) << reportNumber;
    }
    EXPECT_EQ(prompter.messages, QStringList());
}

TEST_F(TVeskReportTest, AFailingMacroIsToldAndTheReportIsMadeAnyway) {
    app.RegisterMacro(QStringLiteral("Q1.xls"), QStringLiteral("Ark1.buildComboBox1"),
                      [](excel::Workbook&) { throw Error(QStringLiteral("Basic-feil")); });
    auto report = create();
    EXPECT_EQ(
        prompter.messages,
        QStringList{QStringLiteral(
            "Feilet ved kall til makro \"Ark1.buildComboBox1()\" etter åpning av fila. Makroen skulle bygge "
            "opp første nedtrekksmeny. Dersom menyen nå er tom, klikker du base-arket, og deretter på "
            "rapport-arket igjen.")});
    EXPECT_EQ(report->reportSheet().Cell(3, 2), CellValue(QStringLiteral("007")));
    EXPECT_TRUE(app.WindowVisible(QStringLiteral("Q1.xls")));
}

TEST_F(TVeskReportTest, TheReportSheetIsTheFirstWhoseNameBeginsWithLowerCaseR) {
    const std::vector<std::pair<QString, QString>> templates = {
        {QStringLiteral("sheet Base active\ncell A1 2009-02-25\nsheet rapport\ncell B5 10\n"),
         QStringLiteral("rapport")},
        {QStringLiteral("sheet Base\ncell A1 2009-02-25\nsheet Rapport\nsheet Skjema active\ncell B5 10\n"),
         QStringLiteral("Skjema")},
    };
    for (const auto& [source, reportSheet] : templates) {
        QTemporaryDir programFolder;
        QDir(programFolder.path()).mkpath(QStringLiteral("maler"));
        excel::writeSampleWorkbook(app, excel::parseSampleWorkbook(source, QStringLiteral("mal")),
                                   templatePath(programFolder.path(), 10));
        auto report =
            TVeskReport::CreateNew(this, environment(programFolder.path()), 10, QStringLiteral("200906"),
                                   QStringLiteral("N"), path("Q1.xls"), 123, 7);
        EXPECT_EQ(report->reportSheet().Name(), reportSheet);
        EXPECT_EQ(report->workbook().WorksheetNamed(reportSheet)->Cell(3, 2),
                  CellValue(QStringLiteral("007")));
        EXPECT_EQ(report->workbook().WorksheetNamed(QStringLiteral("Base"))->Cell(3, 2), CellValue());
    }
}

TEST_F(TVeskReportTest, AnExistingFileIsReplacedByAFreshCopy) {
    auto first = create();
    first->reportSheet().SetCell(11, 7, 5.0);
    first->workbook().Save();
    first.reset();

    auto second = create(10, QStringLiteral("Q1.xls"), QStringLiteral("200912"));
    EXPECT_EQ(second->reportSheet().Cell(11, 7), CellValue());
    EXPECT_EQ(second->reportSheet().Cell(6, 2), CellValue(QStringLiteral("200912")));
}

TEST_F(TVeskReportTest, AMissingTemplateRaisesAndLeavesTheOldFileAlone) {
    QTemporaryDir emptyFolder;
    QFile old(path("Q1.xls"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("gammel rapport");
    old.close();
    try {
        TVeskReport::CreateNew(this, environment(emptyFolder.path()), 10, QStringLiteral("200906"),
                               QStringLiteral("N"), path("Q1.xls"), 123, 7);
        ADD_FAILURE() << "created";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Klarte ikke å lese fila \"") + emptyFolder.path() +
                                       QStringLiteral("/maler/r10.xls\": No such file or directory"));
    }
    EXPECT_EQ(app.WorkbookCount(), 0);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("gammel rapport"));
}

TEST_F(TVeskReportTest, TheTemplateItselfNeverBecomesAReport) {
    const QString templateFile = templatePath(testsupport::memoryProgramFolder(), 10);
    const QByteArray before = readFileBytes(templateFile);
    try {
        TVeskReport::CreateNew(this, environment(), 10, QStringLiteral("200906"), QStringLiteral("N"),
                               templateFile, 123, 7);
        ADD_FAILURE() << "made";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Fila \"") + templateFile +
                      QStringLiteral("\" er malen selv og kan ikke bli en rapport. Velg et annet "
                                     "filnavn."));
    }
    EXPECT_EQ(readFileBytes(templateFile), before);
}

TEST_F(TVeskReportTest, AFailureAfterOpeningClosesTheNewWorkbookAgain) {
    // The spreadsheet refuses a second workbook of the same name, so the validator cannot open the template.
    try {
        create(10, QStringLiteral("R10.xls"));
        ADD_FAILURE() << "created";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("A workbook named 'r10.xls' is already open. Two workbooks with the "
                                 "same name cannot be open at the same time, even from different "
                                 "folders."));
    }
    EXPECT_EQ(app.WorkbookCount(), 0);
    EXPECT_TRUE(app.ScreenUpdating());
}

// Opening a saved report

TEST_F(TVeskReportTest, ACurrentReportTakesItsIdentityFromTheHeadingAndRunsTheMacro) {
    recordMacros(QStringLiteral("Q1.xls"));
    create();
    macroCalls.clear();
    auto report = open(path("Q1.xls"));
    EXPECT_EQ(report->generation(), TemplateGeneration::Current);
    EXPECT_EQ(report->Dsnr(), 7);
    EXPECT_EQ(report->Regnr(), 123);
    EXPECT_EQ(report->Rapportnr(), 10);
    EXPECT_EQ(report->Periode(), QStringLiteral("200906"));
    EXPECT_EQ(report->Rapporttype(), QStringLiteral("N"));
    EXPECT_EQ(report->logLines().first(), QStringLiteral("Åpner eksisterende rapport"));
    EXPECT_EQ(report->logLines().mid(1, 2), QStringList({QStringLiteral("Filnavn:    ") + path("Q1.xls"),
                                                         QStringLiteral("Dsnr:       7")}));
    EXPECT_EQ(macroCalls, QStringList{QStringLiteral("Ark1.buildComboBox1")});
    EXPECT_TRUE(app.WindowVisible(QStringLiteral("Q1.xls")));
}

TEST_F(TVeskReportTest, OlderWorkbooksAndCorrectionFormsNeverRunTheMacro) {
    excel::writeSampleWorkbook(
        app, excel::readSampleWorkbook(QStringLiteral(TELVAINN_MALER_DIR "/test/gammel-r11.txt")),
        path("gammel.xls"));
    excel::writeSampleWorkbook(
        app, excel::readSampleWorkbook(QStringLiteral(TELVAINN_MALER_DIR "/test/korreksjon-r10.txt")),
        path("korreksjon.xls"));
    recordMacros(QStringLiteral("gammel.xls"));
    recordMacros(QStringLiteral("korreksjon.xls"));

    auto report = open(path("gammel.xls"));
    EXPECT_EQ(report->generation(), TemplateGeneration::Older);
    EXPECT_EQ(report->Dsnr(), 7);
    EXPECT_EQ(report->Regnr(), 1234);
    EXPECT_EQ(report->Rapportnr(), 11);
    EXPECT_EQ(report->Rapporttype(), QStringLiteral("N"));
    report.reset();

    report = open(path("korreksjon.xls"));
    EXPECT_EQ(report->generation(), TemplateGeneration::Correction);
    EXPECT_EQ(report->Dsnr(), 99);
    EXPECT_EQ(report->Regnr(), 1234);
    EXPECT_EQ(report->Rapportnr(), 10);
    EXPECT_EQ(report->Periode(), QStringLiteral("200812"));
    EXPECT_EQ(report->Rapporttype(), QStringLiteral("K"));
    EXPECT_EQ(macroCalls, QStringList());
}

TEST_F(TVeskReportTest, ALowerCaseMarkerIsNoCorrectionForm) {
    auto report =
        open(workbookFrom(QStringLiteral("sheet Skjema active\ncell A1 \"korreksjonsformular\"\n"
                                         "cell B3 \"007\"\ncell B4 \"0123\"\ncell B5 10\ncell B6 "
                                         "\"200906\"\ncell B7 \"K\"\n")));
    EXPECT_EQ(report->generation(), TemplateGeneration::Older);
    EXPECT_EQ(report->Dsnr(), 7);
    EXPECT_EQ(report->Rapporttype(), QStringLiteral("N"));
}

TEST_F(TVeskReportTest, AnUnreadableHeadingIsRefusedAndNothingStaysOpen) {
    EXPECT_EQ(openingError(
                  currentWorkbook(QStringLiteral("\"X07\""), QStringLiteral("10"), QStringLiteral("\"N\""))),
              kHeadingDataPrefix + QStringLiteral("\"X07\" er ikke et gyldig heltall.)"));
    EXPECT_EQ(openingError(
                  currentWorkbook(QStringLiteral("\"007\""), QStringLiteral("12"), QStringLiteral("\"N\""))),
              QStringLiteral(
                  "\"12\" er ikke et normalt rapport nr. Programmet kan dermed ikke behandle rapporten."));
    EXPECT_EQ(openingError(
                  currentWorkbook(QStringLiteral("\"007\""), QStringLiteral("10"), QStringLiteral("\"X\""))),
              QStringLiteral(
                  "\"X\" er ikke en normal rapport type. Programmet kan  dermed ikke behandle rapporten."));
}

// Living with the user

TEST_F(TVeskReportTest, TheSaveReminderGoesBackToTheSpreadsheetOnCancel) {
    auto report = create();
    prompter = ScriptedPrompter({Answer::Cancel, Answer::Ok});
    EXPECT_TRUE(report->ConfirmSaved());
    EXPECT_FALSE(report->ConfirmSaved());
    const QString reminder = QStringLiteral(
        "Husket du å lagre rapporten din?\r\n\r\nOm du ønsker å gå tilbake til Excel og lagre\r\nrapporten, "
        "klikker du \"Cancel\".\r\n\r\nOm du hadde lagret, eller ikke ønsker å gjøre det,\r\nklikker du "
        "\"OK\".");
    EXPECT_EQ(prompter.questions, QStringList({reminder, reminder}));
}

TEST_F(TVeskReportTest, TheUserClosingTheWorkbookReachesTheOwnerAndReleaseClosesNothing) {
    auto report = create();
    app.UserCloses(QStringLiteral("Q1.xls"));
    app.DeliverNotifications();
    EXPECT_EQ(closedReports, std::vector<TVeskReport*>{report.get()});
    EXPECT_TRUE(report->closedByUser());

    auto reopened = app.Open(path("Q1.xls"));  // the user opens it again before the report is released
    report.reset();
    EXPECT_TRUE(reopened->IsOpen());
}

TEST_F(TVeskReportTest, ReleaseClosesTheWorkbookUnsaved) {
    auto report = create();
    report->reportSheet().SetCell(11, 7, 5.0);
    report.reset();
    EXPECT_EQ(app.WorkbookCount(), 0);
    EXPECT_EQ(app.Open(path("Q1.xls"))->ActiveSheet()->Cell(11, 7), CellValue());
}

TEST_F(TVeskReportTest, InformationListAndDataFileName) {
    auto report = create();
    EXPECT_EQ(report->InformationList(QStringLiteral("Annet")),
              QStringList({QStringLiteral("7"), QStringLiteral("N"), QStringLiteral("200906"),
                           QStringLiteral("3.0.5"), QStringLiteral("123"), QStringLiteral("10"),
                           QStringLiteral("Annet"), QStringLiteral("25.02.2009")}));
    EXPECT_EQ(report->DataFileName(), path("Q1.txt"));
}

// Outputs

TEST_F(TVeskReportTest, AFilledReportGivesItsXmlDocumentAndDataLines) {
    auto report = create();
    excel::Worksheet& sheet = report->reportSheet();
    sheet.Unprotect();
    sheet.SetCell(6, 2, QStringLiteral("200907"));  // the outputs carry what the heading says now
    setRow(sheet, 11,
           {QStringLiteral("Kontanter & \"kasse\""), 1010000.0, QStringLiteral("Kontanter"), 0.0, 0.0, 1.0,
            1234.5});
    setRow(sheet, 12, {QStringLiteral("Innskudd, Østlandet"), 6001234.0, {}, 810.0, {}, 1.0, -250.75});
    setRow(sheet, 13, {QStringLiteral("Null"), 2110000.0, {}, 0.0, 0.0, 1.0, 0.0});
    setRow(sheet, 14, {QStringLiteral("Bare tekst")});
    setRow(sheet, 15, {{}, 6281000.0, {}, 710.0, 620.0, 1.0, 800.0});

    const QDateTime time(QDate(2009, 7, 3), QTime(14, 5, 9, 42));
    EXPECT_EQ(report->BuildXmlDocument(time),
              QStringLiteral(
                  "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DVRAPPORT \r\n DSNR=\"7\" \r\n"
                  " REGNR=\"123\" \r\n RAPPORTID=\"10\" \r\n RAPPORTVERSJON=\"EXCEL\" \r\n"
                  " PERIODE=\"200907\" \r\n TYPE=\"N\" \r\n PROGRAMVERSJON=\"3.0.5\" \r\n"
                  " TIDSSTEMPEL=\"007-0123-20090703140509042\" >\r\n<DATA>\r\n"
                  "<OBJEKT text=\"Kontanter &amp; &quot;kasse&quot;\" tillegg=\"000\" objektid=\"1010000\" "
                  "sektor=\"000\" naering=\"000\" land=\"0000\" valuta=\"01\" verdi=\"1234\" />\r\n"
                  "<OBJEKT text=\"Innskudd, Østlandet\" tillegg=\"000\" objektid=\"6001234\" "
                  "sektor=\"810\" naering=\"000\" land=\"0000\" valuta=\"01\" verdi=\"-251\" />\r\n"
                  "<OBJEKT text=\"\" tillegg=\"000\" objektid=\"6281000\" sektor=\"710\" naering=\"620\" "
                  "land=\"0000\" valuta=\"01\" verdi=\"800\" />\r\n</DATA>\r\n</DVRAPPORT>\r\n"));
    EXPECT_EQ(report->BuildDataLines(), QStringLiteral("F"
                                                       "007"
                                                       "200907"
                                                       "000003"
                                                       "10"
                                                       "00000000000000\r\n"
                                                       "0123"
                                                       "10"
                                                       "200907"
                                                       "000"
                                                       "1010000"
                                                       "000"
                                                       "000"
                                                       "0000"
                                                       "01"
                                                       "0"
                                                       "0000001234\r\n"
                                                       "0123"
                                                       "10"
                                                       "200907"
                                                       "000"
                                                       "6001234"
                                                       "810"
                                                       "000"
                                                       "0000"
                                                       "01"
                                                       "1"
                                                       "0000000251\r\n"
                                                       "0123"
                                                       "10"
                                                       "200907"
                                                       "000"
                                                       "6281000"
                                                       "710"
                                                       "620"
                                                       "0000"
                                                       "01"
                                                       "0"
                                                       "0000000800\r\n"));
    EXPECT_TRUE(app.ScreenUpdating());
}

TEST_F(TVeskReportTest, TheWalkEndsAfter200BlankRowsWhichZeroRowsNeitherCountNorReset) {
    struct Case {
        std::vector<int> zeroRows;
        int lastDataRow;
        std::vector<int> expected;
    };
    const std::vector<Case> cases = {
        {{}, 211, {11, 211}},
        {{}, 212, {11}},
        {{111}, 212, {11, 212}},
        {{111}, 213, {11}},
    };
    for (const Case& c : cases) {
        auto report = create();
        excel::Worksheet& sheet = report->reportSheet();
        for (const int row : {11, c.lastDataRow}) {
            setRow(sheet, row, {QStringLiteral("Kontanter"), 1010000.0, {}, 0.0, 0.0, 1.0, 100.0});
        }
        for (const int row : c.zeroRows) {
            setRow(sheet, row, {QStringLiteral("Null"), 2110000.0, {}, 0.0, 0.0, 1.0, 0.0});
        }
        std::vector<int> rows;
        report->WalkRows([&](int row, const RowRecord&) { rows.push_back(row); }, xmlRowFailure);
        EXPECT_EQ(rows, c.expected) << "last data row " << c.lastDataRow;
    }
}

// Rows up to the sheet's last one leave no room for 200 empty rows after them; the sheet's end ends the
// run and the walk, and every row is in the log and the outputs.
TEST_F(TVeskReportTest, ASheetFilledToItsLastRowIsReadToTheEnd) {
    auto report = create();
    excel::Worksheet& sheet = report->reportSheet();
    sheet.Unprotect();
    int rows = 0;
    for (int row = excel::kMaxRows; row >= 11; row -= 150) {
        setRow(sheet, row, {{}, 1010000.0, {}, 0.0, 0.0, 1.0, 100.0});
        ++rows;
    }
    report->Validate();
    const QStringList& log = report->logLines();
    EXPECT_TRUE(log.contains(QStringLiteral("Radene fra og med 11 til og med 1048576")))
        << log.join(u'|').toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("Feilmeldingen sier:"))) << log.join(u'|').toStdString();
    EXPECT_EQ(report->BuildDataLines().count(QStringLiteral("\r\n")), rows + 1);
}

TEST_F(TVeskReportTest, NoRowsOrABadHeadingStopTheBuild) {
    auto report = create();
    const auto failure = [&](const std::function<void()>& build) {
        try {
            build();
        } catch (const Error& error) {
            EXPECT_TRUE(app.ScreenUpdating());
            return error.message();
        }
        return QStringLiteral("no failure");
    };
    EXPECT_EQ(failure([&] { report->BuildXmlDocument(); }),
              QStringLiteral("Rapporten inneholder ingen data linjer"));
    EXPECT_EQ(failure([&] { report->BuildDataLines(); }),
              QStringLiteral("Klarte ikke generere noen datalinjer. Fila kan være tom."));

    setRow(report->reportSheet(), 11, {QStringLiteral("Kontanter"), 1010000.0, {}, 0.0, 0.0, 1.0, 100.0});
    report->reportSheet().SetCell(4, 2, QStringLiteral("12"));
    EXPECT_EQ(failure([&] { report->BuildXmlDocument(); }),
              QStringLiteral("Feil registerings nummer (XXXX): 12"));
}

// A filled row is never dropped in silence: a cell the rules cannot use makes validation flag the row
// and the outputs refuse it, each naming the cell, while a row skipped on purpose stays skipped.
TEST_F(TVeskReportTest, ACellTheRulesCannotUseIsNamedByValidationAndRefusedByTheOutputs) {
    struct Case {
        int column;
        CellValue value;
        QString reason;      // of both outputs, before the cell
        QString dataReason;  // when the data lines say it otherwise
        QString validation;
    };
    const QString unusable = QStringLiteral(" som programmet ikke kan bruke. Valider på nytt!");
    const std::vector<Case> cases = {
        {2,
         CellValue::error(QStringLiteral("#DIV/0!")),
         QStringLiteral("Fant en feilverdi (#DIV/0!)") + unusable,
         {},
         QStringLiteral("Feil i rad (12) : Objekt (celle B12)")},
        {2,
         QStringLiteral("12A4567"),
         QStringLiteral("Fant en kode (12A4567) som inneholder ulovlige tegn. Valider på nytt!"),
         {},
         QStringLiteral("Feil i rad (12) : Objekt (celle B12)")},
        {4,
         1.5,
         QStringLiteral("Fant en kode (1,5) som inneholder ulovlige tegn. Valider på nytt!"),
         {},
         QStringLiteral("Feil i rad (12) : Sektor (celle D12)")},
        {1,
         CellValue::error(QStringLiteral("#N/A")),
         QStringLiteral("Fant en feilverdi (#N/A)") + unusable,
         {},
         QStringLiteral("Feil i rad (12) : Tekst (celle A12)")},
        {1,
         QStringLiteral("Tom\x01Jerry"),
         QStringLiteral("Fant et kontrolltegn (\\x01) som ikke kan sendes. Valider på nytt!"),
         {},
         QStringLiteral("Feil i rad (12) : Tekst (celle A12)")},
        {7,
         CellValue::error(QStringLiteral("Err:502")),
         QStringLiteral("Fant en feilverdi (Err:502)") + unusable,
         {},
         QStringLiteral("Feil i rad (12) : Fortegnsfeil (celle G12)")},
        {7, QStringLiteral("12a"),
         QStringLiteral("Fant et beløp (verdi = 12a) som inneholder ulovlige tegn. Valider på nytt!"),
         QStringLiteral("\"12a\" er ikke et gyldig beløp."),
         QStringLiteral("Feil i rad (12) : Fortegnsfeil")},
    };
    const auto failure = [](const std::function<void()>& build) {
        try {
            build();
        } catch (const Error& error) {
            return error.message();
        }
        return QStringLiteral("no failure");
    };
    for (const Case& c : cases) {
        auto report = create();
        excel::Worksheet& sheet = report->reportSheet();
        sheet.Unprotect();
        setRow(sheet, 11, {QStringLiteral("Kontanter"), 1010000.0, {}, 0.0, 0.0, 1.0, 100.0});
        std::vector<CellValue> row = {QStringLiteral("Innskudd"), 6001234.0, {}, 810.0, 0.0, 1.0, 250.0};
        row[static_cast<std::size_t>(c.column - 1)] = c.value;
        setRow(sheet, 12, row);
        setRow(sheet, 13, {QStringLiteral("Null"), 1010000.0, {}, 0.0, 0.0, 1.0, 0.0});
        const QString cell = QStringLiteral(" (celle %1)").arg(excel::cellAddress(12, c.column));

        EXPECT_EQ(failure([&] { report->BuildXmlDocument(); }),
                  QStringLiteral("Klarte ikke formatere rapportens rad nr 12 -> ") + c.reason + cell);
        EXPECT_EQ(failure([&] { report->BuildDataLines(); }),
                  QStringLiteral("Klarte ikke formatere rapportens rad nr 12\r\n") +
                      (c.dataReason.isEmpty() ? c.reason : c.dataReason) + cell);
        report->Validate();
        EXPECT_TRUE(report->logLines().contains(c.validation)) << report->logLines().join(u'|').toStdString();
        EXPECT_TRUE(report->logLines().contains(QStringLiteral("Antall feillinjer: 1")))
            << report->logLines().join(u'|').toStdString();
        EXPECT_EQ(sheet.Cells(12, c.column)->ColorIndex(), excel::kColorIndexRed) << cell.toStdString();

        sheet.Unprotect();
        setRow(sheet, 12, {QStringLiteral("Innskudd"), 6001234.0, {}, 810.0, 0.0, 1.0, 250.0});
        EXPECT_EQ(failure([&] { report->BuildXmlDocument(); }), QStringLiteral("no failure"))
            << "the zero row of an ordinary report is still left out without a word";
    }
}

}  // namespace
