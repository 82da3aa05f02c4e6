#pragma once

#include <QString>

namespace telvainn {

inline const QString kFlatFileVersionMark = QStringLiteral("FLATFIL");
inline const QString kNoTemplateVersion = QStringLiteral("0");

// The template version text: the report version of every envelope and the "Rapportmal: " of the log.
// The report manager owns the one of a run and hands it to everything that sets or shows it, so that it
// behaves as one text for the whole program: a validator sets it from its template, so the one made
// last decides it for every report, and a flat-file command holds it at "FLATFIL" and leaves "0" behind.
class TemplateVersion {
  public:
    const QString& text() const { return m_text; }
    void set(const QString& text) { m_text = text; }

  private:
    QString m_text = kNoTemplateVersion;
};

// Holds the text at "FLATFIL" for the life of a flat-file command and leaves "0" behind on every exit.
class FlatFileVersionScope {
  public:
    explicit FlatFileVersionScope(TemplateVersion& version) : m_version(version) {
        m_version.set(kFlatFileVersionMark);
    }
    ~FlatFileVersionScope() { m_version.set(kNoTemplateVersion); }
    FlatFileVersionScope(const FlatFileVersionScope&) = delete;
    FlatFileVersionScope& operator=(const FlatFileVersionScope&) = delete;

  private:
    TemplateVersion& m_version;
};

}  // namespace telvainn
