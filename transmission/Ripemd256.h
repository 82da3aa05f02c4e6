#pragma once

#include <QByteArrayView>
#include <array>
#include <cstdint>

namespace telvainn {

// RIPEMD-256 as published by Dobbertin, Bosselaers and Preneel: two RIPEMD-128 lines that exchange one
// register after every round and are kept apart to the end, giving a 256-bit digest. The cipher key is
// derived with it, so it must agree bit for bit with every other implementation of the published
// algorithm; nothing here relies on it being collision resistant.
class Ripemd256 {
  public:
    using Digest = std::array<std::uint8_t, 32>;

    Ripemd256() { reset(); }

    // Feeds more message bytes; any split of a message over several calls gives the same digest.
    void update(QByteArrayView data);

    // Pads the message, returns its digest and starts over with an empty message.
    Digest finish();

    void reset();

  private:
    std::array<std::uint32_t, 8> m_state{};
    std::array<std::uint8_t, 64> m_buffer{};
    std::size_t m_buffered = 0;
    std::uint64_t m_messageBytes = 0;
};

// The digest of one whole message.
Ripemd256::Digest ripemd256(QByteArrayView data);

}  // namespace telvainn
