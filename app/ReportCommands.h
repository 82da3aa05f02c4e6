#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "app/TVeskReports.h"

// The commands on the open report that both programs offer, each deciding what the user is told; the
// front ends only present it.
namespace telvainn {

// A report that is never validated: the message instead of the validation and the lines the log gets.
struct UnvalidatedReport {
    QString message;
    QStringList logLines;
};

// Nothing when the report is to be validated.
std::optional<UnvalidatedReport> WithoutValidation(int reportNumber);

struct ReportResult {
    enum Outcome { Done, Cancelled, Failed };
    Outcome outcome = Done;
    QString message;    // to be told; empty when there is nothing to tell
    QString path;       // the file written
    QString recipient;  // whose receipt follows a sent report

    bool done() const { return outcome == Done; }
};

// Encrypts the report and mails it through `mailer`; a login the user cancelled is Cancelled.
ReportResult SendOpenReport(TVeskReports& reports, TVeskReport& report, ReportMailer& mailer,
                            const QString& recipientName);
// The report's envelope as a file at `path`.
ReportResult SaveReportEncrypted(TVeskReports& reports, TVeskReport& report, const QString& path);
// The report's data lines as a plain data file at `path`.
ReportResult WriteReportDataFile(TVeskReports& reports, TVeskReport& report, const QString& path);

}  // namespace telvainn
