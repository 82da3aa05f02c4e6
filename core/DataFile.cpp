#include "core/DataFile.h"

#include <QSet>

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

// 1-based position and width, as the layout is written down.
QString field(QStringView line, qsizetype position, qsizetype width) {
    return line.mid(position - 1, width).toString();
}

}  // namespace

DataFileHeader parseDataFileHeader(QStringView firstLine) {
    DataFileHeader header;
    const QString kind = field(firstLine, 1, 1);
    header.kindLetter = (kind == QLatin1String("0") || kind == QLatin1String("F")) ? QStringLiteral("F")
                                                                                   : QStringLiteral("K");
    header.Dsnr = field(firstLine, 2, 3);
    header.Periode = field(firstLine, 5, 6);
    // A line cut short would otherwise pass with a two-digit Dsnr or a four-digit period.
    if (header.Dsnr.size() != 3 || header.Periode.size() != 6 || !isDigitsOnly(header.Dsnr) ||
        !isDigitsOnly(header.Periode)) {
        throw Error(kInvalidFirstLineMessage);
    }
    return header;
}

QStringList readTextFileLines(const QString& path) {
    return splitTextLines(fromWindows1252(readFileBytes(path)));
}

QStringList splitTextLines(const QString& text) {
    QStringList lines;
    if (text.isEmpty()) {
        return lines;
    }
    // In a file of CR LF lines a lone CR is a character of its line, for the line check to refuse.
    const bool crEndsLines = !text.contains(QLatin1String("\r\n"));
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && !(crEndsLines && text[end] == u'\r')) {
            ++end;
        }
        const qsizetype next = end < text.size() ? end + 1 : end;
        if (!crEndsLines && end > start && text[end - 1] == u'\r') {
            --end;
        }
        lines.append(text.mid(start, end - start));
        start = next;
    }
    return lines;
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

QStringList companiesInDataFile(const QStringList& lines) {
    QStringList companies;
    // The lines are not checked yet, so a file that is no data file can start almost every line with a
    // different text: a search of the list for each line would take time growing with the square of
    // the file's size.
    QSet<QString> seen;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView line = trimBlanks(lines[i]);
        if (line.isEmpty()) {
            continue;
        }
        const QString regnr = line.left(4).toString();
        if (!seen.contains(regnr)) {
            seen.insert(regnr);
            companies.append(regnr);
        }
    }
    return companies;
}

void GetAListOfCompaniesFromDataFile(const QString& path, QStringList& companies) {
    companies = companiesInDataFile(readTextFileLines(path));
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

DataFileReportTexts::DataFileReportTexts(DataFileHeader header, Locale locale, Clock clock)
    : m_header(std::move(header)), m_locale(locale), m_clock(std::move(clock)) {}

void DataFileReportTexts::AddDataLine(QStringView line, qsizetype lineNumber) {
    m_Regnr = field(line, 1, 4);
    m_reportNumber = field(line, 5, 2);
    m_tillegg = field(line, 13, 3);
    m_objektid = field(line, 16, 7);
    m_sektor = field(line, 23, 3);
    m_naering = field(line, 26, 3);
    m_land = field(line, 29, 4);
    m_valuta = field(line, 33, 2);
    m_verdi = field(line, 36, 10);
    if (field(line, 35, 1) == QLatin1String("1")) {
        m_verdi.prepend(QLatin1Char('-'));
    }
    // Every field but land is a number: an optional sign, digits and at most one decimal separator. The
    // characters alone would let "--000000123" (a verdi that already carried its sign) or "1-2" through.
    for (const QString* number :
         {&m_Regnr, &m_reportNumber, &m_tillegg, &m_objektid, &m_sektor, &m_naering, &m_valuta, &m_verdi}) {
        if (!splitAmount(*number, m_locale.decimalSeparator)) {
            throw invalidDataLine(lineNumber);
        }
    }

    const int index = GetReportIndex(m_reportNumber);
    int& count = m_lineCounts[static_cast<std::size_t>(index)];
    if (count++ == 0) {
        startReportText(index, lineNumber);
    }
    QString& text = m_texts[static_cast<std::size_t>(index)];
    text += QLatin1String("<OBJEKT text=\"\" tillegg=\"") + escapeXmlAttribute(m_tillegg);
    text += QLatin1String("\" objektid=\"") + escapeXmlAttribute(m_objektid);
    text += QLatin1String("\" sektor=\"") + escapeXmlAttribute(m_sektor);
    text += QLatin1String("\" naering=\"") + escapeXmlAttribute(m_naering);
    text += QLatin1String("\" land=\"") + escapeXmlAttribute(m_land);
    text += QLatin1String("\" valuta=\"") + escapeXmlAttribute(m_valuta);
    text += QLatin1String("\" verdi=\"") + escapeXmlAttribute(m_verdi);
    text += QLatin1String("\" />") + kCrLf;
}

void DataFileReportTexts::startReportText(int index, qsizetype lineNumber) {
    // The stamp's Regnr is read as an integer; "1,5" is a number but no integer.
    bool regnrOk = false;
    const int regnr = m_Regnr.toInt(&regnrOk);
    if (!regnrOk) {
        throw invalidDataLine(lineNumber);
    }
    m_texts[static_cast<std::size_t>(index)] =
        reportDocumentHead({m_header.Dsnr, m_Regnr, m_reportNumber, kFlatFileVersionMark, m_header.Periode,
                            m_header.kindLetter, reportTimestamp(m_header.Dsnr.toInt(), regnr, m_clock())});
}

QString DataFileReportTexts::closedReportText(int index) const {
    return m_texts.at(static_cast<std::size_t>(index)) + QStringLiteral("</DATA>\r\n</DVRAPPORT>");
}

QStringList DataFileReportTexts::informationList(int index, const QString& mailSystem,
                                                 const QString& reportVersion) const {
    // Regnr and report number are the same for every line of one company's report, so the fields of
    // the last line added are those of the report's REGNR and RAPPORTID attributes.
    return {m_header.Dsnr,    m_header.kindLetter,
            m_header.Periode, kProgramVersion,
            m_Regnr,          QString::number(kReportNumbers.at(static_cast<std::size_t>(index))),
            mailSystem,       reportVersion};
}

}  // namespace telvainn
