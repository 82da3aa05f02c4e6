#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>

#include "app/SettingsStore.h"
#include "core/ReportCatalogue.h"

// Makes `folder` a program folder with the build's sample templates, configured for data centre 123
// and company 4567. Call it within ASSERT_NO_FATAL_FAILURE.
inline void makeConfiguredProgramFolder(const QString& folder) {
    QDir(folder).mkpath(QStringLiteral("maler"));
    for (const int reportNumber : telvainn::kReportNumbers) {
        ASSERT_TRUE(QFile::copy(telvainn::templatePath(QStringLiteral(TELVAINN_BIN_DIR), reportNumber),
                                telvainn::templatePath(folder, reportNumber)));
    }
    telvainn::TSettings configured;
    configured.Dsnr = 123;
    configured.Regnr = 4567;
    telvainn::SaveSettings(QDir(folder).filePath(QStringLiteral("telvainn.ini")), telvainn::RunMode{},
                           configured);
}
