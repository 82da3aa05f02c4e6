#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "app/SendHistory.h"
#include "core/Prompter.h"
#include "core/RunMode.h"
#include "transmission/DataFileRun.h"

// The question before a report is sent again that the history holds as sent in normal mode.
namespace telvainn {

// Given the question, true when the report is to be sent again.
using RepeatConfirmation = std::function<bool(const QString& question)>;

// The question as a Yes/No confirmation of the prompter: the desktop program's way.
RepeatConfirmation RepeatConfirmationOf(Prompter& prompter);

// "Rapport R10 for periode 202410 ble sendt 12.11.2026 kl. 10:14. Vil du sende den igjen?"
QString RepeatQuestion(int reportNumber, const QString& period, const QDateTime& sent);

// What a command that sends needs to ask before a repeat: the history (none: nothing is asked) and who
// answers.
struct RepeatGuard {
    SendHistory* history = nullptr;
    RunMode mode;
    RepeatConfirmation confirm;
};

// True when the report of the information list (see TVeskReport::InformationList) may go: a test
// mail, a correction, a report the history has not seen sent, or a repeat that was confirmed.
bool MaySend(const RepeatGuard& guard, const QStringList& informationList);

// The same for the reports of a flat data file, asked once for all of its repeats.
bool MaySendDataFileReports(const RepeatGuard& guard, const DataFileHeader& header,
                            const std::vector<DataFileReportKey>& reports);

}  // namespace telvainn
