#include "core/Settings.h"

#include "core/ControlCharacters.h"
#include "core/Error.h"

namespace telvainn {

void requireNoControlCharacter(const QString& value, const QString& section, const QString& key) {
    if (const std::optional<QChar> control = firstControlCharacter(value)) {
        throw Error(
            QStringLiteral("Innstillingen %1 under [%2] i telvainn.ini inneholder kontrolltegnet %3, som "
                           "ikke kan stå i en rapport eller e-post. Rett innstillingen og prøv igjen.")
                .arg(key, section, escapedCharacter(*control)));
    }
}

}  // namespace telvainn
