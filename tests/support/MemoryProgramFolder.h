#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include "core/ReportCatalogue.h"
#include "tools/lag-maler/SampleTemplate.h"
#include "workbook/memory/MemoryApplication.h"

// A program folder whose maler/ holds r10.xls ... r60.xls, made once per run by the in-memory engine from
// the sample sources. The files are the engine's own, so any in-memory application of the run opens
// them. Needs TELVAINN_MALER_DIR.
namespace testsupport {

inline QString memoryProgramFolder() {
    static QTemporaryDir folder;
    static const bool made = [] {
        telvainn::excel::memory::Application maker;
        QDir(folder.path()).mkpath(QStringLiteral("maler"));
        for (const int reportNumber : telvainn::kReportNumbers) {
            telvainn::excel::writeSampleWorkbook(
                maker,
                telvainn::excel::readSampleWorkbook(
                    QStringLiteral(TELVAINN_MALER_DIR "/r%1.txt").arg(reportNumber)),
                telvainn::templatePath(folder.path(), reportNumber));
        }
        return true;
    }();
    static_cast<void>(made);
    return folder.path();
}

}  // namespace testsupport
