#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <functional>

namespace testsupport {

// The soffice.bin that accepts connections at `connection` ("pipe,name=…"). The pipe name is unique to
// one office of this process, so nothing else can match; -1 when no such office runs.
inline pid_t officeProcessId(const QString& connection) {
    const QString pipe = connection.section(QLatin1Char('='), 1);
    if (pipe.isEmpty()) {
        return -1;
    }
    const QByteArray accepted = "name=" + pipe.toUtf8() + ';';
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        QFile commandLine(proc.filePath(entry + QStringLiteral("/cmdline")));
        if (!isPid || !commandLine.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QList<QByteArray> arguments = commandLine.readAll().split('\0');
        if (!arguments.first().endsWith("soffice.bin")) {
            continue;  // the wrapper that started it carries the same arguments
        }
        for (const QByteArray& argument : arguments) {
            if (argument.contains(accepted)) {
                return pid;
            }
        }
    }
    return -1;
}

// Kills `pid` with SIGKILL and returns once it has ended: it need not be our child, so its end is seen
// through a pidfd, which becomes readable when the process exits. False when it could not be killed.
inline bool killAndAwait(pid_t pid) {
    const int handle = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (handle < 0) {
        return false;
    }
    bool ended = false;
    if (::kill(pid, SIGKILL) == 0) {
        pollfd exit{handle, POLLIN, 0};
        ended = poll(&exit, 1, 30000) == 1;  // a bound for a broken kernel, not a stand-in for the exit
    }
    close(handle);
    return ended;
}

// Stops `pid` with SIGSTOP and returns once the kernel shows it stopped, so that no call can still be
// answered. False when it could not be stopped.
inline bool stopAndAwait(pid_t pid) {
    if (::kill(pid, SIGSTOP) != 0) {
        return false;
    }
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    for (int look = 0; look < 30000; ++look) {  // a bound for a broken kernel, not a stand-in
        if (!stat.open(QIODevice::ReadOnly)) {
            return false;
        }
        const QByteArray line = stat.readAll();
        stat.close();
        if (line.mid(line.lastIndexOf(')') + 2, 1) == "T") {
            return true;
        }
        usleep(1000);
    }
    return false;
}

// Cuts an operation off by killing the office at the start of a chosen call the program makes into it.
// Given to the engine as its beforeCall hook, it counts the calls; armed, it kills the office at the
// first call for which `cutHere` holds and waits for it to end, so that this call and all later ones
// meet a dead office. Where the cut lands depends on the calls alone, not on how fast the machine is.
class OfficeCallCutter {
  public:
    std::function<void()> hook() {
        return [this] { beforeCall(); };
    }
    // Counts from zero again, killing nothing.
    void count() { arm(-1, nullptr); }
    void arm(pid_t office, std::function<bool(long call)> cutHere) {
        m_office = office;
        m_cutHere = std::move(cutHere);
        m_calls = 0;
        m_killed = false;
    }
    long calls() const { return m_calls; }
    bool killed() const { return m_killed; }

  private:
    void beforeCall() {
        ++m_calls;
        if (m_office > 0 && !m_killed && m_cutHere && m_cutHere(m_calls)) {
            m_killed = killAndAwait(m_office);
            m_office = -1;
        }
    }

    pid_t m_office = -1;
    std::function<bool(long)> m_cutHere;
    long m_calls = 0;
    bool m_killed = false;
};

}  // namespace testsupport
