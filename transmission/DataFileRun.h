#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/DataFile.h"
#include "core/Locale.h"
#include "transmission/DepartureLog.h"
#include "transmission/ReportMail.h"

namespace telvainn {

enum class DataFileMode {
    SaveFiles = 1,  // one encrypted file per company and report
    SendMails = 2,  // one mail per company and report
};

// Where a run has come: `done` reports of `total` handled, and the company and report handled next.
struct DataFileProgress {
    int done = 0;
    int total = 0;
    QString Regnr;
    QString reportNumber;
};

using DataFileProgressHandler = std::function<void(const DataFileProgress&)>;

// One company's report as a run is about to send it.
struct DataFileReportKey {
    QString Regnr;
    int reportNumber = 0;
};
// Given the file's first line and every report the run is about to mail, in order, once every line of
// the file has been checked; false sends nothing.
using DataFileSendingApproval =
    std::function<bool(const DataFileHeader& header, const std::vector<DataFileReportKey>& reports)>;

struct DataFileRunContext {
    QString mailSystem;              // EmailSystem of the settings
    QString reportVersion;           // the report version every envelope of the run carries
    bool testMode = false;           // "_(testfil).txt" file names
    Locale locale;                   // decimal separator of the number test
    QString pathTemplate;            // SaveFiles: the files go beside it and are named after it
    ReportMailer* mailer = nullptr;  // used in SendMails mode
    Clock clock = &QDateTime::currentDateTime;
    // Told before each report is saved or sent, and once more when all are done.
    DataFileProgressHandler progress;
    // SendMails: asked before the first mail.
    DataFileSendingApproval approveSending;
    // SaveFiles: told of every file before it is written and after (the mailer tells of mails).
    DepartureLog* log = nullptr;
};

// What became of one company's report, in the order the run handled them.
struct DataFileReportResult {
    QString reportNumber;
    QString Regnr;
    QString path;              // SaveFiles: the file written, or the one that could not be
    QString reason;            // the system's reason a file was not written
    bool done = false;         // the file written, or the mail taken by the mail system
    bool oldFileLeft = false;  // a file of that name from before is still there, not this report
    bool operator==(const DataFileReportResult&) const = default;
};

// What a run found, shown to the user even when it failed. Every text starts as "?".
struct DataFileRunOutputs {
    int companies = 0;
    QString kindLetter = QStringLiteral("?");
    QString Dsnr = QStringLiteral("?");
    QString Periode = QStringLiteral("?");
    QString Regnr = QStringLiteral("?");         // of the last data line read
    QString reportNumber = QStringLiteral("?");  // never determined by a run
    QString error;
    bool declined = false;  // the approval said no: nothing was sent, and `error` stays empty
    // Every report the run saved or tried to send, in order: a mail that failed with an error ends the
    // list, so that a failed run can say what a new attempt must not send twice.
    std::vector<DataFileReportResult> reports;
};

inline const QString kNoCompaniesMessage = QStringLiteral(
    "Programmet fant ingen rapport-data i fila.\r\n(\"GetAListOfCompaniesFromDataFile\" fant ingen "
    "selskaper.)");

// The file an encrypted report of a flat data file is saved in: beside the path template, named after
// it ("Kryptert_fil" for "Filnavn") + "_Periode<p>_RegNr<r>_R<nr>[K]" + ".txt" or "_(testfil).txt".
QString encryptedReportFilePath(const QString& pathTemplate, const QString& periode, const QString& regnr,
                                const QString& reportNumber, const QString& kindLetter, bool testMode);

// Splits a flat data file per company and report and saves or sends every report, once every line of
// the file has been checked. False with outputs.error set when the run stopped; reports handled before
// stay handled and listed. A file that cannot be written does not stop the run; a mail that fails does.
bool ProcessDataFile(const DataFileText& file, DataFileMode mode, DataFileRunOutputs& outputs,
                     const DataFileRunContext& context);
// The same for the file at `path`, which a read error stops before anything else.
bool ProcessDataFile(const QString& path, DataFileMode mode, DataFileRunOutputs& outputs,
                     const DataFileRunContext& context);

}  // namespace telvainn
