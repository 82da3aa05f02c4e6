#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/SendHistory.h"
#include "cli/Arguments.h"

// What the commands that read the history of sent reports share.
namespace telvainn::cli {

// "Ingen historikk over sendte rapporter: <file> finnes ikke."
QString noHistoryMessage();

// The program folder's history, or nullptr when there is none yet: a command that only reads must not
// leave an empty one behind.
std::unique_ptr<SendHistory> existingHistory();

// The history's warnings on standard error; whether there were any.
bool printHistoryWarning(SendHistory& history);

// Why the option's value is not a whole number, or empty when it is one or the option is absent.
QString wholeNumberProblem(const Arguments& arguments, const QString& option);

// The rows with their columns lined up on the widest cell, two blanks apart, each line ending in "\n".
QString alignedTable(const QList<QStringList>& rows);

}  // namespace telvainn::cli
