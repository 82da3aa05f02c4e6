#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/FormulaResult.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/text/XText.hpp>

#include "workbook/uno/UnoEngine.h"

namespace telvainn::excel::uno {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

QString cellText(const Reference<css::table::XCell>& cell) {
    return toQ(Reference<css::text::XText>(cell, UNO_QUERY_THROW)->getString());
}

const QString kErrorValueNotWritable = QStringLiteral("En feilverdi kan bare komme fra en formel.");

// A cell holding an empty text reads as empty, as the block reads (which cannot tell them apart) do.
CellValue textValue(const QString& text) {
    return text.isEmpty() ? CellValue() : CellValue(text);
}

}  // namespace

css::uno::Sequence<css::beans::PropertyValue> propertyList(
    std::initializer_list<std::pair<const char*, css::uno::Any>> properties) {
    css::uno::Sequence<css::beans::PropertyValue> list(static_cast<sal_Int32>(properties.size()));
    auto* item = list.getArray();
    for (const auto& [name, value] : properties) {
        item->Name = rtl::OUString::createFromAscii(name);
        item->Value = value;
        ++item;
    }
    return list;
}

CellValue cellValueOf(const Reference<css::table::XCell>& cell) {
    switch (cell->getType()) {
        case css::table::CellContentType_EMPTY:
            return CellValue();
        case css::table::CellContentType_VALUE:
            return CellValue(cell->getValue());
        case css::table::CellContentType_FORMULA: {
            sal_Int32 result = 0;
            Reference<css::beans::XPropertySet>(cell, UNO_QUERY_THROW)
                ->getPropertyValue("FormulaResultType2") >>= result;
            if (result == css::sheet::FormulaResult::VALUE) {
                return CellValue(cell->getValue());
            }
            if (result == css::sheet::FormulaResult::ERROR) {
                return CellValue::error(cellText(cell));
            }
            return textValue(cellText(cell));
        }
        default:
            return textValue(cellText(cell));
    }
}

void setCellValue(const Reference<css::table::XCell>& cell, const CellValue& value) {
    if (value.isError()) {
        throw Error(kErrorValueNotWritable);
    }
    if (value.isNumber()) {
        cell->setValue(value.number());
    } else if (value.isText()) {
        // As a string, never parsed: a code such as "000" stays text.
        Reference<css::text::XText>(cell, UNO_QUERY_THROW)->setString(toOU(value.text()));
    } else {
        cell->setFormula(rtl::OUString());
    }
}

CellValue cellValueOf(const css::uno::Any& any) {
    double number = 0;
    if (any >>= number) {
        return CellValue(number);
    }
    rtl::OUString text;
    if (any >>= text) {
        return textValue(toQ(text));
    }
    return CellValue();
}

css::uno::Any anyOf(const CellValue& value) {
    if (value.isError()) {
        throw Error(kErrorValueNotWritable);
    }
    if (value.isNumber()) {
        return css::uno::Any(value.number());
    }
    return css::uno::Any(toOU(value.text()));
}

Block readBlock(const Reference<css::table::XCellRange>& area) {
    const auto data = Reference<css::sheet::XCellRangeData>(area, UNO_QUERY_THROW)->getDataArray();
    Block block;
    block.reserve(static_cast<std::size_t>(data.getLength()));
    for (sal_Int32 row = 0; row < data.getLength(); ++row) {
        auto& values = block.emplace_back();
        const auto& cells = data[row];
        values.reserve(static_cast<std::size_t>(cells.getLength()));
        for (sal_Int32 column = 0; column < cells.getLength(); ++column) {
            // The block gives an error value as nothing at all (an empty cell comes as an empty text);
            // the cell itself says which error it is, as a single read would.
            values.push_back(cells[column].hasValue() ? cellValueOf(cells[column])
                                                      : cellValueOf(area->getCellByPosition(column, row)));
        }
    }
    return block;
}

}  // namespace telvainn::excel::uno
