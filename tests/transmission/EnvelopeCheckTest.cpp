#include "transmission/EnvelopeCheck.h"

#include <gtest/gtest.h>

#include "core/Error.h"
#include "support/RaisedMessage.h"
#include "transmission/Envelope.h"

using namespace telvainn;

namespace {

const QStringList kInfo = {"123", "N", "200906", "3.0.5", "4567", "10", "Annet", "Ø-mal 2"};
// "€" is in Windows-1252, "ł" is not and travels as "?", as every text the program sends.
const QString kDocument = QStringLiteral("<DVRAPPORT NAVN=\"Bjørn € ł\">\r\n</DVRAPPORT>");

QString failure(const QString& what) {
    return kEnvelopeCheckFailedMessage.arg(what);
}

}  // namespace

TEST(EnvelopeCheck, AnEnvelopeThatReadsBackPassesAndIsTheOneBuilt) {
    const BlowfishCipher cipher;
    const QByteArray checked = CheckedEncryptedReportText(kInfo, kDocument, cipher);
    EXPECT_EQ(checked, BuildEncryptedReportText(kInfo, cipher.EncryptReportText(kDocument)));
}

TEST(EnvelopeCheck, APlantedDifferenceStopsIt) {
    const BlowfishCipher cipher;
    const QByteArray good = BuildEncryptedReportText(kInfo, cipher.EncryptReportText(kDocument));

    // A clear-text line that says another period than the report.
    QByteArray period = good;
    period.replace("200906", "200907");
    EXPECT_EQ(
        raisedMessage([&] { CheckEnvelopeReadsBack(period, kInfo, kDocument, cipher); }),
        failure(QStringLiteral("Periode er «200907» i den krypterte rapporten, men «200906» i rapporten.")));

    // The document changed after it was encrypted, or the ciphertext changed: the bytes differ.
    QString other = kDocument;
    other.replace(QStringLiteral("Bjørn"), QStringLiteral("Bjarn"));
    EXPECT_EQ(
        raisedMessage([&] { CheckEnvelopeReadsBack(good, kInfo, other, cipher); }),
        failure(QStringLiteral("Den dekrypterte rapporten (42 byte) skiller seg fra rapporten (42 byte) fra "
                               "byte 20.")));
    // A key other than the agency's.
    const BlowfishCipher otherKey(QByteArrayView("en annen nøkkel"));
    EXPECT_TRUE(
        raisedMessage([&] { CheckEnvelopeReadsBack(good, kInfo, kDocument, otherKey); })
            .contains(QStringLiteral("Den dekrypterte rapporten (42 byte) skiller seg fra rapporten (42 "
                                     "byte) fra byte ")));

    // A layout the receiving side's parser refuses: its own message says where.
    QByteArray layout = good;
    layout.replace("Regnr:            ", "Regnr:");
    const QString parsed = raisedMessage([&] { CheckEnvelopeReadsBack(layout, kInfo, kDocument, cipher); });
    EXPECT_EQ(parsed, failure(QStringLiteral("Linje 5: forventet \"Regnr:            \" først på linjen.")));
}
