#include "workbook/ReadOnlyFile.h"

#include <QFile>

namespace telvainn::excel {

bool fileMarkedReadOnly(const QString& path) {
    if (!QFile::exists(path)) {
        return false;
    }
    const auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (QFile::permissions(path) & anyWrite) == 0;
}

}  // namespace telvainn::excel
