#include "core/FileIo.h"

#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>

#include "core/Error.h"

namespace telvainn {

bool isSameFile(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

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

namespace {

// Every byte, or false. A short write (a full disk, a file size limit) is tried again for the rest, so
// that the system's reason for the refusal becomes the file's error.
bool writeAll(QSaveFile& file, const QByteArray& bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            return false;
        }
        written += n;
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* errorString) {
    QSaveFile file(path);
    // Never fall back to writing the target directly.
    file.setDirectWriteFallback(false);
    // Unbuffered: commit() flushes a write buffer without looking at the outcome, so a write refused at
    // that point would still rename a truncated file into place. Written directly, every refusal shows
    // here, and an uncommitted file is removed with its temporary.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(file, bytes) && file.commit()) {
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
