#pragma once

// Makes GoogleTest print Qt values as text in failure messages. Included in every test file by the build.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toUtf8().toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << "bytes \"" << bytes.toPercentEncoding(" =:/.-_<>\"!?,;()[]").toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (const QString& text : list) {
        PrintTo(text, os);
        *os << ", ";
    }
    *os << '}';
}
