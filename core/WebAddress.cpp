#include "core/WebAddress.h"

namespace telvainn {

QString webAddressUrl(const QString& address) {
    const QString text = address.trimmed();
    if (text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)) {
        return text;
    }
    const QLatin1String http("http://");
    const qsizetype scheme = text.indexOf(http, 0, Qt::CaseInsensitive);
    return http + (scheme < 0 ? text : text.mid(scheme + http.size()));
}

}  // namespace telvainn
