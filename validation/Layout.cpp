#include "validation/Layout.h"

#include "core/Numbers.h"

namespace telvainn {
namespace {

constexpr int A = 1, B = 2, C = 3, D = 4, E = 5, F = 6, G = 7;

QString letterTemplate(int column) {
    return column == 0 ? QString() : QString(QChar(u'A' + column - 1)) + QChar(u'Å');
}

// Every field read is validated, coloured in its own column.
Layout plainLayout(int objektid, int tillegg, int sektor, int naering, int land, int valuta, int verdi) {
    Layout layout;
    layout.columns = {objektid, sektor, tillegg, naering, land, valuta, verdi};
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        layout.cellTemplates[i] = letterTemplate(layout.columns[i]);
    }
    return layout;
}

void setTemplate(Layout& layout, Field field, const QString& cells) {
    layout.cellTemplates[static_cast<std::size_t>(field)] = cells;
}

}  // namespace

Layout currentLayout(int reportNumber) {
    switch (reportNumber) {
        case 10:
        case 50:
            return plainLayout(B, 0, D, E, 0, F, G);
        case 11:
            return plainLayout(B, C, D, E, 0, F, G);
        case 20:
        case 21:
            return plainLayout(B, 0, D, 0, 0, E, F);
        case 35:
            return plainLayout(B, 0, 0, 0, 0, C, D);
        case 51:
            return plainLayout(B, 0, C, 0, D, E, F);
        case 60:
            return plainLayout(B, 0, C, D, E, F, G);
        default:
            return Layout{};
    }
}

Layout olderLayout(int reportNumber) {
    Layout layout;
    switch (reportNumber) {
        case 10:
        case 50:
            return plainLayout(B, 0, C, D, 0, E, F);
        case 11:
            return plainLayout(C, B, D, E, 0, F, G);
        case 20:
        case 21:
            // Valuta and verdi are coloured where they are read (E and F); the older templates' own
            // naming of F and G would colour the neighbouring cells.
            layout = plainLayout(C, B, D, 0, 0, E, F);
            break;
        case 35:
            layout = plainLayout(C, B, 0, 0, 0, D, E);
            break;
        case 51:
            layout = plainLayout(C, B, D, 0, E, F, G);
            break;
        case 60:
            return plainLayout(B, 0, C, D, E, F, G);
        default:
            return Layout{};
    }
    // The object code is split over B and C; B is read as the tillegg but validated with the object.
    setTemplate(layout, Field::Objektid, QStringLiteral("BÅ;CÅ"));
    setTemplate(layout, Field::Tillegg, QString());
    return layout;
}

CorrectionLayout correctionLayout(int reportNumber) {
    CorrectionLayout layout;
    layout.columnRead.fill(true);
    const auto skip = [&](std::initializer_list<int> columns) {
        for (const int column : columns) {
            layout.columnRead[static_cast<std::size_t>(column - 1)] = false;
        }
    };
    auto& cells = layout.cellTemplates;
    const auto at = [](Field field) { return static_cast<std::size_t>(field); };
    const QString sektor = QStringLiteral("GÅ");
    const QString naering = QStringLiteral("HÅ");
    const QString land = QStringLiteral("IÅ");
    const QString valuta = QStringLiteral("JÅ");
    const QString verdi = QStringLiteral("KÅ");
    switch (reportNumber) {
        case 10:
        case 50:
            skip({A, B, 9});
            cells[at(Field::Objektid)] = QStringLiteral("CÅ;DÅ;EÅ;FÅ");
            cells[at(Field::Sektor)] = sektor;
            cells[at(Field::Naering)] = naering;
            break;
        case 11:
            skip({A, 9});
            cells[at(Field::Objektid)] = QStringLiteral("BÅ;CÅ;DÅ;EÅ");
            cells[at(Field::Tillegg)] = QStringLiteral("FÅ");
            cells[at(Field::Sektor)] = sektor;
            cells[at(Field::Naering)] = naering;
            break;
        case 20:
        case 21:
            skip({8, 9});
            cells[at(Field::Objektid)] = QStringLiteral("AÅ;BÅ;CÅ;DÅ;EÅ;FÅ");
            cells[at(Field::Sektor)] = sektor;
            break;
        case 35:
            skip({F, G, 8, 9});
            cells[at(Field::Objektid)] = QStringLiteral("AÅ;BÅ;CÅ;DÅ;EÅ");
            break;
        case 51:
            skip({A, 8});
            cells[at(Field::Objektid)] = QStringLiteral("BÅ;CÅ;DÅ;EÅ;FÅ");
            cells[at(Field::Sektor)] = sektor;
            cells[at(Field::Land)] = land;
            break;
        case 60:
            skip({A, B});
            cells[at(Field::Objektid)] = QStringLiteral("CÅ;DÅ;EÅ;FÅ");
            cells[at(Field::Sektor)] = sektor;
            cells[at(Field::Naering)] = naering;
            cells[at(Field::Land)] = land;
            break;
        default:
            layout.columnRead.fill(false);
            return layout;
    }
    cells[at(Field::Valuta)] = valuta;
    cells[at(Field::Verdi)] = verdi;
    return layout;
}

QString fieldText(const QString& cellText, int width, bool pad) {
    const QString text = trimmed(cellText);
    if (width == kKeepText) {
        return text;
    }
    if (isDigitsOnly(text)) {
        return zeroPadded(toInteger(text), width);
    }
    if (!text.isEmpty() && pad) {
        return text.rightJustified(width, QLatin1Char('0'));
    }
    return QString();
}

QString cellsOfRow(const QString& cellTemplate, int row) {
    QString cells = cellTemplate;
    return cells.replace(QChar(u'Å'), QString::number(row));
}

}  // namespace telvainn
