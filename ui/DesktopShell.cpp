#include "ui/DesktopShell.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <utility>

#include "ui/BusyCursor.h"

namespace telvainn::ui {
namespace {

// The opener's answers, in the words of the desktop shell the program was first written for.
const QString kFileNotFound = QStringLiteral("The specified file was not found");
const QString kPathNotFound = QStringLiteral("The specified path was not found");
const QString kNoApplication =
    QStringLiteral("There is no application associated with the given filename extension");

// xdg-open's exit codes.
constexpr int kOpenerTargetMissing = 2;
constexpr int kOpenerToolMissing = 3;

bool isWebAddress(const QString& target) {
    return target.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           target.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

}  // namespace

QtDesktopShell::QtDesktopShell(QString opener, std::chrono::milliseconds answerTime)
    : m_opener(std::move(opener)), m_answerTime(answerTime) {}

std::optional<QString> QtDesktopShell::launch(const QString& target) {
    // Parented to the application: a process that outlives the wait is the program the user now works
    // in, and its opener is let go when it ends.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(m_opener);
    process->setArguments({target});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    const BusyCursor busy;
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return kNoApplication;
    }
    if (!process->waitForFinished(static_cast<int>(m_answerTime.count()))) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return std::nullopt;
    }
    const int code = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    const QString said = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
    delete process;
    if (code == 0) {
        return std::nullopt;
    }
    if (code == kOpenerTargetMissing) {
        return isWebAddress(target) ? kNoApplication : kFileNotFound;
    }
    if (code == kOpenerToolMissing || said.isEmpty()) {
        return kNoApplication;
    }
    return said;
}

std::optional<QString> QtDesktopShell::open(const QString& fileOrUrl) {
    if (isWebAddress(fileOrUrl)) {
        return launch(fileOrUrl);
    }
    // The opener tells no reason for a missing target, so it is found before it is asked.
    if (!QFileInfo(fileOrUrl).isFile()) {
        return kFileNotFound;
    }
    return launch(QUrl::fromLocalFile(fileOrUrl).toString());
}

std::optional<QString> QtDesktopShell::explore(const QString& folder) {
    if (!QFileInfo(folder).isDir()) {
        return kPathNotFound;
    }
    return launch(QUrl::fromLocalFile(folder).toString());
}

QString linkFailureText(const QString& url, const QString& reason) {
    return QStringLiteral("Klarte ikke åpne internett-adressen ") + url +
           QStringLiteral(". Returnerte følgende feil:\n\r\"") + reason + QStringLiteral("\".");
}

}  // namespace telvainn::ui
