#include <gtest/gtest.h>

#include "support/RandomBytes.h"

#include <QByteArray>
#include <random>
#include <string>
#include <vector>

#include "transmission/Ripemd256.h"

namespace telvainn {
namespace {

QByteArray hex(const Ripemd256::Digest& digest) {
    return QByteArray(reinterpret_cast<const char*>(digest.data()), static_cast<qsizetype>(digest.size()))
        .toHex();
}

struct Vector {
    QByteArray message;
    QByteArray digest;
};

// The test values of the RIPEMD page by Antoon Bosselaers (KU Leuven), as reproduced in php-src's
// ext/hash/tests/ripemd256.phpt.
const Vector kPublished[] = {
    {"", "02ba4c4e5f8ecd1877fc52d64d30e37a2d9774fb1e5d026380ae0168e3c5522d"},
    {"a", "f9333e45d857f5d90a91bab70a1eba0cfb1be4b0783c9acfcd883a9134692925"},
    {"abc", "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65"},
    {"message digest", "87e971759a1ce47a514d5c914c392c9018c7c46bc14465554afcdf54a5070c0e"},
    {"abcdefghijklmnopqrstuvwxyz", "649d3034751ea216776bf9a18acc81bc7896118a5197968782dd1fd97d8d5133"},
    // 56 bytes: the padding no longer fits the block, a second block follows.
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
     "3843045583aac6c8c8d9128573e7a9809afb2a0f34ccc36ea9e72f16f6368e3f"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "5740a408ac16b720b84424ae931cbb1fe363d1d0bf4017f1a89f7ea6de77a0b8"},
    // 80 bytes: more than one message block.
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "06fdcc7a409548aaf91368c06a6275b553e3f099bf0ea4edfd6778df89a890dd"},
    // Two more from the Pointy Castle library's RIPEMD-256 tests: 58 bytes, and 63 bytes (the 0x80 byte
    // ends the first block and the length goes alone in a second one).
    {"Lorem ipsum dolor sit amet, consectetur adipiscing elit...",
     "5bca9a62d8c446acea2716a6634bed99ae9c240ebadf584b277397028bbe74de"},
    {"En un lugar de La Mancha, de cuyo nombre no quiero acordarme...",
     "b12cc8c54ad8e14e9cbaa8bdd1d78139880fc824a2af19c67699d64fb4322cc2"},
};

// Runs of "a" around the padding boundaries, from the test log of the CryptAda library
// (test/res/ut_md_ripemd_256.txt, "counter offset and block boundary"); the values for 55, 56 and 64
// appear identically in a second, independent vector list. 55 bytes: the 0x80 byte and the length just
// fit the block; 56 and 57: they need a second block; 63: only the 0x80 byte fits; 64, 65: a full block
// of message.
const Vector kBoundary[] = {
    {QByteArray(55, 'a'), "7780dbe5f483206a1e397f7850f23ee6c595ff2d1a1846eb3ec6b0be03f1e161"},
    {QByteArray(56, 'a'), "d210e3e343f73334320d4b8f28fc8079ca06f30f0ba6f7baa8928a707ac45593"},
    {QByteArray(57, 'a'), "b01629f9a960bbb1aa2a9e0e74319909a9f839570b1c932e59a382923bae1812"},
    {QByteArray(63, 'a'), "84744d0f20efc6bf2969e5655dd6e59262d762a4f2abe103918056652f8c3148"},
    {QByteArray(64, 'a'), "8147678472c129cabb59f57f637c622ccd5707af80a583303e6dde7d0800ced6"},
    {QByteArray(65, 'a'), "bfd646700879077f15a30706bb77e9c0d4e21c3f9e73f79725eafcb2fd934a43"},
    // 43 bytes, from the same log.
    {"The quick brown fox jumps over the lazy dog",
     "c3b0c2f764ac6d576a6c430fb61a6f2255b4fa833e094b1ba8c1e29b6353036f"},
};

constexpr char kMillionADigest[] = "ac953744e10e31514c150d4d8d7b677342e33399788296e43ae4850ce4f97978";

TEST(Ripemd256, PublishedVectors) {
    for (const Vector& vector : kPublished) {
        SCOPED_TRACE(vector.message.toStdString());
        EXPECT_EQ(hex(ripemd256(vector.message)), vector.digest);
    }
}

TEST(Ripemd256, VectorsAtThePaddingBoundaries) {
    for (const Vector& vector : kBoundary) {
        SCOPED_TRACE(vector.message.size());
        EXPECT_EQ(hex(ripemd256(vector.message)), vector.digest);
    }
}

TEST(Ripemd256, OneMillionTimesA) {
    const QByteArray message(1'000'000, 'a');
    EXPECT_EQ(hex(ripemd256(message)), kMillionADigest);
}

TEST(Ripemd256, OneMillionTimesAFedInUnevenPieces) {
    // 997 is prime, so the pieces end at every offset within a 64-byte block sooner or later.
    const QByteArray piece(997, 'a');
    Ripemd256 hash;
    qsizetype fed = 0;
    for (; fed + piece.size() <= 1'000'000; fed += piece.size()) {
        hash.update(piece);
    }
    hash.update(QByteArray(1'000'000 - fed, 'a'));
    EXPECT_EQ(hex(hash.finish()), kMillionADigest);
}

TEST(Ripemd256, PublishedVectorsFedByteByByte) {
    std::vector<Vector> all(std::begin(kPublished), std::end(kPublished));
    all.insert(all.end(), std::begin(kBoundary), std::end(kBoundary));
    for (const Vector& vector : all) {
        SCOPED_TRACE(vector.message.toStdString());
        Ripemd256 hash;
        for (const char byte : vector.message) {
            hash.update(QByteArrayView(&byte, 1));
        }
        EXPECT_EQ(hex(hash.finish()), vector.digest);
    }
}

// Around the padding boundaries (55 bytes: padding and length just fit; 56: they do not; 63, 64: a full
// block of message) and over several blocks, every split of the message over two updates, and feeding
// it byte by byte, must give the digest of the whole message at once.
TEST(Ripemd256, AnySplitOfTheMessageGivesTheSameDigest) {
    for (const qsizetype length : {0, 1, 54, 55, 56, 57, 63, 64, 65, 119, 120, 127, 128, 129, 200}) {
        SCOPED_TRACE(length);
        const QByteArray message = pseudoRandomBytes(length, static_cast<unsigned>(length));
        const QByteArray whole = hex(ripemd256(message));
        for (qsizetype split = 0; split <= length; ++split) {
            Ripemd256 hash;
            hash.update(QByteArrayView(message).first(split));
            hash.update(QByteArrayView(message).sliced(split));
            ASSERT_EQ(hex(hash.finish()), whole) << "split at " << split;
        }
        Ripemd256 hash;
        for (const char byte : message) {
            hash.update(QByteArrayView(&byte, 1));
        }
        EXPECT_EQ(hex(hash.finish()), whole);
    }
}

TEST(Ripemd256, FinishStartsAnEmptyMessage) {
    Ripemd256 hash;
    hash.update("message digest");
    EXPECT_EQ(hex(hash.finish()), kPublished[3].digest);
    hash.update("abc");
    EXPECT_EQ(hex(hash.finish()), kPublished[2].digest);
    EXPECT_EQ(hex(hash.finish()), kPublished[0].digest);
}

}  // namespace
}  // namespace telvainn
