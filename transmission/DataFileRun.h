#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/DataFile.h"
#include "core/Locale.h"
#include "transmission/BlowfishCipher.h"
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

struct DataFileRunContext {
    QString mailSystem;              // EmailSystem of the settings
    bool testMode = false;           // "_(testfil).txt" file names
    Locale locale;                   // decimal separator of the number test
    ReportMailer* mailer = nullptr;  // used in SendMails mode
    Clock clock = &QDateTime::currentDateTime;
    // Told before each report is saved or sent, and once more when all are done.
    DataFileProgressHandler progress;
};

// One company's report in a run's account of what was sent.
struct DataFileReportId {
    QString Regnr;
    QString reportNumber;
    bool operator==(const DataFileReportId&) const = default;
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
    // In mail mode, in the order of sending: the reports the mail system took, and those it did not
    // (a failed or cancelled mail), so a failed run can say what a new attempt must not send twice.
    std::vector<DataFileReportId> delivered;
    std::vector<DataFileReportId> failed;
};

inline const QString kNoCompaniesMessage = QStringLiteral(
    "Programmet fant ingen rapport-data i fila.\r\n(\"GetAListOfCompaniesFromDataFile\" fant ingen "
    "selskaper.)");

// One company's reports, each encrypted with the company's own cipher.
class TDataFileReports : public DataFileReportTexts {
  public:
    TDataFileReports(DataFileHeader header, const DataFileRunContext& context, QStringList& results);

    // Writes one encrypted file per report; its path, or "ErrorOccured(<report number>)" followed by the
    // Regnr, the path and the system's reason when the file could not be written, goes to the result
    // list. The first entry of the list is the path template.
    void SaveReports(DataFileProgress& progress);
    // Mails every report; a cancelled mail clears `success`, the report number goes to the result list
    // either way, and the report to `outputs`' delivered or failed list.
    void SendReports(bool& success, DataFileProgress& progress, DataFileRunOutputs& outputs);

  private:
    // The envelope of one report, and the information list it was built from.
    QByteArray encryptedReportText(int index, QStringList& informationList) const;
    // Tells the run's progress that the report of catalogue index `index` is next.
    void announce(DataFileProgress& progress, int index) const;

    BlowfishCipher m_cipher;
    const DataFileRunContext& m_context;
    QStringList& m_results;
};

// The file an encrypted report of a flat data file is saved in: beside the path template, named after
// it ("Kryptert_fil" for "Filnavn") + "_Periode<p>_RegNr<r>_R<nr>[K]" + ".txt" or "_(testfil).txt".
QString encryptedReportFilePath(const QString& pathTemplate, const QString& periode, const QString& regnr,
                                const QString& reportNumber, const QString& kindLetter, bool testMode);

// Reads a flat data file, splits it per company and report and saves or sends every report. False with
// outputs.error set when the run stopped; reports handled before stay handled and listed.
bool ProcessDataFile(const QString& path, DataFileMode mode, QStringList& results,
                     DataFileRunOutputs& outputs, const DataFileRunContext& context);

}  // namespace telvainn
