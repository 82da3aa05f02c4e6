#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace telvainn {

// Every byte the program writes or reads is Windows-1252. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, so bytes -> text -> bytes is
// lossless. Characters outside the code page are written as "?".
QString fromWindows1252(QByteArrayView bytes);
QByteArray toWindows1252(QStringView text);
// Writes the bytes of `text` to `out`, which must have room for text.size() bytes; returns how many were
// written (fewer when the text holds characters outside the Basic Multilingual Plane).
qsizetype toWindows1252(QStringView text, char* out);

}  // namespace telvainn
