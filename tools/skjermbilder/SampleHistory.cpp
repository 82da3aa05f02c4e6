#include "SampleHistory.h"

#include <QDateTime>
#include <algorithm>

#include "app/SendHistory.h"
#include "core/Locale.h"
#include "core/ReportIdentity.h"
#include "core/ReportXml.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"

using namespace telvainn;

namespace {

constexpr int kDsnr = 123;
constexpr int kRegnr = 4567;
const QString kRecipient = QStringLiteral("telva@dalvora.no");

struct Send {
    QDateTime when;
    int reportNumber;
    QString period;
    QString type = QStringLiteral("N");
    bool test = false;
    HistoryOutcome outcome = HistoryOutcome::Sent;
};

// The envelope of a report with a few rows, as the program mails it.
QByteArray envelopeOf(const TReportIdentity& identity, const QDateTime& built) {
    Locale locale;
    locale.decimalSeparator = QLatin1Char(',');
    XmlDocumentBuilder document(identity, built, locale);
    const QStringList texts{QStringLiteral("Innskudd, Østlandet"), QStringLiteral("Innskudd, Vestlandet"),
                            QStringLiteral("Utlån til husholdninger")};
    for (int row = 0; row < texts.size(); ++row) {
        document.addRow(11 + row,
                        {texts.at(row), QString::number(6001234 + row), QString(), QStringLiteral("810"),
                         QString(), QStringLiteral("NO"), QStringLiteral("NOK"),
                         QString::number(125000 * (row + 1) + identity.Periode.right(2).toInt())});
    }
    return BuildEncryptedReportText(
        informationList(identity, QStringLiteral("Annet"), QStringLiteral("25.02.2009")),
        BlowfishCipher().EncryptReportText(document.text().trimmed()));
}

QDateTime at(int month, int day, int hour, int minute) {
    return {QDate(2026, month, day), QTime(hour, minute), Qt::OffsetFromUTC, 3600};
}

QList<Send> sends() {
    QList<Send> list;
    list.append({at(2, 6, 14, 2), 10, QStringLiteral("202601"), QStringLiteral("N"), true});
    for (int month = 1; month <= 11; ++month) {
        // July was forgotten; November's mail failed and has not been sent again.
        if (month == 7) {
            continue;
        }
        const QString period = QStringLiteral("2026%1").arg(month, 2, 10, QLatin1Char('0'));
        const bool failed = month == 11;
        list.append({at(month + 1, 8 + month % 2, 9 + month % 4, 5 * month), 10, period, QStringLiteral("N"),
                     false, failed ? HistoryOutcome::Failed : HistoryOutcome::Sent});
        if (month % 3 == 0) {
            list.append({at(month + 1, 18, 13, 40), 21, period});
        }
    }
    list.append({at(5, 4, 11, 20), 10, QStringLiteral("202603"), QStringLiteral("K")});
    std::sort(list.begin(), list.end(), [](const Send& a, const Send& b) { return a.when < b.when; });
    return list;
}

}  // namespace

bool fillSampleHistory(const QString& folder) {
    QDateTime now;
    SendHistory history(folder, [&] { return now; });
    if (!history.available()) {
        return false;
    }
    for (const Send& send : sends()) {
        now = send.when;
        HistoryEntry entry;
        entry.mode.test = send.test;
        entry.identity = {kDsnr, kRegnr, send.reportNumber, send.period, send.type};
        entry.templateVersion = QStringLiteral("25.02.2009");
        entry.recipient = send.test ? QStringLiteral("telva-test@dalvora.no") : kRecipient;
        entry.transport = QStringLiteral("smtp");
        entry.bytes = envelopeOf(entry.identity, send.when);
        const qint64 id = history.begin(entry);
        now = now.addSecs(3);
        history.complete(id, send.outcome,
                         send.outcome == HistoryOutcome::Sent
                             ? QStringLiteral("250 2.0.0 Ok: queued as 4F2A%1").arg(id)
                             : QStringLiteral("Klarte ikke å koble til e-posttjeneren smtp.firma.no."));
    }
    return history.takeWarning().isEmpty();
}
