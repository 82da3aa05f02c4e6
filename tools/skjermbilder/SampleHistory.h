#pragma once

#include <QDate>
#include <QString>

// The history the pictures show: a company that sends report 10 every month and report 21 every quarter
// of 2026, mailed in normal mode, with a test mail before the first report, a correction, one month
// forgotten and the last send failed, as it stands on kSampleHistoryToday. Recorded in the program
// folder `folder`; false when it could not be.
inline const QDate kSampleHistoryToday(2026, 12, 10);
bool fillSampleHistory(const QString& folder);
