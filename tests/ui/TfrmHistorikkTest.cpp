#include <gtest/gtest.h>

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include "app/SendHistory.h"
#include "core/FileIo.h"
#include "support/ScriptedPrompter.h"
#include "support/ScriptedUi.h"
#include "support/SentReports.h"
#include "ui/TfrmHistorikk.h"

using namespace telvainn;
using telvainn::ui::TfrmHistorikk;

namespace {

const QString kReply = QStringLiteral("250 2.0.0 Ok: queued");

QDateTime at(int month, int day, int hour, int minute) {
    return {QDate(2026, month, day), QTime(hour, minute), Qt::OffsetFromUTC, 3600};
}

// A real history in a program folder of its own, written with the clock the test sets, and the window
// over it as the user meets it on 20 November 2026.
class HistoryWindowTest : public ::testing::Test {
  protected:
    HistoryWindowTest() : history(home.path(), [this] { return now; }) {}

    qint64 record(HistoryKind kind, const TReportIdentity& identity, const QDateTime& when,
                  HistoryOutcome outcome, const QString& recipient, RunMode mode = {}) {
        now = when;
        HistoryEntry entry;
        entry.kind = kind;
        entry.mode = mode;
        entry.identity = identity;
        entry.templateVersion = QStringLiteral("01.10.2009");
        entry.programVersion = QStringLiteral("3.0.5");
        entry.recipient = recipient;
        entry.transport = kind == HistoryKind::Mail ? QStringLiteral("smtp") : QString();
        entry.bytes = kind == HistoryKind::DataFile
                          ? QByteArray("04567100202604F0000006001234   0810NONOK000000001250\r\n")
                          : testsupport::envelopeOf(identity, testsupport::oneRowReportXml(identity, when));
        const qint64 id = history.begin(entry);
        EXPECT_GT(id, 0);
        now = now.addSecs(2);
        history.complete(id, outcome, outcome == HistoryOutcome::Sent ? kReply : QStringLiteral("550 Nei"));
        return id;
    }

    // Company 4567: report 10 mailed for January and corrected, February's mail failed, March only
    // mailed in test mode; report 21 for the first quarter saved as an encrypted file. Company 8901:
    // a data file of report 10 for April.
    void fillSample() {
        record(HistoryKind::Mail, id4567(10, "202601"), at(2, 10, 9, 15), HistoryOutcome::Sent, kMail);
        record(HistoryKind::Mail, id4567(10, "202602"), at(3, 10, 9, 20), HistoryOutcome::Failed, kMail);
        record(HistoryKind::EncryptedFile, id4567(21, "202603"), at(4, 10, 13, 5), HistoryOutcome::Sent,
               QStringLiteral("/home/bruker/Kryptert_fil_Periode202603_RegNr4567_R21.txt"));
        record(HistoryKind::Mail, id4567(10, "202603"), at(4, 11, 8, 0), HistoryOutcome::Sent,
               QStringLiteral("telva-test@dalvora.no"), RunMode{true, false});
        record(HistoryKind::DataFile, {123, 8901, 10, QStringLiteral("202604"), QStringLiteral("F")},
               at(5, 2, 16, 45), HistoryOutcome::Sent, QStringLiteral("/home/bruker/datafil.txt"),
               RunMode{false, true});
        record(HistoryKind::Mail, id4567(10, "202601", "K"), at(5, 12, 10, 14), HistoryOutcome::Sent, kMail);
    }

    static TReportIdentity id4567(int reportNumber, const char* period, const char* type = "N") {
        return {123, 4567, reportNumber, QString::fromLatin1(period), QString::fromLatin1(type)};
    }

    std::unique_ptr<TfrmHistorikk> open() {
        ui::HistorikkServices services{&prompter, &files, std::ref(dialogs),
                                       [] { return QDate(2026, 11, 20); }, [this](qint64 id) { resend(id); }};
        return std::make_unique<TfrmHistorikk>(history, std::move(services), 4567);
    }

    template <typename T>
    static T* child(QWidget& window, const char* name) {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QPushButton* button(QWidget& window, const char* name) { return child<QPushButton>(window, name); }

    // Every row of a table, its cells joined by '|'.
    static QStringList rows(QWidget& window, const char* table) {
        QStringList texts;
        const QTableWidget* grid = child<QTableWidget>(window, table);
        for (int row = 0; row < grid->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < grid->columnCount(); ++column) {
                const QTableWidgetItem* item = grid->item(row, column);
                cells.append(item == nullptr ? QStringLiteral("-") : item->text());
            }
            texts.append(cells.join(QLatin1Char('|')));
        }
        return texts;
    }
    static void choose(QWidget& window, const char* combo, const QString& text) {
        QComboBox* box = child<QComboBox>(window, combo);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
    }
    static void select(QWidget& window, int row) {
        child<QTableWidget>(window, "grdHistorikk")->selectRow(row);
    }

    const QString kMail = QStringLiteral("telva@dalvora.no");
    QTemporaryDir home;
    QDateTime now;
    SendHistory history;
    ScriptedPrompter prompter;
    testsupport::ScriptedFileDialogs files;
    testsupport::ScriptedDialogs dialogs;
    std::function<void(qint64)> resend = [](qint64) { ADD_FAILURE() << "sent again"; };
};

const QString kKorrigert =
    QStringLiteral("12.05.2026 10:14|normal|e-post|4567|R10|202601|K|sendt|telva@dalvora.no");
const QString kDatafil =
    QStringLiteral("02.05.2026 16:45|datafil|datafil|8901|R10|202604|F|sendt|/home/bruker/datafil.txt");
const QString kTest =
    QStringLiteral("11.04.2026 08:00|test|e-post|4567|R10|202603|N|sendt|telva-test@dalvora.no");
const QString kKryptert = QStringLiteral(
    "10.04.2026 13:05|normal|kryptert fil|4567|R21|202603|N|sendt|"
    "/home/bruker/Kryptert_fil_Periode202603_RegNr4567_R21.txt");
const QString kFeilet =
    QStringLiteral("10.03.2026 09:20|normal|e-post|4567|R10|202602|N|feilet|telva@dalvora.no");
const QString kSendt =
    QStringLiteral("10.02.2026 09:15|normal|e-post|4567|R10|202601|N|sendt|telva@dalvora.no");

TEST_F(HistoryWindowTest, ListsEveryEntryNewestFirstAndNarrowsItByEachFilter) {
    fillSample();
    const auto window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Historikk over sendte rapporter"));
    EXPECT_EQ(rows(*window, "grdHistorikk"),
              (QStringList{kKorrigert, kDatafil, kTest, kKryptert, kFeilet, kSendt}));
    // The company filter offers the companies the history holds.
    QStringList companies;
    for (int i = 0; i < child<QComboBox>(*window, "cbRegnr")->count(); ++i) {
        companies.append(child<QComboBox>(*window, "cbRegnr")->itemText(i));
    }
    EXPECT_EQ(companies,
              (QStringList{QStringLiteral("Alle"), QStringLiteral("4567"), QStringLiteral("8901")}));

    // A period half typed does not filter yet.
    child<QLineEdit>(*window, "edtFraPeriode")->setText(QStringLiteral("2026"));
    EXPECT_EQ(rows(*window, "grdHistorikk").size(), 6);
    child<QLineEdit>(*window, "edtFraPeriode")->setText(QStringLiteral("202602"));
    child<QLineEdit>(*window, "edtTilPeriode")->setText(QStringLiteral("202603"));
    EXPECT_EQ(rows(*window, "grdHistorikk"), (QStringList{kTest, kKryptert, kFeilet}));
    choose(*window, "cbRapport", QStringLiteral("R10"));
    EXPECT_EQ(rows(*window, "grdHistorikk"), (QStringList{kTest, kFeilet}));
    choose(*window, "cbUtfall", QStringLiteral("feilet"));
    EXPECT_EQ(rows(*window, "grdHistorikk"), (QStringList{kFeilet}));

    child<QLineEdit>(*window, "edtFraPeriode")->clear();
    child<QLineEdit>(*window, "edtTilPeriode")->clear();
    choose(*window, "cbUtfall", QStringLiteral("sendt"));
    choose(*window, "cbRegnr", QStringLiteral("8901"));
    EXPECT_EQ(rows(*window, "grdHistorikk"), (QStringList{kDatafil}));
    choose(*window, "cbRegnr", QStringLiteral("4567"));
    EXPECT_EQ(rows(*window, "grdHistorikk"), (QStringList{kKorrigert, kTest, kSendt}));
    choose(*window, "cbRapport", QStringLiteral("R21"));
    EXPECT_EQ(rows(*window, "grdHistorikk"), (QStringList{kKryptert}));
    EXPECT_EQ(prompter.messages, QStringList());
}

TEST_F(HistoryWindowTest, TheEntryCommandsWaitForASelectionAndOnlyMailsAndEncryptedFilesGoAgain) {
    fillSample();
    const auto window = open();
    EXPECT_FALSE(button(*window, "btnVis")->isEnabled());
    EXPECT_FALSE(button(*window, "btnLagreIgjen")->isEnabled());
    EXPECT_FALSE(button(*window, "btnSendIgjen")->isEnabled());
    EXPECT_TRUE(button(*window, "btnEksporter")->isEnabled());

    select(*window, 1);  // the data file
    EXPECT_TRUE(button(*window, "btnVis")->isEnabled());
    EXPECT_TRUE(button(*window, "btnLagreIgjen")->isEnabled());
    EXPECT_FALSE(button(*window, "btnSendIgjen")->isEnabled());
    select(*window, 3);  // the encrypted file
    EXPECT_TRUE(button(*window, "btnSendIgjen")->isEnabled());

    // A filter that leaves nothing takes the selection and the rows to export with it.
    choose(*window, "cbUtfall", QStringLiteral("ukjent"));
    EXPECT_EQ(rows(*window, "grdHistorikk"), QStringList());
    EXPECT_FALSE(button(*window, "btnVis")->isEnabled());
    EXPECT_FALSE(button(*window, "btnSendIgjen")->isEnabled());
    EXPECT_FALSE(button(*window, "btnEksporter")->isEnabled());
}

TEST_F(HistoryWindowTest, SendIgjenHandsOverTheEntryAndTheListThenShowsTheNewSend) {
    fillSample();
    const auto window = open();
    std::vector<qint64> asked;
    const qint64 failed = window->shownRecords().at(4).id;
    resend = [&](qint64 id) {
        asked.push_back(id);
        record(HistoryKind::Mail, id4567(10, "202602"), at(11, 20, 11, 30), HistoryOutcome::Sent, kMail);
    };
    select(*window, 4);
    button(*window, "btnSendIgjen")->click();
    EXPECT_EQ(asked, std::vector<qint64>{failed});
    EXPECT_EQ(rows(*window, "grdHistorikk").value(0),
              QStringLiteral("20.11.2026 11:30|normal|e-post|4567|R10|202602|N|sendt|telva@dalvora.no"));
    EXPECT_EQ(rows(*window, "grdHistorikk").size(), 7);
}

TEST_F(HistoryWindowTest, VisRapportShowsTheClearTextBlockAndTheReport) {
    const TReportIdentity identity = id4567(10, "202601");
    record(HistoryKind::Mail, identity, at(2, 10, 9, 15), HistoryOutcome::Sent, kMail);
    const auto window = open();
    QString shown;
    QString title;
    dialogs.then([&](QDialog& dialog) {
        title = dialog.windowTitle();
        const auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("memRapport"));
        EXPECT_TRUE(text != nullptr && text->isReadOnly());
        shown = text == nullptr ? QString() : text->toPlainText();
        return static_cast<int>(QDialog::Rejected);
    });
    select(*window, 0);
    button(*window, "btnVis")->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(title, QStringLiteral("Rapport R10 for periode 202601, 10.02.2026 09:15"));
    const QByteArray envelope =
        testsupport::envelopeOf(identity, testsupport::oneRowReportXml(identity, at(2, 10, 9, 15)));
    const QString clearText = QString::fromLatin1(envelope.left(envelope.indexOf("<--------START")));
    // The plain text view shows every line end as one break.
    QString expected =
        clearText + QLatin1Char('\n') + testsupport::oneRowReportXml(identity, at(2, 10, 9, 15));
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(shown.contains(QStringLiteral("<OBJEKT ")));
    EXPECT_EQ(prompter.messages, QStringList());
}

TEST_F(HistoryWindowTest, AnEntryThatCannotBeReadBackIsToldAndNotShown) {
    now = at(2, 10, 9, 15);
    HistoryEntry entry;
    entry.identity = id4567(10, "202601");
    entry.recipient = kMail;
    entry.bytes = QByteArray("ikke en konvolutt\r\n");
    const qint64 id = history.begin(entry);
    history.complete(id, HistoryOutcome::Failed, QStringLiteral("550 Nei"));
    const auto window = open();
    select(*window, 0);
    button(*window, "btnVis")->click();
    EXPECT_EQ(dialogs.shown, QStringList());
    EXPECT_EQ(prompter.messages,
              QStringList{QStringLiteral(
                              "Klarte ikke å lese den krypterte rapporten i oppføring %1 i historikken:\r\n"
                              "Linje 1: forventet 62 likhetstegn.")
                              .arg(id)});
}

TEST_F(HistoryWindowTest, EksporterWritesTheShownRowsAsSpreadsheetRows) {
    fillSample();
    const auto window = open();
    choose(*window, "cbRegnr", QStringLiteral("8901"));
    const QString csv = home.filePath(QStringLiteral("ut/historikk.csv"));
    QDir(home.path()).mkpath(QStringLiteral("ut"));
    files.answers.push_back(csv);
    button(*window, "btnEksporter")->click();
    ASSERT_EQ(files.requests.size(), 1U);
    EXPECT_EQ(files.requests[0].suggestedName, QStringLiteral("telvainn-historikk.csv"));
    EXPECT_EQ(files.requests[0].requiredSuffix, QStringLiteral(".csv"));
    EXPECT_EQ(
        readFileBytes(csv),
        QByteArray("\xEF\xBB\xBF"
                   "Lokal tid;UTC-tid;Sendt som;Modus;Dsnr;Regnr;Rapportnr;Periode;Rapporttype;Malversjon;"
                   "Programversjon;Mottaker;Transport;Utfall;Svar;SHA-256;Id\r\n"
                   "2026-05-02 16:45:00;2026-05-02 15:45:00;datafil;datafil;123;8901;10;202604;F;01.10.2009;"
                   "3.0.5;/home/bruker/datafil.txt;;sendt;250 2.0.0 Ok: queued;"
                   "f3871eb48805632145daf54a7fd5f9522258b0966cc83bef572fcbdc1dd76b22;5\r\n"));
    EXPECT_EQ(prompter.messages,
              QStringList{QStringLiteral("1 rad fra historikken er eksportert til fila:\r\n") + csv});
}

TEST_F(HistoryWindowTest, LagreIgjenWritesTheStoredBytesUnderTheNameTheyHadOrWouldHave) {
    fillSample();
    const auto window = open();
    const QString path = home.filePath(QStringLiteral("igjen.txt"));
    files.answers = {std::nullopt, path};
    select(*window, 0);  // the correction, mailed
    button(*window, "btnLagreIgjen")->click();
    select(*window, 3);  // the encrypted file
    button(*window, "btnLagreIgjen")->click();
    ASSERT_EQ(files.requests.size(), 2U);
    EXPECT_EQ(files.requests[0].suggestedName,
              QStringLiteral("Kryptert_fil_Periode202601_RegNr4567_R10K.txt"));
    EXPECT_EQ(files.requests[1].suggestedName,
              QStringLiteral("Kryptert_fil_Periode202603_RegNr4567_R21.txt"));
    const TReportIdentity quarter = id4567(21, "202603");
    EXPECT_EQ(readFileBytes(path),
              testsupport::envelopeOf(quarter, testsupport::oneRowReportXml(quarter, at(4, 10, 13, 5))));
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("Rapporten er lagret igjen i fila:\r\n") + path});
}

TEST_F(HistoryWindowTest, TheOverviewShowsEachDuePeriodAndWhatIsMissingStandsOut) {
    fillSample();
    const auto window = open();
    child<QTabWidget>(*window, "tabsHistorikk")->setCurrentIndex(1);
    EXPECT_EQ(child<QSpinBox>(*window, "spnAar")->value(), 2026);
    EXPECT_EQ(child<QComboBox>(*window, "cbOversiktRegnr")->currentText(), QStringLiteral("4567"));
    auto* grid = child<QTableWidget>(*window, "grdOversikt");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->verticalHeaderItem(0)->text(), QStringLiteral("R10"));
    EXPECT_EQ(grid->verticalHeaderItem(1)->text(), QStringLiteral("R21"));
    ASSERT_EQ(grid->columnCount(), 12);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("202601"));
    EXPECT_EQ(grid->horizontalHeaderItem(11)->text(), QStringLiteral("202612"));
    EXPECT_EQ(
        rows(*window, "grdOversikt"),
        (QStringList{QStringLiteral("korrigert\n12.05.2026|feilet|bare test|mangler|mangler|mangler|mangler|"
                                    "mangler|mangler|mangler||"),
                     QStringLiteral("-|-|lagret\n10.04.2026|-|-|mangler|-|-|mangler|-|-|")}));
    const auto standsOut = [&](int row, int column) {
        const QTableWidgetItem* item = grid->item(row, column);
        if (item == nullptr) {
            ADD_FAILURE() << "no cell at " << row << ", " << column;
            return false;
        }
        const QColor background = item->background().color();
        return item->font().bold() && item->background().style() != Qt::NoBrush &&
               background.red() > background.green() + 32 && background.red() > background.blue() + 32;
    };
    EXPECT_TRUE(standsOut(0, 1));   // failed
    EXPECT_TRUE(standsOut(0, 2));   // only a test mail
    EXPECT_TRUE(standsOut(1, 5));   // missing
    EXPECT_FALSE(standsOut(0, 0));  // corrected
    EXPECT_FALSE(standsOut(1, 2));  // saved as an encrypted file
    EXPECT_EQ(grid->item(0, 0)->background().style(), Qt::NoBrush);
    // Not due yet: empty and grey.
    const QColor notDue = grid->item(0, 10)->background().color();
    EXPECT_FALSE(grid->item(0, 10)->font().bold());
    EXPECT_TRUE(notDue.red() == notDue.green() && notDue.green() == notDue.blue() && notDue.red() < 255);
    EXPECT_EQ(child<QLabel>(*window, "lblMangler")->text(),
              QStringLiteral("11 rapporter som har forfalt, er ikke levert."));

    // The other company, which sent no report of its own by mail or file: nothing is due of it.
    child<QComboBox>(*window, "cbOversiktRegnr")->setCurrentIndex(1);
    EXPECT_EQ(child<QComboBox>(*window, "cbOversiktRegnr")->currentText(), QStringLiteral("8901"));
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(child<QLabel>(*window, "lblMangler")->text(),
              QStringLiteral("Alle rapporter som har forfalt, er levert."));
    child<QComboBox>(*window, "cbOversiktRegnr")->setCurrentIndex(0);
    child<QSpinBox>(*window, "spnAar")->setValue(2025);
    EXPECT_EQ(
        rows(*window, "grdOversikt").value(0),
        QStringLiteral("mangler|mangler|mangler|mangler|mangler|mangler|mangler|mangler|mangler|mangler|"
                       "mangler|mangler"));
}

TEST_F(HistoryWindowTest, AFullPageOffersTheNextOne) {
    for (int i = 0; i <= ui::kHistoryPageSize; ++i) {
        record(HistoryKind::Mail, id4567(10, "202601"), at(2, 10, 9, 0).addSecs(60 * i), HistoryOutcome::Sent,
               kMail);
    }
    const auto window = open();
    EXPECT_EQ(rows(*window, "grdHistorikk").size(), ui::kHistoryPageSize);
    EXPECT_TRUE(rows(*window, "grdHistorikk").first().startsWith(QStringLiteral("10.02.2026 10:40|")));
    ASSERT_TRUE(button(*window, "btnFlere")->isEnabled());
    button(*window, "btnFlere")->click();
    EXPECT_EQ(rows(*window, "grdHistorikk").size(), ui::kHistoryPageSize + 1);
    EXPECT_TRUE(rows(*window, "grdHistorikk").last().startsWith(QStringLiteral("10.02.2026 09:00|")));
    EXPECT_FALSE(button(*window, "btnFlere")->isEnabled());
}

}  // namespace
