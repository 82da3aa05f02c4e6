#include "app/DataFileSending.h"

#include "app/FlatFileCommands.h"
#include "app/MailSystemConfirmation.h"
#include "core/Error.h"

namespace telvainn {
namespace {

QString sentMessage(const std::vector<DataFileReportResult>& sent, const TSettings& settings) {
    QStringList reports;
    for (const DataFileReportResult& report : sent) {
        reports.append(report.reportNumber);
    }
    return QStringLiteral(
               "Programmet skal normalt sende én mail pr. rapport som ligger i den flate fila.\n\rProgrammet "
               "har nå sendt ") +
           QString::number(reports.size()) + QStringLiteral(" mail til ") + settings.RecipientAddress +
           QStringLiteral(".\n\rDet er rapporten(e) ") + reportListText(reports) +
           QStringLiteral(".\r\nDu vil motta en kvittering når de er lest hos ") + settings.RecipientName +
           QLatin1Char('.');
}

// The reports the mail system took, or those it did not.
QString reportIds(const std::vector<DataFileReportResult>& reports, bool sent) {
    QStringList texts;
    for (const DataFileReportResult& report : reports) {
        if (report.done == sent) {
            texts.append(QStringLiteral("Regnr %1 R%2").arg(report.Regnr, report.reportNumber));
        }
    }
    return texts.isEmpty() ? QStringLiteral("ingen") : texts.join(QStringLiteral(", "));
}

// After the failure, once a mail was tried: what the run did send and what it did not, so that a new
// attempt does not send a report twice.
QString failedMessage(const DataFileRunOutputs& outputs) {
    const QString failure =
        outputs.error.isEmpty()
            ? QStringLiteral(
                  "Klarte ikke å sende filen!\n\rForsøk i stedet å lagre flat fil som kryptert "
                  "fil, og send den krypterte filen manuelt.")
            : QStringLiteral("Klarte ikke å sende filen!\n\r") + outputs.error;
    if (outputs.reports.empty()) {
        return failure;
    }
    return failure + QStringLiteral("\n\r\n\rSendt: ") + reportIds(outputs.reports, true) +
           QStringLiteral(".\n\rIkke sendt: ") + reportIds(outputs.reports, false) + QLatin1Char('.');
}

}  // namespace

QString reportListText(const QStringList& reportNumbers) {
    QString text;
    for (qsizetype i = 0; i < reportNumbers.size(); ++i) {
        if (i == 0) {
            text = QLatin1Char('R') + reportNumbers[i];
        } else if (i + 1 < reportNumbers.size()) {
            text += QStringLiteral(", R") + reportNumbers[i];
        } else {
            text += QStringLiteral(" og R") + reportNumbers[i];
        }
    }
    return text;
}

SendDataFileResult SendDataFileByMail(const QString& dataFile, const TSettings& settings, const RunMode& mode,
                                      const Locale& locale, Prompter& prompter, ReportMailer& mailer,
                                      TemplateVersion& templateVersion,
                                      const DataFileProgressHandler& progress, const RepeatGuard& repeat) {
    const FlatFileVersionScope versionScope(templateVersion);
    SendDataFileResult result;
    std::optional<DataFileText> file;
    try {
        file.emplace(DataFileText::read(dataFile));
    } catch (const Error& e) {
        result.message = e.message();
        return result;
    }
    if (!FlatFileDsnrCheck(file->firstLine(), settings.Dsnr, prompter).goOn ||
        !ConfirmMailSystem(settings, mode.test, prompter)) {
        result.stopped = true;
        return result;
    }

    DataFileRunContext context = dataFileRunContext(settings, mode, locale, templateVersion, progress);
    context.mailer = &mailer;
    context.approveSending = [&repeat](const DataFileHeader& header,
                                       const std::vector<DataFileReportKey>& reports) {
        return MaySendDataFileReports(repeat, header, reports);
    };
    if (!ProcessDataFile(*file, DataFileMode::SendMails, result.outputs, context)) {
        if (result.outputs.declined) {
            result.stopped = true;
            return result;
        }
        result.message = failedMessage(result.outputs);
        return result;
    }
    if (result.outputs.reports.empty()) {
        result.message = kNoEncryptedFilesMessage;
        return result;
    }
    result.ok = true;
    result.message = sentMessage(result.outputs.reports, settings);
    return result;
}

}  // namespace telvainn
