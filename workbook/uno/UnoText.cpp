#include "workbook/uno/UnoText.h"

#include <QUrl>
#include <cppuhelper/exc_hlp.hxx>

namespace telvainn::excel::uno {

rtl::OUString fileUrl(const QString& path) {
    return toOU(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
}

QString localPath(const rtl::OUString& url) {
    return QUrl(toQ(url)).toLocalFile();
}

QString exceptionText(const css::uno::Exception& exception) {
    const QString message = toQ(exception.Message).trimmed();
    if (!message.isEmpty()) {
        return message;
    }
    return toQ(cppu::getCaughtException().getValueTypeName());
}

}  // namespace telvainn::excel::uno
