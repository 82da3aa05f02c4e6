#include <gtest/gtest.h>

#include "support/RandomBytes.h"

#include <QByteArray>
#include <QString>
#include <random>

#include "transmission/Base64.h"

namespace telvainn {
namespace {

// RFC 4648, section 10.
const std::pair<QByteArray, QByteArray> kRfc4648[] = {
    {"", ""},
    {"f", "Zg=="},
    {"fo", "Zm8="},
    {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="},
    {"fooba", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy"},
};

TEST(Base64Encode, Rfc4648Vectors) {
    for (const auto& [bytes, text] : kRfc4648) {
        EXPECT_EQ(base64Encode(bytes), text);
    }
}

TEST(Base64Encode, AgreesWithQtForAllLengthsAndByteValues) {
    QByteArray everyByte(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i) {
        everyByte[i] = static_cast<char>(i);
    }
    EXPECT_EQ(base64Encode(everyByte), everyByte.toBase64());
    for (qsizetype length = 0; length <= 300; ++length) {
        SCOPED_TRACE(length);
        const QByteArray bytes = pseudoRandomBytes(length, static_cast<unsigned>(length));
        const QByteArray expected = bytes.toBase64();
        EXPECT_EQ(base64Encode(bytes), expected);
    }
}

TEST(Base64Encode, WritesOneLineHoweverLong) {
    const QByteArray text = base64Encode(pseudoRandomBytes(100'000, 1));
    EXPECT_EQ(text.size(), 133'336);
    EXPECT_FALSE(text.contains('\n'));
    EXPECT_FALSE(text.contains('\r'));
}

TEST(Base64Decode, Rfc4648Vectors) {
    for (const auto& [bytes, text] : kRfc4648) {
        SCOPED_TRACE(text.toStdString());
        const std::optional<QByteArray> decoded = base64Decode(text);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(*decoded, bytes);
        EXPECT_TRUE(isBase64(text));
    }
}

TEST(Base64Decode, ReadsBackWhatQtWrites) {
    for (qsizetype length = 0; length <= 300; ++length) {
        SCOPED_TRACE(length);
        const QByteArray bytes = pseudoRandomBytes(length, static_cast<unsigned>(1000 + length));
        const std::optional<QByteArray> decoded = base64Decode(bytes.toBase64());
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(*decoded, bytes);
    }
}

TEST(Base64Decode, RefusesEverythingButCanonicalBase64) {
    const char* const refused[] = {
        "Zg",           // length not a multiple of four
        "Zm9",          //
        "Zm9vY",        //
        "Zg=",          //
        "Zm9v\r\n",     // line break
        "Zm9v\n",       //
        " Zm9v",        // blank
        "Zm 9",         //
        "Zm-_",         // URL-safe alphabet
        "Zm9*",         // other character
        "Zg==Zm9v",     // padding before the end
        "Z===",         // three padding characters
        "====",         //
        "Zm=v",         // padding followed by data
        "Zh==",         // unused bits not zero (only "Zg==" is canonical for "f")
        "Zm9=",         // unused bits not zero (only "Zm8=" is canonical for "fo")
        "Zm9v\xE6xyz",  // byte outside ASCII
    };
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        const QByteArrayView view(text);
        EXPECT_FALSE(base64Decode(view).has_value());
        EXPECT_FALSE(isBase64(view));
    }
    const QByteArray withNul("Zm9v\0\0\0\0", 8);
    EXPECT_FALSE(base64Decode(withNul).has_value());
    EXPECT_FALSE(isBase64(withNul));
}

TEST(Base64Decode, RefusesABadCharacterAtEveryPosition) {
    const QByteArray valid = base64Encode(pseudoRandomBytes(30, 9));
    for (qsizetype i = 0; i < valid.size(); ++i) {
        QByteArray bad = valid;
        bad[i] = '.';
        EXPECT_FALSE(base64Decode(bad).has_value()) << "position " << i;
        EXPECT_FALSE(isBase64(bad)) << "position " << i;
    }
    EXPECT_TRUE(isBase64(valid));
}

}  // namespace
}  // namespace telvainn
