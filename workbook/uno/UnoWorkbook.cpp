#include <QFileInfo>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>

#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XNamedRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/table/CellAddress.hpp>

#include "workbook/RangeAddress.h"
#include "workbook/ReadOnlyFile.h"
#include "workbook/uno/UnoEngine.h"

namespace telvainn::excel::uno {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

Reference<css::container::XIndexAccess> sheetsOf(const Document& document) {
    return Reference<css::container::XIndexAccess>(document.model->getSheets(), UNO_QUERY_THROW);
}

Reference<css::sheet::XSpreadsheet> sheetAt(const Document& document, int index) {
    const auto sheets = sheetsOf(document);
    if (index < 1 || index > sheets->getCount()) {
        throw Error(QStringLiteral("Arbeidsboka har ikke noe ark nr. %1.").arg(index));
    }
    return Reference<css::sheet::XSpreadsheet>(sheets->getByIndex(index - 1), UNO_QUERY_THROW);
}

QString sheetName(const Reference<css::sheet::XSpreadsheet>& sheet) {
    return toQ(Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->getName());
}

QString filterFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xls")) {
        return QStringLiteral("MS Excel 97");
    }
    if (suffix == QLatin1String("xlsx")) {
        return QStringLiteral("Calc MS Excel 2007 XML");
    }
    if (suffix == QLatin1String("ods")) {
        return QStringLiteral("calc8");
    }
    throw Error(QStringLiteral("Kan ikke lagre en arbeidsbok som \"%1\": ukjent filtype.").arg(path));
}

}  // namespace

Document::Document(Office& office, Reference<css::sheet::XSpreadsheetDocument> model, QString fullPath)
    : office(office),
      generation(office.generation()),
      model(std::move(model)),
      fullPath(std::move(fullPath)) {}

void Document::check() const {
    if (!office.generationAlive(generation)) {
        throw Error(
            QStringLiteral("Arbeidsboka \"%1\" ble lukket da LibreOffice Calc avsluttet.").arg(name()));
    }
    if (closed) {
        throw Error(QStringLiteral("Arbeidsboka \"%1\" er lukket.").arg(name()));
    }
}

QString Document::name() const {
    return QFileInfo(fullPath).fileName();
}

UnoWorkbook::UnoWorkbook(UnoApplication& application, std::shared_ptr<Document> document)
    : m_application(application), m_document(std::move(document)) {}

QString UnoWorkbook::Name() {
    if (!m_document->fullPath.isEmpty()) {
        return m_document->name();
    }
    return call(
        [&] { return toQ(Reference<css::frame::XTitle>(m_document->model, UNO_QUERY_THROW)->getTitle()); });
}

QString UnoWorkbook::FullName() {
    return m_document->fullPath.isEmpty() ? Name() : m_document->fullPath;
}

bool UnoWorkbook::IsOpen() {
    return !m_document->closed && m_document->office.generationAlive(m_document->generation);
}

int UnoWorkbook::WorksheetCount() {
    return call([&] { return int(sheetsOf(*m_document)->getCount()); });
}

std::unique_ptr<Worksheet> UnoWorkbook::Worksheets(int index) {
    return call([&] { return std::make_unique<UnoWorksheet>(m_document, sheetAt(*m_document, index)); });
}

std::unique_ptr<Worksheet> UnoWorkbook::WorksheetNamed(const QString& name) {
    return call([&] {
        const auto sheets = m_document->model->getSheets();
        if (!sheets->hasByName(toOU(name))) {
            throw Error(QStringLiteral("Arbeidsboka har ikke noe ark som heter \"%1\".").arg(name));
        }
        return std::make_unique<UnoWorksheet>(
            m_document, Reference<css::sheet::XSpreadsheet>(sheets->getByName(toOU(name)), UNO_QUERY_THROW));
    });
}

std::unique_ptr<Worksheet> UnoWorkbook::ActiveSheet() {
    return call([&] {
        const Reference<css::frame::XModel> model(m_document->model, UNO_QUERY_THROW);
        const Reference<css::sheet::XSpreadsheetView> view(model->getCurrentController(), UNO_QUERY_THROW);
        return std::make_unique<UnoWorksheet>(m_document, view->getActiveSheet());
    });
}

void UnoWorkbook::Activate() {
    call([&] {
        const Reference<css::frame::XModel> model(m_document->model, UNO_QUERY_THROW);
        model->getCurrentController()->getFrame()->activate();
    });
}

void UnoWorkbook::Save() {
    if (m_document->fullPath.isEmpty()) {
        throw Error(QStringLiteral("Arbeidsboka \"%1\" har ikke noe filnavn ennå.").arg(Name()));
    }
    const QString& path = m_document->fullPath;
    const QString readOnly =
        QStringLiteral(
            "Arbeidsboka \"%1\" er skrivebeskyttet og ble ikke lagret. Fjern skrivebeskyttelsen, eller lagre "
            "den under et annet navn i regnearket.")
            .arg(path);
    if (fileMarkedReadOnly(path)) {
        throw Error(readOnly);
    }
    call([&] {
        const Reference<css::frame::XStorable> storable(m_document->model, UNO_QUERY_THROW);
        if (storable->isReadonly()) {
            throw Error(readOnly);
        }
        try {
            // store() keeps the filter the file was loaded with: an .xls stays Excel 97-2003.
            storable->store();
        } catch (const css::io::IOException&) {
            // The office's own words name its internals, not the cause; these are the causes left.
            throw Error(
                QStringLiteral("Klarte ikke lagre arbeidsboka \"%1\". Sjekk at mappa finnes, at du kan "
                               "skrive i den, og at disken ikke er full.")
                    .arg(path));
        }
    });
}

void UnoWorkbook::SaveAs(const QString& fullPath) {
    const QString path = QFileInfo(fullPath).absoluteFilePath();
    const QString filter = filterFor(path);
    call([&] {
        const auto arguments =
            propertyList({{"FilterName", css::uno::Any(toOU(filter))}, {"Overwrite", css::uno::Any(true)}});
        Reference<css::frame::XStorable>(m_document->model, UNO_QUERY_THROW)
            ->storeAsURL(fileUrl(path), arguments);
    });
    m_document->fullPath = path;
}

void UnoWorkbook::Close() {
    if (!IsOpen()) {
        return;  // closing what is already gone is no failure
    }
    m_application.closeDocument(*m_document);
}

void UnoWorkbook::OnBeforeClose(std::function<void()> handler) {
    m_document->beforeClose = std::move(handler);
}

std::unique_ptr<Worksheet> UnoWorkbook::AddWorksheet(const QString& name) {
    return call([&] {
        const auto sheets = m_document->model->getSheets();
        sheets->insertNewByName(toOU(name), static_cast<sal_Int16>(sheetsOf(*m_document)->getCount()));
        return std::make_unique<UnoWorksheet>(
            m_document, Reference<css::sheet::XSpreadsheet>(sheets->getByName(toOU(name)), UNO_QUERY_THROW));
    });
}

void UnoWorkbook::DeleteWorksheet(int index) {
    call([&] { m_document->model->getSheets()->removeByName(toOU(sheetName(sheetAt(*m_document, index)))); });
}

void UnoWorkbook::AddName(const QString& name, const QString& sheetName, const QString& address) {
    addName(name, sheetName, address, false);
}

void UnoWorkbook::AddSheetName(const QString& name, const QString& sheetName, const QString& address) {
    addName(name, sheetName, address, true);
}

void UnoWorkbook::addName(const QString& name, const QString& sheetName, const QString& address, bool local) {
    const auto rects = parseRangeAddress(address);
    if (!rects || rects->size() != 1) {
        throw Error(QStringLiteral("Ugyldig celleområde for navnet \"%1\": %2").arg(name, address));
    }
    const CellRect& rect = rects->front();
    QString quoted = sheetName;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    const QString content = QStringLiteral("$'%1'.$%2$%3:$%4$%5")
                                .arg(quoted, columnLetters(rect.firstColumn))
                                .arg(rect.firstRow)
                                .arg(columnLetters(rect.lastColumn))
                                .arg(rect.lastRow);
    call([&] {
        css::uno::Reference<css::uno::XInterface> owner = m_document->model;
        sal_Int16 sheetIndex = 0;
        if (local) {
            const Reference<css::sheet::XSpreadsheet> sheet(
                m_document->model->getSheets()->getByName(toOU(sheetName)), UNO_QUERY_THROW);
            sheetIndex =
                Reference<css::sheet::XCellRangeAddressable>(sheet, UNO_QUERY_THROW)->getRangeAddress().Sheet;
            owner = sheet;
        }
        const Reference<css::sheet::XNamedRanges> names(
            Reference<css::beans::XPropertySet>(owner, UNO_QUERY_THROW)->getPropertyValue("NamedRanges"),
            UNO_QUERY_THROW);
        names->addNewByName(toOU(name), toOU(content), css::table::CellAddress(sheetIndex, 0, 0), 0);
    });
}

}  // namespace telvainn::excel::uno
