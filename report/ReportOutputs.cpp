#include <exception>
#include <optional>

#include "core/Error.h"
#include "core/ReportDataLines.h"
#include "core/ReportXml.h"
#include "report/TVeskReport.h"
#include "workbook/RangeAddress.h"

namespace telvainn {
namespace {

constexpr int kEmptyRowsEndingTheWalk = 200;

}  // namespace

void TVeskReport::WalkRows(const std::function<void(int row, const RowRecord&)>& action,
                           const std::function<QString(int row, const QString& reason)>& rowFailure) {
    excel::Application& excel = m_environment.excel;
    excel.SetScreenUpdating(false);
    struct RestoreScreen {
        excel::Application& excel;
        ~RestoreScreen() {
            try {
                excel.SetScreenUpdating(true);
            } catch (const std::exception&) {
            }
        }
    } restore{excel};

    ReadHeading();
    ReportSheet sheet(*m_reportSheet, m_environment.reading);
    if (const QString message = m_validator->CheckHeading(sheet, false); !message.isEmpty()) {
        throw Error(message);
    }
    int emptyRun = 0;
    for (int row = kFirstDataRow; emptyRun != kEmptyRowsEndingTheWalk && row <= excel::kMaxRows; ++row) {
        RowRecord record;
        if (m_validator->ReadRow(sheet, row, ReadMode::Build, record)) {
            if (record.objektid.isEmpty()) {
                ++emptyRun;
            }
            continue;
        }
        if (const auto& cell = m_validator->unusableCell()) {
            throw Error(rowFailure(row, cell->reason() + cellNote(cell->address())));
        }
        action(row, record);
        emptyRun = 0;
    }
}

QString TVeskReport::BuildXmlDocument(const QDateTime& buildTime) {
    // The identity is the one the walk reads from the heading.
    std::optional<XmlDocumentBuilder> document;
    WalkRows(
        [&](int row, const RowRecord& record) {
            if (!document) {
                document.emplace(m_identity, buildTime, m_environment.locale);
            }
            document->addRow(row, record, cellNote(m_validator->amountCell(row)));
        },
        xmlRowFailure);
    if (!document) {
        document.emplace(m_identity, buildTime, m_environment.locale);
    }
    return document->text();
}

QString TVeskReport::BuildDataLines() {
    std::optional<DataLinesBuilder> lines;
    WalkRows(
        [&](int row, const RowRecord& record) {
            if (!lines) {
                lines.emplace(m_identity, m_environment.locale);
            }
            lines->addRow(row, record, cellNote(m_validator->amountCell(row)));
        },
        dataLineRowFailure);
    if (!lines) {
        lines.emplace(m_identity, m_environment.locale);
    }
    return lines->text();
}

}  // namespace telvainn
