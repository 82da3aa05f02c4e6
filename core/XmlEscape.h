#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace telvainn {

// Escapes the five XML characters for an attribute value: "&" first, so the entities written after it
// stay intact, then "<", ">", "'" and "\"". A text without them comes back unchanged.
QString escapeXmlAttribute(QStringView text);

// The first character that no XML document may carry, even escaped: the controls below U+0020 but
// TAB, LF and CR. Nothing when the text has none.
std::optional<QChar> forbiddenControlCharacter(QStringView text);

// "0x1B": how messages show a control character.
QString controlCharacterName(QChar character);

}  // namespace telvainn
