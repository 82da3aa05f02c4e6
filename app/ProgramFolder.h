#pragma once

#include <QString>

namespace telvainn {

// The folder that holds telvainn.ini and maler/: the executable's own folder, unless the
// environment variable TELVAINN_HOME names another. Needs a QCoreApplication.
QString programFolder();

// <program folder>/telvainn.ini
QString settingsFilePath(const QString& folder = programFolder());

}  // namespace telvainn
