#pragma once

#include "validation/TVeskValidator.h"

namespace telvainn {

// Current templates: one column per field, the heading in B3:B7.
class TVeskValidatorNew : public TVeskValidator {
  public:
    TVeskValidatorNew(excel::Application& excel, const QString& programFolder, int reportNumber,
                      const Locale& locale, TemplateVersion& templateVersion);
    TemplateGeneration generation() const override { return TemplateGeneration::Current; }
    QString CheckHeading(ReportSheet& sheet, bool marking) override;
    bool ReadRow(ReportSheet& sheet, int row, ReadMode mode, RowRecord& record) override;

  private:
    const std::array<QString, kFieldCount>& cellTemplates() const override { return m_layout.cellTemplates; }
    Layout m_layout;
};

// Older templates: the object code partly split over two columns, no report type cell.
class TVeskValidatorOld : public TVeskValidator {
  public:
    TVeskValidatorOld(excel::Application& excel, const QString& programFolder, int reportNumber,
                      const Locale& locale, TemplateVersion& templateVersion);
    TemplateGeneration generation() const override { return TemplateGeneration::Older; }
    QString CheckHeading(ReportSheet& sheet, bool marking) override;
    bool ReadRow(ReportSheet& sheet, int row, ReadMode mode, RowRecord& record) override;

  private:
    const std::array<QString, kFieldCount>& cellTemplates() const override { return m_layout.cellTemplates; }
    Layout m_layout;
};

// The correction form: the object code spread over single- and two-digit cells, always type "K".
class TVeskValidatorCorr : public TVeskValidator {
  public:
    TVeskValidatorCorr(excel::Application& excel, const QString& programFolder, int reportNumber,
                       const Locale& locale, TemplateVersion& templateVersion);
    TemplateGeneration generation() const override { return TemplateGeneration::Correction; }
    QString CheckHeading(ReportSheet& sheet, bool marking) override;
    bool ReadRow(ReportSheet& sheet, int row, ReadMode mode, RowRecord& record) override;

  private:
    const std::array<QString, kFieldCount>& cellTemplates() const override { return m_layout.cellTemplates; }
    CorrectionLayout m_layout;
};

namespace rows {
// The duplicate key of a reshaped validation-mode row: the values of `fields` in their order.
QString duplicateKey(const FieldList& fields, const RowRecord& record);
}  // namespace rows

}  // namespace telvainn
