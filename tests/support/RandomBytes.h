#pragma once

#include <QByteArray>
#include <random>

// The same bytes for the same seed on every run, so a failure can be repeated.
inline QByteArray pseudoRandomBytes(qsizetype size, unsigned seed) {
    std::mt19937 generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) {
        byte = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}
