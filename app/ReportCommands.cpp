#include "app/ReportCommands.h"

#include "core/ReportCatalogue.h"

namespace telvainn {
namespace {

const QString kSaveFailedMessage = QStringLiteral("Klarte ikke å lagre rapporten:\r\n");

}  // namespace

QString SendFailedMessage(const QString& reason) {
    return QStringLiteral("Kunne ikke sende rapporten:\r\n-> ") + reason +
           QStringLiteral(
               "\r\n\r\nHvis du ikke finner ut hvordan du kan løse problemet, kan du forsøke å lagre\r\n"
               "rapporten som kryptert fil, og sende den krypterte filen manuelt.\r\n\r\nDu vil få en "
               "veiledning på hvordan du gjør det når du velger å lagre\r\nrapporten som kryptert fil.");
}

QString SentMessage(const QString& recipientName) {
    return QStringLiteral("Rapporten ble sendt. Du vil motta en kvittering når den er lest hos ") +
           recipientName + QLatin1Char('.');
}

namespace {

ReportResult written(TVeskReports& reports, bool ok, const QString& path) {
    if (!ok) {
        return {ReportResult::Failed, kSaveFailedMessage + reports.LastError, path, {}};
    }
    return {ReportResult::Done, {}, path, {}};
}

}  // namespace

std::optional<UnvalidatedReport> WithoutValidation(int reportNumber) {
    // A number outside the catalogue is the validation's to refuse.
    if (!isCatalogueReport(reportNumber) || catalogueEntry(reportNumber).validated) {
        return std::nullopt;
    }
    return UnvalidatedReport{
        QStringLiteral("Rapport %1 blir ikke validert, og kan sendes slik den er.").arg(reportNumber),
        {QStringLiteral("Rapport %1 blir ikke validert.").arg(reportNumber),
         QStringLiteral("Du kan sende den slik den er.")}};
}

ReportResult SendOpenReport(TVeskReports& reports, TVeskReport& report, ReportMailer& mailer,
                            const QString& recipientName, const RepeatGuard& repeat) {
    if (!MaySend(repeat, report.InformationList(QString()))) {
        return {ReportResult::Cancelled, {}, {}, recipientName};
    }
    // A cancelled login leaves no reason behind, so an older one must not be taken for it.
    reports.LastError.clear();
    if (reports.SendReport(report, mailer)) {
        return {ReportResult::Done, SentMessage(recipientName), {}, recipientName};
    }
    if (reports.LastError.isEmpty()) {
        return {ReportResult::Cancelled, kCancelledByUserMessage, {}, recipientName};
    }
    return {ReportResult::Failed, SendFailedMessage(reports.LastError), {}, recipientName};
}

ReportResult SaveReportEncrypted(TVeskReports& reports, TVeskReport& report, const QString& path) {
    return written(reports, reports.SaveEncryptedReport(report, path), path);
}

ReportResult WriteReportDataFile(TVeskReports& reports, TVeskReport& report, const QString& path) {
    return written(reports, reports.WriteDataFile(report, path), path);
}

}  // namespace telvainn
