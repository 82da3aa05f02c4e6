#pragma once

#include <QString>

namespace telvainn {

// The folder that holds telvainn.ini, maler/ and vedlegg.txt: the executable's own folder, unless the
// environment variable TELVAINN_HOME names another. Needs a QCoreApplication.
QString programFolder();

// <program folder>/telvainn.ini
QString settingsFilePath(const QString& folder = programFolder());

// <program folder>/vedlegg.txt, the file a report travels in when it is sent as an attachment.
QString attachmentFilePath(const QString& folder = programFolder());

}  // namespace telvainn
