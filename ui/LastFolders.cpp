#include "ui/LastFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace telvainn::ui {
namespace {

QString keyOf(FolderKind kind) {
    switch (kind) {
        case FolderKind::Reports:
            return QStringLiteral("SisteMapper/Rapporter");
        case FolderKind::DataFiles:
            return QStringLiteral("SisteMapper/Datafiler");
        case FolderKind::EncryptedFiles:
            return QStringLiteral("SisteMapper/KrypterteFiler");
    }
    return QString();
}

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

}  // namespace

LastFolders::LastFolders()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("TELVA"), QStringLiteral("telvainn"))) {}

LastFolders::LastFolders(const QString& settingsFile)
    : m_settings(std::make_unique<QSettings>(settingsFile, QSettings::IniFormat)) {}

LastFolders::~LastFolders() = default;

QString LastFolders::folder(FolderKind kind) const {
    const QString last = m_settings->value(keyOf(kind)).toString();
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : documentsFolder();
}

void LastFolders::remember(FolderKind kind, const QString& chosenPath) {
    m_settings->setValue(keyOf(kind), QFileInfo(chosenPath).absolutePath());
    m_settings->sync();
}

}  // namespace telvainn::ui
