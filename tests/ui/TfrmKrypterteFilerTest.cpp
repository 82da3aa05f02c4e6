#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <vector>

#include "support/ScriptedPrompter.h"
#include "support/ScriptedUi.h"
#include "transmission/ReportMail.h"
#include "ui/ScreenRoom.h"
#include "ui/TfrmKrypterteFiler.h"

using telvainn::MessageKind;
using telvainn::ui::KrypterteFilerTexts;
using telvainn::ui::TfrmKrypterteFiler;
using telvainn::ui::TpnlFilnavn;

namespace {

// Keeps the kind of every message as well, since an error must be shown as one.
class KindPrompter : public ScriptedPrompter {
  public:
    void tell(MessageKind kind, const QString& text) override {
        kinds.push_back(kind);
        ScriptedPrompter::tell(kind, text);
    }
    std::vector<MessageKind> kinds;
};

KrypterteFilerTexts spreadsheetReport() {
    KrypterteFilerTexts texts;
    texts.fileCount = 1;
    texts.source = QStringLiteral("fra regneark");
    texts.companies = 1;
    texts.version = QStringLiteral("3.0.5");
    texts.reportType = QStringLiteral("F");
    texts.reportNumber = QStringLiteral("10");
    texts.period = QStringLiteral("200812");
    texts.regnr = QStringLiteral("1234");
    texts.dsnr = QStringLiteral("012");
    texts.mailSystem = QStringLiteral("GroupWise");
    texts.recipientName = QStringLiteral("Dalvora");
    return texts;
}

KrypterteFilerTexts flatFile(int files, int companies, const QString& kind) {
    KrypterteFilerTexts texts = spreadsheetReport();
    texts.fileCount = files;
    texts.source = QStringLiteral("fra flat fil");
    texts.companies = companies;
    texts.reportType = kind;
    texts.reportNumber = QStringLiteral("?");
    texts.mailSystem = QStringLiteral("Annet");
    return texts;
}

using telvainn::EncryptedFileRow;

EncryptedFileRow written(const QString& path) {
    return {path, path, true};
}

EncryptedFileRow failedReport(const char* reportNumber) {
    return {
        QStringLiteral("Feilet ved generering av fila for rapport nr %1.").arg(QLatin1String(reportNumber)),
        QString(), false};
}

std::vector<EncryptedFileRow> resultList(int files) {
    std::vector<EncryptedFileRow> list;
    for (int index = 1; index <= files; ++index) {
        list.push_back(written(
            QStringLiteral("/home/rapport/Kryptert_fil_Periode200812_RegNr1234_R%1.txt").arg(index * 10)));
    }
    return list;
}

class TfrmKrypterteFilerTest : public testing::Test {
  protected:
    QLabel* label(const char* name) {
        auto* found = window.findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* name) {
        const QLabel* found = label(name);
        return found != nullptr ? found->text() : QString();
    }
    QLineEdit* edit(const char* name) { return window.findChild<QLineEdit*>(QLatin1String(name)); }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(QLatin1String(name)); }
    QString subject() { return edit("edtEmnetekst")->text(); }

    KindPrompter prompter;
    testsupport::RecordingShell shell;
    TfrmKrypterteFiler window{prompter, shell};
};

TEST_F(TfrmKrypterteFilerTest, ShowsItsFixedTextsAndTheAddress) {
    EXPECT_EQ(window.objectName(), QStringLiteral("TfrmKrypterteFiler"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Behandle krypterte filer"));

    QStringList groups;
    for (const QGroupBox* group : window.findChildren<QGroupBox*>()) {
        groups << group->title();
    }
    EXPECT_EQ(groups,
              (QStringList{QStringLiteral(" Hva gjør du nå? "), QStringLiteral(" Informasjon til e-posten "),
                           QStringLiteral(" Dine krypterte filer ")}));

    QStringList labels;
    for (const QLabel* shown : window.findChildren<QLabel*>()) {
        labels << shown->text();
    }
    for (const QString& fixed : {
             QStringLiteral("Gå inn i e-post systemet ditt, og åpne en ny, tom e-post."),
             QStringLiteral("Fyll inn adresseinformasjon og emnetekst som vist nedenfor."),
             QStringLiteral("Velg en emnetekst som forteller litt om hvem som har sendt"),
             QStringLiteral("og hva som er sendt. Ta gjerne også med navnet på e-post-"),
             QStringLiteral("systemet du benytter. Se forslag nedenfor."),
             QStringLiteral("Send e-posten til følgende adresse:"),
             QStringLiteral("Dette er et forslag til en mal på en emnetekst:"),
             QStringLiteral("Tips:  Du kan kopiere teksten fra disse tekstfeltene om du"),
             QStringLiteral(" ønsker, ved å markere teksten, og trykke <Ctrl+C>."),
             QStringLiteral(
                 "Om du vil åpne mappen\r\nder filene er lagret, kan\r\ndu forsøke å klikke denne\r\n"
                 "åpne-knappen."),
             QStringLiteral("Dette fungerer trolig ikke\r\nhos alle brukere av dette\r\nprogrammet."),
         }) {
        EXPECT_TRUE(labels.contains(fixed)) << fixed.toStdString();
    }
    EXPECT_EQ(button("btnOpenFolder")->text(), QStringLiteral("Åpne mappe"));
    EXPECT_EQ(button("btnLukk")->text(), QStringLiteral("Lukk"));
    EXPECT_EQ(button("btnDummyOpen")->text(), QStringLiteral(" Åpne "));
    EXPECT_TRUE(window.findChild<QFrame*>(QStringLiteral("pnlDummyPanel"))->isHidden());
    EXPECT_TRUE(label("lblDummyFilnavn") != nullptr);

    // A GroupWise user addresses the agency through the gateway.
    window.SetAddress(
        telvainn::RecipientAddressFor(QStringLiteral("telva@dalvora.no"), QStringLiteral("groupwise")));
    EXPECT_EQ(edit("edtEpostAdr")->text(), QStringLiteral("UT:telva@dalvora.no"));
    EXPECT_TRUE(edit("edtEpostAdr")->isReadOnly());
    EXPECT_TRUE(edit("edtEmnetekst")->isReadOnly());
}

TEST_F(TfrmKrypterteFilerTest, OneFileFromASpreadsheetGetsTheOneFileGuidance) {
    window.SetTexts(spreadsheetReport());

    EXPECT_EQ(text("lblHva1"), QStringLiteral("Du har bedt programmet om å kryptere regnearket."));
    EXPECT_EQ(text("lblHva2"),
              QStringLiteral("Det er dannet én kryptert fil som inneholder hele rapporten."));
    EXPECT_EQ(text("lblHva3"), QStringLiteral("Den skal sendes Dalvora pr. e-post (som vedlegg)."));
    EXPECT_EQ(text("lblHva4"), QString());
    EXPECT_EQ(text("lblHva7"),
              QStringLiteral("Dersom du ikke har et e-post system på denne maskinen, så må du kopiere"));
    EXPECT_EQ(text("lblHva8"), QStringLiteral("fila over til en maskin som har det."));
    EXPECT_EQ(text("lblSend3"), QStringLiteral("Legg den krypterte fila som vedlegg til e-posten."));
    EXPECT_EQ(subject(),
              QStringLiteral("Regnr: 1234, rapp: 10, periode: 200812, ver.3.0.5, mail: GroupWise"));

    // The two lines under the empty fourth line close the gap it leaves.
    testsupport::RecordingShell otherShell;
    TfrmKrypterteFiler several(prompter, otherShell);
    several.SetTexts(flatFile(3, 1, QStringLiteral("F")));
    const auto top = [](const TfrmKrypterteFiler& form, const char* name) {
        return form.findChild<QLabel*>(QLatin1String(name))->y();
    };
    EXPECT_EQ(top(window, "lblHva7"), top(several, "lblHva7") - 16);
    EXPECT_EQ(top(window, "lblHva8"), top(several, "lblHva8") - 16);
    EXPECT_EQ(top(window, "lblHva7"), top(window, "lblHva4"));
}

TEST_F(TfrmKrypterteFilerTest, OneCompanyWithThreeReportsCountsTheFiles) {
    window.SetTexts(flatFile(3, 1, QStringLiteral("F")));
    window.SetFiles(resultList(3));

    EXPECT_EQ(text("lblHva1"), QStringLiteral("Du har bedt programmet om å kryptere den flate fila."));
    EXPECT_EQ(
        text("lblHva2"),
        QStringLiteral("Den flate fila inneholdt tall for 3 rapporter, og det er derfor dannet 3 filer."));
    EXPECT_EQ(text("lblHva3"), QStringLiteral("Filene som ble dannet, inneholder kryptert tekst."));
    EXPECT_EQ(text("lblHva4"), QStringLiteral("Disse skal sendes Dalvora pr. e-post (som vedlegg)."));
    EXPECT_EQ(text("lblHva8"), QStringLiteral("alle filene over til en maskin som har det."));
    EXPECT_EQ(text("lblSend3"), QStringLiteral("Alle filene kan sendes som vedlegg i samme e-post."));
    EXPECT_EQ(subject(), QStringLiteral("Regnr: 1234, rapp: xx, periode: 200812, ver.3.0.5, mail: Annet"));

    ASSERT_EQ(window.rowCount(), 3);
    for (int index = 0; index < 3; ++index) {
        const TpnlFilnavn& row = window.row(index);
        EXPECT_EQ(row.path(), resultList(3).at(index).path);
        EXPECT_EQ(row.label()->toolTip(), resultList(3).at(index).path);
        EXPECT_EQ(row.panel()->geometry().top(), index * 30);
        EXPECT_EQ(row.panel()->height(), 30);
        EXPECT_TRUE(row.ok());
        EXPECT_TRUE(row.openButton()->isEnabled());
    }
    EXPECT_EQ(window.folder(), QStringLiteral("/home/rapport/"));
}

TEST_F(TfrmKrypterteFilerTest, TwoCompaniesWithFiveReportsCountTheCompanies) {
    window.SetTexts(flatFile(5, 2, QStringLiteral("K")));
    window.SetFiles(resultList(5));

    EXPECT_EQ(text("lblHva2"),
              QStringLiteral("Den flate fila inneholdt tall for 2 selskaper (totalt 5 rapporter)."));
    EXPECT_EQ(text("lblHva4"), QStringLiteral("Disse skal sendes Dalvora pr. e-post (som vedlegg)."));
    EXPECT_EQ(subject(),
              QStringLiteral("Dsnr: 012, Regnr: (2 stk), type: K, periode: 200812, ver.3.0.5, mail: Annet"));
    EXPECT_EQ(window.rowCount(), 5);
}

TEST_F(TfrmKrypterteFilerTest, ReportNumberAndCorrectionMarkInTheSubject) {
    // One report from a flat file: the one-file guidance, and the report number nobody determined.
    window.SetTexts(flatFile(1, 1, QStringLiteral("F")));
    EXPECT_EQ(text("lblHva1"), QStringLiteral("Du har bedt programmet om å kryptere den flate fila."));
    EXPECT_EQ(text("lblHva2"),
              QStringLiteral("Det er dannet én kryptert fil som inneholder hele rapporten."));
    EXPECT_EQ(text("lblHva8"), QStringLiteral("fila over til en maskin som har det."));
    EXPECT_EQ(subject(), QStringLiteral("Regnr: 1234, rapp: ?, periode: 200812, ver.3.0.5, mail: Annet"));

    window.SetTexts(flatFile(1, 1, QStringLiteral("K")));
    EXPECT_EQ(subject(), QStringLiteral("Regnr: 1234, rapp: ?K, periode: 200812, ver.3.0.5, mail: Annet"));
    window.SetTexts(flatFile(4, 1, QStringLiteral("K")));
    EXPECT_EQ(subject(), QStringLiteral("Regnr: 1234, rapp: xxK, periode: 200812, ver.3.0.5, mail: Annet"));
    // Only the kind letter itself marks a correction.
    window.SetTexts(flatFile(4, 1, QStringLiteral("k")));
    EXPECT_EQ(subject(), QStringLiteral("Regnr: 1234, rapp: xx, periode: 200812, ver.3.0.5, mail: Annet"));
}

TEST_F(TfrmKrypterteFilerTest, FailedReportsShowRedRowsWithoutAnOpenButton) {
    window.SetFiles({written(QStringLiteral("/data/a/R10.txt")), failedReport("20"),
                     written(QStringLiteral("/data/b/R30.txt")), failedReport("10")});

    ASSERT_EQ(window.rowCount(), 4);
    const TpnlFilnavn& failed = window.row(3);
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.label()->text(), QStringLiteral("Feilet ved generering av fila for rapport nr 10."));
    EXPECT_EQ(failed.label()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(failed.openButton()->isEnabled());
    EXPECT_EQ(window.row(1).label()->text(),
              QStringLiteral("Feilet ved generering av fila for rapport nr 20."));

    const TpnlFilnavn& written = window.row(0);
    EXPECT_TRUE(written.ok());
    EXPECT_NE(written.label()->palette().color(QPalette::WindowText), QColor(Qt::red));

    // Every row is a copy of the hidden template row.
    const auto* templateButton = button("btnDummyOpen");
    const auto* templatePanel = window.findChild<QFrame*>(QStringLiteral("pnlDummyPanel"));
    EXPECT_EQ(written.openButton()->text(), QStringLiteral(" Åpne "));
    EXPECT_EQ(written.openButton()->geometry(), templateButton->geometry());
    EXPECT_EQ(written.label()->geometry(), label("lblDummyFilnavn")->geometry());
    EXPECT_EQ(written.panel()->width(), templatePanel->width());
    EXPECT_EQ(written.panel()->frameStyle(), templatePanel->frameStyle());

    // The last written file decides the folder; a failed row after it does not.
    EXPECT_EQ(window.folder(), QStringLiteral("/data/b/"));
    EXPECT_TRUE(button("btnOpenFolder")->isEnabled());
    EXPECT_EQ(button("btnOpenFolder")->toolTip(), QString());

    failed.openButton()->click();
    EXPECT_TRUE(shell.opened.isEmpty());
}

TEST_F(TfrmKrypterteFilerTest, FolderCannotBeOpenedWhenEveryReportFailed) {
    window.SetFiles({failedReport("10"), failedReport("20")});

    EXPECT_EQ(window.folder(), QString());
    EXPECT_FALSE(button("btnOpenFolder")->isEnabled());
    EXPECT_EQ(button("btnOpenFolder")->toolTip(), QStringLiteral("Kan ikke åpne mappe. Ukjent adresse."));
    // The notes beside the button grey with it.
    EXPECT_FALSE(label("lblOpenFolder1")->isEnabled());
    EXPECT_FALSE(label("lblOpenFolder2")->isEnabled());
    button("btnOpenFolder")->click();
    EXPECT_TRUE(shell.explored.isEmpty());

    window.SetFiles({written(QStringLiteral("/home/rapport/R10.txt"))});
    EXPECT_TRUE(button("btnOpenFolder")->isEnabled());
    EXPECT_TRUE(label("lblOpenFolder1")->isEnabled());
    EXPECT_TRUE(label("lblOpenFolder2")->isEnabled());
}

TEST_F(TfrmKrypterteFilerTest, RowsFromTheSixthOnEnlargeTheWindow) {
    window.SetScreenRoom(QSize(1920, 1080));
    const int height = window.height();
    const int closeTop = button("btnLukk")->y();

    window.SetFiles(resultList(5));
    EXPECT_EQ(window.height(), height);

    window.SetFiles(resultList(7));
    ASSERT_EQ(window.rowCount(), 7);
    EXPECT_EQ(window.height(), height + 2 * TpnlFilnavn::kRowHeight);
    EXPECT_EQ(button("btnLukk")->y(), closeTop + 2 * TpnlFilnavn::kRowHeight);
    // The list shows its last row whole.
    const QWidget* list = window.row(6).panel()->parentWidget();
    EXPECT_GE(list->height(), window.row(6).panel()->geometry().bottom() + 1);
    EXPECT_EQ(window.row(6).panel()->y(), 6 * TpnlFilnavn::kRowHeight);
}

// Twenty reports on a laptop's screen: the window stops growing where the screen ends, "Lukk" stays on
// it, and the list scrolls to every row with nothing cut off at its side.
TEST_F(TfrmKrypterteFilerTest, ManyRowsScrollInsteadOfGrowingPastTheScreen) {
    for (const QSize screen : {QSize(1366, 768), QSize(1280, 720)}) {
        SCOPED_TRACE(screen.height());
        TfrmKrypterteFiler many(prompter, shell);
        const QSize room = screen - telvainn::ui::kFrameAllowance;
        many.SetScreenRoom(room);
        many.SetFiles(resultList(20));
        many.show();
        QCoreApplication::sendPostedEvents();
        ASSERT_EQ(many.rowCount(), 20);
        EXPECT_LE(many.height(), room.height());
        const auto* lukk = many.findChild<QPushButton*>(QStringLiteral("btnLukk"));
        EXPECT_LE(lukk->geometry().bottom(), many.height());

        const auto* list = many.findChild<QScrollArea*>(QStringLiteral("scrFiler"));
        ASSERT_NE(list, nullptr);
        QScrollBar* scroll = list->verticalScrollBar();
        EXPECT_TRUE(scroll->isVisible());
        scroll->setValue(scroll->maximum());
        const QWidget* last = many.row(19).panel();
        const QRect shown(last->mapTo(list->viewport(), QPoint(0, 0)), last->size());
        EXPECT_TRUE(list->viewport()->rect().contains(shown));
        const QPushButton* open = many.row(19).openButton();
        EXPECT_LE(open->mapTo(list->viewport(), QPoint(open->width(), 0)).x(), list->viewport()->width());
    }

    // Where the screen has room, the window grows instead, and nothing scrolls.
    TfrmKrypterteFiler tall(prompter, shell);
    tall.SetScreenRoom(QSize(1920, 1080) - telvainn::ui::kFrameAllowance);
    tall.SetFiles(resultList(12));
    tall.show();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(tall.height(), 699 + 7 * TpnlFilnavn::kRowHeight);
    EXPECT_FALSE(tall.findChild<QScrollArea*>(QStringLiteral("scrFiler"))->verticalScrollBar()->isVisible());
}

// Paths too long for the row keep both ends in sight, so rows that differ only in the file name stay
// apart; the full path is the tooltip and is what the open button opens. The subject shows its start.
TEST_F(TfrmKrypterteFilerTest, LongPathsAreShortenedInTheirMiddleAndTheSubjectShowsItsStart) {
    const QString folder = QStringLiteral("/home/rapport/Dokumenter/TELVA/innrapportering/2026/november/");
    window.SetFiles({written(folder + QStringLiteral("Kryptert_fil_Periode202611_RegNr4567_R10.txt")),
                     written(folder + QStringLiteral("Kryptert_fil_Periode202611_RegNr4567_R20.txt"))});
    const QLabel* first = window.row(0).label();
    const QLabel* second = window.row(1).label();
    EXPECT_NE(first->text(), second->text());
    EXPECT_TRUE(first->text().startsWith(QStringLiteral("/home/rapport/"))) << first->text().toStdString();
    EXPECT_TRUE(first->text().endsWith(QStringLiteral("R10.txt"))) << first->text().toStdString();
    EXPECT_TRUE(first->text().contains(QChar(0x2026)));
    EXPECT_LE(first->fontMetrics().horizontalAdvance(first->text()), first->width());
    EXPECT_EQ(first->toolTip(), folder + QStringLiteral("Kryptert_fil_Periode202611_RegNr4567_R10.txt"));
    window.row(1).openButton()->click();
    EXPECT_EQ(shell.opened,
              QStringList{folder + QStringLiteral("Kryptert_fil_Periode202611_RegNr4567_R20.txt")});

    KrypterteFilerTexts texts = flatFile(3, 2, QStringLiteral("F"));
    texts.mailSystem = QStringLiteral("Microsoft Outlook/Exchange via firmaets felles e-postsystem i Oslo");
    window.SetTexts(texts);
    window.show();
    EXPECT_EQ(edit("edtEmnetekst")->cursorPosition(), 0);
    const QLineEdit* subjectField = edit("edtEmnetekst");
    EXPECT_GT(subjectField->fontMetrics().horizontalAdvance(subjectField->text()), subjectField->width());
}

TEST_F(TfrmKrypterteFilerTest, OpensARowsFileAndTellsWhenTheDesktopCannot) {
    window.SetFiles(resultList(3));

    window.row(1).openButton()->click();
    EXPECT_EQ(shell.opened, QStringList{resultList(3).at(1).path});
    EXPECT_TRUE(prompter.messages.isEmpty());

    shell.failure = QStringLiteral("The specified file was not found");
    window.row(2).openButton()->click();
    EXPECT_EQ(shell.opened.last(), resultList(3).at(2).path);
    EXPECT_EQ(
        prompter.messages,
        QStringList{QStringLiteral("Klarte ikke åpne fila. Returnerte følgende feil:\n\r\"The specified file "
                                   "was not found\".\n\r\n\rForsøk å åpne fila manuelt i stedet.")});
    EXPECT_EQ(prompter.kinds, std::vector<MessageKind>{MessageKind::Error});
    // The window stays for the user to try again.
    EXPECT_EQ(window.rowCount(), 3);
}

TEST_F(TfrmKrypterteFilerTest, OpensTheFolderAndTellsWhenTheDesktopCannot) {
    window.SetFiles({written(QStringLiteral("/data/rapporter/R10.txt"))});

    button("btnOpenFolder")->click();
    EXPECT_EQ(shell.explored, QStringList{QStringLiteral("/data/rapporter/")});
    EXPECT_TRUE(prompter.messages.isEmpty());

    shell.failure = QStringLiteral("The specified path was not found");
    button("btnOpenFolder")->click();
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral(
                                     "Klarte ikke åpne mappen. Returnerte følgende feil:\n\r\"The specified "
                                     "path was not found\".\n\r\n\rForsøk å åpne mappen manuelt i stedet.")});
    EXPECT_EQ(prompter.kinds, std::vector<MessageKind>{MessageKind::Error});
    EXPECT_TRUE(shell.opened.isEmpty());
}

TEST_F(TfrmKrypterteFilerTest, LukkClosesTheWindow) {
    window.SetFiles(resultList(1));
    window.show();
    ASSERT_TRUE(window.isVisible());
    button("btnLukk")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(shell.explored.isEmpty());
}

}  // namespace
