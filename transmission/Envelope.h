#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace telvainn {

// The encrypted report text: a clear-text block a person at the agency can read (lines 1-12), then the
// Base64 ciphertext between a START and a SLUTT marker (lines 13-14). The agency's tools read it byte
// for byte, so every text below is exact, blanks included.
namespace envelope {

inline constexpr QStringView kLineEnd = u"\r\n";
inline constexpr QStringView kSeparatorLine =
    u"==============================================================";
inline constexpr QStringView kHeading = u"Informasjon om rapporten i klartekst: ";

// Every label is 18 characters, padded with blanks, so the values line up.
inline constexpr qsizetype kLabelWidth = 18;
inline constexpr QStringView kDsnrLabel = u"Dsnr:             ";
inline constexpr QStringView kRegnrLabel = u"Regnr:            ";
inline constexpr QStringView kRapportnrLabel = u"Rapportnr:        ";
inline constexpr QStringView kRapportversjonLabel = u"Rapportversjon:   ";
inline constexpr QStringView kRapporttypeLabel = u"Rapporttype:      ";
inline constexpr QStringView kPeriodeLabel = u"Periode:          ";
inline constexpr QStringView kProgramversjonLabel = u"Programversjon:   ";
inline constexpr QStringView kEpostSystemLabel = u"E-post system:    ";

inline constexpr QStringView kStartMarker = u"<--------START-------------";
inline constexpr QStringView kEndMarker = u"---------SLUTT------------> ";

// The report information list: 0 Dsnr, 1 report type, 2 Periode, 3 program version, 4 Regnr, 5 report
// number, 6 mail system, 7 report (template) version.
inline constexpr qsizetype kInfoListSize = 8;

// Lines 4 to 11 in order: the label and the index of the information list item that follows it.
struct InfoLine {
    QStringView label;
    qsizetype infoIndex;
};
inline constexpr std::array<InfoLine, 8> kInfoLines = {{
    {kDsnrLabel, 0},
    {kRegnrLabel, 4},
    {kRapportnrLabel, 5},
    {kRapportversjonLabel, 7},
    {kRapporttypeLabel, 1},
    {kPeriodeLabel, 2},
    {kProgramversjonLabel, 3},
    {kEpostSystemLabel, 6},
}};
inline constexpr int kClearTextLineCount = 12;
inline constexpr int kEndLineNumber = 14;

static_assert(kSeparatorLine.size() == 62);
static_assert(kDsnrLabel.size() == kLabelWidth && kRegnrLabel.size() == kLabelWidth &&
              kRapportnrLabel.size() == kLabelWidth && kRapportversjonLabel.size() == kLabelWidth &&
              kRapporttypeLabel.size() == kLabelWidth && kPeriodeLabel.size() == kLabelWidth &&
              kProgramversjonLabel.size() == kLabelWidth && kEpostSystemLabel.size() == kLabelWidth);

}  // namespace envelope

// The envelope is built as the Windows-1252 bytes it is written and mailed as.
//
// Lines 1 to 12, each with its CR LF, so the block ends with two CR LF in a row. Mailed alone as the body
// when the report travels as an attachment. Raises telvainn::Error with
// kMissingReportInformationMessage unless `info` holds exactly eight texts.
QByteArray BuildClearTextBlock(const QStringList& info);

// Lines 1 to 14: the clear-text block, the START marker directly followed by `base64` and CR LF, and the
// SLUTT marker with its trailing blank and no line end (whoever writes it to a file adds one). Same
// failure as BuildClearTextBlock.
QByteArray BuildEncryptedReportText(const QStringList& info, QByteArrayView base64);

}  // namespace telvainn
