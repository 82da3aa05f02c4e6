#include "transmission/SendmailTransport.h"

#include <sys/mman.h>
#include <unistd.h>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <csignal>

#include "core/Signals.h"
#include "transmission/OutgoingMail.h"

namespace telvainn {
namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kKillTimeoutMs = 5000;

QString resolvedProgram(const QString& program) {
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

// What the program said, on one line; standard error first, where sendmail-compatible programs report.
QString programWords(QProcess& process) {
    QString words = QString::fromLocal8Bit(process.readAllStandardError()).simplified();
    if (words.isEmpty()) {
        words = QString::fromLocal8Bit(process.readAllStandardOutput()).simplified();
    }
    return words.isEmpty() ? QStringLiteral("ingen melding fra programmet") : words;
}

// The exit codes of sendmail-compatible programs (sysexits.h) that say more than "failed".
MapiCode codeForExitStatus(int status) {
    switch (status) {
        case 67:  // EX_NOUSER
            return MapiCode::UnknownRecipient;
        case 68:  // EX_NOHOST
        case 69:  // EX_UNAVAILABLE
        case 75:  // EX_TEMPFAIL
            return MapiCode::NetworkFailure;
        case 77:  // EX_NOPERM
            return MapiCode::LogonFailure;
        default:
            return MapiCode::Failure;
    }
}

// The message as an unnamed in-memory file. Given to the program as its standard input, it shares its
// read position with us: afterwards that position tells how much of the message the program took, which
// a pipe cannot tell once its buffer has swallowed a small message.
class MessageFile {
  public:
    explicit MessageFile(const QByteArray& message) : m_fd(memfd_create("telvainn-mail", MFD_CLOEXEC)) {
        qsizetype written = 0;
        while (m_fd >= 0 && written < message.size()) {
            const ssize_t n =
                ::write(m_fd, message.constData() + written, static_cast<size_t>(message.size() - written));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                m_error = n < 0 ? errno : EIO;
                return;
            }
            written += n;
        }
        if (m_fd < 0 || ::lseek(m_fd, 0, SEEK_SET) != 0) {
            m_error = errno;
        }
    }
    ~MessageFile() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    MessageFile(const MessageFile&) = delete;
    MessageFile& operator=(const MessageFile&) = delete;

    int fd() const { return m_fd; }
    int error() const { return m_error; }
    qint64 readSoFar() const { return ::lseek(m_fd, 0, SEEK_CUR); }

  private:
    int m_fd;
    int m_error = 0;
};

}  // namespace

SendmailTransport::SendmailTransport(SendmailOptions options) : m_options(std::move(options)) {}

QStringList SendmailTransport::commandWords(const QString& command) {
    return QProcess::splitCommand(command);
}

bool SendmailTransport::isAvailable(const QString& command) {
    const QStringList words = commandWords(command);
    return !words.isEmpty() && !resolvedProgram(words.front()).isEmpty();
}

bool SendmailTransport::SendMail(const MailRequest& request) {
    const QStringList words = commandWords(m_options.command);
    const QString program = words.isEmpty() ? QString() : resolvedProgram(words.front());
    if (program.isEmpty()) {
        throw Error(kNoMailClientMessage);
    }
    const OutgoingMail mail = PrepareOutgoingMail(request, m_options.sender);
    // A local mail program reads lines ended by LF and writes CR LF on the wire itself. Every line of the
    // message is ours (the texts travel in Base64), so only the line ends change.
    QByteArray input = mail.message;
    input.replace("\r\n", "\n");

    const MessageFile message(input);
    if (message.error() != 0) {
        throw MapiError(MapiCode::Failure, QStringLiteral("Klarte ikke å gjøre e-posten klar for %1: %2")
                                               .arg(program, qt_error_string(message.error())));
    }

    QProcess process;
    process.setProgram(program);
    process.setArguments(words.mid(1) + QStringList{QStringLiteral("-t"), QStringLiteral("-oi")});
    const int stdinFd = message.fd();
    // A process group of its own, so that a program that hangs is ended together with whatever it
    // started. The standard input is set after QProcess has set up its own.
    process.setChildProcessModifier([stdinFd] {
        ::setpgid(0, 0);
        ::dup2(stdinFd, STDIN_FILENO);
        TerminatingSignalsHeld::unblockInChild();
    });
    {
        const TerminatingSignalsHeld held;
        process.start(QIODevice::ReadOnly);
        if (process.processId() > 0) {
            registerHelperGroup(static_cast<pid_t>(process.processId()));
        }
    }
    const pid_t group = static_cast<pid_t>(process.processId());
    if (!process.waitForStarted(kStartTimeoutMs)) {
        unregisterHelperGroup(group);
        throw MapiError(MapiCode::Failure,
                        QStringLiteral("Klarte ikke å starte %1: %2").arg(program, process.errorString()));
    }
    const qint64 timeoutMs =
        m_options.timeout.count() + 1000 * input.size() / std::max<qint64>(1, m_options.bytesPerSecond);
    const bool finished = process.waitForFinished(static_cast<int>(timeoutMs));
    if (!finished) {
        ::kill(-group, SIGKILL);
    }
    unregisterHelperGroup(group);
    if (!finished) {
        process.waitForFinished(kKillTimeoutMs);
        throw MapiError(MapiCode::Failure,
                        QStringLiteral("%1 ble ikke ferdig innen %2 sekunder og ble stoppet.")
                            .arg(program)
                            .arg((timeoutMs + 999) / 1000));
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        throw MapiError(MapiCode::Failure,
                        QStringLiteral("%1 stoppet uventet: %2").arg(program, process.errorString()));
    }
    if (process.exitCode() != 0) {
        throw MapiError(codeForExitStatus(process.exitCode()),
                        QStringLiteral("%1 avsluttet med status %2: %3")
                            .arg(program)
                            .arg(process.exitCode())
                            .arg(programWords(process)));
    }
    // A program that ends well without having read the whole message has not sent it.
    const qint64 taken = message.readSoFar();
    if (taken != input.size()) {
        throw MapiError(
            MapiCode::Failure,
            QStringLiteral("%1 avsluttet uten å lese hele e-posten (leste %2 av %3 byte), så den ble "
                           "ikke sendt.")
                .arg(program)
                .arg(taken)
                .arg(input.size()));
    }
    m_receipt = QStringLiteral("Message-ID: ") + QString::fromLatin1(mail.messageId);
    return true;
}

}  // namespace telvainn
