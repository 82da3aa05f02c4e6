#include <algorithm>

#include "core/Numbers.h"
#include "core/ReportCatalogue.h"
#include "validation/Validators.h"
#include "workbook/CellText.h"

namespace telvainn {
namespace {

const QString kDsnrMessage = QStringLiteral("Feil datasentral nummer (XXX): ");
const QString kRegnrMessage = QStringLiteral("Feil registerings nummer (XXXX): ");
const QString kReportNumberMessage = QStringLiteral("Ikke et gyldig rapport nummer (XX): ");
const QString kPeriodMessage = QStringLiteral("Ikke en gyldig periode (ÅÅÅÅMM): ");
const QString kReportTypeMessage = QStringLiteral("Ikke en gyldig rapporttype (N/K): ");

bool numberOfLength(const QString& text, QChar separator, std::initializer_list<qsizetype> lengths) {
    return isNumber(text, separator) &&
           std::find(lengths.begin(), lengths.end(), text.size()) != lengths.end();
}

// A number whose integer value is in the catalogue; a number that is no integer raises.
bool catalogueNumber(const QString& text, QChar separator) {
    return isNumber(text, separator) && isCatalogueReport(toInteger32(text));
}

}  // namespace

QString TVeskValidator::headingText(ReportSheet& sheet, int row, int column) {
    return trimmed(excel::cellText(sheet.Cell(row, column), m_locale));
}

void TVeskValidator::checkCommonHeading(ReportSheet& sheet, bool marking, QString& message) {
    const QChar separator = m_locale.decimalSeparator;
    const QString dsnr = headingText(sheet, 3, 2);
    checkHeadingCell(sheet, marking, 3, 2, numberOfLength(dsnr, separator, {2, 3}), kDsnrMessage, dsnr,
                     message);
    const QString regnr = headingText(sheet, 4, 2);
    checkHeadingCell(sheet, marking, 4, 2, numberOfLength(regnr, separator, {3, 4}), kRegnrMessage, regnr,
                     message);
    const QString reportNumber = headingText(sheet, 5, 2);
    checkHeadingCell(sheet, marking, 5, 2, catalogueNumber(reportNumber, separator), kReportNumberMessage,
                     reportNumber, message);
    const QString period = headingText(sheet, 6, 2);
    checkHeadingCell(sheet, marking, 6, 2, numberOfLength(period, separator, {6}), kPeriodMessage, period,
                     message);
}

QString TVeskValidatorNew::CheckHeading(ReportSheet& sheet, bool marking) {
    QString message;
    checkCommonHeading(sheet, marking, message);
    const QString typeCell = headingText(sheet, 7, 2);
    const QString type = typeCell.toUpper();
    const bool typeAccepted = type == u"K" || type == u"N";
    if (typeAccepted) {
        m_reportType = type;
    }
    checkHeadingCell(sheet, marking, 7, 2, typeAccepted, kReportTypeMessage, typeCell, message);
    return trimmed(message);
}

QString TVeskValidatorOld::CheckHeading(ReportSheet& sheet, bool marking) {
    QString message;
    checkCommonHeading(sheet, marking, message);
    m_reportType = QStringLiteral("N");
    return trimmed(message);
}

QString TVeskValidatorCorr::CheckHeading(ReportSheet& sheet, bool marking) {
    QString message;
    const QChar separator = locale().decimalSeparator;
    const QString regnr = headingText(sheet, 6, 2);
    checkHeadingCell(sheet, marking, 6, 2, numberOfLength(regnr, separator, {3, 4}), kRegnrMessage, regnr,
                     message);
    const QString reportNumber = headingText(sheet, 1, 7);
    checkHeadingCell(sheet, marking, 1, 7, catalogueNumber(reportNumber, separator), kReportNumberMessage,
                     reportNumber, message);
    const QString period = headingText(sheet, 1, 9);
    checkHeadingCell(sheet, marking, 1, 9, numberOfLength(period, separator, {6}), kPeriodMessage, period,
                     message);
    m_reportType = QStringLiteral("K");
    return trimmed(message);
}

}  // namespace telvainn
