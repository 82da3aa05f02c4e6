#include <cmath>
#include <exception>
#include <limits>

#include "core/Error.h"
#include "core/Numbers.h"
#include "core/ReportCatalogue.h"
#include "report/TVeskReport.h"
#include "workbook/CellText.h"

namespace telvainn {
namespace {

const QString kHeadingDataMessage = QStringLiteral(
    "Programmet klarer ikke å lese \"heading-data\" fra rapporten i Excel. Det kan være ulovlige verdier i "
    "cellene. Programmet kan dermed ikke behandle rapporten. (");
const QString kCodeSheetPrefix = QStringLiteral("Base");

std::int32_t toInt32(double value, const QString& shown) {
    const double rounded = std::nearbyint(value);  // halves to the even neighbour
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        throw Error(notAnIntegerMessage(shown));
    }
    return static_cast<std::int32_t>(rounded);
}

// A cell's value as an integer: an empty cell is 0, a number is rounded, a text must be an integer or a
// number in the locale.
std::int32_t integerOf(const excel::CellValue& value, const Locale& locale) {
    if (value.isEmpty()) {
        return 0;
    }
    if (value.isNumber()) {
        return toInt32(value.number(), value.generalText());
    }
    const QString text = trimmed(value.generalText());
    QString number = text;
    number.replace(locale.decimalSeparator, QLatin1Char('.'));
    bool ok = false;
    const double parsed = number.toDouble(&ok);
    if (!ok || !isNumber(text, locale.decimalSeparator)) {
        throw Error(notAnIntegerMessage(text));
    }
    return toInt32(parsed, text);
}

}  // namespace

void TVeskReport::ReadHeading() {
    excel::Worksheet& sheet = *m_reportSheet;
    const Locale& locale = m_environment.locale;
    const auto text = [&](int row, int column) { return excel::cellText(sheet.Cell(row, column), locale); };
    const auto integer = [&](int row, int column) { return integerOf(sheet.Cell(row, column), locale); };
    const auto reportNumber = [&](int row, int column) { return toInteger32(trimmed(text(row, column))); };
    try {
        bool current = false;
        const int count = m_workbook->WorksheetCount();
        for (int index = 1; index <= count && !current; ++index) {
            try {
                current = m_workbook->Worksheets(index)->Name().startsWith(kCodeSheetPrefix);
            } catch (const std::exception&) {
                // A sheet whose name cannot be read is passed over.
            }
        }
        if (current) {
            m_identity.Dsnr = integer(3, 2);
            m_identity.Regnr = integer(4, 2);
            m_identity.generation = TemplateGeneration::Current;
            m_identity.Rapporttype = text(7, 2).toUpper();
            m_identity.Periode = text(6, 2);
            m_identity.Rapportnr = reportNumber(5, 2);
        } else {
            bool correction = false;
            try {
                correction = sheet.Cell(1, 1) == excel::CellValue(kCorrectionFormMarker);
            } catch (const std::exception&) {
            }
            if (correction) {
                m_identity.Regnr = integer(6, 2);
                m_identity.Periode = text(1, 9);
                m_identity.Rapportnr = reportNumber(1, 7);
                m_identity.Rapporttype = QStringLiteral("K");
                m_identity.generation = TemplateGeneration::Correction;
            } else {
                m_identity.Dsnr = integer(3, 2);
                m_identity.Regnr = integer(4, 2);
                m_identity.Rapporttype = QStringLiteral("N");
                m_identity.Rapportnr = reportNumber(5, 2);
                m_identity.Periode = text(6, 2);
                m_identity.generation = TemplateGeneration::Older;
            }
        }
    } catch (const std::exception& error) {
        throw Error(kHeadingDataMessage + errorText(error) + QLatin1Char(')'));
    }
    if (!isCatalogueReport(m_identity.Rapportnr)) {
        throw Error(reportNumberMessage(m_identity.Rapportnr));
    }
    if (m_identity.Rapporttype != u"N" && m_identity.Rapporttype != u"K") {
        throw Error(reportTypeMessage(m_identity.Rapporttype));
    }
}

void TVeskReport::WriteHeading() {
    excel::Worksheet& sheet = *m_reportSheet;
    sheet.SetCell(3, 2, dsnrText(m_identity.Dsnr));
    sheet.SetCell(4, 2, regnrText(m_identity.Regnr));
    sheet.SetCell(6, 2, m_identity.Periode);
    sheet.SetCell(7, 2, m_identity.Rapporttype);
}

}  // namespace telvainn
