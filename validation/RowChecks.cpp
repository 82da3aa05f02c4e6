#include "validation/RowChecks.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/Error.h"
#include "core/Numbers.h"
#include "validation/TVeskValidator.h"
#include "workbook/ColorIndex.h"
#include "workbook/RangeAddress.h"

namespace telvainn {
namespace {

const QString kObjektWord = QStringLiteral("Objekt ");
const QString kTilleggWord = QStringLiteral("Tillegg ");
const QString kSektorWord = QStringLiteral("Sektor ");
const QString kNaeringWord = QStringLiteral("Næring ");
const QString kValutaWord = QStringLiteral("Valuta ");
const QString kLandWord = QStringLiteral("Landkode ");
const QString kSignWord = QStringLiteral("Fortegnsfeil");
const QString kTextWord = QStringLiteral("Tekst");
const QString kNoCode3 = QStringLiteral("000");
const QString kNoLand = QStringLiteral("0000");

}  // namespace

double amountValue(const QString& verdi, const Locale& locale) {
    bool ok = splitAmount(verdi, locale.decimalSeparator).has_value();
    const double value =
        ok ? QString(verdi).replace(locale.decimalSeparator, QLatin1Char('.')).toDouble(&ok) : 0;
    if (!ok) {
        throw Error(QStringLiteral("\"%1\" er ikke et gyldig tall.").arg(verdi));
    }
    return value;
}

QString formatSum(double sum, const Locale& locale) {
    const double rounded = std::round(sum);
    const QString digits = QString::number(std::abs(rounded), 'f', 0);
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += locale.thousandsSeparator;
        }
        grouped += digits[i];
    }
    return rounded < 0 ? QLatin1Char('-') + grouped : grouped;
}

bool TVeskValidator::sektorPasses(const RowRecord& record) {
    if (m_rules.withoutSektor && m_rules.withoutSektor(record)) {
        return record.sektor == kNoCode3;
    }
    return CodeListContains(QStringLiteral("_s"), &record.objektid, record.sektor);
}

bool TVeskValidator::naeringPasses(const RowRecord& record) {
    if (m_rules.industryCoded && m_rules.industryCoded(record.objektid) &&
        record.sektor > QStringLiteral("550") && record.sektor < QStringLiteral("810")) {
        return codeLists().Find(QStringLiteral("_naring"), record.naering);
    }
    return record.naering == kNoCode3;
}

bool TVeskValidator::landPasses(const RowRecord& record) {
    const QString list = m_rules.landList ? m_rules.landList(record) : QString();
    if (list.isEmpty()) {
        return record.land == kNoLand;
    }
    return CodeListContains(list, nullptr, record.land);
}

bool TVeskValidator::valutaPasses(const RowRecord& record) {
    if (m_rules.valutaList) {
        return CodeListContains(QString::fromLatin1(m_rules.valutaList), nullptr, record.valuta);
    }
    return CodeListContains(QStringLiteral("_v"), &record.objektid, record.valuta);
}

bool TVeskValidator::verdiPasses(const RowRecord& record) {
    if (!isNumber(record.verdi, m_locale.decimalSeparator)) {
        return false;
    }
    const double value = amountValue(record.verdi, m_locale);
    if (value > 0) {
        return !CodeListContains(QStringLiteral("_SKALNEG"), nullptr, record.objektid);
    }
    if (value < 0) {
        return CodeListContains(QStringLiteral("_SKALNEG"), nullptr, record.objektid) ||
               CodeListContains(QStringLiteral("_KANNEG"), nullptr, record.objektid);
    }
    return true;
}

QString TVeskValidator::ValidateRow(ReportSheet& sheet, int row, const RowRecord& record) {
    const auto& templates = cellTemplates();
    // A cell the rules cannot use fails the field it belongs to, and the message names the cell.
    const std::optional<UnusableCell> unusable =
        m_unusableCell && m_unusableCell->row == row ? m_unusableCell : std::nullopt;
    const auto holdsUnusable = [&](const QString& cells) {
        const auto rects = unusable ? excel::parseRangeAddress(cellsOfRow(cells, row)) : std::nullopt;
        return rects && std::any_of(rects->begin(), rects->end(), [&](const excel::CellRect& rect) {
                   return unusable->column >= rect.firstColumn && unusable->column <= rect.lastColumn;
               });
    };
    bool unusableNamed = false;
    QString message;
    const auto check = [&](Field field, const QString& word, auto&& test) {
        const QString& cells = templates[static_cast<std::size_t>(field)];
        if (cells.isEmpty()) {
            return;
        }
        const bool forced = holdsUnusable(cells);
        if (!message.isEmpty()) {
            MarkCell(sheet, !forced, row, cells);
            unusableNamed = unusableNamed || forced;
            return;
        }
        const bool passed = !forced && test();
        if (forced) {
            message += word.trimmed() + cellNote(unusable->address());
            unusableNamed = true;
        } else if (!passed) {
            message += word;
        }
        MarkCell(sheet, passed, row, cells);
    };
    check(Field::Objektid, kObjektWord,
          [&] { return CodeListContains(QStringLiteral("Base_Itens"), nullptr, record.objektid); });
    const QString tilleggWord =
        m_rules.tilleggName ? QString::fromUtf16(m_rules.tilleggName) + QLatin1Char(' ') : kTilleggWord;
    check(Field::Tillegg, tilleggWord,
          [&] { return CodeListContains(QStringLiteral("_l"), &record.objektid, record.tillegg); });
    check(Field::Sektor, kSektorWord, [&] { return sektorPasses(record); });
    check(Field::Naering, kNaeringWord, [&] { return naeringPasses(record); });
    check(Field::Valuta, kValutaWord, [&] { return valutaPasses(record); });
    check(Field::Land, kLandWord, [&] { return landPasses(record); });
    check(Field::Verdi, kSignWord, [&] { return verdiPasses(record); });
    if (unusable && !unusableNamed) {
        // The row's text, which no code list checks.
        sheet.Mark(unusable->address(), false);
        if (message.isEmpty()) {
            message = kTextWord + cellNote(unusable->address());
        }
    }

    if (message.isEmpty() && !record.verdi.isEmpty()) {
        const QString rounded =
            roundedAmountText(record.verdi, m_locale.decimalSeparator).value_or(record.verdi);
        if (hasMoreThanTenDigits(rounded)) {
            message = QStringLiteral("Beløpet (") + rounded + QStringLiteral(") inneholder mer enn ") +
                      QStringLiteral("10") + QStringLiteral(" gjeldende siffer.");
        }
    }
    if (!message.isEmpty()) {
        message = QStringLiteral("Feil i rad (") + QString::number(row) + QStringLiteral(") : ") + message;
    }
    return message;
}

bool TVeskValidator::WriteSums(excel::Worksheet& sheet, double first, double second) {
    const bool balanceSheet = m_entry.balanceSheet;
    sheet.SetCell(3, 6, balanceSheet ? QStringLiteral("Aktiva") : QStringLiteral("Sum inntekter"));
    sheet.SetCell(4, 6, balanceSheet ? QStringLiteral("Passiva") : QStringLiteral("Sum kostnader"));
    sheet.SetCell(5, 6, QStringLiteral("Diff"));
    sheet.SetCell(3, 7, first);
    sheet.SetCell(4, 7, second);
    sheet.SetCell(5, 7, first - second);
    const bool balanced = std::abs(first - second) < 100;
    const int colour = balanced ? sheet.Cells(12, 12)->ColorIndex() : excel::kColorIndexRed;
    sheet.GetRange(QStringLiteral("F5;G5"))->SetColorIndex(colour);
    return balanced;
}

}  // namespace telvainn
