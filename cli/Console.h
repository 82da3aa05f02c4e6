#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

namespace telvainn::cli {

// Messages go to the terminal as UTF-8, their lines ended by the terminal's own "\n" whatever breaks
// ("\r\n", "\n\r") the program's texts carry, and on a terminal with any other control character
// shown as "\x1b" (withVisibleControls); files keep their Windows-1252 bytes.
void print(std::FILE* stream, const QString& text);
void printLine(std::FILE* stream, const QString& text);
void out(const QString& text);
void err(const QString& text);

// Bytes exactly as they are, such as a decrypted report on standard output.
void writeBytes(std::FILE* stream, const QByteArray& bytes);

// Whether `stream` is a terminal, which a file's text must not drive (see withVisibleControls).
bool isTerminal(std::FILE* stream);

// The command's exit code once standard output has taken everything: a write or the final flush that
// failed (a full disk, /dev/full, a closed pipe) turns success into failure with a message, so that
// no one takes a cut-off output for a whole one.
int finishStandardOutput(int exitCode);

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

}  // namespace telvainn::cli
