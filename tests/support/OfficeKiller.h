#pragma once

#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <atomic>
#include <chrono>
#include <thread>

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

// How often the thread `tid` of this process has gone to sleep of its own accord, as the kernel counts.
inline long voluntaryWaits(pid_t tid) {
    QFile status(QStringLiteral("/proc/self/task/%1/status").arg(tid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    static const QByteArray key = "voluntary_ctxt_switches:";
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(key.size()).trimmed().toLong();
        }
    }
    return -1;
}

// Kills an office with SIGKILL, from a thread of its own, in the middle of what the thread that made
// the killer does next. Every call into the office leaves the calling thread asleep until the office
// answers, so that thread's count of waits grows with the calls it makes; once it has waited `waits`
// times more than when the killer was made, the office is killed. An operation that needs many more
// calls than that is cut off after it has started and before it can finish, however fast the machine.
class OfficeKiller {
  public:
    OfficeKiller(pid_t office, long waits)
        : m_office(office),
          m_caller(gettid()),
          m_start(voluntaryWaits(m_caller)),
          m_thread([this, waits] { watch(waits); }) {}
    ~OfficeKiller() { stop(); }
    OfficeKiller(const OfficeKiller&) = delete;
    OfficeKiller& operator=(const OfficeKiller&) = delete;

    // Ends the watch; afterwards killedAfter() is final.
    void stop() {
        m_stopping = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    // The caller's waits when the office was killed, counted from the killer's making; -1 when it was not.
    long killedAfter() const { return m_killedAfter; }

  private:
    void watch(long waits) {
        // Bounded, so that an operation that makes no calls at all cannot keep the test waiting.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!m_stopping && std::chrono::steady_clock::now() < deadline) {
            const long waited = voluntaryWaits(m_caller) - m_start;
            if (waited >= waits) {
                if (::kill(m_office, SIGKILL) == 0) {
                    m_killedAfter = waited;
                }
                return;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }

    const pid_t m_office;
    const pid_t m_caller;
    const long m_start;
    std::atomic<bool> m_stopping{false};
    std::atomic<long> m_killedAfter{-1};
    std::thread m_thread;  // last: starts once the rest is ready
};

}  // namespace testsupport
