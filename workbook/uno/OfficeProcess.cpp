#include "workbook/uno/OfficeProcess.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <csignal>
#include <cstring>
#include <thread>
#include <vector>

#include "core/Error.h"
#include "core/FileIo.h"
#include "core/Signals.h"

extern char** environ;

namespace telvainn::excel::uno {
namespace {

const QString kProgramFolder = QStringLiteral(TELVAINN_LO_PROGRAM);

QString seededSettings() {
    // Setup/Product/ooSetupLastVersion: without it every headless start is a "first start" (seconds).
    // WarnAlienFormat: the user saving an .xls in Calc must not be asked whether to keep the format.
    // Recovery: our documents are the user's files; the office keeps no copies of its own.
    // VBA: an Excel template's macros are loaded as runnable code, as Excel runs them.
    const QString item = QStringLiteral(
        "<item oor:path=\"%1\"><prop oor:name=\"%2\" oor:op=\"fuse\"><value>%3</value></prop></item>\n");
    QString items;
    items += item.arg(QStringLiteral("/org.openoffice.Setup/Product"), QStringLiteral("ooSetupLastVersion"),
                      officeVersion());
    items += item.arg(QStringLiteral("/org.openoffice.Setup/Office"), QStringLiteral("ooSetupInstCompleted"),
                      QStringLiteral("true"));
    items += item.arg(QStringLiteral("/org.openoffice.Office.Common/Misc"), QStringLiteral("FirstRun"),
                      QStringLiteral("false"));
    items += item.arg(QStringLiteral("/org.openoffice.Office.Common/Misc"), QStringLiteral("ShowTipOfTheDay"),
                      QStringLiteral("false"));
    items += item.arg(QStringLiteral("/org.openoffice.Office.Common/Save/Document"),
                      QStringLiteral("WarnAlienFormat"), QStringLiteral("false"));
    items += item.arg(QStringLiteral("/org.openoffice.Office.Recovery/AutoSave"), QStringLiteral("Enabled"),
                      QStringLiteral("false"));
    items += item.arg(QStringLiteral("/org.openoffice.Office.Recovery/RecoveryInfo"),
                      QStringLiteral("Enabled"), QStringLiteral("false"));
    items += item.arg(QStringLiteral("/org.openoffice.Office.Calc/Filter/Import/VBA"), QStringLiteral("Load"),
                      QStringLiteral("true"));
    items += item.arg(QStringLiteral("/org.openoffice.Office.Calc/Filter/Import/VBA"),
                      QStringLiteral("Executable"), QStringLiteral("true"));
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
               "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
               "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n") +
           items + QStringLiteral("</oor:items>\n");
}

void seedProfile(const QString& folder) {
    const QString user = folder + QStringLiteral("/user");
    const QString path = user + QStringLiteral("/registrymodifications.xcu");
    if (QFile::exists(path)) {
        return;  // the office keeps it up to date from here on
    }
    if (!QDir().mkpath(user)) {
        throw Error(QStringLiteral("Klarte ikke opprette mappen %1 for LibreOffice.").arg(user));
    }
    if (!writeFileAtomically(path, seededSettings().toUtf8())) {
        throw Error(QStringLiteral("Unable to write to %1").arg(path));
    }
}

// Whether any process of the group still runs. A zombie does not count: where nothing reaps orphans
// (some containers), the killed soffice.bin would otherwise seem to live on.
bool groupAlive(pid_t group) {
    if (::kill(-group, 0) != 0) {
        return false;
    }
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        entry.toInt(&isPid);
        if (!isPid) {
            continue;
        }
        QFile stat(proc.filePath(entry + QStringLiteral("/stat")));
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // "pid (command) state ppid pgrp ...": the command may hold blanks and parentheses.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields[2].toInt() == group && fields[0] != "Z" && fields[0] != "X") {
            return true;
        }
    }
    return false;
}

}  // namespace

QString officeVersion() {
    static const QString version = [] {
        QFile file(kProgramFolder + QStringLiteral("/bootstraprc"));
        if (file.open(QIODevice::ReadOnly)) {
            const auto match = QRegularExpression(QStringLiteral("ProductKey=\\D*(\\d+\\.\\d+)"))
                                   .match(QString::fromUtf8(file.readAll()));
            if (match.hasMatch()) {
                return match.captured(1);
            }
        }
        return QStringLiteral("7.4");
    }();
    return version;
}

OfficeProfile::OfficeProfile(const QString& baseFolder) {
    if (!QDir().mkpath(baseFolder)) {
        throw Error(QStringLiteral("Klarte ikke opprette mappen %1 for LibreOffice.").arg(baseFolder));
    }
    for (int slot = 1; slot <= 64; ++slot) {
        const QString folder = QStringLiteral("%1/profil-%2").arg(baseFolder).arg(slot);
        auto lock = std::make_unique<QLockFile>(folder + QStringLiteral(".lock"));
        lock->setStaleLockTime(0);  // only a live process holds a slot
        if (lock->tryLock(0)) {
            seedProfile(folder);
            m_folder = folder;
            m_lock = std::move(lock);
            return;
        }
    }
    throw Error(QStringLiteral("Fant ingen ledig LibreOffice-profil under %1.").arg(baseFolder));
}

QString sofficeProgram(const QString& configured) {
    if (!configured.isEmpty()) {
        return configured;
    }
    const QString fromEnvironment = qEnvironmentVariable("TELVAINN_SOFFICE");
    return fromEnvironment.isEmpty() ? kProgramFolder + QStringLiteral("/soffice") : fromEnvironment;
}

OfficeProcess::OfficeProcess(const QString& soffice, const QString& profileFolder, const QString& pipeName,
                             bool headless) {
    // soffice is a wrapper around soffice.bin that does not take it along when it is killed, and a
    // parent-death signal reaches only a direct child. So a shell of ours is that child: it leads the
    // office's process group and, when the parent-death signal arrives, kills the whole group.
    const QByteArray program = soffice.toLocal8Bit();
    if (::access(program.constData(), X_OK) != 0) {
        throw Error(QStringLiteral("Klarte ikke starte LibreOffice (%1): %2")
                        .arg(soffice, QString::fromLocal8Bit(strerror(errno))));
    }
    std::vector<QByteArray> arguments = {
        QByteArrayLiteral("/bin/sh"),
        QByteArrayLiteral("-c"),
        QByteArrayLiteral("trap 'kill -s KILL 0' TERM; \"$0\" \"$@\" & wait $!; exit $?"),
        program,
        QByteArrayLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profileFolder).toEncoded(),
        QByteArrayLiteral("--accept=pipe,name=") + pipeName.toLatin1() + QByteArrayLiteral(";urp;"),
        QByteArrayLiteral("--norestore"),
        QByteArrayLiteral("--nologo"),
        QByteArrayLiteral("--nodefault"),
        QByteArrayLiteral("--nolockcheck"),
    };
    if (headless) {
        arguments.push_back(QByteArrayLiteral("--headless"));
        arguments.push_back(QByteArrayLiteral("--invisible"));
    }
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    // The office's own chatter goes to a file in its profile, not into our terminal.
    const QByteArray log = (profileFolder + QStringLiteral("/soffice.log")).toLocal8Bit();

    const pid_t parent = getpid();
    const TerminatingSignalsHeld held;
    const pid_t pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls from here to exec: the parent has other threads.
        setpgid(0, 0);
        const int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
        const int out = open(log.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0 ||
            prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) {
            _exit(127);
        }
        TerminatingSignalsHeld::unblockInChild();
        execve(argv[0], argv.data(), environ);
        _exit(127);
    }
    if (pid < 0) {
        throw Error(QStringLiteral("Klarte ikke starte LibreOffice (%1): %2")
                        .arg(soffice, QString::fromLocal8Bit(strerror(errno))));
    }
    // The parent sets the group too, so it exists before anything is sent to it.
    setpgid(pid, pid);
    m_pid = pid;
    m_group = pid;
    registerHelperGroup(pid);
}

OfficeProcess::~OfficeProcess() {
    stop(std::chrono::milliseconds(0));
}

bool OfficeProcess::running() {
    const pid_t pid = m_pid;
    if (pid <= 0) {
        return false;
    }
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == 0) {
        return true;
    }
    m_exitCode = done == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_pid = -1;
    return false;
}

void OfficeProcess::kill() {
    if (m_group > 0) {
        ::kill(-m_group, SIGKILL);
    }
}

void OfficeProcess::stop(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill();
    if (const pid_t pid = m_pid; pid > 0) {
        waitpid(pid, nullptr, 0);
        m_pid = -1;
    }
    // soffice.bin is the wrapper's child, not ours: wait until the whole group is gone, so that the
    // next office on this profile does not find the old one still there and hand itself over to it.
    const auto groupDeadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (m_group > 0 && groupAlive(m_group) && std::chrono::steady_clock::now() < groupDeadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (m_group > 0) {
        unregisterHelperGroup(m_group);
    }
}

}  // namespace telvainn::excel::uno
