#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace telvainn {

// Base64 with the standard alphabet A-Z a-z 0-9 + / and "=" padding, always as one line: the ciphertext
// travels as a single line between the START and SLUTT markers, so no line breaks are ever written.

QByteArray base64Encode(QByteArrayView bytes);
// For encoding piece by piece straight into a text: the length of the encoding of `byteCount` bytes,
// and the encoding of `n` bytes written at `out`, returning the end of what was written. Pieces join
// seamlessly when every piece but the last is a multiple of three bytes.
qsizetype base64EncodedLength(qsizetype byteCount);
char* base64EncodeInto(const unsigned char* in, qsizetype n, char* out);

// Strict decoding. Accepted is exactly what base64Encode writes: a length that is a multiple of four,
// only alphabet characters, "=" only as the last one or two characters of the text, and zero in the
// bits a padded last group leaves unused ("QR==" is refused, only "QQ==" stands for the byte 0x41).
// Line breaks, blanks and the URL-safe alphabet are refused as well. Anything else gives nothing:
// a text that is not canonical was not written by a correct encoder, and the receiving side must not
// guess what it was meant to be.
std::optional<QByteArray> base64Decode(QByteArrayView text);

// The check of base64Decode without producing the bytes.
bool isBase64(QByteArrayView text);

}  // namespace telvainn
