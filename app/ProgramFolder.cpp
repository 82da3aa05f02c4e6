#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

#include "transmission/ReportMailDispatcher.h"

namespace telvainn {

QString programFolder() {
    const QString home = qEnvironmentVariable("TELVAINN_HOME");
    if (!home.isEmpty()) {
        return QDir(home).absolutePath();
    }
    return QCoreApplication::applicationDirPath();
}

QString settingsFilePath() {
    return QDir(programFolder()).filePath(QStringLiteral("telvainn.ini"));
}

QString attachmentFilePath() {
    return QDir(programFolder()).filePath(kAttachmentFileName);
}

}  // namespace telvainn
