#pragma once

#include <QString>

namespace telvainn {

inline const QString kApplicationTitle = QStringLiteral("TELVA inn-rapportering");
inline const QString kProgramVersion = QStringLiteral("3.0.5");
// Year, month, day, hour and minute of the build; the program's version date.
inline const QString kBuildStamp = QStringLiteral("200902252359");

}  // namespace telvainn
