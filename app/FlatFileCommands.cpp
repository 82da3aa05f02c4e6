#include "app/FlatFileCommands.h"

#include "core/Error.h"
#include "core/Numbers.h"
#include "core/ReportIdentity.h"
#include "core/TemplateVersion.h"

namespace telvainn {

DsnrCheckResult FlatFileDsnrCheck(const QString& path, int configuredDsnr, Prompter& prompter) {
    DsnrCheckResult result;
    const QStringList lines = readTextFileLines(path);
    const QString firstLine = lines.value(0);
    if (firstLine.size() < 4) {
        return result;
    }
    result.fileDsnr = firstLine.mid(1, 3);
    const QString configured = dsnrText(configuredDsnr);
    if (isDigitsOnly(result.fileDsnr) && result.fileDsnr != configured) {
        const QString question =
            QStringLiteral("Den flate fila inneholder tall for datasentral <") + result.fileDsnr +
            QStringLiteral(">, mens du har konfigurert deg med datasentral nummer <") + configured +
            QStringLiteral(
                ">.\n\rKanskje burde du endre filas første linje?\n\r\n\r"
                "Ønsker du å sende fila slik den er?");
        result.goOn = prompter.ask(MessageKind::Warning, question, Buttons::YesNo) == Answer::Yes;
    }
    return result;
}

SaveDataFileResult SaveDataFileEncrypted(const QString& dataFile, const QString& pathTemplate,
                                         const TSettings& settings, const RunMode& mode, const Locale& locale,
                                         Prompter& prompter) {
    return SaveDataFileEncrypted(
        dataFile, [&pathTemplate]() -> std::optional<QString> { return pathTemplate; }, settings, mode,
        locale, prompter);
}

SaveDataFileResult SaveDataFileEncrypted(const QString& dataFile,
                                         const std::function<std::optional<QString>()>& choosePathTemplate,
                                         const TSettings& settings, const RunMode& mode, const Locale& locale,
                                         Prompter& prompter, const DataFileProgressHandler& progress) {
    const FlatFileVersionScope versionScope;
    SaveDataFileResult result;
    try {
        if (!FlatFileDsnrCheck(dataFile, settings.Dsnr, prompter).goOn) {
            result.stopped = true;
            return result;
        }
    } catch (const Error& e) {
        result.message = e.message();
        return result;
    }

    const std::optional<QString> pathTemplate = choosePathTemplate();
    if (!pathTemplate) {
        result.cancelled = true;
        result.message = kCancelledByUserMessage;
        return result;
    }
    result.results = QStringList{*pathTemplate};
    const DataFileRunContext context = dataFileRunContext(settings, mode, locale, progress);
    if (!ProcessDataFile(dataFile, DataFileMode::SaveFiles, result.results, result.outputs, context)) {
        result.message =
            result.outputs.error.isEmpty()
                ? QStringLiteral("Klarte ikke å generere krypterte filer.")
                : QStringLiteral("Klarte ikke å generere krypterte filer!\n\r") + result.outputs.error;
        return result;
    }
    if (result.results.size() == 1) {
        result.message = kNoEncryptedFilesMessage;
        return result;
    }
    result.ok = true;
    return result;
}

DataFileRunContext dataFileRunContext(const TSettings& settings, const RunMode& mode, const Locale& locale,
                                      const DataFileProgressHandler& progress) {
    DataFileRunContext context;
    context.mailSystem = settings.EmailSystem;
    context.testMode = mode.test;
    context.locale = locale;
    context.progress = progress;
    return context;
}

std::optional<QString> failedFileRowText(const QString& resultRow) {
    if (!resultRow.contains(QLatin1String("ErrorOccured("))) {
        return std::nullopt;
    }
    const qsizetype open = resultRow.indexOf(QLatin1Char('('));
    const qsizetype close = resultRow.indexOf(QLatin1Char(')'));
    // What the run added after the marker (whose file, where, why) follows the text.
    return QStringLiteral("Feilet ved generering av fila for rapport nr ") +
           resultRow.mid(open + 1, close < 0 ? -1 : close - open - 1) + QLatin1Char('.') +
           (close < 0 ? QString() : resultRow.mid(close + 1));
}

}  // namespace telvainn
