#include "core/FileIo.h"

#include <QFile>
#include <QSaveFile>

#include "core/Error.h"

namespace telvainn {

std::optional<QByteArray> readWholeFile(const QString& path, QString* errorString) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError) {
            return bytes;
        }
    }
    if (errorString != nullptr) {
        *errorString = file.errorString();
    }
    return std::nullopt;
}

QByteArray readFileBytes(const QString& path) {
    QString reason;
    std::optional<QByteArray> bytes = readWholeFile(path, &reason);
    if (!bytes) {
        throw Error(QStringLiteral("Klarte ikke å lese fila \"%1\": %2").arg(path, reason));
    }
    return std::move(*bytes);
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* errorString) {
    QSaveFile file(path);
    // Never fall back to writing the target directly.
    file.setDirectWriteFallback(false);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return true;
    }
    if (errorString != nullptr) {
        *errorString = file.errorString();
    }
    return false;
}

void writeFileBytes(const QString& path, const QByteArray& bytes) {
    QString reason;
    if (!writeFileAtomically(path, bytes, &reason)) {
        throw Error(QStringLiteral("Klarte ikke å skrive fila \"%1\": %2").arg(path, reason));
    }
}

}  // namespace telvainn
