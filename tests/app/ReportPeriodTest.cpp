#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <vector>

#include "app/ReportPeriod.h"
#include "core/Error.h"
#include "core/ReportCatalogue.h"

using namespace telvainn;

namespace {

const QDate kJanuary(2009, 1, 15);
const QDate kMay(2009, 5, 15);
const QDate kJune(2009, 6, 15);

struct Shown {
    MessageKind kind;
    QString text;
    bool question;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* os) {
    *os << (shown.question ? "question " : "message ") << static_cast<int>(shown.kind) << ": "
        << shown.text.toStdString();
}

// Answers from a script and keeps every text with its kind, in the order shown.
class Recorder : public Prompter {
  public:
    explicit Recorder(std::deque<Answer> answers = {}) : m_answers(std::move(answers)) {}
    Answer ask(MessageKind kind, const QString& text, Buttons buttons) override {
        EXPECT_EQ(buttons, Buttons::YesNo);
        shown.push_back({kind, text, true});
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return Answer::No;
        }
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void tell(MessageKind kind, const QString& text) override { shown.push_back({kind, text, false}); }

    std::vector<Shown> shown;

  private:
    std::deque<Answer> m_answers;
};

QString tooFarAheadQuestion(const QString& period) {
    return QStringLiteral("Oppdaget unormal periode (") + period +
           QStringLiteral(") !\n\r(For langt fram i tid)\n\rEr den korrekt?");
}

}  // namespace

TEST(ReportPeriodTest, ProposesThePeriodDueForEachReportOfTheCatalogue) {
    for (const int report : kReportNumbers) {
        EXPECT_EQ(ProposedPeriod(report, kJanuary), QStringLiteral("200812")) << report;
    }
    const std::map<int, QString> inMay{{10, "200904"}, {11, "200904"}, {20, "200812"}, {21, "200903"},
                                       {35, "200812"}, {50, "200812"}, {51, "200812"}, {60, "200812"}};
    for (const auto& [report, period] : inMay) {
        EXPECT_EQ(ProposedPeriod(report, kMay), period) << report;
    }
    EXPECT_EQ(ProposedPeriod(21, QDate(2009, 12, 1)), QStringLiteral("200909"));
    EXPECT_EQ(ProposedPeriod(21, QDate(2009, 3, 31)), QStringLiteral("200812"));
    EXPECT_THROW(ProposedPeriod(12, kMay), Error);
}

TEST(ReportPeriodTest, MonthlyPeriodsAreRealMonthsAndAheadOfTodayNeedAYes) {
    Recorder quiet;
    EXPECT_EQ(CheckPeriod(10, QStringLiteral("200904"), kMay, quiet).outcome, PeriodCheck::Accepted);
    EXPECT_EQ(CheckPeriod(11, QStringLiteral("200812"), kMay, quiet).period, QStringLiteral("200812"));
    EXPECT_TRUE(quiet.shown.empty());

    Recorder refused({Answer::No});
    EXPECT_FALSE(CheckPeriod(10, QStringLiteral("200905"), kMay, refused).accepted());
    EXPECT_EQ(
        refused.shown,
        (std::vector<Shown>{{MessageKind::Warning, tooFarAheadQuestion(QStringLiteral("200905")), true}}));
    Recorder confirmed({Answer::Yes});
    const PeriodCheck ahead = CheckPeriod(11, QStringLiteral("201001"), kMay, confirmed);
    EXPECT_EQ(ahead.outcome, PeriodCheck::Accepted);
    EXPECT_EQ(ahead.period, QStringLiteral("201001"));

    // A month that does not exist is refused however far back it lies, and before any question.
    for (const QString& period :
         {QStringLiteral("200813"), QStringLiteral("200800"), QStringLiteral("201099")}) {
        Recorder told;
        EXPECT_EQ(CheckPeriod(10, period, kMay, told).outcome, PeriodCheck::Refused) << period.toStdString();
        EXPECT_EQ(told.shown,
                  (std::vector<Shown>{{MessageKind::Error,
                                       QStringLiteral("Oppdaget ulovlig periode (") + period +
                                           QStringLiteral(") !\n\rMåneden må være fra 01 til 12."),
                                       false}}));
    }
}

TEST(ReportPeriodTest, QuarterlyPeriodsEndAQuarterAndAheadOfTodayNeedAYes) {
    Recorder quiet;
    EXPECT_TRUE(CheckPeriod(21, QStringLiteral("200903"), kJune, quiet).accepted());
    EXPECT_TRUE(quiet.shown.empty());

    Recorder ahead({Answer::No});
    EXPECT_FALSE(CheckPeriod(21, QStringLiteral("200906"), kJune, ahead).accepted());
    EXPECT_EQ(
        ahead.shown,
        (std::vector<Shown>{{MessageKind::Warning, tooFarAheadQuestion(QStringLiteral("200906")), true}}));

    for (const QString& period : {QStringLiteral("200904"), QStringLiteral("200813")}) {
        Recorder notQuarter;
        EXPECT_FALSE(CheckPeriod(21, period, kJune, notQuarter).accepted());
        EXPECT_EQ(notQuarter.shown,
                  (std::vector<Shown>{{MessageKind::Error,
                                       QStringLiteral("Oppdaget ulovlig periode!\n\rKvartalsrapporten skal "
                                                      "registreres med\n\rmånedene 3, 6, 9 eller 12."),
                                       false}}));
    }
}

TEST(ReportPeriodTest, AnnualPeriodsAreDecemberOfAnEarlierYear) {
    Recorder quiet;
    EXPECT_EQ(CheckPeriod(50, QStringLiteral("200812"), kJune, quiet).outcome, PeriodCheck::Accepted);
    EXPECT_TRUE(quiet.shown.empty());

    const QString changeQuestion = QStringLiteral(
        "Oppdaget ulovlig periode!\n\rÅrsrapporten skal registreres med årets 12. måned.\n\rSkal programmet "
        "endre til \"200812\" ?");
    Recorder changed({Answer::Yes});
    const PeriodCheck corrected = CheckPeriod(20, QStringLiteral("200806"), kJune, changed);
    EXPECT_EQ(corrected.outcome, PeriodCheck::Corrected);
    EXPECT_EQ(corrected.period, QStringLiteral("200812"));
    EXPECT_EQ(changed.shown, (std::vector<Shown>{{MessageKind::Error, changeQuestion, true}}));
    Recorder kept({Answer::No});
    EXPECT_FALSE(CheckPeriod(60, QStringLiteral("200806"), kJune, kept).accepted());

    // This year's December, or a later one, is never the annual report's.
    for (const QString& period : {QStringLiteral("200912"), QStringLiteral("201006")}) {
        Recorder ahead;
        EXPECT_FALSE(CheckPeriod(35, period, kJune, ahead).accepted());
        EXPECT_EQ(ahead.shown, (std::vector<Shown>{{MessageKind::Error,
                                                    QStringLiteral("Oppdaget ulovlig periode (") + period +
                                                        QStringLiteral(") !\n\r(For langt fram i tid)"),
                                                    false}}));
    }
}

TEST(ReportPeriodTest, APeriodOfAnotherLengthIsRefusedAndOneOfOtherCharactersRaises) {
    Recorder told;
    EXPECT_FALSE(CheckPeriod(10, QStringLiteral("2009"), kJune, told).accepted());
    EXPECT_EQ(told.shown, (std::vector<Shown>{{MessageKind::Error, kPeriodFormatMessage, false}}));
    EXPECT_EQ(
        kPeriodFormatMessage,
        QStringLiteral("\"Periode\" har feil format Tast inn periode på nytt med formatet \"ååååmm\"."));
    Recorder none;
    EXPECT_THROW(CheckPeriod(10, QStringLiteral("2009ab"), kJune, none), Error);
}
