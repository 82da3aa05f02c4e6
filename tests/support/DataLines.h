#pragma once

#include <QString>
#include <QStringList>

// Builds flat data files the way a company's own system writes them.
namespace testdata {

struct Line {
    int regnr = 4567;
    int report = 10;
    int periode = 200906;
    int tillegg = 0;
    int objektid = 1234567;
    int sektor = 1;
    int naering = 42;
    QString land = QStringLiteral("00NO");
    int valuta = 1;
    int sign = 0;
    long long verdi = 12345;
};

inline QString dataLine(const Line& l) {
    return QString::asprintf("%4.4d%2.2d%6.6d%3.3d%7.7d%3.3d%3.3d", l.regnr, l.report, l.periode, l.tillegg,
                             l.objektid, l.sektor, l.naering) +
           l.land + QString::asprintf("%2.2d%1.1d%10.10lld", l.valuta, l.sign, l.verdi);
}

inline QString headerLine(const char* kind = "F", const char* dsnr = "123", const char* periode = "200906") {
    return QString::fromLatin1(kind) + QString::fromLatin1(dsnr) + QString::fromLatin1(periode) +
           QStringLiteral("000000100000000000000000");
}

// Lines joined with CR LF, the last one too.
inline QString fileText(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

}  // namespace testdata
