#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>

#include "core/ReportCatalogue.h"

namespace testsupport {

// Gives the program folder `folder` a maler/ with the sample templates the build made through the
// office. Call it within ASSERT_NO_FATAL_FAILURE. Needs TELVAINN_BIN_DIR.
inline void copySampleTemplates(const QString& folder) {
    ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("maler")));
    for (const int reportNumber : telvainn::kReportNumbers) {
        ASSERT_TRUE(QFile::copy(telvainn::templatePath(QStringLiteral(TELVAINN_BIN_DIR), reportNumber),
                                telvainn::templatePath(folder, reportNumber)));
    }
}

}  // namespace testsupport
