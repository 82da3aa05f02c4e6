#include <algorithm>
#include <functional>
#include <vector>

#include "core/Numbers.h"
#include "core/ReportCatalogue.h"
#include "validation/Validators.h"
#include "workbook/CellText.h"
#include "workbook/RangeAddress.h"

namespace telvainn {
namespace {

const QString kDsnrMessage = QStringLiteral("Feil datasentral nummer (XXX): ");
const QString kRegnrMessage = QStringLiteral("Feil registerings nummer (XXXX): ");
const QString kReportNumberMessage = QStringLiteral("Ikke et gyldig rapport nummer (XX): ");
const QString kPeriodMessage = QStringLiteral("Ikke en gyldig periode (ÅÅÅÅMM): ");
const QString kReportTypeMessage = QStringLiteral("Ikke en gyldig rapporttype (N/K): ");

using CellTest = std::function<bool(const QString& text, QChar decimalSeparator)>;

CellTest numberOfLength(std::initializer_list<qsizetype> lengths) {
    return [lengths = std::vector<qsizetype>(lengths)](const QString& text, QChar separator) {
        return isNumber(text, separator) &&
               std::find(lengths.begin(), lengths.end(), text.size()) != lengths.end();
    };
}

// A number whose integer value is in the catalogue; a number that is no integer raises.
bool catalogueNumber(const QString& text, QChar separator) {
    return isNumber(text, separator) && isCatalogueReport(toInteger32(text));
}

// The heading cells in turn: each is read, tested and coloured (red only when marking), and a failing
// one adds its message text, its value and a line break to the message.
class HeadingCheck {
  public:
    HeadingCheck(ReportSheet& sheet, bool marking, const Locale& locale)
        : m_sheet(sheet), m_marking(marking), m_locale(locale) {}

    // The cell's trimmed text.
    QString cell(int row, int column, const CellTest& accepted, const QString& messageText) {
        const QString text = trimmed(excel::cellText(m_sheet.Cell(row, column), m_locale));
        const bool passed = accepted(text, m_locale.decimalSeparator);
        if (!passed) {
            m_message += messageText + text + QStringLiteral("\r\n");
        }
        m_sheet.Mark(excel::cellAddress(row, column), passed || !m_marking);
        return text;
    }

    QString message() const { return trimmed(m_message); }

  private:
    ReportSheet& m_sheet;
    bool m_marking;
    const Locale& m_locale;
    QString m_message;
};

// B3 to B6 of the current and older templates: Dsnr, Regnr, report number and period.
void checkCommonHeading(HeadingCheck& check) {
    check.cell(3, 2, numberOfLength({2, 3}), kDsnrMessage);
    check.cell(4, 2, numberOfLength({3, 4}), kRegnrMessage);
    check.cell(5, 2, catalogueNumber, kReportNumberMessage);
    check.cell(6, 2, numberOfLength({6}), kPeriodMessage);
}

bool isReportType(const QString& text, QChar) {
    const QString type = text.toUpper();
    return type == u"K" || type == u"N";
}

}  // namespace

QString TVeskValidatorNew::CheckHeading(ReportSheet& sheet, bool marking) {
    HeadingCheck check(sheet, marking, locale());
    checkCommonHeading(check);
    const QString type = check.cell(7, 2, isReportType, kReportTypeMessage);
    if (isReportType(type, {})) {
        m_reportType = type.toUpper();
    }
    return check.message();
}

QString TVeskValidatorOld::CheckHeading(ReportSheet& sheet, bool marking) {
    HeadingCheck check(sheet, marking, locale());
    checkCommonHeading(check);
    m_reportType = QStringLiteral("N");
    return check.message();
}

QString TVeskValidatorCorr::CheckHeading(ReportSheet& sheet, bool marking) {
    HeadingCheck check(sheet, marking, locale());
    check.cell(6, 2, numberOfLength({3, 4}), kRegnrMessage);
    check.cell(1, 7, catalogueNumber, kReportNumberMessage);
    check.cell(1, 9, numberOfLength({6}), kPeriodMessage);
    m_reportType = QStringLiteral("K");
    return check.message();
}

}  // namespace telvainn
