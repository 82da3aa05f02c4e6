#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace telvainn {

// No file the program reads (a flat data file, an encrypted report, telvainn.ini) comes near this size;
// a larger one is refused before a byte of it is read.
inline constexpr qint64 kMaxInputFileSize = qint64(1) << 30;

// Whether both paths name one existing file, however they are spelt: through a link, "..", another
// hard link. False when either does not exist.
bool isSameFile(const QString& a, const QString& b);

// The whole file, or nothing with the reason in `errorString`. Only regular files are read: a named pipe
// or a device is refused at once instead of being waited on, and so is a file above kMaxInputFileSize.
std::optional<QByteArray> readWholeFile(const QString& path, QString* errorString = nullptr);

// The whole file; raises "Klarte ikke å lese fila \"<path>\": <reason>" when it cannot be read.
QByteArray readFileBytes(const QString& path);

// Written whole or not at all, through a temporary file in the same folder that is renamed into place:
// a failure never leaves an empty or half-written file, and an existing file stays as it was. A path
// whose last part is a symbolic link (even one pointing nowhere) is refused: an output never writes
// through a link into a file elsewhere.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* errorString = nullptr);

// writeFileAtomically in its two halves, so that the wait for the disk (commit) can be spent on other
// work: write() puts the bytes in a temporary file beside the path, commit() makes them durable and
// renames the file into place. Each gives false with the reason, and then nothing is left behind; a
// write that is never committed is removed.
class AtomicFileWrite {
  public:
    AtomicFileWrite() = default;
    ~AtomicFileWrite();
    AtomicFileWrite(const AtomicFileWrite&) = delete;
    AtomicFileWrite& operator=(const AtomicFileWrite&) = delete;

    bool write(const QString& path, const QByteArray& bytes, QString* errorString = nullptr);
    // Only after a write() that succeeded.
    bool commit(QString* errorString = nullptr);

  private:
    void discard();

    QByteArray m_target;
    QByteArray m_temporary;
    int m_fd = -1;
};

// The same; raises "Klarte ikke å skrive fila \"<path>\": <reason>" when the file cannot be written.
void writeFileBytes(const QString& path, const QByteArray& bytes);

// The file a chain of symbolic links at `path` ends in, whether it exists or not; `path` itself when it
// is no link.
QString followedLinks(const QString& path);

}  // namespace telvainn
