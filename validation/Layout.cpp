#include "validation/Layout.h"

#include <QStringList>

#include "core/Numbers.h"
#include "core/ReportCatalogue.h"

namespace telvainn {
namespace {

constexpr int A = 1, B = 2, C = 3, D = 4, E = 5, F = 6, G = 7, H = 8, I = 9, J = 10, K = 11;

QString letterTemplate(int column) {
    return column == 0 ? QString() : QString(QChar(u'A' + column - 1)) + QChar(u'Å');
}

std::size_t at(Field field) {
    return static_cast<std::size_t>(field);
}

Layout columnLayout(const FieldColumns& columns) {
    Layout layout;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        layout.columns[i] = columns.of(static_cast<Field>(i));
        layout.cellTemplates[i] = letterTemplate(layout.columns[i]);
    }
    if (columns.tilleggIsCodeHead) {
        // The head is still read as the tillegg, for the reshaping of the row.
        layout.cellTemplates[at(Field::Objektid)] =
            letterTemplate(columns.tillegg) + QLatin1Char(';') + letterTemplate(columns.objektid);
        layout.cellTemplates[at(Field::Tillegg)].clear();
    }
    return layout;
}

}  // namespace

Layout currentLayout(int reportNumber) {
    return columnLayout(catalogueEntryOrEmpty(reportNumber).current);
}

Layout olderLayout(int reportNumber) {
    return columnLayout(catalogueEntryOrEmpty(reportNumber).older);
}

CorrectionLayout correctionLayout(int reportNumber) {
    CorrectionLayout layout;
    if (!isCatalogueReport(reportNumber)) {
        return layout;
    }
    const CorrectionColumns& correction = catalogueEntry(reportNumber).correction;
    for (int column = A; column <= K; ++column) {
        layout.columnRead[static_cast<std::size_t>(column - 1)] = !correction.skipped.contains(column);
    }
    const auto cellsOf = [&](int first, int last) {
        QStringList cells;
        for (int column = first; column <= last; ++column) {
            if (layout.reads(column) && column != correction.tillegg) {
                cells << letterTemplate(column);
            }
        }
        return cells.join(QLatin1Char(';'));
    };
    auto& cells = layout.cellTemplates;
    // The tillegg of columns A and B is part of the object code as far as colouring goes.
    cells[at(Field::Objektid)] = cellsOf(A, F);
    cells[at(Field::Tillegg)] = letterTemplate(correction.tillegg);
    cells[at(Field::Sektor)] = cellsOf(G, G);
    cells[at(Field::Naering)] = cellsOf(H, H);
    cells[at(Field::Land)] = cellsOf(I, I);
    cells[at(Field::Valuta)] = cellsOf(J, J);
    cells[at(Field::Verdi)] = cellsOf(K, K);
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
