#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "app/SendHistory.h"

// How an entry of the history reads to a person, in the window, in the command-line tool and in the
// exported rows.
namespace telvainn {

// "sendt", "feilet", "pågår", "ukjent".
QString historyOutcomeText(HistoryOutcome outcome);
// "e-post", "kryptert fil", "datafil".
QString historyKindText(HistoryKind kind);
// "normal", "test", "datafil".
QString historyModeText(const RunMode& mode);
// "12.11.2026 10:14".
QString historyTimeText(const QDateTime& localTime);

// The records as rows for a spreadsheet: UTF-8 with a byte order mark, fields separated by ';' and
// quoted where needed, CR LF line ends, a heading row first.
QByteArray HistoryCsv(const QList<HistoryRecord>& records);

// What an entry holds, for a person to read. Mails and encrypted files are checked with the receiving
// side's strict parser and decrypted: the clear-text block (lines 1-12) and the report's XML document.
// A data file has no XML; its text is `clearText`. Raises telvainn::Error with a Norwegian message when
// the bytes cannot be read back, or do not match the entry's SHA-256.
struct SentReportContent {
    QString clearText;
    QString xml;
};
SentReportContent ReadSentReport(const HistoryRecord& record);

// Raises the message of a changed or damaged entry when the bytes do not match their SHA-256.
void RequireIntactBytes(const HistoryRecord& record);

}  // namespace telvainn
