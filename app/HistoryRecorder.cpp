#include "app/HistoryRecorder.h"

namespace telvainn {

qint64 HistoryRecorder::departing(const Departure& departure) {
    if (m_history == nullptr) {
        return 0;
    }
    // The list as the envelope carries it: 0 Dsnr, 1 type, 2 period, 3 program version, 4 Regnr,
    // 5 report number, 6 mail system, 7 report version.
    const QStringList& info = departure.informationList;
    HistoryEntry entry;
    entry.kind = departure.kind;
    entry.mode = m_mode;
    entry.identity.Dsnr = info.value(0).toInt();
    entry.identity.Rapporttype = info.value(1);
    entry.identity.Periode = info.value(2);
    entry.programVersion = info.value(3);
    entry.identity.Regnr = info.value(4).toInt();
    entry.identity.Rapportnr = info.value(5).toInt();
    entry.templateVersion = info.value(7);
    entry.recipient = departure.recipient;
    entry.transport = departure.transport;
    entry.bytes = departure.bytes;
    return m_history->begin(entry);
}

void HistoryRecorder::departed(qint64 token, bool left, const QString& text) {
    if (m_history != nullptr) {
        m_history->complete(token, left ? HistoryOutcome::Sent : HistoryOutcome::Failed, text);
    }
}

}  // namespace telvainn
