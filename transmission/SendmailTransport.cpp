#include "transmission/SendmailTransport.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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

    QProcess process;
    process.setProgram(program);
    process.setArguments(words.mid(1) + QStringList{QStringLiteral("-t"), QStringLiteral("-oi")});
    process.start();
    if (!process.waitForStarted(kStartTimeoutMs)) {
        throw MapiError(MapiCode::Failure,
                        QStringLiteral("Klarte ikke å starte %1: %2").arg(program, process.errorString()));
    }
    process.write(input);
    process.closeWriteChannel();
    const qint64 timeoutMs =
        m_options.timeout.count() + 1000 * input.size() / std::max<qint64>(1, m_options.bytesPerSecond);
    if (!process.waitForFinished(static_cast<int>(timeoutMs))) {
        process.kill();
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
    return true;
}

}  // namespace telvainn
