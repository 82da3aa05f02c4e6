#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>

#include "core/Locale.h"
#include "core/ReportCatalogue.h"

namespace telvainn {

// What the first line of a flat data file says about every report in it.
struct DataFileHeader {
    QString kindLetter;  // "F" ordinary, "K" correction
    QString Dsnr;        // three digits
    QString Periode;     // six digits, "ååååmm"
};

inline const QString kInvalidFirstLineMessage =
    QStringLiteral("Dette er ikke en gyldig rapport. Ugyldige verdier i første linje.");
inline const QString kInvalidDataLineMessage =
    QStringLiteral("Dette er ikke en gyldig rapport. Fant ugyldige verdier i den.");
inline constexpr int kDataLineLength = 45;

// Reads the kind letter, Dsnr and Periode from the first line; raises kInvalidFirstLineMessage when
// Dsnr or Periode is not all digits.
DataFileHeader parseDataFileHeader(QStringView firstLine);

// The lines of a Windows-1252 text file without their line ends: CR LF or LF, and in a file without any
// CR LF also a lone CR, as old Mac programs write. Raises a Norwegian message naming the file when it
// cannot be read.
QStringList readTextFileLines(const QString& path);
QStringList splitTextLines(const QString& text);

// Raises "Linje nr <n> i fila inneholder kontrolltegnet \x01, ..." when a line holds a control character
// (TAB aside), which no report may carry; a CR left inside a line is one.
void checkDataFileLineCharacters(QStringView line, qsizetype lineNumber);

// The distinct Regnr values (first four characters of every non-blank line after the first, surrounding
// blanks removed), in order of first appearance.
QStringList companiesInDataFile(const QStringList& lines);
void GetAListOfCompaniesFromDataFile(const QString& path, QStringList& companies);

// Catalogue index of a two-character report number; raises the "GetReportIndex" message otherwise.
int GetReportIndex(QStringView reportNumber);

using Clock = std::function<QDateTime()>;

// The report texts of one company while a flat data file is read: one flat-file XML document per report
// number, each started by the company's first data line for that report.
class DataFileReportTexts {
  public:
    DataFileReportTexts(DataFileHeader header, Locale locale, Clock clock = &QDateTime::currentDateTime);

    // Checks one 45-character data line and appends it as an OBJEKT line to its report's text. A line
    // with invalid values raises kInvalidDataLineMessage followed by the line's number in the file.
    void AddDataLine(QStringView line, qsizetype lineNumber);

    const DataFileHeader& header() const { return m_header; }
    // Fields of the most recently added data line.
    const QString& Regnr() const { return m_Regnr; }
    const QString& reportNumber() const { return m_reportNumber; }

    int lineCount(int index) const { return m_lineCounts.at(static_cast<std::size_t>(index)); }
    // The report text of a catalogue index, closed by "</DATA>" and "</DVRAPPORT>".
    QString closedReportText(int index) const;
    // Dsnr, kind letter, Periode, program version, Regnr, report number, mail system, report version.
    QStringList informationList(int index, const QString& mailSystem, const QString& reportVersion) const;

  private:
    void startReportText(int index, qsizetype lineNumber);

    DataFileHeader m_header;
    Locale m_locale;
    Clock m_clock;
    QString m_Regnr, m_reportNumber, m_tillegg, m_objektid, m_sektor, m_naering, m_land, m_valuta, m_verdi;
    std::array<int, kReportNumbers.size()> m_lineCounts{};
    std::array<QString, kReportNumbers.size()> m_texts;
};

}  // namespace telvainn
