#pragma once

#include <QString>
#include <cstddef>

namespace telvainn {

// The seven validated fields of a data row.
enum class Field { Objektid, Sektor, Tillegg, Naering, Land, Valuta, Verdi };
inline constexpr std::size_t kFieldCount = 7;

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

    const QString& field(Field which) const {
        switch (which) {
            case Field::Objektid:
                return objektid;
            case Field::Sektor:
                return sektor;
            case Field::Tillegg:
                return tillegg;
            case Field::Naering:
                return naering;
            case Field::Land:
                return land;
            case Field::Valuta:
                return valuta;
            case Field::Verdi:
            default:
                return verdi;
        }
    }
};

}  // namespace telvainn
