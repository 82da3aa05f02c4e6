#include "app/TemplateVersions.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cmath>
#include <optional>

#include "core/Error.h"
#include "core/ProfileFile.h"
#include "core/ProgramInfo.h"
#include "core/ReportCatalogue.h"
#include "workbook/CellText.h"

namespace telvainn {
namespace {

const QString kFailedTemplatesMessage =
    QStringLiteral("Programmet klarte ikke åpne og lese versjonsinformasjon fra følgende rapportmaler:\r\n");
const QString kCrLf = QStringLiteral("\r\n");
const QString kVersionSheetPrefix = QStringLiteral("Base");

QString versionKey(int reportNumber) {
    return QStringLiteral("R%1").arg(reportNumber);
}

QDate programVersionDate() {
    return QDateTime::fromString(kBuildStamp, QStringLiteral("yyyyMMddHHmm")).date();
}

// A cell read as a floating-point number: a text converts only when it is a number.
double asNumber(const excel::CellValue& value) {
    if (value.isText()) {
        bool ok = false;
        const double number = value.text().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(number)) {
            throw Error(QStringLiteral("'%1' is not a number").arg(value.text()));
        }
        return number;
    }
    return value.number();
}

}  // namespace

QString WithTemplatesFolder(const QString& message, const QString& programFolder) {
    return message + QStringLiteral("\r\n") + QDir::toNativeSeparators(templatesFolder(programFolder));
}

bool TemplatesPresent(const QString& programFolder) {
    bool all = true;
    for (const int reportNumber : kReportNumbers) {
        all = QFileInfo(templatePath(programFolder, reportNumber)).isFile() && all;
    }
    return all;
}

double ReadTemplateVersion(excel::Application& excel, const QString& programFolder, int reportNumber) {
    try {
        const auto workbook =
            excel.Open(templatePath(programFolder, reportNumber), excel::OpenMode::ReadOnly);
        excel.SetWindowVisible(workbook->Name(), false);
        auto versionSheet = workbook->ActiveSheet();
        const int count = workbook->WorksheetCount();
        for (int index = 1; index <= count; ++index) {
            auto sheet = workbook->Worksheets(index);
            if (sheet->Name().startsWith(kVersionSheetPrefix)) {
                versionSheet = std::move(sheet);
            }
        }
        const double version = asNumber(versionSheet->Cell(1, 1));
        workbook->Close();
        return version;
    } catch (const std::exception&) {
        return 0;
    }
}

bool RecordTemplateVersions(excel::Application& excel, const QString& programFolder,
                            const QString& settingsFilePath, const Locale& locale) {
    QStringList failed;
    try {
        excel.SetScreenUpdating(false);
        QList<std::pair<QString, QString>> versions;
        for (const int reportNumber : kReportNumbers) {
            const double version = ReadTemplateVersion(excel, programFolder, reportNumber);
            // A number that is no date was not read as a version either.
            const std::optional<QString> text =
                version != 0 ? excel::shortDateOfSerial(version, locale) : std::nullopt;
            if (text) {
                versions.append({versionKey(reportNumber), *text});
            } else {
                failed.append(versionKey(reportNumber));
            }
        }
        versions.append({kProgramVersionKey, locale.formatShortDate(programVersionDate())});
        // Written in one save of the file as it is now: the templates take seconds to read, and a
        // setting another program saved meanwhile must stay.
        ProfileFile::update(settingsFilePath, [&versions](ProfileFile& profile) {
            for (const auto& [key, value] : versions) {
                profile.writeString(kVersionSection, key, value);
            }
        });
        if (!failed.isEmpty()) {
            throw Error(kFailedTemplatesMessage + failed.join(kCrLf) + kCrLf);
        }
    } catch (...) {
        try {
            excel.SetScreenUpdating(true);
        } catch (const std::exception&) {
            // The error that ended the recording is the one to report.
        }
        throw;
    }
    excel.SetScreenUpdating(true);
    return true;
}

}  // namespace telvainn
