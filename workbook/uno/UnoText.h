#pragma once

#include <QString>
#include <com/sun/star/uno/Exception.hpp>
#include <rtl/ustring.hxx>

namespace telvainn::excel::uno {

// QString and OUString are both UTF-16: the conversions copy code units and guess nothing.
inline rtl::OUString toOU(const QString& text) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()),
                         static_cast<sal_Int32>(text.size()));
}

inline QString toQ(const rtl::OUString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

rtl::OUString fileUrl(const QString& path);
QString localPath(const rtl::OUString& url);

// The office's own words for a failure; its exception type when it gave none.
QString exceptionText(const css::uno::Exception& exception);

}  // namespace telvainn::excel::uno
