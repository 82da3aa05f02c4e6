#include "core/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>

#include "core/ControlCharacters.h"
#include "core/Error.h"

namespace telvainn {
namespace {

const QString kNotARegularFile = QStringLiteral(
    "Det er ikke en vanlig fil, men en mappe, et rør eller en enhet. Programmet leser bare "
    "vanlige filer.");
const QString kSymbolicLink = QStringLiteral(
    "Det ligger en symbolsk lenke med dette navnet, og programmet skriver ikke gjennom lenker. "
    "Slett lenken eller velg et annet filnavn.");

QString systemReason(int error) {
    return qt_error_string(error);
}

QString tooLarge(qint64 size) {
    return QStringLiteral("Fila er på %1 byte, og programmet leser ikke filer større enn 1 GiB.").arg(size);
}

// Every byte, or false with errno set; a short write is tried again for the rest, so that the system's
// reason for a refusal (a full disk, a file size limit) is what is reported.
bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        written += n;
    }
    return true;
}

// A new, empty file beside `target` that nobody else can have opened, or -1 with errno set.
int createTemporaryBeside(const QByteArray& target, QByteArray* temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporary = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        // 0666 less the user's umask, as any new file of the user's; O_EXCL never opens what is there.
        const int fd =
            ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

}  // namespace

bool isSameFile(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::optional<QByteArray> readWholeFile(const QString& path, QString* errorString) {
    const auto fail = [errorString](const QString& reason) -> std::optional<QByteArray> {
        if (errorString != nullptr) {
            *errorString = reason;
        }
        return std::nullopt;
    };
    // Opened without waiting: a named pipe without a writer would block right here, before it could
    // be told from a file.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(systemReason(errno));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString());
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return fail(systemReason(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return fail(kNotARegularFile);
    }
    if (info.st_size > kMaxInputFileSize) {
        return fail(tooLarge(info.st_size));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return fail(file.errorString());
    }
    return bytes;
}

QByteArray readFileBytes(const QString& path) {
    QString reason;
    std::optional<QByteArray> bytes = readWholeFile(path, &reason);
    if (!bytes) {
        throw Error(
            QStringLiteral("Klarte ikke å lese fila \"%1\": %2").arg(withVisibleControls(path), reason));
    }
    return std::move(*bytes);
}

namespace {

bool failWith(QString* errorString, const QString& reason) {
    if (errorString != nullptr) {
        *errorString = reason;
    }
    return false;
}

}  // namespace

AtomicFileWrite::~AtomicFileWrite() {
    discard();
}

void AtomicFileWrite::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
}

bool AtomicFileWrite::write(const QString& path, const QByteArray& bytes, QString* errorString) {
    discard();
    m_target = QFile::encodeName(path);
    struct stat existing {};
    const bool exists = ::lstat(m_target.constData(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode)) {
        return failWith(errorString, kSymbolicLink);
    }
    m_fd = createTemporaryBeside(m_target, &m_temporary);
    if (m_fd < 0) {
        m_temporary.clear();
        return failWith(errorString, systemReason(errno));
    }
    // A file that is replaced keeps its permissions.
    const bool ok = !(exists && S_ISREG(existing.st_mode) && ::fchmod(m_fd, existing.st_mode & 07777) != 0) &&
                    writeAll(m_fd, bytes);
    if (!ok) {
        const int error = errno;
        discard();
        return failWith(errorString, systemReason(error));
    }
    return true;
}

bool AtomicFileWrite::commit(QString* errorString) {
    bool ok = ::fsync(m_fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(m_fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    m_fd = -1;
    // rename() replaces whatever is at the target, a link planted meanwhile included, and never
    // follows it.
    if (ok && ::rename(m_temporary.constData(), m_target.constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        discard();
        return failWith(errorString, systemReason(error));
    }
    m_temporary.clear();
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* errorString) {
    AtomicFileWrite file;
    return file.write(path, bytes, errorString) && file.commit(errorString);
}

void writeFileBytes(const QString& path, const QByteArray& bytes) {
    QString reason;
    if (!writeFileAtomically(path, bytes, &reason)) {
        throw Error(
            QStringLiteral("Klarte ikke å skrive fila \"%1\": %2").arg(withVisibleControls(path), reason));
    }
}

QString followedLinks(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth) {
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

}  // namespace telvainn
