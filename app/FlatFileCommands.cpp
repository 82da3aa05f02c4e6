#include "app/FlatFileCommands.h"

#include "core/ControlCharacters.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/ReportIdentity.h"

namespace telvainn {

DsnrCheckResult FlatFileDsnrCheck(const QString& firstLine, int configuredDsnr, Prompter& prompter) {
    DsnrCheckResult result;
    const DataFileHeader header = parseDataFileHeader(firstLine);
    // A line of four characters or more holds the whole Dsnr.
    if (header.Dsnr.size() < 3) {
        return result;
    }
    result.fileDsnr = header.Dsnr;
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
                                         Prompter& prompter, TemplateVersion& templateVersion,
                                         DepartureLog* log) {
    return SaveDataFileEncrypted(
        dataFile, [&pathTemplate]() -> std::optional<QString> { return pathTemplate; }, settings, mode,
        locale, prompter, templateVersion, {}, log);
}

SaveDataFileResult SaveDataFileEncrypted(const QString& dataFile,
                                         const std::function<std::optional<QString>()>& choosePathTemplate,
                                         const TSettings& settings, const RunMode& mode, const Locale& locale,
                                         Prompter& prompter, TemplateVersion& templateVersion,
                                         const DataFileProgressHandler& progress, DepartureLog* log) {
    const FlatFileVersionScope versionScope(templateVersion);
    SaveDataFileResult result;
    std::optional<DataFileText> file;
    try {
        file.emplace(DataFileText::read(dataFile));
    } catch (const Error& e) {
        result.message = e.message();
        return result;
    }
    if (!FlatFileDsnrCheck(file->firstLine(), settings.Dsnr, prompter).goOn) {
        result.stopped = true;
        return result;
    }

    const std::optional<QString> pathTemplate = choosePathTemplate();
    if (!pathTemplate) {
        result.cancelled = true;
        result.message = kCancelledByUserMessage;
        return result;
    }
    DataFileRunContext context = dataFileRunContext(settings, mode, locale, templateVersion, progress);
    context.pathTemplate = *pathTemplate;
    context.log = log;
    if (!ProcessDataFile(*file, DataFileMode::SaveFiles, result.outputs, context)) {
        result.message =
            result.outputs.error.isEmpty()
                ? QStringLiteral("Klarte ikke å generere krypterte filer.")
                : QStringLiteral("Klarte ikke å generere krypterte filer!\n\r") + result.outputs.error;
        return result;
    }
    if (result.outputs.reports.empty()) {
        result.message = kNoEncryptedFilesMessage;
        return result;
    }
    result.ok = true;
    return result;
}

DataFileRunContext dataFileRunContext(const TSettings& settings, const RunMode& mode, const Locale& locale,
                                      const TemplateVersion& templateVersion,
                                      const DataFileProgressHandler& progress) {
    DataFileRunContext context;
    context.mailSystem = settings.EmailSystem;
    context.reportVersion = templateVersion.text();
    context.testMode = mode.test;
    context.locale = locale;
    context.progress = progress;
    return context;
}

EncryptedFileRow encryptedFileRow(const DataFileReportResult& report) {
    if (report.done) {
        return {report.path, report.path, true};
    }
    QString text = QStringLiteral("Feilet ved generering av fila for rapport nr ") + report.reportNumber +
                   QStringLiteral(". Regnr %1, fila \"%2\": %3")
                       .arg(report.Regnr, withVisibleControls(report.path), report.reason);
    if (!text.endsWith(QLatin1Char('.'))) {
        text += QLatin1Char('.');
    }
    if (report.oldFileLeft) {
        text += QStringLiteral(
            " En eldre fil med samme navn ligger der fortsatt og inneholder ikke denne "
            "rapporten.");
    }
    return {text, QString(), false};
}

std::vector<EncryptedFileRow> encryptedFileRows(const std::vector<DataFileReportResult>& reports) {
    std::vector<EncryptedFileRow> rows;
    rows.reserve(reports.size());
    for (const DataFileReportResult& report : reports) {
        rows.push_back(encryptedFileRow(report));
    }
    return rows;
}

}  // namespace telvainn
