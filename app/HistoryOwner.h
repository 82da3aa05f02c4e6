#pragma once

#include <QDateTime>
#include <QString>

namespace telvainn {

// The program that began a history entry: its machine, and on it the process, named by the boot, the
// pid and the process's start time together, since a pid is used again once its process has ended.
struct HistoryOwner {
    QString host;
    QString process;  // "<boot id>/<pid>/<start time>"
};

HistoryOwner currentHistoryOwner();

// Whether an entry begun at `beganUtc` by `owner` may still be completed. On this machine that holds
// exactly while the owner process runs. Another machine's processes cannot be seen from here: its
// entry is taken as lost once it is older than any send takes, a logon prompt left open included.
bool historyOwnerMayComplete(const HistoryOwner& owner, const QDateTime& beganUtc, const QDateTime& nowUtc);

}  // namespace telvainn
