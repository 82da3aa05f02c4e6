#include "workbook/memory/EngineState.h"

#include <algorithm>

#include "core/Error.h"

namespace telvainn::excel::memory {

std::shared_ptr<BookData> EngineState::openNamed(QStringView name) const {
    for (const auto& book : books) {
        if (book->name.compare(name, Qt::CaseInsensitive) == 0) {
            return book;
        }
    }
    return nullptr;
}

void EngineState::checkNameFree(const QString& name, const BookData* self) const {
    const auto holder = openNamed(name);
    if (holder && holder.get() != self) {
        throw Error(QStringLiteral("A workbook named '%1' is already open. Two workbooks with the same name "
                                   "cannot be open at the same time, even from different folders.")
                        .arg(name));
    }
}

void EngineState::close(BookData& book) {
    book.open = false;
    book.beforeClose = nullptr;
    std::erase_if(books, [&](const auto& held) { return held.get() == &book; });
}

void EngineState::closeAll() {
    for (const auto& book : books) {
        book->open = false;
        book->beforeClose = nullptr;
    }
    books.clear();
}

}  // namespace telvainn::excel::memory
