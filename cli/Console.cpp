#include "cli/Console.h"

#include <unistd.h>
#include <cerrno>

#include "core/ControlCharacters.h"

namespace telvainn::cli {
namespace {

int g_stdoutError = 0;  // the first failure of a write to standard output

QString withTerminalLineEnds(const QString& text) {
    QString lines;
    lines.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            // "\r\n" and "\n\r" are one break; a lone CR is one too.
            const QChar pair = c == u'\r' ? QChar(u'\n') : QChar(u'\r');
            if (i + 1 < text.size() && text[i + 1] == pair) {
                ++i;
            }
            lines += QLatin1Char('\n');
        } else {
            lines += c;
        }
    }
    return lines;
}

}  // namespace

void writeBytes(std::FILE* stream, const QByteArray& bytes) {
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stream) != size && stream == stdout && g_stdoutError == 0) {
        g_stdoutError = errno != 0 ? errno : EIO;
    }
}

void print(std::FILE* stream, const QString& text) {
    const QString lines = withTerminalLineEnds(text);
    // Whatever a message quotes from a file or a name must not drive the terminal.
    writeBytes(stream, (isTerminal(stream) ? withVisibleControls(lines) : lines).toUtf8());
}

void printLine(std::FILE* stream, const QString& text) {
    print(stream, text + QLatin1Char('\n'));
}

void out(const QString& text) {
    printLine(stdout, text);
}

void err(const QString& text) {
    printLine(stderr, text);
}

bool isTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

int finishStandardOutput(int exitCode) {
    errno = 0;
    if ((std::fflush(stdout) != 0 || std::ferror(stdout) != 0) && g_stdoutError == 0) {
        g_stdoutError = errno != 0 ? errno : EIO;
    }
    if (g_stdoutError == 0) {
        return exitCode;
    }
    err(QStringLiteral("Klarte ikke å skrive til standard ut: %1").arg(qt_error_string(g_stdoutError)));
    return exitCode == Success ? Failure : exitCode;
}

}  // namespace telvainn::cli
