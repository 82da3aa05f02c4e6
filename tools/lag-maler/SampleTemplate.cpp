#include "tools/lag-maler/SampleTemplate.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <memory>
#include <optional>

#include "core/Error.h"
#include "core/FileIo.h"
#include "workbook/ColorIndex.h"
#include "workbook/Excel.h"

namespace telvainn::excel {
namespace {

struct Token {
    QString text;
    bool quoted = false;
};

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

const QRegularExpression& numberPattern() {
    static const QRegularExpression pattern(QStringLiteral("^[-+]?[0-9]+(\\.[0-9]+)?$"));
    return pattern;
}

const QRegularExpression& datePattern() {
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    return pattern;
}

// Excel refuses these as names: they would read as cell references in one of its notations.
bool isValidName(const QString& name) {
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z_\\\\][A-Za-z0-9_.]*$"));
    static const QRegularExpression rowColumn(QStringLiteral("^[RrCc][0-9]*([RrCc][0-9]*)?$"));
    return name.size() <= 255 && shape.match(name).hasMatch() && !rowColumn.match(name).hasMatch() &&
           !parseRangeAddress(name).has_value();
}

bool isValidSheetName(const QString& name) {
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    if (name.isEmpty() || name.size() > 31 || name.startsWith(u'\'') || name.endsWith(u'\'')) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c); });
}

bool covers(const CellRect& rect, int row, int column) {
    return row >= rect.firstRow && row <= rect.lastRow && column >= rect.firstColumn &&
           column <= rect.lastColumn;
}

class Parser {
  public:
    explicit Parser(QString source) : m_source(std::move(source)) { m_workbook.source = m_source; }

    SampleWorkbook parse(const QString& text) {
        // Editors on Windows like to start UTF-8 files with a byte-order mark.
        const QStringList lines = (text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text).split(u'\n');
        for (qsizetype index = 0; index < lines.size(); ++index) {
            m_line = static_cast<int>(index) + 1;
            QString line = lines[index];
            if (line.endsWith(u'\r')) {
                line.chop(1);
            }
            if (m_list) {
                listLine(line);
            } else {
                statement(tokenize(line));
            }
        }
        if (m_list) {
            fail(m_list->line, QStringLiteral("\"list\" uten \"end\""));
        }
        if (m_workbook.sheets.empty()) {
            throw Error(m_source + QStringLiteral(": fila har ingen ark"));
        }
        return std::move(m_workbook);
    }

  private:
    struct OpenList {
        int line = 0;
        int row = 0;
        int column = 0;
        QStringList names;
        QStringList codes;
        QStringList descriptions;
        std::vector<int> lines;
    };

    [[noreturn]] void fail(int line, const QString& what) const {
        throw Error(QStringLiteral("%1:%2: %3").arg(m_source, QString::number(line), what));
    }
    [[noreturn]] void fail(const QString& what) const { fail(m_line, what); }

    std::vector<Token> tokenize(const QString& line) const {
        std::vector<Token> tokens;
        qsizetype at = 0;
        while (true) {
            while (at < line.size() && line[at].isSpace()) {
                ++at;
            }
            if (at == line.size() || line[at] == u'#') {
                return tokens;
            }
            Token token;
            if (line[at] == u'"') {
                token.quoted = true;
                ++at;
                while (true) {
                    if (at == line.size()) {
                        fail(QStringLiteral("tekst uten avsluttende \""));
                    }
                    if (line[at] == u'"') {
                        ++at;
                        break;
                    }
                    if (line[at] == u'\\' && at + 1 < line.size()) {
                        ++at;
                    }
                    token.text += line[at++];
                }
            } else {
                while (at < line.size() && !line[at].isSpace()) {
                    token.text += line[at++];
                }
            }
            tokens.push_back(std::move(token));
        }
    }

    void statement(const std::vector<Token>& tokens) {
        if (tokens.empty()) {
            return;
        }
        const QString& keyword = tokens.front().text;
        if (tokens.front().quoted) {
            fail(QStringLiteral("ukjent setning %1").arg(quoted(keyword)));
        }
        if (keyword == u"sheet") {
            sheetStatement(tokens);
            return;
        }
        static const QStringList sheetStatements = {
            QStringLiteral("cell"),   QStringLiteral("row"),    QStringLiteral("fill"),
            QStringLiteral("unlock"), QStringLiteral("format"), QStringLiteral("name"),
            QStringLiteral("list"),
        };
        if (keyword == u"end") {
            fail(QStringLiteral("\"end\" uten \"list\""));
        }
        if (!sheetStatements.contains(keyword)) {
            fail(QStringLiteral("ukjent setning %1").arg(quoted(keyword)));
        }
        if (m_workbook.sheets.empty()) {
            fail(QStringLiteral("%1 står før første \"sheet\"").arg(quoted(keyword)));
        }
        if (keyword == u"cell") {
            cellStatement(tokens);
        } else if (keyword == u"row") {
            rowStatement(tokens);
        } else if (keyword == u"fill") {
            fillStatement(tokens);
        } else if (keyword == u"unlock") {
            unlockStatement(tokens);
        } else if (keyword == u"format") {
            formatStatement(tokens);
        } else if (keyword == u"name") {
            nameStatement(tokens);
        } else {
            listStatement(tokens);
        }
    }

    void usage(const std::vector<Token>& tokens, bool fits, const QString& form) const {
        if (!fits) {
            fail(QStringLiteral("%1 skrives: %2").arg(quoted(tokens.front().text), form));
        }
    }

    void sheetStatement(const std::vector<Token>& tokens) {
        const bool active = tokens.size() == 3 && tokens[2].text == u"active" && !tokens[2].quoted;
        usage(tokens, tokens.size() == 2 || active, QStringLiteral("sheet NAVN [active]"));
        const QString& name = tokens[1].text;
        if (!isValidSheetName(name)) {
            fail(QStringLiteral("ugyldig arknavn %1").arg(quoted(name)));
        }
        for (const SampleSheet& sheet : m_workbook.sheets) {
            if (sheet.name.compare(name, Qt::CaseInsensitive) == 0) {
                fail(QStringLiteral("arket %1 finnes fra linje %2")
                         .arg(quoted(name), QString::number(sheet.line)));
            }
        }
        if (active) {
            if (m_activeLine != 0) {
                const SampleSheet& first =
                    m_workbook.sheets[static_cast<std::size_t>(m_workbook.activeSheet)];
                fail(QStringLiteral("to aktive ark: %1 (linje %2) og %3")
                         .arg(quoted(first.name), QString::number(m_activeLine), quoted(name)));
            }
            m_activeLine = m_line;
            m_workbook.activeSheet = static_cast<int>(m_workbook.sheets.size());
        }
        SampleSheet sheet;
        sheet.name = name;
        sheet.line = m_line;
        m_workbook.sheets.push_back(std::move(sheet));
        m_cellLines.emplace_back();
    }

    SampleSheet& currentSheet() { return m_workbook.sheets.back(); }

    void checkInsideXls(const CellRect& rect, const QString& text) const {
        if (rect.lastRow > kXlsMaxRows || rect.lastColumn > kXlsMaxColumns) {
            fail(QStringLiteral("%1 ligger utenfor et .xls-ark (A1:IV65536)").arg(quoted(text)));
        }
    }

    std::pair<int, int> singleCell(const QString& text) const {
        const auto rects = parseRangeAddress(text);
        if (!rects || rects->size() != 1 || rects->front().cellCount() != 1) {
            fail(QStringLiteral("ugyldig celleadresse %1").arg(quoted(text)));
        }
        checkInsideXls(rects->front(), text);
        return {rects->front().firstRow, rects->front().firstColumn};
    }

    std::vector<CellRect> area(const QString& text, bool oneRectangle) const {
        const auto rects = parseRangeAddress(text);
        if (!rects || (oneRectangle && rects->size() != 1)) {
            fail(QStringLiteral("ugyldig område %1").arg(quoted(text)));
        }
        for (const CellRect& rect : *rects) {
            checkInsideXls(rect, text);
        }
        return *rects;
    }

    CellValue value(const Token& token) const {
        if (token.quoted) {
            if (token.text.isEmpty()) {
                fail(QStringLiteral("tom tekst \"\": en celle uten verdi skrives ikke"));
            }
            return CellValue(token.text);
        }
        if (numberPattern().match(token.text).hasMatch()) {
            return CellValue(token.text.toDouble());
        }
        if (datePattern().match(token.text).hasMatch()) {
            const QDate date = QDate::fromString(token.text, Qt::ISODate);
            if (!date.isValid()) {
                fail(QStringLiteral("ugyldig dato %1").arg(quoted(token.text)));
            }
            return CellValue(static_cast<double>(QDate(1899, 12, 30).daysTo(date)));
        }
        fail(QStringLiteral("ugyldig verdi %1 (tekst skrives i anførselstegn)").arg(quoted(token.text)));
    }

    void put(int row, int column, const CellValue& cellValue, bool isDate) {
        if (row > kXlsMaxRows || column > kXlsMaxColumns) {
            fail(QStringLiteral("%1 ligger utenfor et .xls-ark (A1:IV65536)")
                     .arg(quoted(cellAddress(row, column))));
        }
        auto& lines = m_cellLines.back();
        const auto [seen, fresh] = lines.emplace(std::pair{row, column}, m_line);
        if (!fresh) {
            fail(QStringLiteral("cellen %1 er gitt på linje %2")
                     .arg(cellAddress(row, column), QString::number(seen->second)));
        }
        currentSheet().cells[{row, column}] = cellValue;
        if (isDate) {
            currentSheet().numberFormats.emplace(std::pair{row, column}, kSampleDateFormat);
        }
    }

    bool isDate(const Token& token) const {
        return !token.quoted && datePattern().match(token.text).hasMatch();
    }

    void cellStatement(const std::vector<Token>& tokens) {
        usage(tokens, tokens.size() == 3, QStringLiteral("cell CELLE VERDI"));
        const auto [row, column] = singleCell(tokens[1].text);
        put(row, column, value(tokens[2]), isDate(tokens[2]));
    }

    void rowStatement(const std::vector<Token>& tokens) {
        usage(tokens, tokens.size() >= 3, QStringLiteral("row CELLE VERDI..."));
        const auto [row, column] = singleCell(tokens[1].text);
        for (std::size_t index = 2; index < tokens.size(); ++index) {
            const Token& token = tokens[index];
            if (!token.quoted && token.text == u"_") {
                continue;
            }
            put(row, column + static_cast<int>(index) - 2, value(token), isDate(token));
        }
    }

    void fillStatement(const std::vector<Token>& tokens) {
        usage(tokens, tokens.size() == 3, QStringLiteral("fill OMRÅDE FARGE"));
        SampleFill fill;
        fill.address = tokens[1].text;
        fill.areas = area(fill.address, false);
        const QString& colour = tokens[2].text;
        bool isNumber = false;
        const int index = colour.toInt(&isNumber);
        if (colour == u"none") {
            fill.colorIndex = kColorIndexNone;
        } else if (isNumber && !tokens[2].quoted && index >= 1 && index <= kPaletteSize) {
            fill.colorIndex = index;
        } else {
            fail(QStringLiteral("ugyldig fyllfarge %1 (1-56 eller none)").arg(quoted(colour)));
        }
        currentSheet().fills.push_back(std::move(fill));
    }

    void unlockStatement(const std::vector<Token>& tokens) {
        usage(tokens, tokens.size() == 2, QStringLiteral("unlock OMRÅDE"));
        currentSheet().unlocked.push_back(SampleUnlock{tokens[1].text, area(tokens[1].text, false)});
    }

    void formatStatement(const std::vector<Token>& tokens) {
        usage(tokens, tokens.size() == 3 && !tokens[2].text.isEmpty(),
              QStringLiteral("format OMRÅDE \"FORMAT\""));
        for (const CellRect& rect : area(tokens[1].text, false)) {
            for (int row = rect.firstRow; row <= rect.lastRow; ++row) {
                for (int column = rect.firstColumn; column <= rect.lastColumn; ++column) {
                    currentSheet().numberFormats[{row, column}] = tokens[2].text;
                }
            }
        }
    }

    void addName(const QString& name, const CellRect& rect, int line) {
        if (!isValidName(name)) {
            fail(line, QStringLiteral("ugyldig navn %1").arg(quoted(name)));
        }
        if (const SampleName* known = m_workbook.name(name)) {
            fail(line, QStringLiteral("navnet %1 er gitt på linje %2")
                           .arg(quoted(name), QString::number(known->line)));
        }
        m_workbook.names.push_back(SampleName{name, currentSheet().name, rect, line});
    }

    void nameStatement(const std::vector<Token>& tokens) {
        usage(tokens, tokens.size() == 3, QStringLiteral("name NAVN OMRÅDE"));
        addName(tokens[1].text, area(tokens[2].text, true).front(), m_line);
    }

    void listStatement(const std::vector<Token>& tokens) {
        usage(tokens, tokens.size() >= 3, QStringLiteral("list CELLE NAVN..."));
        OpenList list;
        list.line = m_line;
        std::tie(list.row, list.column) = singleCell(tokens[1].text);
        for (std::size_t index = 2; index < tokens.size(); ++index) {
            if (!isValidName(tokens[index].text)) {
                fail(QStringLiteral("ugyldig navn %1").arg(quoted(tokens[index].text)));
            }
            list.names.append(tokens[index].text);
        }
        m_list = std::move(list);
    }

    void listLine(const QString& line) {
        const QString entry = line.trimmed();
        if (entry.isEmpty() || entry.startsWith(u'#')) {
            return;
        }
        if (entry == u"end") {
            closeList();
            return;
        }
        const qsizetype bar = entry.indexOf(u'|');
        const QString code = bar < 0 ? entry : entry.left(bar).trimmed();
        if (code.isEmpty()) {
            fail(QStringLiteral("kode mangler foran \"|\""));
        }
        m_list->codes.append(code);
        m_list->descriptions.append(bar < 0 ? QString() : entry.mid(bar + 1).trimmed());
        m_list->lines.push_back(m_line);
    }

    void closeList() {
        const OpenList list = std::move(*m_list);
        m_list.reset();
        if (list.codes.isEmpty()) {
            fail(list.line, QStringLiteral("kodelista %1 er tom").arg(quoted(list.names.front())));
        }
        const int endLine = m_line;
        for (qsizetype index = 0; index < list.codes.size(); ++index) {
            m_line = list.lines[static_cast<std::size_t>(index)];
            const QString& code = list.codes[index];
            // A cell of a longer list is found only when it holds the code and nothing else.
            if (list.codes.size() > 1 && code.contains(u' ')) {
                fail(QStringLiteral("koden %1 i en kodeliste med flere celler har mellomrom; skriv \"kode | "
                                    "beskrivelse\"")
                         .arg(quoted(code)));
            }
            const int row = list.row + static_cast<int>(index);
            put(row, list.column, CellValue(code), false);
            if (!list.descriptions[index].isEmpty()) {
                put(row, list.column + 1, CellValue(list.descriptions[index]), false);
            }
        }
        m_line = endLine;
        const CellRect rect{list.row, list.column, list.row + static_cast<int>(list.codes.size()) - 1,
                            list.column};
        for (const QString& name : list.names) {
            addName(name, rect, list.line);
        }
    }

    QString m_source;
    SampleWorkbook m_workbook;
    int m_line = 0;
    int m_activeLine = 0;
    std::vector<std::map<std::pair<int, int>, int>> m_cellLines;  // per sheet: where each cell was given
    std::optional<OpenList> m_list;
};

void writeSheet(Worksheet& worksheet, const SampleSheet& sheet) {
    // Runs of cells down one column go in one call each: a code list is one run.
    std::vector<std::pair<int, int>> byColumn;  // (column, row)
    for (const auto& entry : sheet.cells) {
        byColumn.emplace_back(entry.first.second, entry.first.first);
    }
    std::sort(byColumn.begin(), byColumn.end());
    std::size_t start = 0;
    while (start < byColumn.size()) {
        const auto [column, firstRow] = byColumn[start];
        std::size_t end = start + 1;
        while (end < byColumn.size() && byColumn[end].first == column &&
               byColumn[end].second == firstRow + static_cast<int>(end - start)) {
            ++end;
        }
        Block block;
        for (std::size_t index = start; index < end; ++index) {
            block.push_back({sheet.cell(byColumn[index].second, column)});
        }
        worksheet.WriteBlock(firstRow, column, block);
        start = end;
    }
    for (const SampleFill& fill : sheet.fills) {
        worksheet.GetRange(fill.address)->SetColorIndex(fill.colorIndex);
    }
    for (const SampleUnlock& unlock : sheet.unlocked) {
        worksheet.GetRange(unlock.address)->SetLocked(false);
    }
    for (const auto& [position, format] : sheet.numberFormats) {
        worksheet.SetNumberFormat(position.first, position.second, format);
    }
}

}  // namespace

CellValue SampleSheet::cell(int row, int column) const {
    const auto found = cells.find({row, column});
    return found == cells.end() ? CellValue() : found->second;
}

QString SampleSheet::numberFormat(int row, int column) const {
    const auto found = numberFormats.find({row, column});
    return found == numberFormats.end() ? QString() : found->second;
}

int SampleSheet::colorIndex(int row, int column) const {
    int index = kColorIndexNone;
    for (const SampleFill& fill : fills) {
        if (std::any_of(fill.areas.begin(), fill.areas.end(),
                        [&](const CellRect& rect) { return covers(rect, row, column); })) {
            index = fill.colorIndex;
        }
    }
    return index;
}

bool SampleSheet::locked(int row, int column) const {
    return std::none_of(unlocked.begin(), unlocked.end(), [&](const SampleUnlock& unlock) {
        return std::any_of(unlock.areas.begin(), unlock.areas.end(),
                           [&](const CellRect& rect) { return covers(rect, row, column); });
    });
}

const SampleSheet* SampleWorkbook::sheet(const QString& name) const {
    const auto found = std::find_if(sheets.begin(), sheets.end(),
                                    [&](const SampleSheet& sheet) { return sheet.name == name; });
    return found == sheets.end() ? nullptr : &*found;
}

const SampleName* SampleWorkbook::name(const QString& wanted) const {
    const auto found = std::find_if(names.begin(), names.end(), [&](const SampleName& name) {
        return name.name.compare(wanted, Qt::CaseInsensitive) == 0;
    });
    return found == names.end() ? nullptr : &*found;
}

QStringList SampleWorkbook::namedTexts(const QString& wanted) const {
    QStringList texts;
    const SampleName* found = name(wanted);
    const SampleSheet* owner = found ? sheet(found->sheet) : nullptr;
    if (owner == nullptr) {
        return texts;
    }
    for (int row = found->area.firstRow; row <= found->area.lastRow; ++row) {
        for (int column = found->area.firstColumn; column <= found->area.lastColumn; ++column) {
            texts.append(owner->cell(row, column).generalText());
        }
    }
    return texts;
}

SampleWorkbook parseSampleWorkbook(const QString& text, const QString& sourceName) {
    return Parser(sourceName).parse(text);
}

SampleWorkbook readSampleWorkbook(const QString& path) {
    return parseSampleWorkbook(QString::fromUtf8(readFileBytes(path)), path);
}

void writeSampleWorkbook(Application& application, const SampleWorkbook& workbook, const QString& path) {
    const QString target = QFileInfo(path).absoluteFilePath();
    std::unique_ptr<Workbook> book;
    try {
        if (QFile::exists(target) && !QFile::remove(target)) {
            throw Error(QStringLiteral("den gamle fila kan ikke slettes"));
        }
        book = application.NewWorkbook();
        // Sheets the engine starts a new workbook with are not part of the source.
        while (book->WorksheetCount() > 1) {
            book->DeleteWorksheet(book->WorksheetCount());
        }
        book->Worksheets(1)->SetName(workbook.sheets.front().name);
        for (std::size_t index = 1; index < workbook.sheets.size(); ++index) {
            book->AddWorksheet(workbook.sheets[index].name);
        }
        for (std::size_t index = 0; index < workbook.sheets.size(); ++index) {
            writeSheet(*book->Worksheets(static_cast<int>(index) + 1), workbook.sheets[index]);
        }
        for (const SampleName& name : workbook.names) {
            book->AddName(name.name, name.sheet, rectAddress(name.area));
        }
        book->Worksheets(workbook.activeSheet + 1)->Activate();
        book->SaveAs(target);
        book->Close();
    } catch (const std::exception& failure) {
        if (book) {
            try {
                book->Close();
            } catch (
                const std::exception&) {  // NOLINT(bugprone-empty-catch): the first failure is the one told
            }
        }
        QFile::remove(target);
        throw Error(QStringLiteral("Klarte ikke lage \"%1\" fra %2: %3")
                        .arg(target, workbook.source, errorText(failure)));
    }
}

}  // namespace telvainn::excel
