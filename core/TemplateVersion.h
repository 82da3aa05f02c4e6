#pragma once

#include <QString>

namespace telvainn {

// The one process-wide template version text: the report version of every envelope and the
// "Rapportmal: " of the log. A validator sets it from its template; the flat-file commands hold it at
// "FLATFIL" while they run.
QString templateVersionText();
void setTemplateVersionText(const QString& text);

inline const QString kFlatFileVersionMark = QStringLiteral("FLATFIL");
inline const QString kNoTemplateVersion = QStringLiteral("0");

// Holds the text at "FLATFIL" for the life of a flat-file command and leaves "0" behind on every exit.
class FlatFileVersionScope {
  public:
    FlatFileVersionScope() { setTemplateVersionText(kFlatFileVersionMark); }
    ~FlatFileVersionScope() { setTemplateVersionText(kNoTemplateVersion); }
    FlatFileVersionScope(const FlatFileVersionScope&) = delete;
    FlatFileVersionScope& operator=(const FlatFileVersionScope&) = delete;
};

}  // namespace telvainn
