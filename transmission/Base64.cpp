#include "transmission/Base64.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace telvainn {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';

// Sextet value of every byte; bit 7 marks a byte outside the alphabet, so four lookups ORed together
// reveal an invalid character without a branch per character.
constexpr std::uint8_t kInvalid = 0x80;
constexpr std::array<std::uint8_t, 256> kDecodeTable = [] {
    std::array<std::uint8_t, 256> table{};
    table.fill(kInvalid);
    for (std::uint8_t i = 0; i < 64; ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = i;
    }
    return table;
}();

constexpr qsizetype encodedLength(qsizetype byteCount) {
    return (byteCount + 2) / 3 * 4;
}

// Every 12-bit value mapped to its two output characters: three input bytes then take two lookups and
// two stores instead of four of each, which matters when megabytes of ciphertext are encoded.
struct PairTable {
    std::array<std::array<char, 2>, 4096> pairs{};
    constexpr PairTable() {
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            pairs[i] = {kAlphabet[i >> 6], kAlphabet[i & 0x3F]};
        }
    }
};
constexpr PairTable kPairTable{};

void encodeInto(const unsigned char* in, qsizetype n, char* out) {
    const auto& pairs = kPairTable.pairs;
    const unsigned char* const end = in + n - n % 3;
    for (; in != end; in += 3, out += 4) {
        const std::uint32_t v = std::uint32_t{in[0]} << 16 | std::uint32_t{in[1]} << 8 | in[2];
        std::memcpy(out, pairs[v >> 12].data(), sizeof(pairs[0]));
        std::memcpy(out + 2, pairs[v & 0xFFF].data(), sizeof(pairs[0]));
    }
    switch (n % 3) {
        case 1:
            out[0] = kAlphabet[in[0] >> 2];
            out[1] = kAlphabet[(in[0] & 0x03) << 4];
            out[2] = kPad;
            out[3] = kPad;
            break;
        case 2:
            out[0] = kAlphabet[in[0] >> 2];
            out[1] = kAlphabet[(in[0] & 0x03) << 4 | in[1] >> 4];
            out[2] = kAlphabet[(in[1] & 0x0F) << 2];
            out[3] = kPad;
            break;
        default:
            break;
    }
}

// Decodes into `out` when it is given, otherwise only checks. Returns the number of bytes, or -1 when
// the text is not canonical Base64.
qsizetype decode(QByteArrayView text, unsigned char* out) {
    const qsizetype n = text.size();
    if (n == 0) {
        return 0;
    }
    if (n % 4 != 0) {
        return -1;
    }
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    // All groups but the last carry no padding.
    const unsigned char* const lastGroup = in + n - 4;
    std::uint8_t invalid = 0;
    for (; in != lastGroup; in += 4) {
        const std::uint8_t a = kDecodeTable[in[0]], b = kDecodeTable[in[1]], c = kDecodeTable[in[2]],
                           d = kDecodeTable[in[3]];
        invalid |= a | b | c | d;
        if (out != nullptr) {
            const std::uint32_t v =
                std::uint32_t{a} << 18 | std::uint32_t{b} << 12 | std::uint32_t{c} << 6 | d;
            out[0] = static_cast<unsigned char>(v >> 16);
            out[1] = static_cast<unsigned char>(v >> 8);
            out[2] = static_cast<unsigned char>(v);
            out += 3;
        }
    }
    if (invalid & kInvalid) {
        return -1;
    }

    const std::uint8_t a = kDecodeTable[in[0]], b = kDecodeTable[in[1]];
    if ((a | b) & kInvalid) {
        return -1;
    }
    qsizetype size = (n / 4 - 1) * 3;
    if (in[2] == kPad && in[3] == kPad) {
        if (b & 0x0F) {
            return -1;
        }
        if (out != nullptr) {
            out[0] = static_cast<unsigned char>(a << 2 | b >> 4);
        }
        return size + 1;
    }
    const std::uint8_t c = kDecodeTable[in[2]];
    if (c & kInvalid) {
        return -1;
    }
    if (in[3] == kPad) {
        if (c & 0x03) {
            return -1;
        }
        if (out != nullptr) {
            out[0] = static_cast<unsigned char>(a << 2 | b >> 4);
            out[1] = static_cast<unsigned char>(b << 4 | c >> 2);
        }
        return size + 2;
    }
    const std::uint8_t d = kDecodeTable[in[3]];
    if (d & kInvalid) {
        return -1;
    }
    if (out != nullptr) {
        out[0] = static_cast<unsigned char>(a << 2 | b >> 4);
        out[1] = static_cast<unsigned char>(b << 4 | c >> 2);
        out[2] = static_cast<unsigned char>(c << 6 | d);
    }
    return size + 3;
}

}  // namespace

QByteArray base64Encode(QByteArrayView bytes) {
    QByteArray text(encodedLength(bytes.size()), Qt::Uninitialized);
    encodeInto(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), text.data());
    return text;
}

std::optional<QByteArray> base64Decode(QByteArrayView text) {
    QByteArray bytes(text.size() / 4 * 3, Qt::Uninitialized);
    const qsizetype size = decode(text, reinterpret_cast<unsigned char*>(bytes.data()));
    if (size < 0) {
        return std::nullopt;
    }
    bytes.truncate(size);
    return bytes;
}

qsizetype base64EncodedLength(qsizetype byteCount) {
    return encodedLength(byteCount);
}

char* base64EncodeInto(const unsigned char* in, qsizetype n, char* out) {
    encodeInto(in, n, out);
    return out + encodedLength(n);
}

bool isBase64(QByteArrayView text) {
    return decode(text, nullptr) >= 0;
}

}  // namespace telvainn
