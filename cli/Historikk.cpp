#include <QRegularExpression>

#include "app/HistoryTexts.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/HistoryCommand.h"
#include "core/ReportCatalogue.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli historikk [--fra ÅÅÅÅMM] [--til ÅÅÅÅMM] [--rapport NR] [--regnr N] [--csv]\n"
    "\n"
    "Viser historikken over rapporter som har forlatt programmet (e-post,\n"
    "krypterte filer og datafiler), nyeste først.\n"
    "\n"
    "  --fra ÅÅÅÅMM   bare perioder fra og med ÅÅÅÅMM\n"
    "  --til ÅÅÅÅMM   bare perioder til og med ÅÅÅÅMM\n"
    "  --rapport NR   bare rapportnummer NR\n"
    "  --regnr N      bare selskapet med Regnr N\n"
    "  --csv          skriv oppføringene som semikolonseparert tekst for et\n"
    "                 regneark (UTF-8), med alle feltene\n"
    "\n"
    "Historikken ligger i telvainn-historikk.db i programmappen.");

constexpr int kPageSize = 500;

QString periodProblem(const Arguments& arguments, const QString& option) {
    static const QRegularExpression period(QStringLiteral("^[0-9]{4}(0[1-9]|1[0-2])$"));
    const std::optional<QString> value = arguments.value(option);
    if (!value || period.match(*value).hasMatch()) {
        return QString();
    }
    return QStringLiteral("Valget %1 skal være en periode på formen ÅÅÅÅMM, ikke \"%2\".")
        .arg(option, *value);
}

QString usageProblem(const Arguments& arguments) {
    if (!arguments.positional().isEmpty()) {
        return QStringLiteral("Ukjent argument: %1").arg(arguments.positional().front());
    }
    for (const QString& problem : {periodProblem(arguments, QStringLiteral("--fra")),
                                   periodProblem(arguments, QStringLiteral("--til")),
                                   wholeNumberProblem(arguments, QStringLiteral("--rapport")),
                                   wholeNumberProblem(arguments, QStringLiteral("--regnr"))}) {
        if (!problem.isEmpty()) {
            return problem;
        }
    }
    if (const auto reportNumber = arguments.value(QStringLiteral("--rapport"));
        reportNumber && !isCatalogueReport(reportNumber->toInt())) {
        return reportNumberMessage(reportNumber->toInt());
    }
    return QString();
}

HistoryFilter filterOf(const Arguments& arguments) {
    HistoryFilter filter;
    filter.periodFrom = arguments.value(QStringLiteral("--fra")).value_or(QString());
    filter.periodTo = arguments.value(QStringLiteral("--til")).value_or(QString());
    if (const auto reportNumber = arguments.value(QStringLiteral("--rapport"))) {
        filter.reportNumber = reportNumber->toInt();
    }
    if (const auto regnr = arguments.value(QStringLiteral("--regnr"))) {
        filter.regnr = regnr->toInt();
    }
    filter.limit = kPageSize;
    return filter;
}

// Every matching entry, newest first. An entry recorded meanwhile pushes the later pages back by one,
// so an id not older than the last one taken has been taken already.
QList<HistoryRecord> allEntries(SendHistory& history, HistoryFilter filter) {
    QList<HistoryRecord> entries;
    for (;; filter.offset += filter.limit) {
        const QList<HistoryRecord> page = history.list(filter);
        for (const HistoryRecord& r : page) {
            if (entries.isEmpty() || r.id < entries.last().id) {
                entries.append(r);
            }
        }
        if (page.size() < filter.limit) {
            return entries;
        }
    }
}

QString table(const QList<HistoryRecord>& entries) {
    QList<QStringList> rows{{QStringLiteral("Id"), QStringLiteral("Tid"), QStringLiteral("Modus"),
                             QStringLiteral("Sendt som"), QStringLiteral("Regnr"), QStringLiteral("Rapport"),
                             QStringLiteral("Periode"), QStringLiteral("Type"), QStringLiteral("Utfall"),
                             QStringLiteral("Mottaker")}};
    for (const HistoryRecord& r : entries) {
        const TReportIdentity& identity = r.entry.identity;
        rows.append({QString::number(r.id), historyTimeText(r.localTime), historyModeText(r.entry.mode),
                     historyKindText(r.entry.kind), regnrText(identity.Regnr),
                     QString::number(identity.Rapportnr), identity.Periode, identity.Rapporttype,
                     historyOutcomeText(r.outcome), r.entry.recipient});
    }
    return alignedTable(rows);
}

// Exactly the bytes for a file or a pipe; a terminal gets them as text it cannot be driven by.
void writeCsv(const QByteArray& csv) {
    if (isTerminal(stdout)) {
        print(stdout, QString::fromUtf8(csv));
    } else {
        writeBytes(stdout, csv);
    }
}

}  // namespace

int historikk(const QStringList& args) {
    const Arguments arguments(args, {QStringLiteral("--csv")},
                              {QStringLiteral("--fra"), QStringLiteral("--til"), QStringLiteral("--rapport"),
                               QStringLiteral("--regnr")});
    const QString problem = arguments.ok() ? usageProblem(arguments) : QString();
    if (const auto end = arguments.endBeforeRun(kHelp, !problem.isEmpty(), problem)) {
        return *end;
    }
    const bool csv = arguments.has(QStringLiteral("--csv"));
    const std::unique_ptr<SendHistory> history = existingHistory();
    if (!history) {
        if (csv) {
            writeCsv(HistoryCsv({}));
            err(noHistoryMessage());
        } else {
            out(noHistoryMessage());
        }
        return Success;
    }
    if (!history->available()) {
        printHistoryWarning(*history);
        return Failure;
    }
    const QList<HistoryRecord> entries = allEntries(*history, filterOf(arguments));
    if (csv) {
        writeCsv(HistoryCsv(entries));
    } else if (entries.isEmpty()) {
        out(QStringLiteral("Ingen oppføringer i historikken passer til valgene."));
    } else {
        print(stdout, table(entries));
    }
    return printHistoryWarning(*history) ? Failure : Success;
}

}  // namespace telvainn::cli
