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
    QByteArray messageId;  // "<unique@domain>", as the message's header has it
};

// The address a mail is delivered to: the configured one without blanks around it and without the
// "UT:" in front that GroupWise's own client wants for external recipients. That prefix means nothing
// to a mail server, which would take it as part of the mailbox name ("UT:post"@dalvora.no), so a
// GroupWise user's mail reaches the plain address; a doubled prefix (a self-test run twice) goes too.
QString DeliveryAddress(const QString& recipientAddress);

// Why a configured sender address cannot be used.
QString InvalidSenderText(const QString& senderAddress);

// The steps every transport takes before it talks to anyone: the addresses must be fit for the wire
// (MAPI code 25 for the recipient, 2 for the sender), the recipient is its DeliveryAddress, the body gets its
// closing CR LF, and the message is built. Raises the MAPI error.
OutgoingMail PrepareOutgoingMail(const MailRequest& request, const QString& senderAddress,
                                 const QDateTime& now = QDateTime::currentDateTime());

}  // namespace telvainn
