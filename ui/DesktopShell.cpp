#include "ui/DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace telvainn::ui {
namespace {

// xdg-open tells no reason, so a missing target is found before it is asked.
const QString kFileNotFound = QStringLiteral("The specified file was not found");
const QString kPathNotFound = QStringLiteral("The specified path was not found");
const QString kNoApplication =
    QStringLiteral("There is no application associated with the given filename extension");

bool isWebAddress(const QString& target) {
    return target.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           target.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

}  // namespace

std::optional<QString> QtDesktopShell::open(const QString& fileOrUrl) {
    if (isWebAddress(fileOrUrl)) {
        if (QDesktopServices::openUrl(QUrl(fileOrUrl))) {
            return std::nullopt;
        }
        return kNoApplication;
    }
    if (!QFileInfo(fileOrUrl).isFile()) {
        return kFileNotFound;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(fileOrUrl))) {
        return std::nullopt;
    }
    return kNoApplication;
}

std::optional<QString> QtDesktopShell::explore(const QString& folder) {
    if (!QFileInfo(folder).isDir()) {
        return kPathNotFound;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        return std::nullopt;
    }
    return kNoApplication;
}

}  // namespace telvainn::ui
