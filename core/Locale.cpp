#include "core/Locale.h"

namespace telvainn {

Locale Locale::from(const QLocale& locale) {
    Locale result;
    // QLocale gives separators as strings since Qt 6; every locale we meet uses one character.
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (decimal.size() == 1) {
        result.decimalSeparator = decimal.front();
    }
    if (group.size() == 1) {
        result.thousandsSeparator = group.front();
    }
    // The C/POSIX locale is no regional setting at all; Qt's "d MMM yyyy" for it would put English month
    // names in the settings file, so it keeps day.month.four-digit year.
    if (locale.language() != QLocale::C) {
        result.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    }
    return result;
}

}  // namespace telvainn
