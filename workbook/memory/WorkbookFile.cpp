#include "workbook/memory/WorkbookFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "core/Error.h"
#include "core/FileIo.h"

namespace telvainn::excel::memory {
namespace {

const QString kFormat = QStringLiteral("telvainn in-memory workbook");
constexpr int kVersion = 1;

const QString kFormatKey = QStringLiteral("format");
const QString kVersionKey = QStringLiteral("version");
const QString kActiveSheetKey = QStringLiteral("activeSheet");
const QString kSheetsKey = QStringLiteral("sheets");
const QString kNamesKey = QStringLiteral("names");
const QString kNameKey = QStringLiteral("name");
const QString kProtectedKey = QStringLiteral("protected");
const QString kCellsKey = QStringLiteral("cells");
const QString kRowKey = QStringLiteral("row");
const QString kColumnKey = QStringLiteral("column");
const QString kValueKey = QStringLiteral("value");
const QString kFillKey = QStringLiteral("fill");
const QString kNumberFormatKey = QStringLiteral("numberFormat");
const QString kSheetKey = QStringLiteral("sheet");
const QString kAddressKey = QStringLiteral("address");
const QString kLocksKey = QStringLiteral("locks");
const QString kLockedKey = QStringLiteral("locked");
const QString kLocalKey = QStringLiteral("local");
const QString kErrorKey = QStringLiteral("error");

// Thrown inside the reader for any content that is not a workbook of ours; becomes one message.
struct NotAWorkbook {};

QString fillText(quint32 rgb) {
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

quint32 parseFill(const QJsonValue& value) {
    const QString text = value.toString();
    bool ok = false;
    const uint rgb = text.mid(1).toUInt(&ok, 16);
    if (text.size() != 7 || !text.startsWith(QLatin1Char('#')) || !ok) {
        throw NotAWorkbook{};
    }
    return rgb;
}

int parseInt(const QJsonValue& value, int low, int high) {
    const double number = value.toDouble(std::nan(""));
    if (!(number >= low && number <= high) || number != std::trunc(number)) {
        throw NotAWorkbook{};
    }
    return static_cast<int>(number);
}

QJsonObject cellObject(int row, int column, const CellData& cell) {
    QJsonObject object{{kRowKey, row}, {kColumnKey, column}};
    if (cell.value.isNumber()) {
        object.insert(kValueKey, cell.value.number());
    } else if (cell.value.isText()) {
        object.insert(kValueKey, cell.value.text());
    } else if (cell.value.isError()) {
        object.insert(kErrorKey, cell.value.generalText());
    }
    if (cell.fill) {
        object.insert(kFillKey, fillText(*cell.fill));
    }
    if (!cell.numberFormat.isEmpty()) {
        object.insert(kNumberFormatKey, cell.numberFormat);
    }
    return object;
}

QString addressText(const std::vector<CellRect>& rects) {
    QStringList parts;
    for (const CellRect& rect : rects) {
        parts.append(rectAddress(rect));
    }
    return parts.join(QLatin1Char(';'));
}

std::shared_ptr<SheetData> parseSheet(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    auto sheet = std::make_shared<SheetData>();
    sheet->name = object.value(kNameKey).toString();
    sheet->isProtected = object.value(kProtectedKey).toBool();
    if (sheet->name.isEmpty() || !object.value(kCellsKey).isArray()) {
        throw NotAWorkbook{};
    }
    for (const QJsonValue& cellValue : object.value(kCellsKey).toArray()) {
        const QJsonObject cellObject = cellValue.toObject();
        const int row = parseInt(cellObject.value(kRowKey), 1, kMaxRows);
        const int column = parseInt(cellObject.value(kColumnKey), 1, kMaxColumns);
        CellData cell;
        const QJsonValue stored = cellObject.value(kValueKey);
        if (stored.isDouble()) {
            cell.value = CellValue(stored.toDouble());
        } else if (stored.isString()) {
            cell.value = CellValue(stored.toString());
        } else if (!stored.isUndefined()) {
            throw NotAWorkbook{};
        } else if (cellObject.value(kErrorKey).isString()) {
            cell.value = CellValue::error(cellObject.value(kErrorKey).toString());
        }
        if (cellObject.contains(kFillKey)) {
            cell.fill = parseFill(cellObject.value(kFillKey));
        }
        cell.numberFormat = cellObject.value(kNumberFormatKey).toString();
        if (!cell.isBlank()) {
            sheet->cells[std::pair{row, column}] = std::move(cell);
        }
    }
    for (const QJsonValue& lockValue : object.value(kLocksKey).toArray()) {
        const QJsonObject lock = lockValue.toObject();
        const auto rects = parseRangeAddress(lock.value(kAddressKey).toString());
        if (!rects || rects->size() != 1 || !lock.value(kLockedKey).isBool()) {
            throw NotAWorkbook{};
        }
        sheet->lockChanges.emplace_back(rects->front(), lock.value(kLockedKey).toBool());
    }
    return sheet;
}

NameData parseName(const QJsonValue& value, const BookData& book) {
    const QJsonObject object = value.toObject();
    NameData name;
    name.name = object.value(kNameKey).toString();
    name.sheet = book.sheetNamed(object.value(kSheetKey).toString());
    name.local = object.value(kLocalKey).toBool();
    const auto rects = parseRangeAddress(object.value(kAddressKey).toString());
    if (name.name.isEmpty() || name.sheet.expired() || !rects) {
        throw NotAWorkbook{};
    }
    name.rects = *rects;
    return name;
}

std::shared_ptr<BookData> parseBook(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError || root.value(kFormatKey).toString() != kFormat ||
        root.value(kVersionKey).toInt() != kVersion) {
        throw NotAWorkbook{};
    }
    auto book = std::make_shared<BookData>();
    for (const QJsonValue& sheetValue : root.value(kSheetsKey).toArray()) {
        auto sheet = parseSheet(sheetValue);
        if (book->sheetNamed(sheet->name)) {
            throw NotAWorkbook{};
        }
        book->sheets.push_back(std::move(sheet));
    }
    if (book->sheets.empty()) {
        throw NotAWorkbook{};
    }
    book->activeSheet = parseInt(root.value(kActiveSheetKey), 1, static_cast<int>(book->sheets.size()));
    for (const QJsonValue& nameValue : root.value(kNamesKey).toArray()) {
        book->names.push_back(parseName(nameValue, *book));
    }
    return book;
}

}  // namespace

void writeWorkbookFile(const BookData& book, const QString& path) {
    QJsonArray sheets;
    for (const auto& sheet : book.sheets) {
        QJsonArray cells;
        for (const auto& [position, cell] : sheet->cells) {
            cells.append(cellObject(position.first, position.second, cell));
        }
        QJsonArray locks;
        for (const auto& [rect, locked] : sheet->lockChanges) {
            locks.append(QJsonObject{{kAddressKey, rectAddress(rect)}, {kLockedKey, locked}});
        }
        sheets.append(QJsonObject{{kNameKey, sheet->name},
                                  {kProtectedKey, sheet->isProtected},
                                  {kCellsKey, cells},
                                  {kLocksKey, locks}});
    }
    QJsonArray names;
    for (const NameData& name : book.names) {
        const auto sheet = name.sheet.lock();
        if (sheet && book.indexOf(*sheet) > 0) {  // a name whose sheet was deleted is not kept
            QJsonObject entry{
                {kNameKey, name.name}, {kSheetKey, sheet->name}, {kAddressKey, addressText(name.rects)}};
            if (name.local) {
                entry.insert(kLocalKey, true);
            }
            names.append(entry);
        }
    }
    const QJsonObject root{{kFormatKey, kFormat},
                           {kVersionKey, kVersion},
                           {kActiveSheetKey, book.activeSheet},
                           {kSheetsKey, sheets},
                           {kNamesKey, names}};
    QString reason;
    if (!writeFileAtomically(path, QJsonDocument(root).toJson(), &reason)) {
        throw Error(QStringLiteral("Cannot save the workbook as '%1': %2").arg(path, reason));
    }
}

std::shared_ptr<BookData> readWorkbookFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        throw Error(QStringLiteral("'%1' could not be found. Check the spelling of the file name, and verify "
                                   "that the file location is correct.")
                        .arg(path));
    }
    QString reason;
    const std::optional<QByteArray> bytes = readWholeFile(path, &reason);
    if (!bytes) {
        throw Error(QStringLiteral("'%1' could not be opened: %2").arg(path, reason));
    }
    try {
        auto book = parseBook(*bytes);
        book->fullPath = path;
        book->name = QFileInfo(path).fileName();
        return book;
    } catch (const NotAWorkbook&) {
        throw Error(QStringLiteral("The file '%1' cannot be opened because the file format or file extension "
                                   "is not valid.")
                        .arg(path));
    }
}

}  // namespace telvainn::excel::memory
