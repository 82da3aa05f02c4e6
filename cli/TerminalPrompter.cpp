#include "cli/TerminalPrompter.h"

#include <termios.h>
#include <unistd.h>

#include <QTextStream>

#include "cli/Console.h"

namespace telvainn::cli {

Answer TerminalPrompter::ask(MessageKind /*kind*/, const QString& text, Buttons buttons) {
    const bool yesNo = buttons == Buttons::YesNo;
    const Answer yes = yesNo ? Answer::Yes : Answer::Ok;
    const Answer no = yesNo ? Answer::No : Answer::Cancel;
    err(text);
    const QString choices = yesNo ? QStringLiteral("[j/n]") : QStringLiteral("[ok/avbryt]");
    if (m_assumeYes) {
        err(choices + QStringLiteral(" ") +
            (yesNo ? QStringLiteral("j (--ja)") : QStringLiteral("ok (--ja)")));
        return yes;
    }
    if (isatty(STDIN_FILENO) == 0) {
        err(choices + QStringLiteral(" ") +
            (yesNo ? QStringLiteral("n (ingen terminal å spørre på; bruk --ja for å svare ja)")
                   : QStringLiteral("avbryt (ingen terminal å spørre på; bruk --ja for å svare ok)")));
        return no;
    }
    print(stderr, choices + QStringLiteral(" "));
    std::fflush(stderr);
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    const bool accepted = yesNo ? (answer == QLatin1String("j") || answer == QLatin1String("ja"))
                                : answer == QLatin1String("ok");
    return accepted ? yes : no;
}

void TerminalPrompter::tell(MessageKind /*kind*/, const QString& text) {
    err(text);
}

std::optional<QString> TerminalPrompter::askPassword(const QString& text) {
    // For scripts: the environment of one process, never a file.
    if (qEnvironmentVariableIsSet("TELVAINN_SMTP_PASSORD")) {
        return qEnvironmentVariable("TELVAINN_SMTP_PASSORD");
    }
    if (isatty(STDIN_FILENO) == 0) {
        err(text);
        err(QStringLiteral("(ingen terminal å spørre på; sett TELVAINN_SMTP_PASSORD for å oppgi passordet)"));
        return std::nullopt;
    }
    print(stderr, text + QLatin1Char(' '));
    std::fflush(stderr);
    termios saved{};
    const bool echoOff = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (echoOff) {
        termios silent = saved;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    QByteArray line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') {
        line += static_cast<char>(c);
    }
    if (echoOff) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    }
    err(QString());
    // End of input (Ctrl-D) before a line end is the terminal's cancel.
    if (c == EOF && line.isEmpty()) {
        return std::nullopt;
    }
    QString password = QString::fromLocal8Bit(line);
    line.fill('\0');
    return password;
}

}  // namespace telvainn::cli
