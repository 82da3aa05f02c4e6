#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace telvainn {

struct MimeAttachment {
    QString fileName;
    QByteArray bytes;
};

// The parts of one mail, addresses already in wire form (mime::wireAddress).
struct MimeMail {
    QByteArray fromAddress;  // empty: no From field; the machine's mail system puts in its own
    QByteArray toAddress;
    QString toName;
    QString subject;
    QByteArray body;  // Windows-1252 bytes, sent exactly as they are
    std::optional<MimeAttachment> attachment;
    QDateTime date;
    QByteArray messageId;  // "<unique@domain>"
    QByteArray boundary;   // separates body and attachment; made of characters Base64 never writes
};

// The whole message with CR LF line ends. Body and attachment are text/plain in windows-1252 and
// travel in Base64 lines of 76 characters: the Base64 line of an envelope is far longer than the 998
// octets a mail line may hold, and Base64 is the one transfer encoding whose decoding gives back every
// byte, CR LF included, whatever the receiving side's line-end conventions are.
QByteArray BuildMimeMessage(const MimeMail& mail);

}  // namespace telvainn
