#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace telvainn::cli {

// The arguments of one command: positional ones, switches ("--test") and options with a value
// ("--ut STI"). Anything else is a usage error with a Norwegian message.
class Arguments {
  public:
    Arguments(const QStringList& args, const QSet<QString>& switches, const QSet<QString>& valueOptions);

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    bool help() const { return m_switches.contains(QStringLiteral("--help")); }
    bool has(const QString& name) const { return m_switches.contains(name); }
    std::optional<QString> value(const QString& name) const;
    const QStringList& positional() const { return m_positional; }

  private:
    QStringList m_positional;
    QSet<QString> m_switches;
    QHash<QString, QString> m_values;
    QString m_error;
};

}  // namespace telvainn::cli
