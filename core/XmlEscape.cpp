#include "core/XmlEscape.h"

namespace telvainn {

QString escapeXmlAttribute(QStringView text) {
    QString out;
    out.reserve(text.size());
    appendEscapedXmlAttribute(out, text);
    return out;
}

void appendEscapedXmlAttribute(QString& out, QStringView text) {
    // One pass gives the same result as replacing "&", "<", ">", "'", "\"" in turn: no entity written
    // here is ever looked at again.
    for (const QChar ch : text) {
        switch (ch.unicode()) {
            case u'&':
                out += QLatin1String("&amp;");
                break;
            case u'<':
                out += QLatin1String("&lt;");
                break;
            case u'>':
                out += QLatin1String("&gt;");
                break;
            case u'\'':
                out += QLatin1String("&apos;");
                break;
            case u'"':
                out += QLatin1String("&quot;");
                break;
            default:
                out += ch;
        }
    }
}

}  // namespace telvainn
