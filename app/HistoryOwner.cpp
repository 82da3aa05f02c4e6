#include "app/HistoryOwner.h"

#include <unistd.h>
#include <QFile>
#include <QSysInfo>

namespace telvainn {
namespace {

constexpr qint64 kOtherMachineSendsEndWithinSeconds = 60 * 60;

QByteArray bootId() {
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

// The process's own name of itself, or empty when no such process runs.
QString processName(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return {};
    }
    // "pid (command) state ppid ...": the command may hold blanks and parentheses; the start time is the
    // 22nd field, the 20th after the command.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20 || fields[0] == "Z" || fields[0] == "X") {
        return {};
    }
    return QString::fromLatin1(bootId() + '/' + QByteArray::number(pid) + '/' + fields[19]);
}

}  // namespace

HistoryOwner currentHistoryOwner() {
    return {QSysInfo::machineHostName(), processName(::getpid())};
}

bool historyOwnerMayComplete(const HistoryOwner& owner, const QDateTime& beganUtc, const QDateTime& nowUtc) {
    // Without /proc a process of this machine cannot be seen either.
    if (owner.host != QSysInfo::machineHostName() || owner.process.isEmpty()) {
        return beganUtc.secsTo(nowUtc) < kOtherMachineSendsEndWithinSeconds;
    }
    const QStringList parts = owner.process.split(QLatin1Char('/'));
    bool isNumber = false;
    const qint64 pid = parts.size() == 3 ? parts[1].toLongLong(&isNumber) : 0;
    return isNumber && processName(pid) == owner.process;
}

}  // namespace telvainn
