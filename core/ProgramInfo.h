#pragma once

#include <QString>

namespace telvainn {

inline const QString kApplicationTitle = QStringLiteral("TELVA inn-rapportering");
// From the project's version in CMakeLists.txt, so the program, its package and its reports agree.
inline const QString kProgramVersion = QStringLiteral(TELVAINN_VERSION);
// Year, month, day, hour and minute of the build; the program's version date.
inline const QString kBuildStamp = QStringLiteral("200902252359");

}  // namespace telvainn
