#include "app/RepeatedSends.h"

namespace telvainn {
namespace {

// A repeat matters only for an ordinary report (N, or F from a flat data file) sent in normal mode.
bool asks(const RepeatGuard& guard, const QString& reportType) {
    return guard.history != nullptr && guard.confirm && !guard.mode.test && reportType != QLatin1String("K");
}

QString sentAt(const QDateTime& sent) {
    return sent.toString(QStringLiteral("dd.MM.yyyy 'kl.' HH:mm"));
}

// A flat data file may hold a thousand companies; the question names the first repeats and counts the
// rest.
constexpr qsizetype kRepeatsNamed = 15;

}  // namespace

RepeatConfirmation RepeatConfirmationOf(Prompter& prompter) {
    return [&prompter](const QString& question) {
        return prompter.ask(MessageKind::Confirmation, question, Buttons::YesNo) == Answer::Yes;
    };
}

QString RepeatQuestion(int reportNumber, const QString& period, const QDateTime& sent) {
    return QStringLiteral("Rapport R%1 for periode %2 ble sendt %3. Vil du sende den igjen?")
        .arg(reportNumber)
        .arg(period, sentAt(sent));
}

bool MaySend(const RepeatGuard& guard, const QStringList& informationList) {
    const QString type = informationList.value(1);
    if (!asks(guard, type)) {
        return true;
    }
    const int reportNumber = informationList.value(5).toInt();
    const QString period = informationList.value(2);
    const std::optional<HistoryRecord> last =
        guard.history->lastSent(informationList.value(4).toInt(), reportNumber, period, type);
    return !last || guard.confirm(RepeatQuestion(reportNumber, period, last->localTime));
}

bool MaySendDataFileReports(const RepeatGuard& guard, const DataFileHeader& header,
                            const std::vector<DataFileReportKey>& reports) {
    if (!asks(guard, header.kindLetter)) {
        return true;
    }
    QStringList repeats;
    for (const DataFileReportKey& report : reports) {
        if (const std::optional<HistoryRecord> last = guard.history->lastSent(
                report.Regnr.toInt(), report.reportNumber, header.Periode, header.kindLetter)) {
            repeats.append(QStringLiteral("Regnr %1: rapport R%2 ble sendt %3.")
                               .arg(report.Regnr)
                               .arg(report.reportNumber)
                               .arg(sentAt(last->localTime)));
        }
    }
    if (repeats.isEmpty()) {
        return true;
    }
    if (repeats.size() > kRepeatsNamed) {
        const qsizetype more = repeats.size() - kRepeatsNamed;
        repeats.resize(kRepeatsNamed);
        repeats.append(QStringLiteral("... og %1 til.").arg(more));
    }
    return guard.confirm(
        QStringLiteral("Disse rapportene for periode %1 i fila er sendt før:\r\n\r\n%2\r\n\r\n"
                       "Vil du sende dem igjen? Svarer du nei, sendes ingen av rapportene "
                       "i fila.")
            .arg(header.Periode, repeats.join(QStringLiteral("\r\n"))));
}

}  // namespace telvainn
