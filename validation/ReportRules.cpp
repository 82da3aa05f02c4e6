#include "validation/ReportRules.h"

#include <QStringView>
#include <initializer_list>

namespace telvainn {
namespace {

bool isOneOf(const QString& text, std::initializer_list<const char16_t*> values) {
    for (const char16_t* value : values) {
        if (text == QStringView(value)) {
            return true;
        }
    }
    return false;
}

// Reshapes shared by several report numbers.

// The object code's first two digits go to the tillegg, behind a "0"; the tillegg read moves to its end.
void headToTillegg(RowRecord& r) {
    const QString head = r.objektid.left(2);
    r.objektid = r.objektid.mid(2) + r.tillegg;
    r.tillegg = QLatin1Char('0') + head;
}

void firstThreeToTillegg(RowRecord& r) {
    r.tillegg = r.objektid.left(3);
    r.objektid = r.objektid.mid(3);
}

void tilleggInFrontOfObject(RowRecord& r) {
    r.objektid = r.tillegg + r.objektid;
    r.tillegg.clear();
}

void zeroInFrontOfTillegg(RowRecord& r) {
    r.tillegg = QLatin1Char('0') + r.tillegg;
}

void emptyTillegg(RowRecord& r) {
    r.tillegg = QStringLiteral("000");
}

bool balanceIndustryCoded(const QString& objektid) {
    const QString c3 = objektid.left(3);
    const QString c5 = objektid.left(5);
    return isOneOf(c3, {u"251", u"252", u"253", u"254", u"257", u"258", u"261", u"627"}) ||
           (c3 == u"628" && c5 < QStringLiteral("62899")) || isOneOf(c5, {u"75588", u"75590", u"75593"});
}

constexpr ReportRules kNoRules;

constexpr ReportRules kReport10{
    .olderForBuild = emptyTillegg,
    .industryCoded = balanceIndustryCoded,
};

// Report 11's tillegg is the maturity, the last two digits of the object code.
constexpr ReportRules kReport11{
    .currentForBuild = headToTillegg,
    .olderForValidation =
        [](RowRecord& r) {
            const QString code = r.tillegg + r.objektid;
            r.objektid = code.left(7);
            r.tillegg = code.right(2);
        },
    .olderForBuild = zeroInFrontOfTillegg,
    .correctionForValidation =
        [](RowRecord& r, const QString& columnB) {
            r.tillegg = r.objektid.mid(5, 2);
            r.objektid = (columnB + r.objektid).left(7);
        },
    .industryCoded =
        [](const QString& objektid) {
            return isOneOf(objektid.left(7), {u"7101020", u"7103020"});
        },
    .withoutSektor =
        [](const RowRecord& r) {
            return isOneOf(r.objektid.left(7), {u"2325004", u"2362015"}) && r.tillegg == u"40";
        },
    .tilleggName = u"Løpetid",
};

// Reports 20 and 21: the object code's first three digits are the tillegg.
constexpr ReportRules kReport20And21{
    .currentForBuild = firstThreeToTillegg,
    .olderForValidation = tilleggInFrontOfObject,
    .correctionForValidation = [](RowRecord& r, const QString&) { tilleggInFrontOfObject(r); },
};

// Report 35: as 20 and 21, and the outputs' object id ends in "00".
constexpr ReportRules kReport35{
    .currentForBuild =
        [](RowRecord& r) {
            firstThreeToTillegg(r);
            r.objektid += QStringLiteral("00");
        },
    .olderForValidation = tilleggInFrontOfObject,
    .olderForBuild = [](RowRecord& r) { r.objektid += QStringLiteral("00"); },
    .correctionForValidation =
        [](RowRecord& r, const QString&) {
            r.objektid = r.tillegg + r.objektid.left(5);
            r.tillegg.clear();
        },
};

constexpr ReportRules kReport50{
    .olderForBuild = emptyTillegg,
    .industryCoded =
        [](const QString& objektid) {
            return balanceIndustryCoded(objektid) ||
                   isOneOf(objektid.left(3), {u"251", u"253", u"254", u"257", u"258", u"622", u"623", u"624",
                                              u"625", u"626"}) ||
                   isOneOf(objektid.left(5), {u"75588", u"75590", u"75800"});
        },
};

constexpr ReportRules kReport51{
    .currentForBuild = headToTillegg,
    .olderForValidation = tilleggInFrontOfObject,
    .olderForBuild = zeroInFrontOfTillegg,
    .correctionForValidation =
        [](RowRecord& r, const QString& columnB) {
            r.objektid = (columnB + r.objektid).left(9);
            r.tillegg.clear();
        },
    // Only objects abroad, with a foreign sektor, name a land.
    .landList =
        [](const RowRecord& r) {
            const bool abroadObject =
                isOneOf(r.objektid.left(3), {u"551", u"554"}) || r.objektid.left(5) == u"81060";
            return abroadObject && r.sektor.left(3) > QStringLiteral("890") ? QStringLiteral("land")
                                                                            : QString();
        },
    .valutaList = "valuta",
};

constexpr ReportRules kReport60{
    .olderForBuild = emptyTillegg,
    .industryCoded =
        [](const QString& objektid) {
            return isOneOf(objektid.left(3), {u"250", u"258", u"620", u"755", u"261", u"758"});
        },
    .landList =
        [](const RowRecord& r) {
            const QString c3 = r.objektid.left(3);
            const QString c5 = r.objektid.left(5);
            const QString border = QStringLiteral("900");
            if (c3 == u"115") {
                return QStringLiteral("_land");
            }
            if (isOneOf(c3, {u"120", u"250", u"258", u"620", u"261", u"755", u"758"})) {
                return r.sektor < border ? QStringLiteral("_fylke") : QStringLiteral("_land");
            }
            if (isOneOf(c5, {u"13690", u"43690"}) && r.sektor == border) {
                return QStringLiteral("_landnull");
            }
            return r.sektor < border ? QStringLiteral("_landnull") : QStringLiteral("_land");
        },
};

}  // namespace

const ReportRules& reportRules(int reportNumber) {
    switch (reportNumber) {
        case 10:
            return kReport10;
        case 11:
            return kReport11;
        case 20:
        case 21:
            return kReport20And21;
        case 35:
            return kReport35;
        case 50:
            return kReport50;
        case 51:
            return kReport51;
        case 60:
            return kReport60;
        default:
            return kNoRules;
    }
}

}  // namespace telvainn
