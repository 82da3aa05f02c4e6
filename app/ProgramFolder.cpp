#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace telvainn {

QString programFolder() {
    const QString home = qEnvironmentVariable("TELVAINN_HOME");
    if (!home.isEmpty()) {
        return QDir(home).absolutePath();
    }
    return QCoreApplication::applicationDirPath();
}

QString settingsFilePath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("telvainn.ini"));
}

}  // namespace telvainn
