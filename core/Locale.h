#pragma once

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>

namespace telvainn {

// The parts of the user's regional settings the program depends on. Read once at start-up and handed
// to the code that needs it, so tests can pin any locale.
struct Locale {
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandsSeparator = QLatin1Char(',');
    // A QDate::toString pattern; without a regional setting (C/POSIX), day.month.four-digit year.
    QString shortDateFormat = QStringLiteral("dd.MM.yyyy");

    static Locale from(const QLocale& locale);
    static Locale fromEnvironment() { return from(QLocale::system()); }

    QString formatShortDate(const QDate& date) const { return date.toString(shortDateFormat); }
};

}  // namespace telvainn
