// The one-block functions of OpenSSL's Blowfish are marked deprecated in OpenSSL 3 in favour of EVP. EVP
// offers only the standard modes, and our chaining is none of them, so we stay on the block functions.
#define OPENSSL_SUPPRESS_DEPRECATED

#include "transmission/BlowfishCipher.h"

#include <openssl/blowfish.h>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "core/Error.h"
#include "core/Windows1252.h"
#include "transmission/Base64.h"
#include "transmission/Ripemd256.h"

namespace telvainn {

static_assert(sizeof(BF_LONG) == sizeof(std::uint32_t), "BF_encrypt must take 32-bit words");
static_assert(BlowfishBlock::kBlockSize == BF_BLOCK);

struct BlowfishBlock::KeySchedule {
    BF_KEY key;
};

namespace {

const Ripemd256::Digest& programKey() {
    static const Ripemd256::Digest key =
        ripemd256(QByteArrayView(BlowfishCipher::kKeyString.data(), BlowfishCipher::kKeyString.size()));
    return key;
}

inline std::uint32_t loadBigEndian(const unsigned char* p) {
    return qFromBigEndian<std::uint32_t>(p);
}
inline void storeBigEndian(std::uint32_t value, unsigned char* p) {
    qToBigEndian<std::uint32_t>(value, p);
}

}  // namespace

BlowfishBlock::BlowfishBlock(QByteArrayView key) {
    if (key.isEmpty() || key.size() > kMaxKeySize) {
        throw std::invalid_argument("Blowfish key must be 1 to 72 bytes long");
    }
    auto schedule = std::make_shared<KeySchedule>();
    BF_set_key(&schedule->key, static_cast<int>(key.size()),
               reinterpret_cast<const unsigned char*>(key.data()));
    m_schedule = std::move(schedule);
}

void BlowfishBlock::encryptWords(std::uint32_t& left, std::uint32_t& right) const {
    BF_LONG data[2] = {left, right};
    BF_encrypt(data, &m_schedule->key);
    left = data[0];
    right = data[1];
}

void BlowfishBlock::decryptWords(std::uint32_t& left, std::uint32_t& right) const {
    BF_LONG data[2] = {left, right};
    BF_decrypt(data, &m_schedule->key);
    left = data[0];
    right = data[1];
}

BlowfishBlock::Block BlowfishBlock::encrypt(const Block& plain) const {
    std::uint32_t left = loadBigEndian(plain.data());
    std::uint32_t right = loadBigEndian(plain.data() + 4);
    encryptWords(left, right);
    Block cipher;
    storeBigEndian(left, cipher.data());
    storeBigEndian(right, cipher.data() + 4);
    return cipher;
}

BlowfishBlock::Block BlowfishBlock::decrypt(const Block& cipher) const {
    std::uint32_t left = loadBigEndian(cipher.data());
    std::uint32_t right = loadBigEndian(cipher.data() + 4);
    decryptWords(left, right);
    Block plain;
    storeBigEndian(left, plain.data());
    storeBigEndian(right, plain.data() + 4);
    return plain;
}

BlowfishCipher::BlowfishCipher() : BlowfishCipher(QByteArrayView(programKey())) {}

BlowfishCipher::BlowfishCipher(QByteArrayView key) : m_block(key) {
    // IV = E(FF FF FF FF FF FF FF FF).
    m_ivLeft = 0xFFFFFFFF;
    m_ivRight = 0xFFFFFFFF;
    m_block.encryptWords(m_ivLeft, m_ivRight);
}

// `in` and `out` may be the same buffer: each block is read completely before it is written.
void BlowfishCipher::encryptInto(const unsigned char* in, unsigned char* out, qsizetype n,
                                 Feedback& feedback) const {
    const BF_KEY* const key = &m_block.m_schedule->key;
    BF_LONG feedback0 = feedback.left;
    BF_LONG feedback1 = feedback.right;
    BF_LONG data[2];
    const unsigned char* const wholeBlocksEnd = in + (n - n % BlowfishBlock::kBlockSize);
    for (; in != wholeBlocksEnd; in += BlowfishBlock::kBlockSize, out += BlowfishBlock::kBlockSize) {
        data[0] = loadBigEndian(in) ^ feedback0;
        data[1] = loadBigEndian(in + 4) ^ feedback1;
        BF_encrypt(data, key);
        storeBigEndian(data[0], out);
        storeBigEndian(data[1], out + 4);
        feedback0 ^= data[0];
        feedback1 ^= data[1];
    }
    feedback = {feedback0, feedback1};
    if (const qsizetype tail = n % BlowfishBlock::kBlockSize; tail > 0) {
        data[0] = feedback0;
        data[1] = feedback1;
        BF_encrypt(data, key);
        unsigned char keyStream[BlowfishBlock::kBlockSize];
        storeBigEndian(data[0], keyStream);
        storeBigEndian(data[1], keyStream + 4);
        for (qsizetype i = 0; i < tail; ++i) {
            out[i] = in[i] ^ keyStream[i];
        }
    }
}

void BlowfishCipher::decryptInto(const unsigned char* in, unsigned char* out, qsizetype n) const {
    const BF_KEY* const key = &m_block.m_schedule->key;
    BF_LONG feedback0 = m_ivLeft;
    BF_LONG feedback1 = m_ivRight;
    BF_LONG data[2];
    const unsigned char* const wholeBlocksEnd = in + (n - n % BlowfishBlock::kBlockSize);
    for (; in != wholeBlocksEnd; in += BlowfishBlock::kBlockSize, out += BlowfishBlock::kBlockSize) {
        const BF_LONG cipher0 = loadBigEndian(in);
        const BF_LONG cipher1 = loadBigEndian(in + 4);
        data[0] = cipher0;
        data[1] = cipher1;
        BF_decrypt(data, key);
        storeBigEndian(data[0] ^ feedback0, out);
        storeBigEndian(data[1] ^ feedback1, out + 4);
        feedback0 ^= cipher0;
        feedback1 ^= cipher1;
    }
    // The tail is a pure key stream XOR, the same in both directions.
    if (const qsizetype tail = n % BlowfishBlock::kBlockSize; tail > 0) {
        data[0] = feedback0;
        data[1] = feedback1;
        BF_encrypt(data, key);
        unsigned char keyStream[BlowfishBlock::kBlockSize];
        storeBigEndian(data[0], keyStream);
        storeBigEndian(data[1], keyStream + 4);
        for (qsizetype i = 0; i < tail; ++i) {
            out[i] = in[i] ^ keyStream[i];
        }
    }
}

QByteArray BlowfishCipher::encrypt(QByteArrayView plain) const {
    QByteArray cipher(plain.size(), Qt::Uninitialized);
    Feedback feedback{m_ivLeft, m_ivRight};
    encryptInto(reinterpret_cast<const unsigned char*>(plain.data()),
                reinterpret_cast<unsigned char*>(cipher.data()), plain.size(), feedback);
    return cipher;
}

QByteArray BlowfishCipher::decrypt(QByteArrayView cipher) const {
    QByteArray plain(cipher.size(), Qt::Uninitialized);
    decryptInto(reinterpret_cast<const unsigned char*>(cipher.data()),
                reinterpret_cast<unsigned char*>(plain.data()), cipher.size());
    return plain;
}

QByteArray BlowfishCipher::EncryptReportText(const QString& reportText) const {
    // Converted, encrypted and encoded a piece at a time, so no copy of the whole text is made beside
    // the result. A piece is whole cipher blocks and whole Base64 groups, so the pieces join seamlessly.
    // A character outside the code page that takes two UTF-16 units gives one byte, so bytes wait in
    // the buffer until a whole piece is there.
    constexpr qsizetype kPiece = 4080;
    static_assert(kPiece % BlowfishBlock::kBlockSize == 0 && kPiece % 3 == 0);
    QByteArray base64(base64EncodedLength(reportText.size()), Qt::Uninitialized);
    char* out = base64.data();
    Feedback feedback{m_ivLeft, m_ivRight};
    std::array<unsigned char, 2 * kPiece> buffer;
    qsizetype filled = 0;  // always less than one piece between rounds
    for (QStringView rest(reportText); !rest.isEmpty();) {
        qsizetype take = std::min(kPiece, rest.size());
        if (take < rest.size() && QChar::isHighSurrogate(rest[take - 1].unicode())) {
            --take;  // keep a surrogate pair in one piece
        }
        filled += toWindows1252(rest.first(take), reinterpret_cast<char*>(buffer.data()) + filled);
        rest = rest.sliced(take);
        if (filled >= kPiece) {
            encryptInto(buffer.data(), buffer.data(), kPiece, feedback);
            out = base64EncodeInto(buffer.data(), kPiece, out);
            filled -= kPiece;
            std::memmove(buffer.data(), buffer.data() + kPiece, static_cast<std::size_t>(filled));
        }
    }
    encryptInto(buffer.data(), buffer.data(), filled, feedback);
    out = base64EncodeInto(buffer.data(), filled, out);
    base64.truncate(out - base64.constData());
    return base64;
}

QByteArray BlowfishCipher::DecryptReportText(QByteArrayView base64) const {
    std::optional<QByteArray> bytes = base64Decode(base64);
    if (!bytes) {
        throw Error(kInvalidBase64Message.toString());
    }
    auto* data = reinterpret_cast<unsigned char*>(bytes->data());
    decryptInto(data, data, bytes->size());
    return std::move(*bytes);
}

}  // namespace telvainn
