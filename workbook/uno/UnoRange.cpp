#include <algorithm>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/XCellAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/util/XSearchable.hpp>

#include "workbook/ColorIndex.h"
#include "workbook/uno/UnoEngine.h"

namespace telvainn::excel::uno {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

int cellCount(const Reference<css::table::XCellRange>& area) {
    const auto address =
        Reference<css::sheet::XCellRangeAddressable>(area, UNO_QUERY_THROW)->getRangeAddress();
    return (address.EndRow - address.StartRow + 1) * (address.EndColumn - address.StartColumn + 1);
}

Reference<css::beans::XPropertySet> properties(const Reference<css::uno::XInterface>& object) {
    return Reference<css::beans::XPropertySet>(object, UNO_QUERY_THROW);
}

}  // namespace

UnoRange::UnoRange(std::shared_ptr<Document> document, std::vector<Reference<css::table::XCellRange>> areas)
    : m_document(std::move(document)), m_areas(std::move(areas)) {}

int UnoRange::Count() {
    m_document->check();
    return m_document->office.call([&] {
        int count = 0;
        for (const auto& area : m_areas) {
            count += cellCount(area);
        }
        return count;
    });
}

CellValue UnoRange::Value() {
    m_document->check();
    return m_document->office.call([&] { return cellValueOf(m_areas.front()->getCellByPosition(0, 0)); });
}

void UnoRange::SetValue(const CellValue& value) {
    m_document->check();
    m_document->office.call([&] {
        for (const auto& area : m_areas) {
            const auto address =
                Reference<css::sheet::XCellRangeAddressable>(area, UNO_QUERY_THROW)->getRangeAddress();
            const sal_Int32 rows = address.EndRow - address.StartRow + 1;
            const sal_Int32 columns = address.EndColumn - address.StartColumn + 1;
            if (value.isEmpty()) {
                for (sal_Int32 row = 0; row < rows; ++row) {
                    for (sal_Int32 column = 0; column < columns; ++column) {
                        setCellValue(area->getCellByPosition(column, row), value);
                    }
                }
                continue;
            }
            css::uno::Sequence<css::uno::Any> line(columns);
            std::fill(line.getArray(), line.getArray() + columns, anyOf(value));
            css::uno::Sequence<css::uno::Sequence<css::uno::Any>> data(rows);
            std::fill(data.getArray(), data.getArray() + rows, line);
            Reference<css::sheet::XCellRangeData>(area, UNO_QUERY_THROW)->setDataArray(data);
        }
    });
}

Block UnoRange::Values() {
    m_document->check();
    return m_document->office.call([&] { return readBlock(m_areas.front()); });
}

std::optional<CellPosition> UnoRange::Find(const QString& text) {
    m_document->check();
    return m_document->office.call([&]() -> std::optional<CellPosition> {
        for (const auto& area : m_areas) {
            const Reference<css::util::XSearchable> searchable(area, UNO_QUERY_THROW);
            const auto descriptor = searchable->createSearchDescriptor();
            descriptor->setSearchString(toOU(text));
            const auto settings = properties(descriptor);
            // In a sheet, "whole words" means the whole cell.
            settings->setPropertyValue("SearchWords", css::uno::Any(true));
            settings->setPropertyValue("SearchCaseSensitive", css::uno::Any(false));
            settings->setPropertyValue("SearchRegularExpression", css::uno::Any(false));
            settings->setPropertyValue("SearchWildcard", css::uno::Any(false));
            settings->setPropertyValue("SearchSimilarity", css::uno::Any(false));
            const Reference<css::sheet::XCellAddressable> found(searchable->findFirst(descriptor), UNO_QUERY);
            if (found.is()) {
                const auto address = found->getCellAddress();
                return CellPosition{address.Row + 1, address.Column + 1};
            }
        }
        return std::nullopt;
    });
}

int UnoRange::ColorIndex() {
    m_document->check();
    return m_document->office.call([&] {
        const auto cell = properties(m_areas.front()->getCellByPosition(0, 0));
        sal_Int32 colour = -1;
        cell->getPropertyValue("CellBackColor") >>= colour;
        bool transparent = false;
        cell->getPropertyValue("IsCellBackgroundTransparent") >>= transparent;
        if (colour < 0 || transparent) {
            return colorIndexForRgb(std::nullopt);
        }
        return colorIndexForRgb(static_cast<quint32>(colour));
    });
}

void UnoRange::SetColorIndex(int index) {
    m_document->check();
    const auto fill = fillOfColorIndex(index);
    m_document->office.call([&] {
        for (const auto& area : m_areas) {
            setFill(properties(area), fill);
        }
    });
}

std::optional<quint32> fillOfColorIndex(int index) {
    const auto rgb = rgbForColorIndex(index);
    if (!rgb && index != kColorIndexNone) {
        throw Error(QStringLiteral("Ugyldig fargeindeks: %1").arg(index));
    }
    return rgb;
}

void setFill(const Reference<css::beans::XPropertySet>& cells, std::optional<quint32> fill) {
    if (fill) {
        cells->setPropertyValue("CellBackColor", css::uno::Any(static_cast<sal_Int32>(*fill)));
    } else {
        // Both together: a set of many ranges is worked through once per call, which is most of its time.
        css::uno::Sequence<rtl::OUString> names(2);
        names.getArray()[0] = "CellBackColor";
        names.getArray()[1] = "IsCellBackgroundTransparent";
        css::uno::Sequence<css::uno::Any> values(2);
        values.getArray()[0] <<= sal_Int32(-1);
        values.getArray()[1] <<= true;
        Reference<css::beans::XMultiPropertySet>(cells, UNO_QUERY_THROW)->setPropertyValues(names, values);
    }
}

}  // namespace telvainn::excel::uno
