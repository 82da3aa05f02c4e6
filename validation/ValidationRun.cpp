#include <exception>

#include "core/Error.h"
#include "core/Numbers.h"
#include "validation/RowChecks.h"
#include "validation/TVeskValidator.h"
#include "workbook/RangeAddress.h"

namespace telvainn {
namespace {

constexpr int kEmptyRowsEndingTheRun = 200;
const QString kRule = QStringLiteral("------------------------------------");

}  // namespace

void TVeskValidator::RunValidation(const ValidationTarget& target) {
    QStringList& log = target.logLines;

    const auto workbookGone = [&] { return target.workbook != nullptr && !target.workbook->IsOpen(); };

    // When Calc refuses the calls that prepare or restore the sheet, the run's own findings are lost
    // and the user is told what usually causes it, or, when the workbook is gone or refuses by itself,
    // what the engine says.
    const auto explainRefusal = [&](const std::exception& failure) {
        log.clear();
        const QString number = NextValidationNumber(true);
        const QString failed = QStringLiteral("Validering nr. ") + number + QStringLiteral(" feilet.");
        log << failed << kRule;
        if (workbookGone() || dynamic_cast<const excel::WorkbookRefusal*>(&failure) != nullptr) {
            log << errorText(failure);
        } else {
            log << QStringLiteral("Det oppsto en feil under validering")
                << QStringLiteral("som trolig skyldes at en celle-")
                << QStringLiteral("redigering i Excel ikke ble avsluttet")
                << QStringLiteral("før du klikket valideringsknappen i")
                << QStringLiteral("valideringsprogrammet.") << QString()
                << QStringLiteral("Gå tilbake til Excel, og trykk ENTER-")
                << QStringLiteral("tasten før du forsøker å validere") << QStringLiteral("på nytt.");
        }
        target.validationHeading = failed;
        m_excel.SetScreenUpdating(true);
    };

    QString number;
    try {
        m_excel.SetScreenUpdating(false);
        target.sheet.Unprotect();
        number = NextValidationNumber(true);
    } catch (const std::exception& failure) {
        explainRefusal(failure);
        return;
    }

    ReportSheet sheet(target.sheet, m_reading);
    m_codeLists.reset();  // each run reads the code lists afresh
    bool runFailed = false;
    try {
        double firstSum = 0;
        double secondSum = 0;
        int errors = 0;
        int row = kFirstDataRow;
        int emptyRun = 0;
        log.clear();
        const QString title = QStringLiteral("Valideringsrapport nr. ") + number + QLatin1Char(':');
        log << title;
        target.validationHeading = title;
        if (const QString heading = CheckHeading(sheet, true); !heading.isEmpty()) {
            log << heading;
        }
        ClearKeyLists();

        const int limit = m_entry.sumLimit;
        // A sheet filled down to its last row ends the run there.
        while (emptyRun != kEmptyRowsEndingTheRun && row <= excel::kMaxRows) {
            RowRecord record;
            if (ReadRow(sheet, row, ReadMode::Validation, record)) {
                if (record.objektid.isEmpty()) {
                    ++emptyRun;
                }
                ++row;
                continue;
            }
            if (const QString message = ValidateRow(sheet, row, record); !message.isEmpty()) {
                ++errors;
                log << message;
            }
            if (limit > 0 && isNumber(record.verdi, m_locale.decimalSeparator) &&
                isDigitsOnly(record.objektid)) {
                const auto group = toInteger(record.objektid.left(3));
                if (group <= limit) {
                    firstSum += amountValue(record.verdi, m_locale);
                } else if (group <= 999) {
                    secondSum += amountValue(record.verdi, m_locale);
                }
            }
            emptyRun = 0;
            ++row;
        }
        log << QStringLiteral("Antall feillinjer: ") + QString::number(errors);

        const bool summedGeneration = target.generation == TemplateGeneration::Current ||
                                      target.generation == TemplateGeneration::Older;
        if (summedGeneration && limit > 0 && target.reportType == u"N") {
            WriteSums(target.sheet, firstSum, secondSum);
            if (m_entry.balanceSheet) {
                log << QStringLiteral("Sum aktiva       : ") + formatSum(firstSum, m_locale)
                    << QStringLiteral("Sum passiva      : ") + formatSum(secondSum, m_locale);
            } else {
                log << QStringLiteral("Sum inntekter    : ") + formatSum(firstSum, m_locale)
                    << QStringLiteral("Sum kostnader    : ") + formatSum(secondSum, m_locale);
            }
        }
        ReportDuplicates(log);
        log << kRule << QStringLiteral("Validering nr. ") + number + QStringLiteral(" er ferdig.")
            << QStringLiteral("Radene fra og med ") + QStringLiteral("11") + QStringLiteral(" til og med ") +
                   QString::number(row - 1 - emptyRun)
            << QStringLiteral("danner grunnlaget for valideringen.");
    } catch (const std::exception& error) {
        log << QStringLiteral(" ") << QStringLiteral("Validering nr. ") + number + QStringLiteral(" feilet.")
            << QStringLiteral("Feilmeldingen sier:") << errorText(error) << QStringLiteral(" ");
        runFailed = true;
    }
    sheet.Flush();
    m_codeLists.reset();

    try {
        if (target.generation == TemplateGeneration::Current) {
            target.sheet.Protect();
        }
        m_excel.SetScreenUpdating(true);
    } catch (const std::exception& failure) {
        if (runFailed && workbookGone()) {
            // The sheet cannot be restored, and the run's own failure already names the cause.
            m_excel.SetScreenUpdating(true);
        } else {
            explainRefusal(failure);
        }
    }
}

}  // namespace telvainn
