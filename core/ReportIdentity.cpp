#include "core/ReportIdentity.h"

#include "core/Numbers.h"
#include "core/ProgramInfo.h"

namespace telvainn {

QString dsnrText(std::int32_t dsnr) {
    return zeroPadded(dsnr, 3);
}

QString regnrText(std::int32_t regnr) {
    return zeroPadded(regnr, 4);
}

QStringList identityLogLines(const TReportIdentity& identity, const QString& fileName,
                             const QString& templateVersion) {
    return {
        QStringLiteral("Filnavn:    ") + fileName,
        QStringLiteral("Dsnr:       ") + QString::number(identity.Dsnr),
        QStringLiteral("Regnr:      ") + QString::number(identity.Regnr),
        QStringLiteral("Rapportnr:  ") + QString::number(identity.Rapportnr),
        QStringLiteral("Periode:    ") + identity.Periode,
        QStringLiteral("Rapportmal: ") + templateVersion,
    };
}

QStringList informationList(const TReportIdentity& identity, const QString& mailSystem,
                            const QString& templateVersion) {
    return {
        QString::number(identity.Dsnr),
        identity.Rapporttype,
        identity.Periode,
        kProgramVersion,
        QString::number(identity.Regnr),
        QString::number(identity.Rapportnr),
        mailSystem,
        templateVersion,
    };
}

}  // namespace telvainn
