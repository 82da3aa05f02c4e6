#include "core/DataFile.h"

#include <QHash>
#include <QSet>
#include <QVarLengthArray>
#include <cstring>

#include "core/ControlCharacters.h"
#include "core/Error.h"
#include "core/FileIo.h"
#include "core/Numbers.h"
#include "core/ProgramInfo.h"
#include "core/ReportIdentity.h"
#include "core/ReportXml.h"
#include "core/TemplateVersion.h"
#include "core/Windows1252.h"
#include "core/XmlEscape.h"

namespace telvainn {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

Error invalidDataLine(qsizetype lineNumber) {
    return Error(kInvalidDataLineMessage + QStringLiteral(" (linje nr %1)").arg(lineNumber));
}

Error lineLengthError(qsizetype length) {
    return Error(QStringLiteral("Fila inneholdt en linje med %1 tegn, og programmet taklet ikke å lese det.")
                     .arg(length));
}

Error unknownCompanyError(qsizetype lineNumber, const QString& regnr) {
    return Error(QStringLiteral("Linje nr %1 i fila begynner ikke med et regnr programmet kjenner (\"%2\"). "
                                "Linjen kan ikke ha blanke tegn foran regnr.")
                     .arg(lineNumber)
                     .arg(withVisibleControls(regnr)));
}

// 1-based position and width, as the layout is written down.
QStringView field(QStringView line, qsizetype position, qsizetype width) {
    return line.mid(position - 1, width);
}

bool isNegative(QStringView line) {
    return field(line, 35, 1) == QLatin1String("1");
}

// The bytes of a line without the blanks around it; a byte below 0x21 is a character below 0x21.
QByteArrayView trimBlankBytes(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && static_cast<unsigned char>(bytes[begin]) <= 0x20) {
        ++begin;
    }
    while (end > begin && static_cast<unsigned char>(bytes[end - 1]) <= 0x20) {
        --end;
    }
    return bytes.sliced(begin, end - begin);
}

// Checks the fields of a data line and gives its report's catalogue index.
int checkDataLine(QStringView line, qsizetype lineNumber, const Locale& locale) {
    // Every field but land is a number: an optional sign, digits and at most one decimal separator. The
    // characters alone would let "--000000123" (a verdi that already carried its sign) or "1-2" through.
    const auto number = [&](QStringView text) {
        return splitAmount(text, locale.decimalSeparator).has_value();
    };
    QVarLengthArray<QChar, 16> verdi;
    if (isNegative(line)) {
        verdi.append(QLatin1Char('-'));
    }
    const QStringView unsigned_ = field(line, 36, 10);
    verdi.append(unsigned_.data(), unsigned_.size());
    if (!number(field(line, 1, 4)) || !number(field(line, 5, 2)) || !number(field(line, 13, 3)) ||
        !number(field(line, 16, 7)) || !number(field(line, 23, 3)) || !number(field(line, 26, 3)) ||
        !number(field(line, 33, 2)) || !number(QStringView(verdi.data(), verdi.size()))) {
        throw invalidDataLine(lineNumber);
    }
    return GetReportIndex(field(line, 5, 2));
}

void appendAttribute(QString& text, QLatin1String start, QStringView value) {
    text += start;
    appendEscapedXmlAttribute(text, value);
}

}  // namespace

bool DataFileHeader::valid() const {
    // A line cut short would otherwise pass with a two-digit Dsnr or a four-digit period.
    return Dsnr.size() == 3 && Periode.size() == 6 && isDigitsOnly(Dsnr) && isDigitsOnly(Periode);
}

DataFileHeader parseDataFileHeader(QStringView firstLine) {
    DataFileHeader header;
    const QStringView kind = field(firstLine, 1, 1);
    header.kindLetter = (kind == QLatin1String("0") || kind == QLatin1String("F")) ? QStringLiteral("F")
                                                                                   : QStringLiteral("K");
    header.Dsnr = field(firstLine, 2, 3).toString();
    header.Periode = field(firstLine, 5, 6).toString();
    return header;
}

DataFileText::DataFileText(QByteArray bytes) : m_bytes(std::move(bytes)) {
    const char* const data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    // In a file of CR LF lines a lone CR is a character of its line, for the line check to refuse.
    const bool crEndsLines = !m_bytes.contains("\r\n");
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        if (crEndsLines) {
            while (end < size && data[end] != '\n' && data[end] != '\r') {
                ++end;
            }
        } else {
            const void* lf = std::memchr(data + start, '\n', static_cast<std::size_t>(size - start));
            end = lf != nullptr ? static_cast<const char*>(lf) - data : size;
        }
        const qsizetype next = end < size ? end + 1 : end;
        if (!crEndsLines && end > start && data[end - 1] == '\r') {
            --end;
        }
        m_lines.push_back({start, end - start});
        start = next;
    }

    // The lines are not checked yet, so a file that is no data file can start almost every line with a
    // different text: a search of the list for each line would take time growing with the square of
    // the file's size.
    QSet<QByteArrayView> seen;
    for (qsizetype i = 1; i < lineCount(); ++i) {
        const QByteArrayView line = trimBlankBytes(lineBytes(i));
        if (line.isEmpty()) {
            continue;
        }
        const QByteArrayView regnr = line.first(std::min<qsizetype>(4, line.size()));
        if (!seen.contains(regnr)) {
            seen.insert(regnr);
            m_companies.append(fromWindows1252(regnr));
        }
    }
}

DataFileText DataFileText::read(const QString& path) {
    return DataFileText(readFileBytes(path));
}

QByteArrayView DataFileText::lineBytes(qsizetype index) const {
    const Span& span = m_lines.at(static_cast<std::size_t>(index));
    return QByteArrayView(m_bytes).sliced(span.start, span.size);
}

QString DataFileText::line(qsizetype index) const {
    return fromWindows1252(lineBytes(index));
}

void checkDataFileLineCharacters(QStringView line, qsizetype lineNumber) {
    if (const std::optional<QChar> control = firstControlCharacter(line)) {
        throw Error(
            QStringLiteral("Linje nr %1 i fila inneholder kontrolltegnet %2, som ikke kan være med i en "
                           "rapport.")
                .arg(lineNumber)
                .arg(escapedCharacter(*control)));
    }
}

int GetReportIndex(QStringView reportNumber) {
    const int index = catalogueIndex(reportNumber);
    if (index < 0) {
        throw Error(QStringLiteral("Funksjonen \"TDataFileReports.GetReportIndex\" leter etter en index for "
                                   "rapport nr %1, men kunne ikke finne det.")
                        .arg(reportNumber));
    }
    return index;
}

DataFileReports::DataFileReports(const DataFileText& file, DataFileHeader header, const Locale& locale,
                                 const Clock& clock, QString& lastRegnr)
    : m_file(file), m_header(std::move(header)) {
    const QStringList& companies = file.companies();
    // Looked up for every line, so a file of many companies is not searched through line by line.
    QHash<QStringView, qsizetype> companyIndex;
    companyIndex.reserve(companies.size());
    for (qsizetype i = 0; i < companies.size(); ++i) {
        companyIndex.insert(companies[i], i);
    }
    std::array<int, kReportNumbers.size()> none;
    none.fill(-1);
    m_places.assign(static_cast<std::size_t>(companies.size()), none);

    for (qsizetype n = 1; n < file.lineCount(); ++n) {
        const QString line = file.line(n);
        checkDataFileLineCharacters(line, n + 1);
        const qsizetype length = trimBlanks(line).size();
        if (length == 0) {
            continue;
        }
        if (length != kDataLineLength) {
            throw lineLengthError(length);
        }
        lastRegnr = line.left(4);
        const qsizetype company = companyIndex.value(lastRegnr, -1);
        if (company < 0) {
            throw unknownCompanyError(n + 1, lastRegnr);
        }
        const int index = checkDataLine(line, n + 1, locale);
        int& place = m_places[static_cast<std::size_t>(company)][static_cast<std::size_t>(index)];
        if (place < 0) {
            // The stamp's Regnr is read as an integer; "1,5" is a number but no integer.
            bool regnrOk = false;
            const int regnr = QStringView(lastRegnr).toInt(&regnrOk);
            if (!regnrOk) {
                throw invalidDataLine(n + 1);
            }
            place = static_cast<int>(m_reports.size());
            m_reports.push_back({reportTimestamp(m_header.Dsnr.toInt(), regnr, clock()), {}});
        }
        m_reports[static_cast<std::size_t>(place)].lines.push_back(n);
    }
}

const DataFileReports::Report* DataFileReports::report(qsizetype company, int index) const {
    const int place = m_places.at(static_cast<std::size_t>(company)).at(static_cast<std::size_t>(index));
    return place < 0 ? nullptr : &m_reports[static_cast<std::size_t>(place)];
}

int DataFileReports::lineCount(qsizetype company, int index) const {
    const Report* found = report(company, index);
    return found == nullptr ? 0 : static_cast<int>(found->lines.size());
}

QString DataFileReports::closedReportText(qsizetype company, int index) const {
    const Report* found = report(company, index);
    if (found == nullptr) {
        return QString();
    }
    QString text = reportDocumentHead(
        {m_header.Dsnr, Regnr(company), QString::number(kReportNumbers.at(static_cast<std::size_t>(index))),
         kFlatFileVersionMark, m_header.Periode, m_header.kindLetter, found->stamp});
    text.reserve(text.size() + static_cast<qsizetype>(found->lines.size()) * 130 + 40);

    for (const qsizetype n : found->lines) {
        const QString line = m_file.line(n);
        appendAttribute(text, QLatin1String("<OBJEKT text=\"\" tillegg=\""), field(line, 13, 3));
        appendAttribute(text, QLatin1String("\" objektid=\""), field(line, 16, 7));
        appendAttribute(text, QLatin1String("\" sektor=\""), field(line, 23, 3));
        appendAttribute(text, QLatin1String("\" naering=\""), field(line, 26, 3));
        appendAttribute(text, QLatin1String("\" land=\""), field(line, 29, 4));
        appendAttribute(text, QLatin1String("\" valuta=\""), field(line, 33, 2));
        text += QLatin1String("\" verdi=\"");
        if (isNegative(line)) {
            text += QLatin1Char('-');
        }
        appendEscapedXmlAttribute(text, field(line, 36, 10));
        text += QLatin1String("\" />") + kCrLf;
    }
    return text + QStringLiteral("</DATA>\r\n</DVRAPPORT>");
}

QStringList DataFileReports::informationList(qsizetype company, int index, const QString& mailSystem,
                                             const QString& reportVersion) const {
    return {m_header.Dsnr,    m_header.kindLetter,
            m_header.Periode, kProgramVersion,
            Regnr(company),   QString::number(kReportNumbers.at(static_cast<std::size_t>(index))),
            mailSystem,       reportVersion};
}

}  // namespace telvainn
