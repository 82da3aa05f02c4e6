#include "app/SendHistoryRows.h"

#include <QSqlQuery>
#include <QVariant>

#include "app/HistoryOwner.h"

namespace telvainn {
namespace {

HistoryKind kindFrom(const QString& text) {
    if (text == QLatin1String("encrypted-file")) {
        return HistoryKind::EncryptedFile;
    }
    return text == QLatin1String("data-file") ? HistoryKind::DataFile : HistoryKind::Mail;
}

RunMode modeFrom(const QString& text) {
    return {text == QLatin1String("test"), text == QLatin1String("data-file")};
}

QDateTime timeFrom(const QString& text) {
    return text.isEmpty() ? QDateTime() : QDateTime::fromString(text, Qt::ISODateWithMs);
}

}  // namespace

QVariant notNull(const QString& text) {
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QString kindText(HistoryKind kind) {
    switch (kind) {
        case HistoryKind::EncryptedFile:
            return QStringLiteral("encrypted-file");
        case HistoryKind::DataFile:
            return QStringLiteral("data-file");
        case HistoryKind::Mail:
        default:
            return QStringLiteral("mail");
    }
}

QString modeText(const RunMode& mode) {
    if (mode.dataFile) {
        return QStringLiteral("data-file");
    }
    return mode.test ? QStringLiteral("test") : QStringLiteral("normal");
}

QString storedOutcomeText(HistoryOutcome outcome) {
    switch (outcome) {
        case HistoryOutcome::Sent:
            return QStringLiteral("sent");
        case HistoryOutcome::Failed:
            return QStringLiteral("failed");
        case HistoryOutcome::InProgress:
        case HistoryOutcome::Unknown:
        default:
            return QStringLiteral("in-progress");
    }
}

QString utcText(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QString localText(const QDateTime& time) {
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

HistoryRecord recordFrom(const QSqlQuery& query, const QDateTime& nowUtc) {
    HistoryRecord r;
    r.id = query.value(0).toLongLong();
    r.entry.kind = kindFrom(query.value(1).toString());
    r.entry.mode = modeFrom(query.value(2).toString());
    r.entry.identity.Dsnr = query.value(3).toInt();
    r.entry.identity.Regnr = query.value(4).toInt();
    r.entry.identity.Rapportnr = query.value(5).toInt();
    r.entry.identity.Periode = query.value(6).toString();
    r.entry.identity.Rapporttype = query.value(7).toString();
    r.entry.templateVersion = query.value(8).toString();
    r.entry.programVersion = query.value(9).toString();
    r.entry.recipient = query.value(10).toString();
    r.entry.transport = query.value(11).toString();
    r.localTime = timeFrom(query.value(12).toString());
    r.utcTime = timeFrom(query.value(13).toString());
    r.sha256 = query.value(14).toString();
    r.size = query.value(15).toLongLong();
    const QString outcome = query.value(16).toString();
    if (outcome == QLatin1String("sent")) {
        r.outcome = HistoryOutcome::Sent;
    } else if (outcome == QLatin1String("failed")) {
        r.outcome = HistoryOutcome::Failed;
    } else {
        const HistoryOwner owner{query.value(19).toString(), query.value(20).toString()};
        r.outcome = historyOwnerMayComplete(owner, r.utcTime, nowUtc) ? HistoryOutcome::InProgress
                                                                      : HistoryOutcome::Unknown;
    }
    r.reply = query.value(17).toString();
    r.completedUtc = timeFrom(query.value(18).toString());
    return r;
}

}  // namespace telvainn
