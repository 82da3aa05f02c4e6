#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace telvainn {

// The first control character of `text` that no value of a report, a flat-file line or an envelope's
// clear-text block may hold: any C0 control but TAB. A CR or LF inside a value would break the layout of
// the line, header field or block around it; the others are not allowed in XML at all.
std::optional<QChar> firstControlCharacter(QStringView text);

// The first character no XML document may carry, even escaped: a C0 control but TAB, LF and CR, which
// a cell's text may hold.
std::optional<QChar> firstNonXmlCharacter(QStringView text);

// `text` with control characters written as "\x1b": every C0 control except TAB, LF and a CR right
// before an LF, and DEL and the C1 controls. This is how a value from a file is quoted in a message and
// how a file's text is shown on a terminal, which a crafted file could otherwise drive.
QString withVisibleControls(QStringView text);

// One character as "\x0d", for a message that names it.
QString escapedCharacter(QChar c);

}  // namespace telvainn
