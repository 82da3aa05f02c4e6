#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "transmission/MailTransport.h"

namespace telvainn {

// A mail ready for submission: the envelope addresses in wire form and the whole MIME message with
// CR LF line ends.
struct OutgoingMail {
    QByteArray sender;  // empty when no sender address is configured
    QByteArray recipient;
    QByteArray message;
};

// The steps every transport takes before it talks to anyone: the addresses must be fit for the wire
// (MAPI code 25 for the recipient, 2 for the sender), the body gets its closing CR LF, and the message
// is built. Raises the MAPI error.
OutgoingMail PrepareOutgoingMail(const MailRequest& request, const QString& senderAddress,
                                 const QDateTime& now = QDateTime::currentDateTime());

}  // namespace telvainn
