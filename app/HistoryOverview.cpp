#include "app/HistoryOverview.h"

#include <algorithm>

#include "core/ReportCatalogue.h"

namespace telvainn {
namespace {

QString periodText(int year, int month) {
    return QStringLiteral("%1%2").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}

// A send or a correction, whichever came last, speaks for the period; a file saved for the user to
// mail counts only when no mail went.
OverviewCell cellOf(const QString& period, const PeriodHistory* facts, bool ended) {
    OverviewCell cell{period, OverviewState::NotDue, {}};
    if (facts != nullptr) {
        if (facts->corrected.isValid() && !(facts->sent > facts->corrected)) {
            cell.state = OverviewState::Corrected;
            cell.when = facts->corrected;
            return cell;
        }
        if (facts->sent.isValid()) {
            cell.state = OverviewState::Sent;
            cell.when = facts->sent;
            return cell;
        }
        if (facts->savedToFile.isValid()) {
            cell.state = OverviewState::SavedToFile;
            cell.when = facts->savedToFile;
            return cell;
        }
    }
    if (!ended) {
        return cell;
    }
    if (facts != nullptr && facts->sentInTest) {
        cell.state = OverviewState::SentInTest;
    } else if (facts != nullptr && facts->failed) {
        cell.state = OverviewState::Failed;
    } else {
        cell.state = OverviewState::Missing;
    }
    return cell;
}

}  // namespace

bool OverviewCell::outstanding() const {
    return state == OverviewState::Missing || state == OverviewState::Failed ||
           state == OverviewState::SentInTest;
}

bool HistoryOverview::anyOutstanding() const {
    return std::any_of(rows.begin(), rows.end(), [](const OverviewRow& row) {
        return std::any_of(row.cells.begin(), row.cells.end(),
                           [](const OverviewCell& cell) { return cell.outstanding(); });
    });
}

QStringList periodsOfYear(int reportNumber, int year) {
    QStringList periods;
    switch (catalogueEntry(reportNumber).frequency) {
        case Frequency::Monthly:
            for (int month = 1; month <= 12; ++month) {
                periods.append(periodText(year, month));
            }
            return periods;
        case Frequency::Quarterly:
            for (int month = 3; month <= 12; month += 3) {
                periods.append(periodText(year, month));
            }
            return periods;
        case Frequency::Annual:
            break;
    }
    return {periodText(year, 12)};
}

bool periodEnded(const QString& period, QDate today) {
    bool yearOk = false;
    bool monthOk = false;
    const int year = QStringView(period).left(4).toInt(&yearOk);
    const int month = QStringView(period).mid(4).toInt(&monthOk);
    const QDate first(year, month, 1);
    if (period.size() != 6 || !yearOk || !monthOk || !first.isValid()) {
        return false;
    }
    return today >= first.addMonths(1);
}

HistoryOverview BuildHistoryOverview(SendHistory& history, int year, int regnr, QDate today) {
    HistoryOverview overview{year, regnr, {}};
    const QList<int> sent = history.reportNumbersSent(regnr);
    const QList<PeriodHistory> facts = history.overview(year, regnr);
    for (const int reportNumber : kReportNumbers) {
        if (!sent.contains(reportNumber)) {
            continue;
        }
        OverviewRow row{reportNumber, {}};
        for (const QString& period : periodsOfYear(reportNumber, year)) {
            const auto found = std::find_if(facts.begin(), facts.end(), [&](const PeriodHistory& p) {
                return p.reportNumber == reportNumber && p.period == period;
            });
            row.cells.append(
                cellOf(period, found == facts.end() ? nullptr : &*found, periodEnded(period, today)));
        }
        overview.rows.append(row);
    }
    return overview;
}

QString overviewCellText(const OverviewCell& cell) {
    const QString date = cell.when.toString(QStringLiteral("dd.MM.yyyy"));
    switch (cell.state) {
        case OverviewState::Sent:
            return QStringLiteral("sendt ") + date;
        case OverviewState::Corrected:
            return QStringLiteral("korrigert ") + date;
        case OverviewState::SavedToFile:
            return QStringLiteral("lagret ") + date;
        case OverviewState::SentInTest:
            return QStringLiteral("bare test");
        case OverviewState::Failed:
            return QStringLiteral("feilet");
        case OverviewState::Missing:
            return QStringLiteral("mangler");
        case OverviewState::NotDue:
            break;
    }
    return QString();
}

}  // namespace telvainn
