#include <QDir>
#include <QTemporaryDir>

#include "core/ReportCatalogue.h"
#include "validation_rules/RulesFixture.h"
#include "workbook/SampleTemplate.h"
#include "workbook/memory/MemoryApplication.h"

namespace telvainn::rules {
namespace {

excel::Application& memoryApplication() {
    static excel::memory::Application application;
    return application;
}

// The sample templates, made once per run by the in-memory engine from their sources.
QString memoryProgramFolder() {
    static QTemporaryDir folder;
    static const bool made = [] {
        QDir(folder.path()).mkpath(QStringLiteral("maler"));
        for (const int reportNumber : kReportNumbers) {
            excel::writeSampleWorkbook(
                memoryApplication(),
                excel::readSampleWorkbook(QStringLiteral(TELVAINN_MALER_DIR "/r%1.txt").arg(reportNumber)),
                templatePath(folder.path(), reportNumber));
        }
        return true;
    }();
    static_cast<void>(made);
    return folder.path();
}

RulesEngine memoryRulesEngine() {
    return {"Memory", &memoryApplication, &memoryProgramFolder};
}

}  // namespace

TELVAINN_INSTANTIATE_VALIDATION_RULES(Memory, memoryRulesEngine);

}  // namespace telvainn::rules
