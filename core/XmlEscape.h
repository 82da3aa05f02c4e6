#pragma once

#include <QString>
#include <QStringView>

namespace telvainn {

// Escapes the five XML characters for an attribute value: "&" first, so the entities written after it
// stay intact, then "<", ">", "'" and "\"". A text without them comes back unchanged.
QString escapeXmlAttribute(QStringView text);
// The same, appended to `out`.
void appendEscapedXmlAttribute(QString& out, QStringView text);

}  // namespace telvainn
