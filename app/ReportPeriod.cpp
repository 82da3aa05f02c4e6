#include "app/ReportPeriod.h"

#include "core/Numbers.h"
#include "core/ReportCatalogue.h"

namespace telvainn {
namespace {

const QString kTooFarAhead = QStringLiteral(") !\n\r(For langt fram i tid)");

QString periodText(int year, int month) {
    return QStringLiteral("%1%2").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString ProposedPeriod(int reportNumber, QDate today) {
    int year = today.year();
    int month = today.month();
    switch (catalogueEntry(reportNumber).frequency) {
        case Frequency::Monthly:
            if (month == 1) {
                return periodText(year - 1, 12);
            }
            return periodText(year, month - 1);
        case Frequency::Quarterly:
            if (month <= 3) {
                return periodText(year - 1, 12);
            }
            return periodText(year, (month - 1) / 3 * 3);
        case Frequency::Annual:
            break;
    }
    return periodText(year - 1, 12);
}

PeriodCheck CheckPeriod(int reportNumber, const QString& period, QDate today, Prompter& prompter) {
    const Frequency frequency = catalogueEntry(reportNumber).frequency;
    const PeriodCheck accepted{PeriodCheck::Accepted, period};
    const PeriodCheck refused{PeriodCheck::Refused, QString()};
    if (period.size() != 6) {
        prompter.tell(MessageKind::Error, kPeriodFormatMessage);
        return refused;
    }
    // Unsigned 16-bit values, as the dialog has always compared them.
    const auto thisYear = static_cast<quint16>(today.year());
    const auto thisMonth = static_cast<quint16>(today.month());
    const auto year = static_cast<quint16>(toInteger32(QStringView(period).left(4)));
    const auto month = static_cast<quint16>(toInteger32(QStringView(period).mid(4, 2)));
    const bool beforeToday = year < thisYear || (year == thisYear && month < thisMonth);
    const auto confirmedAhead = [&] {
        if (beforeToday) {
            return accepted;
        }
        const Answer answer = prompter.ask(MessageKind::Warning,
                                           QStringLiteral("Oppdaget unormal periode (") + period +
                                               kTooFarAhead + QStringLiteral("\n\rEr den korrekt?"),
                                           Buttons::YesNo);
        return answer == Answer::Yes ? accepted : refused;
    };

    switch (frequency) {
        case Frequency::Monthly:
            if (month < 1 || month > 12) {
                prompter.tell(MessageKind::Error,
                              QStringLiteral("Oppdaget ulovlig periode (") + period +
                                  QStringLiteral(") !\n\rMåneden må være fra 01 til 12."));
                return refused;
            }
            return confirmedAhead();
        case Frequency::Quarterly:
            if (month != 3 && month != 6 && month != 9 && month != 12) {
                prompter.tell(MessageKind::Error,
                              QStringLiteral("Oppdaget ulovlig periode!\n\rKvartalsrapporten skal "
                                             "registreres med\n\rmånedene 3, 6, 9 eller 12."));
                return refused;
            }
            return confirmedAhead();
        case Frequency::Annual:
            break;
    }
    if (year >= thisYear) {
        prompter.tell(MessageKind::Error,
                      QStringLiteral("Oppdaget ulovlig periode (") + period + kTooFarAhead);
        return refused;
    }
    if (month == 12) {
        return accepted;
    }
    const QString december = period.left(4) + QStringLiteral("12");
    if (prompter.ask(
            MessageKind::Error,
            QStringLiteral("Oppdaget ulovlig periode!\n\rÅrsrapporten skal registreres med årets 12. "
                           "måned.\n\rSkal programmet endre til \"") +
                december + QStringLiteral("\" ?"),
            Buttons::YesNo) != Answer::Yes) {
        return refused;
    }
    return {PeriodCheck::Corrected, december};
}

}  // namespace telvainn
