#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace telvainn {

// Whether both paths name one existing file, however they are spelt: through a link, "..", another
// hard link. False when either does not exist.
bool isSameFile(const QString& a, const QString& b);

// The whole file, or nothing with the system's reason in `errorString`.
std::optional<QByteArray> readWholeFile(const QString& path, QString* errorString = nullptr);

// The whole file; raises "Klarte ikke å lese fila \"<path>\": <reason>" when it cannot be read.
QByteArray readFileBytes(const QString& path);

// Written whole or not at all, through a temporary file in the same folder that is renamed into place:
// a failure never leaves an empty or half-written file, and an existing file stays as it was.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* errorString = nullptr);

// The same; raises "Klarte ikke å skrive fila \"<path>\": <reason>" when the file cannot be written.
void writeFileBytes(const QString& path, const QByteArray& bytes);

}  // namespace telvainn
