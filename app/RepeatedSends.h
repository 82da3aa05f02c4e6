#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

#include "core/Prompter.h"

// The question before a report is sent again that the history holds as sent in normal mode.
namespace telvainn {

// Given the question, true when the report is to be sent again.
using RepeatConfirmation = std::function<bool(const QString& question)>;

// The question as a Yes/No confirmation of the prompter: the desktop program's way.
RepeatConfirmation RepeatConfirmationOf(Prompter& prompter);

// "Rapport R10 for periode 202410 ble sendt 12.11.2026 kl. 10:14. Vil du sende den igjen?"
QString RepeatQuestion(int reportNumber, const QString& period, const QDateTime& sent);

}  // namespace telvainn
