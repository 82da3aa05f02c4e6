#pragma once

#include <QDate>
#include <QString>

#include "core/Prompter.h"

// The periods a new report may carry: the one normally due, and the checks of a typed one against the
// report's frequency and today's date. Both front ends ask the same questions through the Prompter.
namespace telvainn {

// Told for a period that is not six characters, year first.
inline const QString kPeriodFormatMessage =
    QStringLiteral("\"Periode\" har feil format Tast inn periode på nytt med formatet \"ååååmm\".");

// The period normally due on `today` for a catalogue report, as "yyyymm": the previous month, the last
// quarter that ended before this month, or December of the previous year. Raises the report-number
// message for any other number.
QString ProposedPeriod(int reportNumber, QDate today);

struct PeriodCheck {
    enum Outcome {
        Accepted,   // as typed
        Corrected,  // the user agreed to the corrected `period`
        Refused,    // told why, or the user did not confirm
    };
    Outcome outcome;
    QString period;  // what the report is to carry when not refused

    bool accepted() const { return outcome != Refused; }
};

// Checks `period` ("yyyymm") for the report on `today`, telling or asking through `prompter` where a
// rule needs it. Raises the number conversion's message when the characters are not digits.
PeriodCheck CheckPeriod(int reportNumber, const QString& period, QDate today, Prompter& prompter);

}  // namespace telvainn
