#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "core/Error.h"
#include "core/Windows1252.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"

namespace telvainn {
namespace {

// 0 Dsnr, 1 report type, 2 Periode, 3 program version, 4 Regnr, 5 report number, 6 mail system,
// 7 report version: every item distinct, so a swapped line shows.
QStringList sampleInfo() {
    return {QStringLiteral("101"),  QStringLiteral("N"), QStringLiteral("2024-12"), QStringLiteral("3.0.5"),
            QStringLiteral("2001"), QStringLiteral("7"), QStringLiteral("Smtp"),    QStringLiteral("R10 v4")};
}

const QByteArray kExpectedClearTextBlock(
    "==============================================================\r\n"
    "Informasjon om rapporten i klartekst: \r\n"
    "==============================================================\r\n"
    "Dsnr:             101\r\n"
    "Regnr:            2001\r\n"
    "Rapportnr:        7\r\n"
    "Rapportversjon:   R10 v4\r\n"
    "Rapporttype:      N\r\n"
    "Periode:          2024-12\r\n"
    "Programversjon:   3.0.5\r\n"
    "E-post system:    Smtp\r\n"
    "\r\n");

const QString kIncompleteMessage =
    QStringLiteral("Klarte ikke hente ut all rapport informasjonen som skulle være med.");

TEST(EnvelopeLayout, EncryptedReportTextByteForByte) {
    const QByteArray expected = kExpectedClearTextBlock +
                                "<--------START-------------QUJDREVGR0g=\r\n"
                                "---------SLUTT------------> ";
    EXPECT_EQ(BuildEncryptedReportText(sampleInfo(), "QUJDREVGR0g="), expected);
}

TEST(EnvelopeLayout, ClearTextBlockIsLinesOneToTwelve) {
    const QByteArray block = BuildClearTextBlock(sampleInfo());
    EXPECT_EQ(block, kExpectedClearTextBlock);
    EXPECT_TRUE(block.endsWith("\r\n\r\n"));
    EXPECT_EQ(block.count("\r\n"), 12);
    EXPECT_TRUE(BuildEncryptedReportText(sampleInfo(), "QUJD").startsWith(block));
}

TEST(EnvelopeLayout, ValuesAreWrittenAsGivenInWindows1252) {
    QStringList info = sampleInfo();
    info[6] = QStringLiteral("Outlook Æ €");
    info[2] = QString();
    const QByteArray text = BuildClearTextBlock(info);
    EXPECT_TRUE(text.contains("\r\nE-post system:    Outlook \xC6 \x80\r\n"));
    EXPECT_TRUE(text.contains("\r\nPeriode:          \r\n"));
}

TEST(EnvelopeLayout, EmptyCipherTextLeavesTheStartMarkerAlone) {
    const BlowfishCipher cipher;
    const QByteArray base64 = cipher.EncryptReportText(QString());
    EXPECT_TRUE(base64.isEmpty());
    EXPECT_EQ(BuildEncryptedReportText(sampleInfo(), base64), kExpectedClearTextBlock +
                                                                  "<--------START-------------\r\n"
                                                                  "---------SLUTT------------> ");
}

TEST(EnvelopeLayout, LongCipherTextStaysOnLineThirteen) {
    const BlowfishCipher cipher;
    QString report;
    for (int row = 0; row < 5000; ++row) {
        report += QStringLiteral("<Rad Kode=\"%1\">Beløp %2</Rad>\r\n").arg(row).arg(row * 37);
    }
    const QByteArray base64 = cipher.EncryptReportText(report);
    ASSERT_GT(base64.size(), 100'000);
    const QByteArray text = BuildEncryptedReportText(sampleInfo(), base64);

    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[12], "<--------START-------------" + base64 + "\r");
    EXPECT_EQ(lines[13], "---------SLUTT------------> ");
    EXPECT_EQ(lines[12].count('\r'), 1);
    EXPECT_TRUE(text.endsWith("> "));
}

TEST(EnvelopeLayout, CipherTextBetweenTheMarkersDecryptsToTheReport) {
    const BlowfishCipher cipher;
    const QString report =
        QStringLiteral("<?xml version=\"1.0\"?><Rapport Periode=\"2024-12\">Særskilt</Rapport>");
    const QByteArray text = BuildEncryptedReportText(sampleInfo(), cipher.EncryptReportText(report));

    const QByteArray start("<--------START-------------");
    const qsizetype from = text.indexOf(start) + start.size();
    const qsizetype to = text.indexOf("\r\n", from);
    EXPECT_EQ(cipher.DecryptReportText(text.mid(from, to - from)), toWindows1252(report));
}

TEST(EnvelopeInfoList, MustHoldExactlyEightTexts) {
    for (const qsizetype size : {0, 1, 7, 9, 12}) {
        SCOPED_TRACE(size);
        QStringList info;
        for (qsizetype i = 0; i < size; ++i) {
            info << QString::number(i);
        }
        try {
            BuildClearTextBlock(info);
            ADD_FAILURE() << "BuildClearTextBlock raised no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.message(), kIncompleteMessage);
        }
        try {
            BuildEncryptedReportText(info, "QUJD");
            ADD_FAILURE() << "BuildEncryptedReportText raised no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.message(), kIncompleteMessage);
        }
    }
}

}  // namespace
}  // namespace telvainn
