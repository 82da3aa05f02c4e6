#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/Prompter.h"
#include "core/RunMode.h"
#include "core/Settings.h"
#include "transmission/DataFileRun.h"

namespace telvainn {

struct DsnrCheckResult {
    bool goOn = true;
    QString fileDsnr = QStringLiteral("000");
};

// Compares the Dsnr of a flat data file's first line with the configured one and asks whether to go on
// when they differ. A first line shorter than four characters, or a Dsnr that is not all digits, passes
// without a question.
DsnrCheckResult FlatFileDsnrCheck(const QString& path, int configuredDsnr, Prompter& prompter);

// The outcome of saving a flat data file as encrypted files.
struct SaveDataFileResult {
    bool ok = false;
    QString message;         // the error to show when !ok, empty when the user chose to stop
    bool stopped = false;    // the Dsnr check said stop
    bool cancelled = false;  // no folder was chosen; `message` says so
    QStringList results;     // entry 0: the path template; then one entry per report
    DataFileRunOutputs outputs;
};

inline const QString kNoEncryptedFilesMessage = QStringLiteral(
    "Programmet klarte ikke generere noen kryptert mail ut fra den flate fila.\n\r\n\rSjekk om fila er "
    "korrekt!\n\r\n\rDet skal være en tekstfil med ren tekst, og skal kunne åpnes i programmet "
    "\"Notisblokk\".");

// Reads a flat data file and saves one encrypted file per company and report beside the path template
// that `choosePathTemplate` gives once the Dsnr check has passed (nothing: the user cancelled), with the
// report version "FLATFIL" for the whole run and "0" after it.
SaveDataFileResult SaveDataFileEncrypted(const QString& dataFile,
                                         const std::function<std::optional<QString>()>& choosePathTemplate,
                                         const TSettings& settings, const RunMode& mode, const Locale& locale,
                                         Prompter& prompter, const DataFileProgressHandler& progress = {});
// The same, beside a path template known beforehand.
SaveDataFileResult SaveDataFileEncrypted(const QString& dataFile, const QString& pathTemplate,
                                         const TSettings& settings, const RunMode& mode, const Locale& locale,
                                         Prompter& prompter);

// The run of a flat data file for the command-line tool and the desktop program alike: the configured
// mail system, the run mode's file names and the user's number format.
DataFileRunContext dataFileRunContext(const TSettings& settings, const RunMode& mode, const Locale& locale,
                                      const DataFileProgressHandler& progress);

// "Feilet ved generering av fila for rapport nr 10." for a result row "ErrorOccured(10)", followed by
// whatever the row holds after the marker (the Regnr, the path and the reason); nothing for a file row.
std::optional<QString> failedFileRowText(const QString& resultRow);

}  // namespace telvainn
