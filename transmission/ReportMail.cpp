#include "transmission/ReportMail.h"

#include "core/Error.h"
#include "core/ReportIdentity.h"

namespace telvainn {

QString ReportMailSubject(const QStringList& list, bool testMode) {
    if (list.size() != info::Count) {
        throw Error(kMissingReportInformationMessage);
    }
    return (testMode ? QStringLiteral("Telva test - ") : QStringLiteral("Telva - ")) + list[info::Dsnr] +
           QLatin1Char('/') + list[info::Regnr] + QStringLiteral(" R") + list[info::ReportNumber] +
           QLatin1Char(' ') + list[info::ReportType] + QLatin1Char(' ') + list[info::Periode] +
           QStringLiteral(" ver.") + list[info::ProgramVersion] + QStringLiteral(" mail:") +
           list[info::MailSystem];
}

QString RecipientAddressFor(const QString& recipientAddress, const QString& emailSystem) {
    return emailSystem.toUpper() == QLatin1String("GROUPWISE") ? QStringLiteral("UT:") + recipientAddress
                                                               : recipientAddress;
}

}  // namespace telvainn
