#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "core/DataFile.h"
#include "core/Prompter.h"
#include "core/RunMode.h"
#include "core/Settings.h"
#include "core/TemplateVersion.h"
#include "transmission/DataFileRun.h"

namespace telvainn {

struct DsnrCheckResult {
    bool goOn = true;
    QString fileDsnr = QStringLiteral("000");
};

// Compares the Dsnr of a flat data file's first line with the configured one and asks whether to go on
// when they differ. A first line shorter than four characters, or a Dsnr that is not all digits, passes
// without a question.
DsnrCheckResult FlatFileDsnrCheck(const QString& firstLine, int configuredDsnr, Prompter& prompter);

// The outcome of saving a flat data file as encrypted files.
struct SaveDataFileResult {
    bool ok = false;
    QString message;         // the error to show when !ok, empty when the user chose to stop
    bool stopped = false;    // the Dsnr check said stop
    bool cancelled = false;  // no folder was chosen; `message` says so
    DataFileRunOutputs outputs;
};

inline const QString kNoEncryptedFilesMessage = QStringLiteral(
    "Programmet klarte ikke generere noen kryptert mail ut fra den flate fila.\n\r\n\rSjekk om fila er "
    "korrekt!\n\r\n\rDet skal være en tekstfil med ren tekst, og skal kunne åpnes i programmet "
    "\"Notisblokk\".");

// Reads a flat data file and saves one encrypted file per company and report beside the path template
// that `choosePathTemplate` gives once the Dsnr check has passed (nothing: the user cancelled), with
// `templateVersion` at "FLATFIL" for the whole command and "0" after it. Every file is told to `log`.
SaveDataFileResult SaveDataFileEncrypted(const QString& dataFile,
                                         const std::function<std::optional<QString>()>& choosePathTemplate,
                                         const TSettings& settings, const RunMode& mode, const Locale& locale,
                                         Prompter& prompter, TemplateVersion& templateVersion,
                                         const DataFileProgressHandler& progress = {},
                                         DepartureLog* log = nullptr);
// The same, beside a path template known beforehand.
SaveDataFileResult SaveDataFileEncrypted(const QString& dataFile, const QString& pathTemplate,
                                         const TSettings& settings, const RunMode& mode, const Locale& locale,
                                         Prompter& prompter, TemplateVersion& templateVersion,
                                         DepartureLog* log = nullptr);

// The run of a flat data file for the command-line tool and the desktop program alike: the configured
// mail system, the report version, the run mode's file names and the user's number format.
DataFileRunContext dataFileRunContext(const TSettings& settings, const RunMode& mode, const Locale& locale,
                                      const TemplateVersion& templateVersion,
                                      const DataFileProgressHandler& progress);

// One encrypted file as the guidance window lists it and the command-line tool prints it.
struct EncryptedFileRow {
    QString text;  // the path, or why the report's file is not there
    QString path;  // the file to open; empty when it was not written
    bool ok = true;
};

// The path of a written file; for one that was not, "Feilet ved generering av fila for rapport nr 10."
// followed by whose file, where, why, and that a file of that name from before is not this report.
EncryptedFileRow encryptedFileRow(const DataFileReportResult& report);
std::vector<EncryptedFileRow> encryptedFileRows(const std::vector<DataFileReportResult>& reports);

}  // namespace telvainn
