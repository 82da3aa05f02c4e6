#include "cli/TerminalPrompter.h"

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

}  // namespace telvainn::cli
