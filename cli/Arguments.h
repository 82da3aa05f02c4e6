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

    // The exit code of a command that ends before it runs: after printing `help` for --help (0), or
    // for wrong use (2) the reason and `help` — the parser's reason, else `wrongUseReason` when
    // `wrongUse` holds. Nothing when the command is to run.
    std::optional<int> endBeforeRun(const QString& help, bool wrongUse, const QString& wrongUseReason) const;

  private:
    QStringList m_positional;
    QSet<QString> m_switches;
    QHash<QString, QString> m_values;
    QString m_error;
};

}  // namespace telvainn::cli
