#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>
#include <vector>

#include "core/Locale.h"
#include "core/ReportCatalogue.h"

namespace telvainn {

// What the first line of a flat data file says about every report in it, as the line has it: Dsnr and
// Periode are cut short when the line is.
struct DataFileHeader {
    QString kindLetter;  // "F" ordinary, "K" correction
    QString Dsnr;        // positions 2-4
    QString Periode;     // positions 5-10, "ååååmm"

    // Dsnr of three digits and Periode of six.
    bool valid() const;
};

inline const QString kInvalidFirstLineMessage =
    QStringLiteral("Dette er ikke en gyldig rapport. Ugyldige verdier i første linje.");
inline const QString kInvalidDataLineMessage =
    QStringLiteral("Dette er ikke en gyldig rapport. Fant ugyldige verdier i den.");
inline constexpr int kDataLineLength = 45;

// The kind letter, Dsnr and Periode of a first line; whoever needs them whole asks valid().
DataFileHeader parseDataFileHeader(QStringView firstLine);

// A flat data file as read: its Windows-1252 bytes and where each line lies. Lines end with CR LF or LF,
// and in a file without any CR LF also with a lone CR, as old Mac programs write.
class DataFileText {
  public:
    explicit DataFileText(QByteArray bytes);
    // Raises a Norwegian message naming the file when it cannot be read.
    static DataFileText read(const QString& path);

    qsizetype lineCount() const { return static_cast<qsizetype>(m_lines.size()); }
    QByteArrayView lineBytes(qsizetype index) const;
    QString line(qsizetype index) const;
    // Empty for an empty file.
    QString firstLine() const { return lineCount() > 0 ? line(0) : QString(); }
    // The distinct Regnr values (first four characters of every non-blank line after the first,
    // surrounding blanks removed), in order of first appearance.
    const QStringList& companies() const { return m_companies; }

  private:
    struct Span {
        qsizetype start;
        qsizetype size;
    };
    QByteArray m_bytes;
    std::vector<Span> m_lines;
    QStringList m_companies;
};

// Raises "Linje nr <n> i fila inneholder kontrolltegnet \x01, ..." when a line holds a control character
// (TAB aside), which no report may carry; a CR left inside a line is one.
void checkDataFileLineCharacters(QStringView line, qsizetype lineNumber);

// Catalogue index of a two-character report number; raises the "GetReportIndex" message otherwise.
int GetReportIndex(QStringView reportNumber);

using Clock = std::function<QDateTime()>;

// Every company's reports of a checked flat data file, which must outlive them. Only which lines make
// each report, and when its first line was taken in, is kept: a report's text is made from the file
// when it is asked for, so a run holds one report text at a time however large the file.
class DataFileReports {
  public:
    // Checks every data line in order and raises the first fault: a control character, a line that is
    // not 45 characters long without its surrounding blanks (blank lines aside), a Regnr that is not
    // one of the file's companies, invalid values (kInvalidDataLineMessage followed by the line's
    // number) and report numbers outside the catalogue. `lastRegnr` follows the Regnr of every data
    // line as it is read, so it names the failing line's company when one fails.
    DataFileReports(const DataFileText& file, DataFileHeader header, const Locale& locale, const Clock& clock,
                    QString& lastRegnr);

    const DataFileHeader& header() const { return m_header; }
    qsizetype companyCount() const { return m_file.companies().size(); }
    const QString& Regnr(qsizetype company) const { return m_file.companies().at(company); }
    int lineCount(qsizetype company, int index) const;
    // The report text of a company's catalogue index, closed by "</DATA>" and "</DVRAPPORT>".
    QString closedReportText(qsizetype company, int index) const;
    // Dsnr, kind letter, Periode, program version, Regnr, report number, mail system, report version.
    QStringList informationList(qsizetype company, int index, const QString& mailSystem,
                                const QString& reportVersion) const;

  private:
    struct Report {
        QString stamp;  // taken when the report's first line was read
        std::vector<qsizetype> lines;
    };

    // Nothing for a report without lines.
    const Report* report(qsizetype company, int index) const;

    const DataFileText& m_file;
    DataFileHeader m_header;
    // Per company the place of each of its reports in m_reports, -1 for none: a file that is no data
    // file may name a company on almost every line, and most never get as far as a report.
    std::vector<std::array<int, kReportNumbers.size()>> m_places;
    std::vector<Report> m_reports;
};

}  // namespace telvainn
