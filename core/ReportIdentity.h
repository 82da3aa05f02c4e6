#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace telvainn {

enum class TemplateGeneration {
    Current = 1,     // the workbook has a sheet whose name begins "Base"
    Older = 2,       // earlier templates
    Correction = 3,  // cell A1 of the active sheet holds "KORREKSJONSFORMULAR"
};

inline const QString kCorrectionFormMarker = QStringLiteral("KORREKSJONSFORMULAR");

// What names one report wherever it is created, read, validated or sent.
struct TReportIdentity {
    std::int32_t Dsnr = 0;
    std::int32_t Regnr = 0;
    std::int32_t Rapportnr = 0;
    QString Periode;      // "ååååmm", kept exactly as read
    QString Rapporttype;  // "N" or "K"
    TemplateGeneration generation = TemplateGeneration::Current;
};

// Dsnr as written in cells, headers and file names: "%3.3d".
QString dsnrText(std::int32_t dsnr);
// Regnr as written in cells and data lines: "%4.4d".
QString regnrText(std::int32_t regnr);

// The six lines a report's log starts with when it is created or opened.
QStringList identityLogLines(const TReportIdentity& identity, const QString& fileName,
                             const QString& templateVersion);

// The eight texts that describe a report in the clear-text block of its envelope and in the mail
// subject: Dsnr, type, period, program version, Regnr, report number, mail system, report version.
QStringList informationList(const TReportIdentity& identity, const QString& mailSystem,
                            const QString& templateVersion);

inline const QString kMissingReportInformationMessage =
    QStringLiteral("Klarte ikke hente ut all rapport informasjonen som skulle være med.");

// Positions of the texts in an information list.
namespace info {
inline constexpr int Dsnr = 0;
inline constexpr int ReportType = 1;
inline constexpr int Periode = 2;
inline constexpr int ProgramVersion = 3;
inline constexpr int Regnr = 4;
inline constexpr int ReportNumber = 5;
inline constexpr int MailSystem = 6;
inline constexpr int ReportVersion = 7;
inline constexpr int Count = 8;
}  // namespace info

}  // namespace telvainn
