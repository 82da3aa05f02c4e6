#pragma once

#include <signal.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <chrono>
#include <functional>
#include <thread>

// The state letter of a process ("R", "S", "Z"...), empty when there is none.
inline QByteArray processState(const QString& pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return {};
    }
    // "pid (command) state ...": the command may hold blanks and parentheses.
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1);
}

// Whether the process runs; a zombie that nothing reaps has ended.
inline bool isRunning(pid_t pid) {
    const QByteArray state = processState(QString::number(pid));
    return !state.isEmpty() && state != "Z" && state != "X";
}

// The running processes whose command line holds `text`, each as "pid command line".
inline QStringList processesNaming(const QString& text) {
    QStringList found;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile cmdline(proc.filePath(pid + QStringLiteral("/cmdline")));
        if (!cmdline.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QString command = QString::fromLocal8Bit(cmdline.readAll().replace('\0', ' '));
        if (command.contains(text) && isRunning(pid.toInt())) {
            found.append(pid + QLatin1Char(' ') + command);
        }
    }
    return found;
}

// Waits, looking every few milliseconds, until `done` holds or the time is up; says whether it held.
inline bool waitUntil(const std::function<bool()>& done, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
