#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace telvainn {

// One Blowfish block (64 bits, 16 rounds, the published P-array and S-boxes), over OpenSSL's key
// schedule and round function. OpenSSL works on two host-order 32-bit words; the byte interface below
// reads and writes the block halves big-endian, as the published algorithm and its test vectors do.
class BlowfishBlock {
  public:
    static constexpr qsizetype kBlockSize = 8;
    // BF_set_key reads at most 72 key bytes (the 18 P-array words); the published limit is 56.
    static constexpr qsizetype kMaxKeySize = 72;
    using Block = std::array<std::uint8_t, kBlockSize>;

    // Runs the key schedule. Throws std::invalid_argument for an empty key or one longer than
    // kMaxKeySize, which can only be a programming error.
    explicit BlowfishBlock(QByteArrayView key);

    Block encrypt(const Block& plain) const;
    Block decrypt(const Block& cipher) const;

    // The same on the block as two words, left half first, each already read big-endian.
    void encryptWords(std::uint32_t& left, std::uint32_t& right) const;
    void decryptWords(std::uint32_t& left, std::uint32_t& right) const;

    struct KeySchedule;  // OpenSSL's BF_KEY, kept out of this header

  private:
    friend class BlowfishCipher;
    std::shared_ptr<const KeySchedule> m_schedule;  // immutable once built, so copies may share it
};

// The report cipher: Blowfish in the system's own feedback mode, without padding, so the ciphertext is
// exactly as long as the plaintext. For every text the feedback register F starts at the IV; each whole
// block P gives C = E(P xor F) and then F = F xor C (the running XOR of the IV and all ciphertext blocks,
// not the previous block as in CBC); a tail of 1-7 bytes is XORed with the first bytes of E(F).
//
// Nothing is carried from one text to the next, so one keyed cipher serves any number of texts, from
// any number of threads, and every call with the same text gives the same result.
class BlowfishCipher {
  public:
    // The program's fixed key string, as the 24 Windows-1252 bytes it is on every installation (the Ø is
    // the single byte 0xD8). Its RIPEMD-256 digest is the 32-byte Blowfish key.
    static constexpr std::string_view kKeyString = "QWUEPTRZMBXCVKAYO\xD8GIHTWP";

    // Shown when a text handed over for decryption is not Base64.
    static constexpr QStringView kInvalidBase64Message =
        u"Klarte ikke dekryptere rapporten: den krypterte teksten er ikke gyldig Base64.";

    // Keyed with the program's key, the one the agency decrypts with.
    BlowfishCipher();
    // Keyed with the given Blowfish key bytes (1 to BlowfishBlock::kMaxKeySize); for tests and checks.
    explicit BlowfishCipher(QByteArrayView key);

    QByteArray encrypt(QByteArrayView plain) const;
    QByteArray decrypt(QByteArrayView cipher) const;

    // Base64 of the ciphertext of the report text's Windows-1252 bytes; an empty text gives "".
    QByteArray EncryptReportText(const QString& reportText) const;
    // The plaintext bytes of a Base64 ciphertext (strict Base64, see base64Decode). Raises
    // telvainn::Error with kInvalidBase64Message when the text is not Base64.
    QByteArray DecryptReportText(QByteArrayView base64) const;

  private:
    // The feedback register between pieces of one text; every text starts from the IV.
    struct Feedback {
        std::uint32_t left;
        std::uint32_t right;
    };
    // Pieces of one text must be whole blocks, all but the last.
    void encryptInto(const unsigned char* in, unsigned char* out, qsizetype n, Feedback& feedback) const;
    void decryptInto(const unsigned char* in, unsigned char* out, qsizetype n) const;

    BlowfishBlock m_block;
    std::uint32_t m_ivLeft = 0;
    std::uint32_t m_ivRight = 0;
};

}  // namespace telvainn
