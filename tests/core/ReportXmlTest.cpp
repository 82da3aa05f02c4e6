#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/Error.h"
#include "core/ReportXml.h"

using namespace telvainn;
using testing::ThrowsMessage;

namespace {

const Locale kNorwegian{QLatin1Char(','), QChar(0xA0), QStringLiteral("dd.MM.yyyy")};

RowRecord amountRow(const QString& verdi) {
    return {QStringLiteral("Bank"), QStringLiteral("1"), {}, {}, {}, {}, {}, verdi};
}

// The verdi attribute written for `verdi`, or the failure message.
QString written(const QString& verdi) {
    try {
        const QString line = FormatObjectElement(amountRow(verdi), kNorwegian);
        const qsizetype start = line.indexOf(u"verdi=\"") + 7;
        return line.mid(start, line.indexOf(QLatin1Char('"'), start) - start);
    } catch (const Error& e) {
        return e.message();
    }
}

QString amountMessage(const QString& verdi, const char* fault) {
    return QStringLiteral("Fant et beløp (verdi = %1) som inneholder %2. Valider på nytt!")
        .arg(verdi, QString::fromUtf8(fault));
}

}  // namespace

TEST(ObjectElement, RoundsHalvesToEvenAndKeepsTenDigits) {
    EXPECT_EQ(written(QStringLiteral("1234,5")), QStringLiteral("1234"));
    EXPECT_EQ(written(QStringLiteral("1235,5")), QStringLiteral("1236"));
    EXPECT_EQ(written(QStringLiteral("-0,4")), QStringLiteral("0"));
    EXPECT_EQ(written(QStringLiteral("9999999999")), QStringLiteral("9999999999"));
    EXPECT_EQ(written(QStringLiteral("-9999999999,4")), QStringLiteral("-9999999999"));
    const char* tooLong = "mer enn 10 siffer";
    EXPECT_EQ(written(QStringLiteral("9999999999,5")), amountMessage(QStringLiteral("10000000000"), tooLong));
    EXPECT_EQ(written(QStringLiteral("-10000000000")),
              amountMessage(QStringLiteral("-10000000000"), tooLong));
    EXPECT_EQ(written(QStringLiteral("-00123456789012345678901,5")),
              amountMessage(QStringLiteral("-123456789012345678901"), tooLong));
    for (const QString& verdi : {QStringLiteral("12a"), QStringLiteral("12.5"), QStringLiteral("1-2"),
                                 QStringLiteral(",,"), QString()}) {
        EXPECT_EQ(written(verdi), amountMessage(verdi, "ulovlige tegn"));
    }
}

TEST(XmlDocument, WholeDocumentAndItsFailures) {
    const TReportIdentity identity{7, 123, 10, QStringLiteral("200906"), QStringLiteral("N")};
    XmlDocumentBuilder builder(identity, QDateTime(QDate(2009, 7, 3), QTime(14, 5, 9, 42)), kNorwegian);
    EXPECT_THAT([&] { builder.text(); }, ThrowsMessage<Error>("Rapporten inneholder ingen data linjer"));
    EXPECT_THAT(
        [&] { builder.addRow(17, amountRow(QStringLiteral("1x"))); },
        ThrowsMessage<Error>("Klarte ikke formatere rapportens rad nr 17 -> Fant et beløp (verdi = 1x) "
                             "som inneholder ulovlige tegn. Valider på nytt!"));

    // Only the text is escaped; code fields keep whatever they hold.
    RowRecord row = amountRow(QStringLiteral("-1,5"));
    row.text = QStringLiteral("Tom & Jerry's <\"AS\">\nAS");
    row.sektor = QStringLiteral("<1>");
    builder.addRow(11, row);
    EXPECT_EQ(
        builder.text(),
        QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DVRAPPORT \r\n DSNR=\"7\" \r\n"
                       " REGNR=\"123\" \r\n RAPPORTID=\"10\" \r\n RAPPORTVERSJON=\"EXCEL\" \r\n"
                       " PERIODE=\"200906\" \r\n TYPE=\"N\" \r\n PROGRAMVERSJON=\"3.0.5\" \r\n"
                       " TIDSSTEMPEL=\"007-0123-20090703140509042\" >\r\n<DATA>\r\n"
                       "<OBJEKT text=\"Tom &amp; Jerry&apos;s &lt;&quot;AS&quot;&gt;\nAS\" tillegg=\"000\" "
                       "objektid=\"1\" sektor=\"<1>\" naering=\"000\" land=\"0000\" valuta=\"00\" "
                       "verdi=\"-2\" />\r\n</DATA>\r\n</DVRAPPORT>\r\n"));
}

TEST(XmlDocument, TheHeadOfBothPathsEscapesEveryAttribute) {
    // The flat file's fields and a workbook's heading reach the root element alike; neither may break it.
    EXPECT_EQ(
        reportDocumentHead({QStringLiteral("7"), QStringLiteral("1&2"), QStringLiteral("10"),
                            QStringLiteral("FLATFIL"), QStringLiteral("2009\"6"), QStringLiteral("<N>"),
                            QStringLiteral("007-0012-1")}),
        QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DVRAPPORT \r\n DSNR=\"7\" \r\n"
                       " REGNR=\"1&amp;2\" \r\n RAPPORTID=\"10\" \r\n RAPPORTVERSJON=\"FLATFIL\" \r\n"
                       " PERIODE=\"2009&quot;6\" \r\n TYPE=\"&lt;N&gt;\" \r\n PROGRAMVERSJON=\"3.0.5\" \r\n"
                       " TIDSSTEMPEL=\"007-0012-1\" >\r\n<DATA>\r\n"));
}
