#include "validation/TVeskValidator.h"

#include <QDate>
#include <algorithm>
#include <exception>

#include "core/ControlCharacters.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/ReportCatalogue.h"
#include "core/TemplateVersion.h"
#include "workbook/CellText.h"
#include "workbook/RangeAddress.h"

namespace telvainn {
namespace {

const QString kCodeSheetPrefix = QStringLiteral("Base");

// The template version: cell A1 of the code sheet read as a date, in the short date form.
QString templateVersionOf(const excel::CellValue& value, const Locale& locale) {
    if (value.isNumber()) {
        return excel::shortDateOfSerial(value.number(), locale).value_or(kNoTemplateVersion);
    }
    if (value.isText()) {
        const QDate date = QDate::fromString(trimmed(value.text()), locale.shortDateFormat);
        if (date.isValid()) {
            return locale.formatShortDate(date);
        }
    }
    return kNoTemplateVersion;
}

}  // namespace

QString UnusableCell::address() const {
    return excel::cellAddress(row, column);
}

QString UnusableCell::reason() const {
    switch (kind) {
        case Kind::ErrorValue:
            return QStringLiteral("Fant en feilverdi (") + shown +
                   QStringLiteral(") som programmet ikke kan bruke. Valider på nytt!");
        case Kind::NotACode:
            return QStringLiteral("Fant en kode (") + shown +
                   QStringLiteral(") som inneholder ulovlige tegn. Valider på nytt!");
        case Kind::ControlCharacter:
        default:
            return QStringLiteral("Fant et kontrolltegn (") + shown +
                   QStringLiteral(") som ikke kan sendes. Valider på nytt!");
    }
}

QString cellNote(const QString& address) {
    return QStringLiteral(" (celle ") + address + QLatin1Char(')');
}

TVeskValidator::TVeskValidator(excel::Application& excel, const QString& programFolder, int reportNumber,
                               const Locale& locale, TemplateVersion& templateVersion)
    : m_excel(excel),
      m_templateVersion(templateVersion),
      m_programFolder(programFolder),
      m_reportNumber(reportNumber),
      m_entry(catalogueEntryOrEmpty(reportNumber)),
      m_rules(reportRules(reportNumber)),
      m_locale(locale) {
    m_templateVersion.set(kNoTemplateVersion);
    openTemplate();
}

TVeskValidator::~TVeskValidator() {
    *m_alive = false;
    try {
        m_excel.SetEnableEvents(false);
    } catch (const std::exception&) {
    }
    dropTemplate(true);
}

void TVeskValidator::openTemplate() {
    // Only read: other programs on the same program folder validate against it at the same time.
    auto workbook = m_excel.Open(templatePath(m_programFolder, m_reportNumber), excel::OpenMode::ReadOnly);
    try {
        m_excel.SetWindowVisible(workbook->Name(), false);
        workbook->OnBeforeClose([this, alive = std::weak_ptr<bool>(m_alive)] {
            if (const auto living = alive.lock(); living && *living) {
                // The user closed the template; it is opened again when a run needs its code lists. The
                // report's own close notification must still come through, so events stay on.
                dropTemplate(false);
            }
        });
        m_excel.SetEnableEvents(true);
        auto codeSheet = workbook->ActiveSheet();
        m_template = std::move(workbook);
        m_templateOpen = true;
        const int count = m_template->WorksheetCount();
        for (int index = 1; index <= count; ++index) {
            auto sheet = m_template->Worksheets(index);
            if (sheet->Name().startsWith(kCodeSheetPrefix)) {
                codeSheet = std::move(sheet);
                QString version;
                try {
                    version = templateVersionOf(codeSheet->Cell(1, 1), m_locale);
                } catch (const std::exception&) {
                    version = kNoTemplateVersion;
                }
                m_templateVersion.set(version);
            }
        }
        m_codeSheet = std::move(codeSheet);
    } catch (...) {
        if (!m_template && workbook) {
            m_template = std::move(workbook);
        }
        dropTemplate(true);
        throw;
    }
}

void TVeskValidator::dropTemplate(bool close) {
    m_codeLists.reset();
    m_codeSheet.reset();
    if (m_template) {
        try {
            m_template->OnBeforeClose(nullptr);
            if (close && m_template->IsOpen()) {
                m_template->Close();
            }
        } catch (const std::exception&) {
        }
    }
    m_template.reset();
    m_templateOpen = false;
}

CodeLists& TVeskValidator::codeLists() {
    if (!m_templateOpen) {
        openTemplate();
    }
    if (!m_codeLists) {
        m_codeLists = std::make_unique<CodeLists>(*m_codeSheet, m_reading, m_locale);
    }
    return *m_codeLists;
}

QString TVeskValidator::NextValidationNumber(bool advance) {
    if (advance) {
        ++m_validationNumber;
    }
    return QString::number(m_validationNumber);
}

void TVeskValidator::ClearKeyLists() {
    m_duplicates.clear();
    m_firstRowOfKey.clear();
    m_duplicateRows.clear();
}

void TVeskValidator::recordKey(const QString& key, int row) {
    const QString rowText = QString::number(row);
    const QString folded = key.toCaseFolded();
    const auto known = m_firstRowOfKey.constFind(folded);
    if (known == m_firstRowOfKey.constEnd()) {
        m_firstRowOfKey.insert(folded, rowText);
        return;
    }
    const QString first = *known;
    m_duplicates.append(rowText + QLatin1Char('=') + key);
    m_duplicateRows.insert(rowText);
    if (!m_duplicateRows.contains(first)) {
        m_duplicates.append(first + QLatin1Char('=') + key);
        m_duplicateRows.insert(first);
    }
}

void TVeskValidator::ReportDuplicates(QStringList& logLines) const {
    if (m_duplicates.isEmpty()) {
        return;
    }
    logLines << QString() << QStringLiteral("Det finnes duplikate koder!")
             << QStringLiteral("(...forekomster av en og samme kode i flere rader") << QString()
             << QStringLiteral("Slett de overflødige rader!") << QString()
             << QStringLiteral("<Hele kodestrengen>  =  <Rad nr>")
             << QStringLiteral("------------------------------------");
    QStringList lines;
    for (const QString& entry : m_duplicates) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        lines.append(entry.mid(equals + 1) + QStringLiteral("  =  ") + entry.left(equals));
    }
    std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    logLines << lines;
}

bool TVeskValidator::CodeListContains(const QString& namePart, const QString* objektid,
                                      const QString& value) {
    const QString name = objektid ? namePart + objektid->left(m_entry.codePrefixLength) : namePart;
    return codeLists().Contains(name, value);
}

void TVeskValidator::MarkCell(ReportSheet& sheet, bool passed, int row, const QString& cellTemplate) {
    if (!cellTemplate.isEmpty()) {
        sheet.Mark(cellsOfRow(cellTemplate, row), passed);
    }
}

QString TVeskValidator::amountCell(int row) const {
    return cellsOfRow(cellTemplates()[static_cast<std::size_t>(Field::Verdi)], row);
}

QString TVeskValidator::cellField(ReportSheet& sheet, int row, int column, int width, bool pad) {
    if (column == 0) {
        return QString();
    }
    const excel::CellValue value = sheet.Cell(row, column);
    if (value.isEmpty()) {
        return QString();  // most cells a run reads: the empty rows that end it
    }
    const QString text = excel::cellText(value, m_locale);
    const QString field = fieldText(text, width, pad);
    if (m_unusableCell) {
        return field;
    }
    const auto unusable = [&](UnusableCell::Kind kind, const QString& shown) {
        m_unusableCell = UnusableCell{row, column, kind, shown};
    };
    if (value.isError()) {
        unusable(UnusableCell::Kind::ErrorValue, text);
    } else if (const auto control = firstNonXmlCharacter(trimBlanks(text))) {
        unusable(UnusableCell::Kind::ControlCharacter, escapedCharacter(*control));
    } else if (field.isEmpty() && !trimBlanks(text).isEmpty()) {
        unusable(UnusableCell::Kind::NotACode, trimmed(text));
    }
    return field;
}

}  // namespace telvainn
