#include "transmission/Ripemd256.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace telvainn {
namespace {

constexpr std::array<std::uint32_t, 8> kInitialState = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476,
                                                        0x76543210, 0xFEDCBA98, 0x89ABCDEF, 0x01234567};

// Message word used by each of the 64 steps, left and right line.
constexpr std::array<std::uint8_t, 64> kWordLeft = {
    0, 1,  2,  3,  4,  5,  6,  7, 8,  9, 10, 11, 12, 13, 14, 15,  //
    7, 4,  13, 1,  10, 6,  15, 3, 12, 0, 9,  5,  2,  14, 11, 8,   //
    3, 10, 14, 4,  9,  15, 8,  1, 2,  7, 0,  6,  13, 11, 5,  12,  //
    1, 9,  11, 10, 0,  8,  12, 4, 13, 3, 7,  15, 14, 5,  6,  2};
constexpr std::array<std::uint8_t, 64> kWordRight = {
    5,  14, 7, 0, 9, 2,  11, 4,  13, 6,  15, 8,  1,  10, 3,  12,  //
    6,  11, 3, 7, 0, 13, 5,  10, 14, 15, 8,  12, 4,  9,  1,  2,   //
    15, 5,  1, 3, 7, 14, 6,  9,  11, 8,  12, 2,  10, 0,  4,  13,  //
    8,  6,  4, 1, 3, 11, 15, 0,  5,  12, 2,  13, 9,  7,  10, 14};

// Left rotation of each step.
constexpr std::array<std::uint8_t, 64> kShiftLeft = {
    11, 14, 15, 12, 5,  8,  7,  9,  11, 13, 14, 15, 6,  7,  9,  8,   //
    7,  6,  8,  13, 11, 9,  7,  15, 7,  12, 15, 9,  11, 7,  13, 12,  //
    11, 13, 6,  7,  14, 9,  13, 15, 14, 8,  13, 6,  5,  12, 7,  5,   //
    11, 12, 14, 15, 14, 15, 9,  8,  9,  14, 5,  6,  8,  6,  5,  12};
constexpr std::array<std::uint8_t, 64> kShiftRight = {
    8,  9,  9,  11, 13, 15, 15, 5,  7,  7,  8,  11, 14, 14, 12, 6,   //
    9,  13, 15, 7,  12, 8,  9,  11, 7,  7,  12, 7,  6,  15, 13, 11,  //
    9,  7,  15, 11, 8,  6,  6,  14, 12, 13, 5,  14, 13, 13, 7,  5,   //
    15, 5,  8,  11, 14, 14, 6,  14, 6,  9,  12, 9,  12, 5,  15, 8};

constexpr std::array<std::uint32_t, 4> kConstantLeft = {0x00000000, 0x5A827999, 0x6ED9EBA1, 0x8F1BBCDC};
constexpr std::array<std::uint32_t, 4> kConstantRight = {0x50A28BE6, 0x5C4DD124, 0x6D703EF3, 0x00000000};

// The four boolean functions; the left line uses them in the order 0 1 2 3, the right line 3 2 1 0.
constexpr std::uint32_t boolean(int function, std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    switch (function) {
        case 0:
            return x ^ y ^ z;
        case 1:
            return (x & y) | (~x & z);
        case 2:
            return (x | ~y) ^ z;
        default:
            return (x & z) | (y & ~z);
    }
}

std::uint32_t loadLittleEndian(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

void compress(std::array<std::uint32_t, 8>& state, const std::uint8_t* block) {
    std::array<std::uint32_t, 16> x;
    for (std::size_t i = 0; i < 16; ++i) {
        x[i] = loadLittleEndian(block + 4 * i);
    }
    // Registers a, b, c, d of the left line and of the right line.
    std::array<std::uint32_t, 4> left = {state[0], state[1], state[2], state[3]};
    std::array<std::uint32_t, 4> right = {state[4], state[5], state[6], state[7]};

    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i < 16; ++i) {
            const int step = 16 * round + i;
            const std::uint32_t tl = std::rotl(left[0] + boolean(round, left[1], left[2], left[3]) +
                                                   x[kWordLeft[step]] + kConstantLeft[round],
                                               kShiftLeft[step]);
            left = {left[3], tl, left[1], left[2]};
            const std::uint32_t tr = std::rotl(right[0] + boolean(3 - round, right[1], right[2], right[3]) +
                                                   x[kWordRight[step]] + kConstantRight[round],
                                               kShiftRight[step]);
            right = {right[3], tr, right[1], right[2]};
        }
        // What sets RIPEMD-256 apart from running RIPEMD-128 twice: after round r the lines trade
        // register r (a after the first round, then b, c and d).
        std::swap(left[round], right[round]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        state[i] += left[i];
        state[4 + i] += right[i];
    }
}

}  // namespace

void Ripemd256::reset() {
    m_state = kInitialState;
    m_buffered = 0;
    m_messageBytes = 0;
}

void Ripemd256::update(QByteArrayView data) {
    auto p = reinterpret_cast<const std::uint8_t*>(data.data());
    auto n = static_cast<std::size_t>(data.size());
    m_messageBytes += n;
    if (m_buffered > 0) {
        const std::size_t take = std::min(n, m_buffer.size() - m_buffered);
        std::memcpy(m_buffer.data() + m_buffered, p, take);
        m_buffered += take;
        p += take;
        n -= take;
        if (m_buffered < m_buffer.size()) {
            return;
        }
        compress(m_state, m_buffer.data());
        m_buffered = 0;
    }
    for (; n >= 64; p += 64, n -= 64) {
        compress(m_state, p);
    }
    if (n > 0) {
        std::memcpy(m_buffer.data(), p, n);
        m_buffered = n;
    }
}

Ripemd256::Digest Ripemd256::finish() {
    // MD4-style padding: 0x80, zeros up to 56 mod 64, the message length in bits as 64-bit little endian.
    const std::uint64_t bitLength = m_messageBytes * 8;
    m_buffer[m_buffered++] = 0x80;
    if (m_buffered > 56) {
        std::memset(m_buffer.data() + m_buffered, 0, m_buffer.size() - m_buffered);
        compress(m_state, m_buffer.data());
        m_buffered = 0;
    }
    std::memset(m_buffer.data() + m_buffered, 0, 56 - m_buffered);
    for (std::size_t i = 0; i < 8; ++i) {
        m_buffer[56 + i] = static_cast<std::uint8_t>(bitLength >> (8 * i));
    }
    compress(m_state, m_buffer.data());

    Digest digest;
    for (std::size_t i = 0; i < m_state.size(); ++i) {
        for (std::size_t k = 0; k < 4; ++k) {
            digest[4 * i + k] = static_cast<std::uint8_t>(m_state[i] >> (8 * k));
        }
    }
    reset();
    return digest;
}

Ripemd256::Digest ripemd256(QByteArrayView data) {
    Ripemd256 hash;
    hash.update(data);
    return hash.finish();
}

}  // namespace telvainn
