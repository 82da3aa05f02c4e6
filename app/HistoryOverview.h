#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "app/SendHistory.h"

// What a company has delivered of the reports it sends, period by period, and what is due and missing.
namespace telvainn {

enum class OverviewState {
    NotDue,       // the period has not ended yet, and nothing was sent for it
    Missing,      // due, and nothing was sent for it
    Failed,       // due; every attempt failed or its outcome is unknown
    SentInTest,   // due; only test mails went
    SavedToFile,  // an encrypted file was saved in normal mode (the mail is the user's to send)
    Sent,         // a mail of type N or F accepted in normal mode
    Corrected,    // a correction (K) accepted in normal mode, after or without a first send
};

struct OverviewCell {
    QString period;  // "ååååmm"
    OverviewState state = OverviewState::NotDue;
    QDateTime when;  // local time of the send, correction or file the state speaks of
    // Due, and neither sent, corrected nor saved as a file: what stands out.
    bool outstanding() const;
};

struct OverviewRow {
    int reportNumber = 0;
    QList<OverviewCell> cells;  // the periods of the year the report is due for, in order
};

struct HistoryOverview {
    int year = 0;
    int regnr = 0;
    QList<OverviewRow> rows;  // every report number the company has ever sent, in catalogue order
    bool anyOutstanding() const;
};

// The periods of `year` a report is due for by its frequency: all twelve months, the quarters' last
// months (03, 06, 09, 12), or December.
QStringList periodsOfYear(int reportNumber, int year);
// A period is due once its last day has passed.
bool periodEnded(const QString& period, QDate today);

HistoryOverview BuildHistoryOverview(SendHistory& history, int year, int regnr, QDate today);

// The cell's text as the window and the command-line tool show it: "sendt 12.11.2026",
// "korrigert 12.11.2026", "lagret 12.11.2026", "bare test", "feilet", "mangler", or "" when not due.
QString overviewCellText(const OverviewCell& cell);

}  // namespace telvainn
