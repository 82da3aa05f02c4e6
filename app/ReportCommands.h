#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "app/RepeatedSends.h"
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

// "Rapporten ble sendt. Du vil motta en kvittering når den er lest hos <mottaker>."
QString SentMessage(const QString& recipientName);
// "Kunne ikke sende rapporten:" with the reason and the advice to save the report as an encrypted file.
QString SendFailedMessage(const QString& reason);

// Encrypts the report and mails it through `mailer`; a login the user cancelled is Cancelled. A report
// the history holds as sent goes again only when `repeat` confirms it; otherwise the result is
// Cancelled without a message.
ReportResult SendOpenReport(TVeskReports& reports, TVeskReport& report, ReportMailer& mailer,
                            const QString& recipientName, const RepeatGuard& repeat = {});
// The report's envelope as a file at `path`.
ReportResult SaveReportEncrypted(TVeskReports& reports, TVeskReport& report, const QString& path);
// The report's data lines as a plain data file at `path`.
ReportResult WriteReportDataFile(TVeskReports& reports, TVeskReport& report, const QString& path);

}  // namespace telvainn
