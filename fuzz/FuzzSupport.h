#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A broken promise of the code under test is a finding like a crash: libFuzzer keeps the input.
inline void check(bool condition, const char* promise) {
    if (!condition) {
        std::fprintf(stderr, "Broken promise: %s\n", promise);
        std::abort();
    }
}

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A file in a folder of this process alone, for the readers that only take a path. The folder goes
// when the process ends normally; TMPDIR decides where it lies.
inline QString scratchPath(const QString& name) {
    static QTemporaryDir folder;
    check(folder.isValid(), "a scratch folder can be made");
    return folder.filePath(name);
}

inline void writeScratchFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
          "the scratch file can be written");
}

}  // namespace fuzz
