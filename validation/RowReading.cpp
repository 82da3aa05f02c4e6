#include "validation/Validators.h"

namespace telvainn {
namespace {

constexpr int A = 1, B = 2, C = 3, D = 4, E = 5, F = 6, G = 7, H = 8, I = 9, J = 10, K = 11;

// Reads the row record of a layout with one column per field.
RowRecord readColumns(const Layout& layout, const std::function<QString(int, int, bool)>& read) {
    RowRecord record;
    record.text = read(layout.textColumn, kKeepText, false);
    record.objektid = read(layout.column(Field::Objektid), kObjektidWidth, false);
    record.tillegg = read(layout.column(Field::Tillegg), kTilleggWidth, false);
    record.sektor = read(layout.column(Field::Sektor), kSektorWidth, false);
    record.naering = read(layout.column(Field::Naering), kNaeringWidth, false);
    record.land = read(layout.column(Field::Land), kLandWidth, true);
    record.valuta = read(layout.column(Field::Valuta), kValutaWidth, false);
    record.verdi = read(layout.column(Field::Verdi), kKeepText, false);
    return record;
}

// Rows without an object id are skipped. An empty amount counts as 0 when validating; the outputs
// leave it out, and leave out a zero amount of an ordinary report.
bool skipByAmount(RowRecord& record, ReadMode mode, const QString& reportType) {
    if (record.objektid.isEmpty()) {
        return true;
    }
    if (mode == ReadMode::Validation) {
        if (record.verdi.isEmpty()) {
            record.verdi = QStringLiteral("0");
        }
        return false;
    }
    return record.verdi.isEmpty() || (record.verdi == u"0" && reportType == u"N");
}

}  // namespace

namespace rows {

QString duplicateKey(const FieldList& fields, const RowRecord& record) {
    QString key;
    for (const Field field : fields) {
        key += record.field(field);
    }
    return key;
}

}  // namespace rows

TVeskValidatorNew::TVeskValidatorNew(excel::Application& excel, const QString& programFolder,
                                     int reportNumber, const Locale& locale, TemplateVersion& templateVersion)
    : TVeskValidator(excel, programFolder, reportNumber, locale, templateVersion),
      m_layout(currentLayout(reportNumber)) {}

TVeskValidatorOld::TVeskValidatorOld(excel::Application& excel, const QString& programFolder,
                                     int reportNumber, const Locale& locale, TemplateVersion& templateVersion)
    : TVeskValidator(excel, programFolder, reportNumber, locale, templateVersion),
      m_layout(olderLayout(reportNumber)) {}

TVeskValidatorCorr::TVeskValidatorCorr(excel::Application& excel, const QString& programFolder,
                                       int reportNumber, const Locale& locale,
                                       TemplateVersion& templateVersion)
    : TVeskValidator(excel, programFolder, reportNumber, locale, templateVersion),
      m_layout(correctionLayout(reportNumber)) {}

bool TVeskValidatorNew::ReadRow(ReportSheet& sheet, int row, ReadMode mode, RowRecord& record) {
    startRow();
    record = readColumns(
        m_layout, [&](int column, int width, bool pad) { return cellField(sheet, row, column, width, pad); });
    if (m_unusableCell) {
        return false;
    }
    if (skipByAmount(record, mode, m_reportType)) {
        return true;
    }
    if (mode == ReadMode::Validation) {
        recordKey(rows::duplicateKey(entry().duplicateKey, record), row);
        return false;
    }
    if (rules().currentForBuild) {
        rules().currentForBuild(record);
    }
    return false;
}

bool TVeskValidatorOld::ReadRow(ReportSheet& sheet, int row, ReadMode mode, RowRecord& record) {
    startRow();
    record = readColumns(
        m_layout, [&](int column, int width, bool pad) { return cellField(sheet, row, column, width, pad); });
    if (m_unusableCell) {
        return false;
    }
    if (skipByAmount(record, mode, m_reportType)) {
        return true;
    }
    if (mode == ReadMode::Build) {
        if (rules().olderForBuild) {
            rules().olderForBuild(record);
        }
        return false;
    }
    if (rules().olderForValidation) {
        rules().olderForValidation(record);
    }
    recordKey(rows::duplicateKey(entry().duplicateKeyOf(TemplateGeneration::Older), record), row);
    return false;
}

bool TVeskValidatorCorr::ReadRow(ReportSheet& sheet, int row, ReadMode mode, RowRecord& record) {
    const auto read = [&](int column, int width, bool pad = false) {
        return m_layout.reads(column) ? cellField(sheet, row, column, width, pad) : QString();
    };
    startRow();
    record = RowRecord{};
    const QString columnB = read(B, 2);
    record.tillegg = read(A, 1) + columnB;
    record.objektid = read(C, 1) + read(D, 2) + read(E, 2) + read(F, 2);
    record.sektor = read(G, 3);
    record.naering = read(H, 3);
    record.land = read(I, 4, true);
    record.valuta = read(J, 2);
    record.verdi = read(K, kKeepText);
    if (m_unusableCell) {
        return false;
    }
    if (record.objektid.isEmpty() || record.verdi.isEmpty()) {
        return true;
    }
    if (mode == ReadMode::Build) {
        if (rules().olderForBuild) {
            rules().olderForBuild(record);
        }
        return false;
    }
    if (rules().correctionForValidation) {
        rules().correctionForValidation(record, columnB);
    }
    recordKey(rows::duplicateKey(entry().duplicateKey, record), row);
    return false;
}

std::unique_ptr<TVeskValidator> makeValidator(TemplateGeneration generation, excel::Application& excel,
                                              const QString& programFolder, int reportNumber,
                                              const Locale& locale, TemplateVersion& templateVersion) {
    switch (generation) {
        case TemplateGeneration::Older:
            return std::make_unique<TVeskValidatorOld>(excel, programFolder, reportNumber, locale,
                                                       templateVersion);
        case TemplateGeneration::Correction:
            return std::make_unique<TVeskValidatorCorr>(excel, programFolder, reportNumber, locale,
                                                        templateVersion);
        case TemplateGeneration::Current:
        default:
            return std::make_unique<TVeskValidatorNew>(excel, programFolder, reportNumber, locale,
                                                       templateVersion);
    }
}

}  // namespace telvainn
