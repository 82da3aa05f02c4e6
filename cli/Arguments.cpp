#include "cli/Arguments.h"

#include "cli/Console.h"

namespace telvainn::cli {

Arguments::Arguments(const QStringList& args, const QSet<QString>& switches,
                     const QSet<QString>& valueOptions) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            m_switches.insert(QStringLiteral("--help"));
        } else if (switches.contains(arg)) {
            m_switches.insert(arg);
        } else if (valueOptions.contains(arg)) {
            if (i + 1 >= args.size()) {
                m_error = QStringLiteral("Valget %1 mangler en verdi.").arg(arg);
                return;
            }
            m_values.insert(arg, args[++i]);
        } else if (arg.startsWith(QLatin1String("--"))) {
            m_error = QStringLiteral("Ukjent valg: %1").arg(arg);
            return;
        } else {
            m_positional.append(arg);
        }
    }
}

std::optional<QString> Arguments::value(const QString& name) const {
    const auto it = m_values.find(name);
    return it == m_values.end() ? std::nullopt : std::optional<QString>(*it);
}

std::optional<int> Arguments::endBeforeRun(const QString& help, bool wrongUse,
                                           const QString& wrongUseReason) const {
    if (this->help()) {
        out(help);
        return Success;
    }
    if (!ok() || wrongUse) {
        err(ok() ? wrongUseReason : m_error);
        err(help);
        return Usage;
    }
    return std::nullopt;
}

}  // namespace telvainn::cli
