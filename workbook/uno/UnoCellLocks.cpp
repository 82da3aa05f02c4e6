#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/util/CellProtection.hpp>

#include "workbook/uno/UnoEngine.h"

namespace telvainn::excel::uno {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

bool UnoRange::Locked() {
    m_document->check();
    return m_document->office.call([&] {
        css::util::CellProtection protection;
        Reference<css::beans::XPropertySet>(m_areas.front()->getCellByPosition(0, 0), UNO_QUERY_THROW)
            ->getPropertyValue("CellProtection") >>= protection;
        return bool(protection.IsLocked);
    });
}

// The other parts of a cell's protection (formula hidden, hidden, print hidden) stay as they are.
void UnoRange::SetLocked(bool locked) {
    m_document->check();
    m_document->office.call([&] {
        for (const auto& area : m_areas) {
            const Reference<css::beans::XPropertySet> cells(area, UNO_QUERY_THROW);
            css::util::CellProtection protection;
            cells->getPropertyValue("CellProtection") >>= protection;
            protection.IsLocked = locked;
            cells->setPropertyValue("CellProtection", css::uno::Any(protection));
        }
    });
}

}  // namespace telvainn::excel::uno
