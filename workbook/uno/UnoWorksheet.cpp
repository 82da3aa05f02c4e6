#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/NoSuchElementException.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangeReferrer.hpp>
#include <com/sun/star/sheet/XNamedRanges.hpp>
#include <com/sun/star/sheet/XSheetCellRangeContainer.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/util/XProtectable.hpp>

#include "workbook/RangeAddress.h"
#include "workbook/uno/UnoEngine.h"

namespace telvainn::excel::uno {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

void checkPosition(int row, int column) {
    if (row < 1 || column < 1 || row > kMaxRows || column > kMaxColumns) {
        throw Error(QStringLiteral("Ugyldig celle (%1, %2).").arg(row).arg(column));
    }
}

void checkRect(const CellRect& rect) {
    checkPosition(rect.firstRow, rect.firstColumn);
    checkPosition(rect.lastRow, rect.lastColumn);
    if (rect.firstRow > rect.lastRow || rect.firstColumn > rect.lastColumn) {
        throw Error(QStringLiteral("Ugyldig celleområde (%1, %2) til (%3, %4).")
                        .arg(rect.firstRow)
                        .arg(rect.firstColumn)
                        .arg(rect.lastRow)
                        .arg(rect.lastColumn));
    }
}

}  // namespace

UnoWorksheet::UnoWorksheet(std::shared_ptr<Document> document, Reference<css::sheet::XSpreadsheet> sheet)
    : m_document(std::move(document)), m_sheet(std::move(sheet)) {}

QString UnoWorksheet::Name() {
    return call([&] { return toQ(Reference<css::container::XNamed>(m_sheet, UNO_QUERY_THROW)->getName()); });
}

void UnoWorksheet::SetName(const QString& name) {
    call([&] { Reference<css::container::XNamed>(m_sheet, UNO_QUERY_THROW)->setName(toOU(name)); });
}

void UnoWorksheet::Activate() {
    call([&] {
        const Reference<css::frame::XModel> model(m_document->model, UNO_QUERY_THROW);
        Reference<css::sheet::XSpreadsheetView>(model->getCurrentController(), UNO_QUERY_THROW)
            ->setActiveSheet(m_sheet);
    });
}

void UnoWorksheet::Protect() {
    call([&] { Reference<css::util::XProtectable>(m_sheet, UNO_QUERY_THROW)->protect(rtl::OUString()); });
}

void UnoWorksheet::Unprotect() {
    call([&] {
        try {
            Reference<css::util::XProtectable>(m_sheet, UNO_QUERY_THROW)->unprotect(rtl::OUString());
        } catch (const css::lang::IllegalArgumentException&) {  // the empty password is not its password
            throw WorkbookRefusal(
                QStringLiteral("Arket \"%1\" er beskyttet med et passord programmet ikke kjenner. Opphev "
                               "beskyttelsen i regnearket (Verktøy > Beskytt ark) og prøv igjen.")
                    .arg(toQ(Reference<css::container::XNamed>(m_sheet, UNO_QUERY_THROW)->getName())));
        }
    });
}

bool UnoWorksheet::IsProtected() {
    return call(
        [&] { return bool(Reference<css::util::XProtectable>(m_sheet, UNO_QUERY_THROW)->isProtected()); });
}

CellValue UnoWorksheet::Cell(int row, int column) {
    checkPosition(row, column);
    return call([&] { return cellValueOf(m_sheet->getCellByPosition(column - 1, row - 1)); });
}

void UnoWorksheet::SetCell(int row, int column, const CellValue& value) {
    checkPosition(row, column);
    call([&] { setCellValue(m_sheet->getCellByPosition(column - 1, row - 1), value); });
}

void UnoWorksheet::SetFormula(int row, int column, const QString& formula) {
    checkPosition(row, column);
    call([&] { m_sheet->getCellByPosition(column - 1, row - 1)->setFormula(toOU(formula)); });
}

std::unique_ptr<Range> UnoWorksheet::Cells(int row, int column) {
    checkPosition(row, column);
    return call([&] {
        return std::make_unique<UnoRange>(m_document, std::vector{m_sheet->getCellRangeByPosition(
                                                          column - 1, row - 1, column - 1, row - 1)});
    });
}

std::unique_ptr<Range> UnoWorksheet::GetRange(const QString& addressOrName) {
    if (const auto rects = parseRangeAddress(addressOrName)) {
        return call([&] {
            std::vector<Reference<css::table::XCellRange>> areas;
            for (const auto& rect : *rects) {
                areas.push_back(m_sheet->getCellRangeByPosition(rect.firstColumn - 1, rect.firstRow - 1,
                                                                rect.lastColumn - 1, rect.lastRow - 1));
            }
            return std::make_unique<UnoRange>(m_document, std::move(areas));
        });
    }
    return call([&]() -> std::unique_ptr<Range> {
        // As a formula on this sheet would see it: the sheet's own names first, then the workbook's.
        const auto namesOf = [](const css::uno::Reference<css::uno::XInterface>& owner) {
            return Reference<css::sheet::XNamedRanges>(
                Reference<css::beans::XPropertySet>(owner, UNO_QUERY_THROW)->getPropertyValue("NamedRanges"),
                UNO_QUERY_THROW);
        };
        const rtl::OUString name = toOU(addressOrName);
        auto namedRanges = namesOf(m_sheet);
        if (!namedRanges->hasByName(name)) {
            namedRanges = namesOf(m_document->model);
        }
        if (!namedRanges->hasByName(name)) {
            throw Error(QStringLiteral("Navnet \"%1\" finnes ikke i arbeidsboka.").arg(addressOrName));
        }
        const Reference<css::sheet::XCellRangeReferrer> referrer(namedRanges->getByName(name),
                                                                 UNO_QUERY_THROW);
        const auto cells = referrer->getReferredCells();
        if (!cells.is()) {
            throw Error(QStringLiteral("Navnet \"%1\" viser ikke til celler.").arg(addressOrName));
        }
        return std::make_unique<UnoRange>(m_document, std::vector{cells});
    });
}

Block UnoWorksheet::ReadBlock(int firstRow, int firstColumn, int rowCount, int columnCount) {
    if (rowCount < 1 || columnCount < 1) {
        return {};
    }
    checkPosition(firstRow, firstColumn);
    checkPosition(firstRow + rowCount - 1, firstColumn + columnCount - 1);
    return call([&] {
        return readBlock(m_sheet->getCellRangeByPosition(
            firstColumn - 1, firstRow - 1, firstColumn + columnCount - 2, firstRow + rowCount - 2));
    });
}

void UnoWorksheet::WriteBlock(int firstRow, int firstColumn, const Block& values) {
    if (values.empty()) {
        return;
    }
    std::size_t width = 0;
    for (const auto& row : values) {
        width = std::max(width, row.size());
    }
    if (width == 0) {
        return;
    }
    const int rows = static_cast<int>(values.size());
    const int columns = static_cast<int>(width);
    checkPosition(firstRow, firstColumn);
    checkPosition(firstRow + rows - 1, firstColumn + columns - 1);
    call([&] {
        const auto area = m_sheet->getCellRangeByPosition(firstColumn - 1, firstRow - 1,
                                                          firstColumn + columns - 2, firstRow + rows - 2);
        css::uno::Sequence<css::uno::Sequence<css::uno::Any>> data(rows);
        auto* dataRows = data.getArray();
        for (int row = 0; row < rows; ++row) {
            const auto& source = values[static_cast<std::size_t>(row)];
            css::uno::Sequence<css::uno::Any> line(columns);
            auto* cells = line.getArray();
            for (int column = 0; column < columns; ++column) {
                const auto at = static_cast<std::size_t>(column);
                cells[column] = anyOf(at < source.size() ? source[at] : CellValue());
            }
            dataRows[row] = line;
        }
        Reference<css::sheet::XCellRangeData>(area, UNO_QUERY_THROW)->setDataArray(data);
    });
}

void UnoWorksheet::SetNumberFormat(int row, int column, const QString& format) {
    checkPosition(row, column);
    call([&] {
        const auto formats = Reference<css::util::XNumberFormatsSupplier>(m_document->model, UNO_QUERY_THROW)
                                 ->getNumberFormats();
        const css::lang::Locale english("en", "US", "");
        sal_Int32 key = formats->queryKey(toOU(format), english, false);
        if (key < 0) {
            key = formats->addNew(toOU(format), english);
        }
        Reference<css::beans::XPropertySet>(m_sheet->getCellByPosition(column - 1, row - 1), UNO_QUERY_THROW)
            ->setPropertyValue("NumberFormat", css::uno::Any(key));
    });
}

// One set of ranges takes the fill in one call, where a range per rectangle would cost a round trip to
// the office for each of thousands of cells.
void UnoWorksheet::SetColorIndex(const std::vector<CellRect>& cells, int index) {
    if (cells.empty()) {
        return;
    }
    m_document->check();
    const auto fill = fillOfColorIndex(index);
    for (const auto& rect : cells) {
        checkRect(rect);
    }
    call([&] {
        // LibreOffice (7.4) ends itself when a set of several ranges that holds a locked cell of a
        // protected sheet is given a cell property; a range at a time just leaves locked cells alone.
        if (Reference<css::util::XProtectable>(m_sheet, UNO_QUERY_THROW)->isProtected()) {
            for (const auto& rect : cells) {
                setFill(Reference<css::beans::XPropertySet>(
                            m_sheet->getCellRangeByPosition(rect.firstColumn - 1, rect.firstRow - 1,
                                                            rect.lastColumn - 1, rect.lastRow - 1),
                            UNO_QUERY_THROW),
                        fill);
            }
            return;
        }
        const auto sheetIndex =
            Reference<css::sheet::XCellRangeAddressable>(m_sheet, UNO_QUERY_THROW)->getRangeAddress().Sheet;
        css::uno::Sequence<css::table::CellRangeAddress> addresses(static_cast<sal_Int32>(cells.size()));
        auto* address = addresses.getArray();
        for (const auto& rect : cells) {
            *address++ = css::table::CellRangeAddress(sheetIndex, rect.firstColumn - 1, rect.firstRow - 1,
                                                      rect.lastColumn - 1, rect.lastRow - 1);
        }
        const Reference<css::sheet::XSheetCellRangeContainer> ranges(
            Reference<css::lang::XMultiServiceFactory>(m_document->model, UNO_QUERY_THROW)
                ->createInstance("com.sun.star.sheet.SheetCellRanges"),
            UNO_QUERY_THROW);
        ranges->addRangeAddresses(addresses, false);
        setFill(Reference<css::beans::XPropertySet>(ranges, UNO_QUERY_THROW), fill);
    });
}

}  // namespace telvainn::excel::uno
