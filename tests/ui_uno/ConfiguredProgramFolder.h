#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>

#include "app/SettingsStore.h"
#include "core/ReportCatalogue.h"
#include "support/SampleTemplates.h"

// Makes `folder` a program folder with the build's sample templates, configured for data centre 123
// and company 4567. Call it within ASSERT_NO_FATAL_FAILURE.
inline void makeConfiguredProgramFolder(const QString& folder) {
    ASSERT_NO_FATAL_FAILURE(testsupport::copySampleTemplates(folder));
    telvainn::TSettings configured;
    configured.Dsnr = 123;
    configured.Regnr = 4567;
    telvainn::SaveSettings(QDir(folder).filePath(QStringLiteral("telvainn.ini")), telvainn::RunMode{},
                           configured);
}
