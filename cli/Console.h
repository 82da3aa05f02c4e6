#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

namespace telvainn::cli {

// Messages go to the terminal as UTF-8; files keep their Windows-1252 bytes.
inline void print(std::FILE* stream, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stream);
}
inline void printLine(std::FILE* stream, const QString& text) {
    print(stream, text + QLatin1Char('\n'));
}
inline void out(const QString& text) {
    printLine(stdout, text);
}
inline void err(const QString& text) {
    printLine(stderr, text);
}

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

}  // namespace telvainn::cli
