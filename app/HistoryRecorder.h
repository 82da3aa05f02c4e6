#pragma once

#include "app/SendHistory.h"
#include "core/RunMode.h"
#include "transmission/DepartureLog.h"

namespace telvainn {

// Keeps every report that leaves the program in the history, as a run of the given mode sends it.
class HistoryRecorder : public DepartureLog {
  public:
    // `history` (none: nothing is kept) must outlive this.
    HistoryRecorder(SendHistory* history, const RunMode& mode) : m_history(history), m_mode(mode) {}

    qint64 departing(const Departure& departure) override;
    void departed(qint64 token, bool left, const QString& text) override;

  private:
    SendHistory* m_history;
    RunMode m_mode;
};

}  // namespace telvainn
