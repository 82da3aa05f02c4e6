#include "transmission/MailTransport.h"

namespace telvainn {

Error MapiError(MapiCode code, const QString& description) {
    return Error(QStringLiteral("MAPI Error: (%1) \"%2\"").arg(static_cast<int>(code)).arg(description));
}

}  // namespace telvainn
