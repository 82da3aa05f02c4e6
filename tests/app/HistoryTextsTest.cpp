#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "app/HistoryTexts.h"
#include "core/Error.h"
#include "core/Windows1252.h"
#include "support/CoreApplication.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"

using namespace telvainn;

namespace {

const QString kXml = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DVRAPPORT \r\nNAVN=\"Bær &amp; Sønn\" "
    "/>\r\n</DVRAPPORT>");

class HistoryTextsTest : public ::testing::Test {
  protected:
    // Qt loads its SQLite driver only with an application object.
    static void SetUpTestSuite() { ensureCoreApplication(); }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_history = std::make_unique<SendHistory>(m_dir.path(), [this] { return m_now; });
        ASSERT_TRUE(m_history->available());
    }

    HistoryRecord recorded(const HistoryEntry& entry, HistoryOutcome outcome, const QString& reply) {
        const qint64 id = m_history->begin(entry);
        m_now = m_now.addSecs(2);
        m_history->complete(id, outcome, reply);
        const std::optional<HistoryRecord> r = m_history->record(id);
        EXPECT_TRUE(r.has_value());
        return r.value_or(HistoryRecord{});
    }

    static HistoryEntry entry(HistoryKind kind, const QByteArray& bytes) {
        HistoryEntry e;
        e.kind = kind;
        e.identity = {123, 4567, 10, QStringLiteral("202410"), QStringLiteral("N")};
        e.templateVersion = QStringLiteral("01.10.2009");
        e.programVersion = QStringLiteral("3.0.5");
        e.bytes = bytes;
        return e;
    }

    static QStringList info() {
        return informationList({123, 4567, 10, QStringLiteral("202410"), QStringLiteral("N")},
                               QStringLiteral("Annet"), QStringLiteral("01.10.2009"));
    }
    // The envelope as the program builds it, with the report's XML encrypted inside.
    static QByteArray envelopeOf(const QString& xml) {
        return BuildEncryptedReportText(info(), BlowfishCipher().EncryptReportText(xml));
    }

    static QString readError(const HistoryRecord& record) {
        try {
            ReadSentReport(record);
        } catch (const Error& e) {
            return e.message();
        }
        return QStringLiteral("no error");
    }
    QTemporaryDir m_dir;
    QDateTime m_now{QDate(2026, 11, 12), QTime(10, 14, 3, 250), Qt::OffsetFromUTC, 3600};
    std::unique_ptr<SendHistory> m_history;
};

}  // namespace

TEST_F(HistoryTextsTest, TheCsvHasAByteOrderMarkAHeadingAndQuotesWhatWouldBreakAField) {
    HistoryEntry mail = entry(HistoryKind::Mail, "a");
    mail.recipient = QStringLiteral("telva@dalvora.no");
    mail.transport = QStringLiteral("smtp");
    const HistoryRecord sent =
        recorded(mail, HistoryOutcome::Sent, QStringLiteral("250 Ok; id \"4F2A\"\r\nqueued"));
    HistoryEntry file = entry(HistoryKind::EncryptedFile, "b");
    file.mode.test = true;
    file.recipient = QStringLiteral("/home/ola/ut;kopi/Kryptert_fil.txt");
    const HistoryRecord failed = recorded(file, HistoryOutcome::Failed, QStringLiteral("Disken er full"));
    HistoryEntry data = entry(HistoryKind::DataFile, "c");
    data.mode.dataFile = true;
    data.identity.Dsnr = 7;
    data.identity.Regnr = 45;
    data.identity.Rapporttype = QStringLiteral("F");
    data.recipient = QStringLiteral("/home/ola/ut/R10.txt");
    const qint64 dataId = m_history->begin(data);  // still running here

    const QByteArray csv = HistoryCsv(m_history->list({}));
    const QByteArray expected =
        "\xEF\xBB\xBF"
        "Lokal tid;UTC-tid;Sendt "
        "som;Modus;Dsnr;Regnr;Rapportnr;Periode;Rapporttype;Malversjon;Programversjon;"
        "Mottaker;Transport;Utfall;Svar;SHA-256;Id\r\n"
        "2026-11-12 10:14:07;2026-11-12 09:14:07;datafil;datafil;007;0045;10;202410;F;01.10.2009;3.0.5;"
        "/home/ola/ut/R10.txt;;p\xC3\xA5g\xC3\xA5r;;"
        "2e7d2c03a9507ae265ecf5b5356885a53393a2029d241394997265a1a25aefc6;" +
        QByteArray::number(dataId) +
        "\r\n"
        "2026-11-12 10:14:05;2026-11-12 09:14:05;kryptert fil;test;123;4567;10;202410;N;01.10.2009;3.0.5;"
        "\"/home/ola/ut;kopi/Kryptert_fil.txt\";;feilet;Disken er full;"
        "3e23e8160039594a33894f6564e1b1348bbd7a0088d42c4acb73eeaed59c009d;" +
        QByteArray::number(failed.id) +
        "\r\n"
        "2026-11-12 10:14:03;2026-11-12 09:14:03;e-post;normal;123;4567;10;202410;N;01.10.2009;3.0.5;"
        "telva@dalvora.no;smtp;sendt;\"250 Ok; id \"\"4F2A\"\"\r\nqueued\";"
        "ca978112ca1bbdcafac231b39a23dc4da786eff8147c4e72b9807785afee48bb;" +
        QByteArray::number(sent.id) + "\r\n";
    EXPECT_EQ(csv, expected);
    EXPECT_EQ(HistoryCsv({}), expected.left(expected.indexOf("\r\n") + 2));
}

TEST_F(HistoryTextsTest, AMailAndAnEncryptedFileReadBackAsTheirClearTextAndXml) {
    const QByteArray envelope = envelopeOf(kXml);
    const QString clearText = fromWindows1252(BuildClearTextBlock(info()));
    ASSERT_TRUE(clearText.contains(QStringLiteral("\r\nRegnr:            4567\r\n")));
    // A mail carries the envelope as it is; a file has one line end after it.
    for (const auto& [kind, bytes] : {std::pair{HistoryKind::Mail, envelope},
                                      std::pair{HistoryKind::EncryptedFile, QByteArray(envelope + "\r\n")}}) {
        const HistoryRecord r = recorded(entry(kind, bytes), HistoryOutcome::Sent, QString());
        const SentReportContent content = ReadSentReport(r);
        EXPECT_EQ(content.clearText, clearText);
        EXPECT_EQ(content.xml, kXml);
    }
}

TEST_F(HistoryTextsTest, ADataFileReadsBackAsItsWindows1252Text) {
    const QByteArray bytes = "00123;4567;10;202410;N\r\nObjekt;S\xF8r\r\n";
    HistoryEntry data = entry(HistoryKind::DataFile, bytes);
    data.mode.dataFile = true;
    const SentReportContent content = ReadSentReport(recorded(data, HistoryOutcome::Sent, QString()));
    EXPECT_EQ(content.clearText, QStringLiteral("00123;4567;10;202410;N\r\nObjekt;Sør\r\n"));
    EXPECT_EQ(content.xml, QString());
}

TEST_F(HistoryTextsTest, BytesThatDoNotMatchTheirChecksumOrAreNoEnvelopeAreRefusedNamingTheEntry) {
    HistoryRecord tampered =
        recorded(entry(HistoryKind::Mail, envelopeOf(kXml)), HistoryOutcome::Sent, QString());
    tampered.entry.bytes[300] = 'x';
    EXPECT_EQ(readError(tampered),
              QStringLiteral("Oppføring %1 i historikken stemmer ikke med kontrollsummen "
                             "(SHA-256) som ble lagret da den ble sendt. Innholdet er "
                             "endret eller skadet.")
                  .arg(tampered.id));
    // The list leaves the bytes out, so such a record cannot be read.
    const HistoryRecord listed = m_history->list({}).first();
    EXPECT_EQ(readError(listed), readError(tampered));

    QByteArray shifted = envelopeOf(kXml);
    shifted.replace("Regnr:            ", "Regnr:           ");
    const HistoryRecord malformed =
        recorded(entry(HistoryKind::EncryptedFile, shifted), HistoryOutcome::Sent, QString());
    EXPECT_EQ(readError(malformed),
              QStringLiteral("Klarte ikke å lese den krypterte rapporten i oppføring %1 i historikken:\r\n"
                             "Linje 5: forventet \"Regnr:            \" først på linjen.")
                  .arg(malformed.id));
}
