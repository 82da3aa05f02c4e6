#pragma once

#include <QString>

namespace telvainn {

// One data row of a report as a validator's ReadRow delivers it; the same names are the attributes of
// the XML OBJEKT element and the fields of a data line.
struct RowRecord {
    QString text;
    QString objektid;
    QString tillegg;
    QString sektor;
    QString naering;
    QString land;
    QString valuta;
    QString verdi;

    friend bool operator==(const RowRecord&, const RowRecord&) = default;
};

}  // namespace telvainn
