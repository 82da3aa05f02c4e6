#pragma once

#include <QString>

#include "core/RowRecord.h"

namespace telvainn {

// What a report number does differently from the others beyond the facts of the report-number table:
// how its rows are reshaped between the sheet's columns and the outputs' fields, and its exceptions to
// the code checks. An empty member means the report has no such rule.
struct ReportRules {
    // Reshapes of a row as read, by template generation and purpose. Validation sees the object code
    // whole; the outputs split it into object id and tillegg.
    void (*currentForBuild)(RowRecord&) = nullptr;
    void (*olderForValidation)(RowRecord&) = nullptr;
    void (*olderForBuild)(RowRecord&) = nullptr;  // the older templates and the correction form
    // `columnB` is the correction form's column B as read, the tail of the tillegg.
    void (*correctionForValidation)(RowRecord&, const QString& columnB) = nullptr;

    // Object ids whose naering must be found in "_naring" when their sektor lies between 550 and 810;
    // for the others it must be "000".
    bool (*industryCoded)(const QString& objektid) = nullptr;
    // Rows whose sektor must be "000" rather than be found in the object's "_s" list.
    bool (*withoutSektor)(const RowRecord&) = nullptr;
    // The code list the land is found in; empty when the land must be "0000".
    QString (*landList)(const RowRecord&) = nullptr;
    // The one code list of every valuta, instead of the object's own "_v" list.
    const char* valutaList = nullptr;
    // The tillegg's name in a row's messages, instead of "Tillegg".
    const char16_t* tilleggName = nullptr;
};

// The rules of a report number; none for a number outside the table.
const ReportRules& reportRules(int reportNumber);

}  // namespace telvainn
