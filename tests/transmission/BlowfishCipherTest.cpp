// The one-block functions of OpenSSL serve as the independent reference for the chaining.
#define OPENSSL_SUPPRESS_DEPRECATED

#include <gtest/gtest.h>

#include <openssl/blowfish.h>
#include "support/RandomBytes.h"

#include <QByteArray>
#include <QString>
#include <random>

#include "core/Error.h"
#include "core/Windows1252.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Ripemd256.h"

namespace telvainn {
namespace {

// The program's key string exactly as its bytes, written out independently of the code under test.
const QByteArray kProgramKeyBytes("QWUEPTRZMBXCVKAYO\xD8GIHTWP", 24);

QByteArray programKey() {
    const Ripemd256::Digest digest = ripemd256(kProgramKeyBytes);
    return QByteArray(reinterpret_cast<const char*>(digest.data()), static_cast<qsizetype>(digest.size()));
}

// The feedback chaining computed step by step on OpenSSL's BF_ecb_encrypt (which reads and writes the
// block bytes itself): F = E(FF..FF); per whole block C = E(P xor F), F = F xor C; a tail is XORed with
// the first bytes of E(F).
QByteArray referenceEncrypt(const QByteArray& key, const QByteArray& plain) {
    BF_KEY schedule;
    BF_set_key(&schedule, static_cast<int>(key.size()),
               reinterpret_cast<const unsigned char*>(key.constData()));
    const unsigned char allOnes[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    unsigned char feedback[8];
    BF_ecb_encrypt(allOnes, feedback, &schedule, BF_ENCRYPT);

    QByteArray out;
    qsizetype pos = 0;
    for (; pos + 8 <= plain.size(); pos += 8) {
        unsigned char mixed[8];
        unsigned char cipher[8];
        for (int i = 0; i < 8; ++i) {
            mixed[i] = static_cast<unsigned char>(plain[pos + i]) ^ feedback[i];
        }
        BF_ecb_encrypt(mixed, cipher, &schedule, BF_ENCRYPT);
        out.append(reinterpret_cast<const char*>(cipher), 8);
        for (int i = 0; i < 8; ++i) {
            feedback[i] ^= cipher[i];
        }
    }
    if (pos < plain.size()) {
        unsigned char keyStream[8];
        BF_ecb_encrypt(feedback, keyStream, &schedule, BF_ENCRYPT);
        for (qsizetype i = 0; pos + i < plain.size(); ++i) {
            out.append(static_cast<char>(static_cast<unsigned char>(plain[pos + i]) ^ keyStream[i]));
        }
    }
    return out;
}

// Eric Young's chaining test key and clear text ("7654321 Now is the time "), cut to 20 bytes: two
// whole blocks and a tail of four.
const QByteArray kTestKey = QByteArray::fromHex("0123456789ABCDEFF0E1D2C3B4A59687");
const QByteArray kTwentyBytes = QByteArray::fromHex("37363534333231204E6F77206973207468652074");

// --- the chaining against the independent computation ---

TEST(BlowfishCipherChaining, TwentyBytesFollowTheFeedbackRule) {
    const BlowfishCipher cipher(kTestKey);
    const QByteArray expected = referenceEncrypt(kTestKey, kTwentyBytes);
    ASSERT_EQ(expected.size(), 20);
    EXPECT_EQ(cipher.encrypt(kTwentyBytes), expected);
    EXPECT_EQ(cipher.decrypt(expected), kTwentyBytes);
}

TEST(BlowfishCipherChaining, EveryLengthUpToFortyFollowsTheFeedbackRule) {
    const BlowfishCipher cipher(kTestKey);
    const QByteArray plain = pseudoRandomBytes(40, 7);
    for (qsizetype length = 0; length <= plain.size(); ++length) {
        SCOPED_TRACE(length);
        const QByteArray expected = referenceEncrypt(kTestKey, plain.first(length));
        EXPECT_EQ(cipher.encrypt(plain.first(length)), expected);
        EXPECT_EQ(cipher.decrypt(expected), plain.first(length));
    }
}

TEST(BlowfishCipherChaining, DefaultCipherUsesTheProgramKeyThroughRipemd256) {
    const BlowfishCipher cipher;
    const QByteArray plain = pseudoRandomBytes(45, 11);
    EXPECT_EQ(cipher.encrypt(plain), referenceEncrypt(programKey(), plain));
    EXPECT_EQ(cipher.encrypt(plain), BlowfishCipher(programKey()).encrypt(plain));
}

TEST(BlowfishCipherChaining, KeyStringIsTheWindows1252TextOfTheKey) {
    EXPECT_EQ(QByteArray(BlowfishCipher::kKeyString.data(),
                         static_cast<qsizetype>(BlowfishCipher::kKeyString.size())),
              kProgramKeyBytes);
    EXPECT_EQ(toWindows1252(QStringLiteral("QWUEPTRZMBXCVKAYOØGIHTWP")), kProgramKeyBytes);
}

TEST(BlowfishCipherChaining, DiffersFromCbcFromTheSecondBlockOn) {
    // CBC feeds back only the previous ciphertext block; ours the XOR of the IV and all blocks so far.
    const BlowfishCipher cipher(kTestKey);
    const QByteArray plain = kTwentyBytes.first(16);
    BF_KEY schedule;
    BF_set_key(&schedule, static_cast<int>(kTestKey.size()),
               reinterpret_cast<const unsigned char*>(kTestKey.constData()));
    unsigned char iv[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    BF_ecb_encrypt(iv, iv, &schedule, BF_ENCRYPT);
    QByteArray cbc(16, '\0');
    BF_cbc_encrypt(reinterpret_cast<const unsigned char*>(plain.constData()),
                   reinterpret_cast<unsigned char*>(cbc.data()), 16, &schedule, iv, BF_ENCRYPT);

    const QByteArray ours = cipher.encrypt(plain);
    EXPECT_EQ(ours.first(8), cbc.first(8));  // F is still the IV for the first block
    EXPECT_NE(ours.sliced(8), cbc.sliced(8));
}

// --- round trips ---

TEST(BlowfishCipherRoundTrip, EveryLengthFromZeroToForty) {
    const BlowfishCipher cipher;
    for (qsizetype length = 0; length <= 40; ++length) {
        SCOPED_TRACE(length);
        const QByteArray plain = pseudoRandomBytes(length, static_cast<unsigned>(100 + length));
        const QByteArray encrypted = cipher.encrypt(plain);
        EXPECT_EQ(encrypted.size(), length);
        if (length > 0) {
            EXPECT_NE(encrypted, plain);
        }
        EXPECT_EQ(cipher.decrypt(encrypted), plain);
    }
}

TEST(BlowfishCipherRoundTrip, SeveralKilobytes) {
    const BlowfishCipher cipher;
    for (const qsizetype length : {4096, 4099, 10'000, 65'543}) {
        SCOPED_TRACE(length);
        const QByteArray plain = pseudoRandomBytes(length, static_cast<unsigned>(length));
        const QByteArray encrypted = cipher.encrypt(plain);
        ASSERT_EQ(encrypted.size(), length);
        EXPECT_EQ(cipher.decrypt(encrypted), plain);
        EXPECT_EQ(encrypted, referenceEncrypt(programKey(), plain));
    }
}

TEST(BlowfishCipherRoundTrip, ReportTextComesBackAsItsWindows1252Bytes) {
    const BlowfishCipher cipher;
    const QString text = QStringLiteral("<Rad Beløp=\"-12,50\">Særskilt ÆØÅ € – avsetning</Rad>\r\n");
    const QByteArray expectedBytes(
        "<Rad Bel\xF8p=\"-12,50\">S\xE6rskilt \xC6\xD8\xC5 \x80 \x96 avsetning</Rad>\r\n");
    const QByteArray base64 = cipher.EncryptReportText(text);
    EXPECT_EQ(cipher.DecryptReportText(base64), expectedBytes);
    EXPECT_EQ(QByteArray::fromBase64(base64), cipher.encrypt(expectedBytes));
}

TEST(BlowfishCipherRoundTrip, EveryCharacterClassInEveryPositionIsEncryptedAsWindows1252) {
    // Latin-1 letters, the edges of the range 0x80-0x9F (where Windows-1252 differs from Latin-1), code
    // page characters above 0xFF, characters outside the code page and a surrogate pair, each in every
    // position of texts of one to nine characters.
    const BlowfishCipher cipher;
    const QString specials[] = {
        QStringLiteral("\u007F"),     QStringLiteral("\u0080"), QStringLiteral("\u0081"),
        QStringLiteral("\u009F"),     QStringLiteral("\u00A0"), QStringLiteral("\u00D8"),
        QStringLiteral("\u00FF"),     QStringLiteral("\u0100"), QStringLiteral("\u20AC"),
        QStringLiteral("\u2013"),     QStringLiteral("\u0160"), QStringLiteral("\u4E2D"),
        QStringLiteral("\U0001F600"),
    };
    for (const QString& special : specials) {
        for (int length = 1; length <= 9; ++length) {
            for (int position = 0; position < length; ++position) {
                QString text(length - 1, u'x');
                text.insert(position, special);
                SCOPED_TRACE(text.toStdString());
                const QByteArray base64 = cipher.EncryptReportText(text);
                EXPECT_EQ(cipher.DecryptReportText(base64), toWindows1252(text));
            }
        }
    }
}

TEST(BlowfishCipherRoundTrip, LongTextsGiveTheSameResultAsEncryptingTheirBytesInOneGo) {
    // The text is handled in pieces of a few kilobytes; a character pair that gives one byte shifts
    // every later piece, so put pairs and other specials around the piece boundaries.
    const BlowfishCipher cipher;
    for (const qsizetype pairAt : {qsizetype(0), qsizetype(4079), qsizetype(4080), qsizetype(8159)}) {
        QString text;
        for (int i = 0; i < 13000; ++i) {
            text += QChar(u'a' + i % 26);
        }
        text.replace(4078, 1, QStringLiteral("\u20AC"));
        text.insert(pairAt, QStringLiteral("\U0001F600"));
        text.insert(12000, QStringLiteral("\U0001F600\U0001F600"));
        SCOPED_TRACE(pairAt);
        const QByteArray bytes = toWindows1252(text);
        ASSERT_EQ(bytes.size(), text.size() - 3);
        EXPECT_EQ(cipher.EncryptReportText(text), cipher.encrypt(bytes).toBase64());
    }
}

// --- properties of the ciphertext ---

TEST(BlowfishCipherProperties, Base64LengthAndPadding) {
    const BlowfishCipher cipher;
    const QByteArray eight = cipher.EncryptReportText(QStringLiteral("12345678"));
    EXPECT_EQ(eight.size(), 12);
    EXPECT_TRUE(eight.endsWith('=')) << eight.toStdString();
    EXPECT_FALSE(eight.endsWith("==")) << eight.toStdString();

    const QByteArray nine = cipher.EncryptReportText(QStringLiteral("123456789"));
    EXPECT_EQ(nine.size(), 12);
    EXPECT_FALSE(nine.contains('=')) << nine.toStdString();

    const QByteArray one = cipher.EncryptReportText(QStringLiteral("1"));
    EXPECT_EQ(one.size(), 4);
    EXPECT_TRUE(one.endsWith("==")) << one.toStdString();
}

TEST(BlowfishCipherProperties, SameTextGivesSameResultWithOneCipherOrTwo) {
    const QString text = QStringLiteral("<Rapport>samme tekst, to ganger</Rapport>");
    const BlowfishCipher first;
    const QByteArray once = first.EncryptReportText(text);
    const QByteArray other = first.EncryptReportText(QStringLiteral("noe helt annet i mellomtiden"));
    EXPECT_EQ(first.EncryptReportText(text), once);
    EXPECT_NE(other, once);
    const BlowfishCipher second;
    EXPECT_EQ(second.EncryptReportText(text), once);
    const BlowfishCipher copy = first;
    EXPECT_EQ(copy.EncryptReportText(text), once);
}

TEST(BlowfishCipherProperties, LastByteOfATailChangesOnlyTheLastByte) {
    const BlowfishCipher cipher;
    QByteArray a = pseudoRandomBytes(21, 3);  // two whole blocks and a tail of five
    QByteArray b = a;
    b[20] = static_cast<char>(a[20] ^ 0x5A);
    const QByteArray ca = cipher.encrypt(a);
    const QByteArray cb = cipher.encrypt(b);
    EXPECT_EQ(ca.first(20), cb.first(20));
    // The tail is a pure XOR with a key stream: the plaintext difference shows through unchanged.
    EXPECT_EQ(static_cast<unsigned char>(ca[20] ^ cb[20]), 0x5A);
}

TEST(BlowfishCipherProperties, FirstByteChangesEveryBlockFromTheFirstOn) {
    const BlowfishCipher cipher;
    QByteArray a = pseudoRandomBytes(43, 5);  // five whole blocks and a tail of three
    QByteArray b = a;
    b[0] = static_cast<char>(a[0] ^ 0x01);
    const QByteArray ca = cipher.encrypt(a);
    const QByteArray cb = cipher.encrypt(b);
    for (qsizetype block = 0; block < 5; ++block) {
        EXPECT_NE(ca.sliced(8 * block, 8), cb.sliced(8 * block, 8)) << "block " << block;
    }
    EXPECT_NE(ca.sliced(40), cb.sliced(40));  // the tail's key stream comes from the feedback too
}

TEST(BlowfishCipherProperties, EmptyTextGivesEmptyResults) {
    const BlowfishCipher cipher;
    EXPECT_TRUE(cipher.encrypt(QByteArrayView()).isEmpty());
    EXPECT_TRUE(cipher.decrypt(QByteArrayView()).isEmpty());
    EXPECT_TRUE(cipher.EncryptReportText(QString()).isEmpty());
    EXPECT_TRUE(cipher.EncryptReportText(QStringLiteral("")).isEmpty());
    EXPECT_TRUE(cipher.DecryptReportText("").isEmpty());
}

// --- decryption of Base64 text ---

TEST(BlowfishCipherDecryptReportText, RefusesTextThatIsNotBase64) {
    const BlowfishCipher cipher;
    const QByteArray valid = cipher.EncryptReportText(QStringLiteral("en liten rapport"));
    for (const QByteArray& bad : {valid.chopped(1), valid + "\r\n", QByteArray("ab=c"), QByteArray("Zh=="),
                                  QByteArray("QUJD REVG")}) {
        SCOPED_TRACE(bad.toStdString());
        try {
            cipher.DecryptReportText(bad);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("Klarte ikke dekryptere rapporten: den krypterte teksten er "
                                     "ikke gyldig Base64."));
        }
    }
}

}  // namespace
}  // namespace telvainn
