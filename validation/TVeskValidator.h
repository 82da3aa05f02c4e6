#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/Locale.h"
#include "core/ReportCatalogue.h"
#include "core/ReportIdentity.h"
#include "core/RowRecord.h"
#include "core/TemplateVersion.h"
#include "validation/CodeLists.h"
#include "validation/Layout.h"
#include "validation/ReportRules.h"
#include "validation/ReportSheet.h"
#include "workbook/Excel.h"

namespace telvainn {

enum class ReadMode {
    Validation,  // the validation run: duplicate keys recorded, an empty amount read as 0
    Build,       // data lines and the XML document: codes reshaped into tillegg and object id
};

// What a validation run works on: the open report's sheet and the parts of the report it fills.
struct ValidationTarget {
    excel::Worksheet& sheet;
    TemplateGeneration generation;
    QString reportType;  // the report's Rapporttype
    QStringList& logLines;
    QString& validationHeading;
    // The workbook of `sheet`, when the caller has it: one that went away with the spreadsheet program
    // has no cell edit left to finish, and the run says what became of it instead.
    excel::Workbook* workbook = nullptr;
};

// A cell of a data row whose content the rules cannot use. Such a row is never skipped: validation
// flags it and the outputs refuse it, so nothing the user typed is dropped in silence.
struct UnusableCell {
    enum class Kind {
        ErrorValue,        // a formula that could not be worked out: "#DIV/0!", "#N/A", "Err:502"
        NotACode,          // a value that a field of digits would read as empty: "12A4567", "1,5"
        ControlCharacter,  // a character that no XML document or data line may carry
    };
    int row = 0;
    int column = 0;
    Kind kind = Kind::ErrorValue;
    QString shown;  // the cell's text as the program reads it

    QString address() const;  // "B17"
    // What is wrong, for the outputs' row failures: "Fant en feilverdi (#N/A) som ...".
    QString reason() const;
};

// " (celle G17)": how a row's message names the cell it is about.
QString cellNote(const QString& address);

// Checks one report's heading and rows against the code lists of the current template of its report
// number, and reads rows for the outputs. One class per template generation; each knows where its
// generation keeps the fields. The template workbook stays open, hidden, while the validator lives.
class TVeskValidator {
  public:
    // Opens the template maler/r<nr>.xls of `programFolder` and takes its code sheet; raises when the
    // template cannot be opened. Sets `templateVersion` to "0" and then from the template.
    TVeskValidator(excel::Application& excel, const QString& programFolder, int reportNumber,
                   const Locale& locale, TemplateVersion& templateVersion);
    virtual ~TVeskValidator();
    TVeskValidator(const TVeskValidator&) = delete;
    TVeskValidator& operator=(const TVeskValidator&) = delete;

    virtual TemplateGeneration generation() const = 0;

    // The row checks; the message is empty when the row is acceptable.
    QString ValidateRow(ReportSheet& sheet, int row, const RowRecord& record);
    // The heading checks; sets the report type. The message is empty when the heading is acceptable.
    virtual QString CheckHeading(ReportSheet& sheet, bool marking) = 0;
    // Reads one row into `record`; true when the row is to be skipped. A row with an unusable cell is
    // always kept, and unusableCell() names the first such cell.
    virtual bool ReadRow(ReportSheet& sheet, int row, ReadMode mode, RowRecord& record) = 0;
    const std::optional<UnusableCell>& unusableCell() const { return m_unusableCell; }
    // The cell of a row's amount, as the row's messages name it.
    QString amountCell(int row) const;
    // Writes the sum block F3:G5; true when the sums balance (differ by less than 100).
    bool WriteSums(excel::Worksheet& sheet, double first, double second);

    // The validation run: fills the target's log lines and validation heading. Failures inside the
    // row loop end up in the log; only a failure to restore the spreadsheet afterwards is raised.
    void RunValidation(const ValidationTarget& target);

    QString NextValidationNumber(bool advance);
    void ClearKeyLists();
    void ReportDuplicates(QStringList& logLines) const;

    bool CodeListContains(const QString& namePart, const QString* objektid, const QString& value);
    void MarkCell(ReportSheet& sheet, bool passed, int row, const QString& cellTemplate);

    int reportNumber() const { return m_reportNumber; }
    const QString& reportType() const { return m_reportType; }
    bool templateOpen() const { return m_templateOpen; }
    const Locale& locale() const { return m_locale; }

    // How runs and walks reach the spreadsheet (Bulk unless told otherwise).
    void setSheetReading(SheetReading reading) { m_reading = reading; }

  protected:
    // The report number's row in the report-number table, and its own rules.
    const CatalogueEntry& entry() const { return m_entry; }
    const ReportRules& rules() const { return m_rules; }
    // Records a validation-mode row's duplicate key.
    void recordKey(const QString& key, int row);
    // ReadCell; also notes the row's first unusable cell. startRow() forgets the last row's.
    QString cellField(ReportSheet& sheet, int row, int column, int width, bool pad = false);
    void startRow() { m_unusableCell.reset(); }

    QString m_reportType;
    std::optional<UnusableCell> m_unusableCell;

  private:
    // The code lists, read afresh for each run; reopens the template first when the user has closed it.
    CodeLists& codeLists();
    void openTemplate();
    void dropTemplate(bool close);
    bool sektorPasses(const RowRecord& record);
    bool naeringPasses(const RowRecord& record);
    bool landPasses(const RowRecord& record);
    bool valutaPasses(const RowRecord& record);
    bool verdiPasses(const RowRecord& record);
    virtual const std::array<QString, kFieldCount>& cellTemplates() const = 0;

    excel::Application& m_excel;
    TemplateVersion& m_templateVersion;
    QString m_programFolder;
    std::int32_t m_reportNumber;
    const CatalogueEntry& m_entry;
    const ReportRules& m_rules;
    Locale m_locale;
    std::unique_ptr<excel::Workbook> m_template;
    std::unique_ptr<excel::Worksheet> m_codeSheet;
    bool m_templateOpen = false;
    // The first row of each key seen in a run (letters folded), and every row of a key seen
    // more than once ("row=key"), with the rows listed there.
    QHash<QString, QString> m_firstRowOfKey;
    QStringList m_duplicates;
    QSet<QString> m_duplicateRows;
    std::int32_t m_validationNumber = 0;
    SheetReading m_reading = SheetReading::Bulk;
    std::unique_ptr<CodeLists> m_codeLists;
    // Lets a close notification that arrives after the validator is gone find it gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// The validator of a template generation for a report number.
std::unique_ptr<TVeskValidator> makeValidator(TemplateGeneration generation, excel::Application& excel,
                                              const QString& programFolder, int reportNumber,
                                              const Locale& locale, TemplateVersion& templateVersion);

}  // namespace telvainn
