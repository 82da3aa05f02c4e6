#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include "core/Error.h"
#include "support/ScriptedPrompter.h"
#include "ui/TfrmNewReport.h"

using namespace telvainn;
using telvainn::ui::TfrmNewReport;

namespace {

constexpr int kReport10 = 0;
constexpr int kReport21 = 3;
constexpr int kReport50 = 5;

const QString kTooFarAheadQuestion(const QString& period) {
    return QStringLiteral("Oppdaget unormal periode (") + period +
           QStringLiteral(") !\n\r(For langt fram i tid)\n\rEr den korrekt?");
}

// Chooses the report and period in a dialog shown on `today`, presses OK and tells whether it closed.
struct Entry {
    explicit Entry(QDate today, std::deque<Answer> answers = {})
        : prompter(std::move(answers)), dialog(prompter, today) {}

    bool ok(int position, const QString& period) {
        dialog.findChild<QComboBox*>(QStringLiteral("cmbRapportNr"))->setCurrentIndex(position);
        period_()->setText(period);
        dialog.btnOkClick();
        return dialog.result() == QDialog::Accepted;
    }
    QLineEdit* period_() { return dialog.findChild<QLineEdit*>(QStringLiteral("edtPeriode")); }

    ScriptedPrompter prompter;
    TfrmNewReport dialog;
};

}  // namespace

TEST(TfrmNewReportTest, ProposesThePeriodDueForEachFrequency) {
    const QDate january(2009, 1, 15);
    const QDate may(2009, 5, 15);
    EXPECT_EQ(TfrmNewReport::proposedPeriod(kReport10, january), QStringLiteral("200812"));
    EXPECT_EQ(TfrmNewReport::proposedPeriod(kReport21, january), QStringLiteral("200812"));
    EXPECT_EQ(TfrmNewReport::proposedPeriod(2, january), QStringLiteral("200812"));
    EXPECT_EQ(TfrmNewReport::proposedPeriod(kReport10, may), QStringLiteral("200904"));
    EXPECT_EQ(TfrmNewReport::proposedPeriod(kReport21, may), QStringLiteral("200903"));
    EXPECT_EQ(TfrmNewReport::proposedPeriod(kReport21, QDate(2009, 12, 1)), QStringLiteral("200909"));
    EXPECT_EQ(TfrmNewReport::proposedPeriod(7, may), QStringLiteral("200812"));
    try {
        TfrmNewReport::proposedPeriod(-1, may);
        FAIL() << "no error for an empty selection";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Ugyldig index i ComboBox (cmbRapportNr.ItemIndex=-1)"));
    }

    ScriptedPrompter prompter;
    TfrmNewReport dialog(prompter, may);
    EXPECT_EQ(dialog.Periode(), QStringLiteral("200904"));
    dialog.findChild<QComboBox*>(QStringLiteral("cmbRapportNr"))->setCurrentIndex(kReport21);
    EXPECT_EQ(dialog.Periode(), QStringLiteral("200903"));
    EXPECT_EQ(dialog.Rapportnr(), 21);
}

TEST(TfrmNewReportTest, MonthlyAndQuarterlyPeriodsAheadOfTodayNeedAYes) {
    const QDate may(2009, 5, 15);
    EXPECT_TRUE(Entry(may).ok(kReport10, QStringLiteral("200904")));

    Entry refused(may, {Answer::No});
    EXPECT_FALSE(refused.ok(kReport10, QStringLiteral("200905")));
    EXPECT_EQ(refused.prompter.questions, QStringList{kTooFarAheadQuestion(QStringLiteral("200905"))});
    Entry confirmed(may, {Answer::Yes});
    EXPECT_TRUE(confirmed.ok(kReport10, QStringLiteral("200905")));

    const QDate june(2009, 6, 15);
    EXPECT_TRUE(Entry(june).ok(kReport21, QStringLiteral("200903")));
    Entry ahead(june, {Answer::No});
    EXPECT_FALSE(ahead.ok(kReport21, QStringLiteral("200906")));
    EXPECT_EQ(ahead.prompter.questions, QStringList{kTooFarAheadQuestion(QStringLiteral("200906"))});
    Entry notQuarter(june);
    EXPECT_FALSE(notQuarter.ok(kReport21, QStringLiteral("200904")));
    EXPECT_EQ(
        notQuarter.prompter.messages,
        QStringList{QStringLiteral("Oppdaget ulovlig periode!\n\rKvartalsrapporten skal registreres med\n\r"
                                   "månedene 3, 6, 9 eller 12.")});
    Entry noMonth(june);
    EXPECT_FALSE(noMonth.ok(kReport10, QStringLiteral("200813")));
    EXPECT_EQ(
        noMonth.prompter.messages,
        QStringList{QStringLiteral("Oppdaget ulovlig periode (200813) !\n\rMåneden må være fra 01 til 12.")});
}

TEST(TfrmNewReportTest, AnnualReportsAreDecemberOfAnEarlierYear) {
    const QDate june(2009, 6, 15);
    Entry changed(june, {Answer::Yes});
    EXPECT_TRUE(changed.ok(kReport50, QStringLiteral("200806")));
    EXPECT_EQ(
        changed.prompter.questions,
        QStringList{QStringLiteral("Oppdaget ulovlig periode!\n\rÅrsrapporten skal registreres med årets 12. "
                                   "måned.\n\rSkal programmet endre til \"200812\" ?")});
    EXPECT_EQ(changed.dialog.Periode(), QStringLiteral("200812"));

    Entry kept(june, {Answer::No});
    EXPECT_FALSE(kept.ok(kReport50, QStringLiteral("200806")));
    EXPECT_EQ(kept.dialog.Periode(), QStringLiteral("200806"));

    Entry ahead(june);
    EXPECT_FALSE(ahead.ok(kReport50, QStringLiteral("200912")));
    EXPECT_EQ(ahead.prompter.messages,
              QStringList{QStringLiteral("Oppdaget ulovlig periode (200912) !\n\r(For langt fram i tid)")});
}

TEST(TfrmNewReportTest, AShortPeriodIsRefusedAndTheBlinkingGoesOn) {
    Entry entry(QDate(2009, 6, 15));
    auto* timer = entry.dialog.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 750);
    EXPECT_TRUE(timer->isActive());

    EXPECT_FALSE(entry.ok(kReport10, QStringLiteral("2009")));
    EXPECT_EQ(entry.prompter.messages,
              QStringList{QStringLiteral("\"Periode\" har feil format Tast inn periode på nytt med formatet "
                                         "\"ååååmm\".")});
    EXPECT_TRUE(timer->isActive());

    auto* label = entry.dialog.findChild<QLabel*>(QStringLiteral("lblBrukKorrektPeriode"));
    const bool before = label->isEnabled();
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_NE(label->isEnabled(), before);

    EXPECT_TRUE(entry.ok(kReport10, QStringLiteral("200905")));
    EXPECT_FALSE(timer->isActive());
}

TEST(TfrmNewReportTest, CorrectionGivesTypeK) {
    Entry entry(QDate(2009, 6, 15));
    EXPECT_EQ(entry.dialog.Rapporttype(), QStringLiteral("N"));
    const auto buttons = entry.dialog.findChildren<QRadioButton*>();
    for (QRadioButton* button : buttons) {
        if (button->text() == QLatin1String("Korreksjon")) {
            button->setChecked(true);
        }
    }
    EXPECT_EQ(entry.dialog.Rapporttype(), QStringLiteral("K"));
}
