#include <QDate>
#include <QRegularExpression>

#include "app/HistoryOverview.h"
#include "cli/Arguments.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/HistoryCommand.h"
#include "core/ReportIdentity.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli oversikt [--år ÅÅÅÅ] [--regnr N]\n"
    "\n"
    "Viser for ett selskap og ett år hva som er sendt av hver rapport, periode\n"
    "for periode, og hva som er forfalt uten å være sendt. Med er de\n"
    "rapportnumrene selskapet har sendt minst én gang, som e-post eller som\n"
    "kryptert fil, utenom testmodus. En periode er forfalt når den er over.\n"
    "\n"
    "  --år ÅÅÅÅ   året (ellers i år)\n"
    "  --regnr N   selskapet (ellers REGNR i telvainn.ini)\n"
    "\n"
    "Avslutter med 0 når alt som er forfalt er sendt, korrigert eller lagret som\n"
    "kryptert fil, med 1 når noe forfalt mangler, feilet eller bare er sendt i\n"
    "testmodus, eller når historikken ikke kan leses, og med 2 ved feil bruk.");

QString usageProblem(const Arguments& arguments) {
    static const QRegularExpression year(QStringLiteral("^[0-9]{4}$"));
    if (!arguments.positional().isEmpty()) {
        return QStringLiteral("Ukjent argument: %1").arg(arguments.positional().front());
    }
    if (const auto value = arguments.value(QStringLiteral("--år")); value && !year.match(*value).hasMatch()) {
        return QStringLiteral("Valget --år skal være et år på formen ÅÅÅÅ, ikke \"%1\".").arg(*value);
    }
    return wholeNumberProblem(arguments, QStringLiteral("--regnr"));
}

// One row per report number, one column per month; a month the report is not due for stays empty.
QString grid(const HistoryOverview& overview) {
    QStringList heading{QStringLiteral("Rapport")};
    for (int month = 1; month <= 12; ++month) {
        heading.append(QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')));
    }
    QList<QStringList> rows{heading};
    for (const OverviewRow& row : overview.rows) {
        QStringList cells(13);
        cells[0] = QStringLiteral("R%1").arg(row.reportNumber);
        for (const OverviewCell& cell : row.cells) {
            cells[cell.period.mid(4).toInt()] = overviewCellText(cell);
        }
        rows.append(cells);
    }
    return alignedTable(rows);
}

}  // namespace

int oversikt(const QStringList& args) {
    const Arguments arguments(args, {}, {QStringLiteral("--år"), QStringLiteral("--regnr")});
    const QString problem = arguments.ok() ? usageProblem(arguments) : QString();
    if (const auto end = arguments.endBeforeRun(kHelp, !problem.isEmpty(), problem)) {
        return *end;
    }
    const QDate today = QDate::currentDate();
    const int year = arguments.value(QStringLiteral("--år")).value_or(QString::number(today.year())).toInt();
    int regnr = 0;
    if (const auto value = arguments.value(QStringLiteral("--regnr"))) {
        regnr = value->toInt();
    } else {
        const std::optional<TSettings> settings = loadCommandSettings(RunMode{});
        if (!settings) {
            return Failure;
        }
        if (settings->Regnr == 0) {
            err(QStringLiteral("Regnr er ikke satt i telvainn.ini. Oppgi selskapet med --regnr."));
            return Usage;
        }
        regnr = settings->Regnr;
    }

    const std::unique_ptr<SendHistory> history = existingHistory();
    if (!history) {
        out(noHistoryMessage());
        return Success;
    }
    if (!history->available()) {
        printHistoryWarning(*history);
        return Failure;
    }
    const HistoryOverview overview = BuildHistoryOverview(*history, year, regnr, today);
    out(QStringLiteral("Sendte rapporter for Regnr %1 i %2, per %3:")
            .arg(regnrText(regnr), QString::number(year), today.toString(QStringLiteral("dd.MM.yyyy"))));
    out(QString());
    if (overview.rows.isEmpty()) {
        out(QStringLiteral("Selskapet har ikke sendt noen rapporter ennå."));
    } else {
        print(stdout, grid(overview));
        out(QString());
        out(overview.anyOutstanding() ? QStringLiteral("Noe som er forfalt, er ikke sendt.")
                                      : QStringLiteral("Alt som er forfalt, er sendt."));
    }
    const bool failedToRead = printHistoryWarning(*history);
    return overview.anyOutstanding() || failedToRead ? Failure : Success;
}

}  // namespace telvainn::cli
