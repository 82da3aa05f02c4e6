#pragma once

#include <QByteArray>
#include <QString>

#include "core/Error.h"
#include "transmission/MimeMessage.h"

namespace telvainn {

// One mail as the program hands it over: a single "to" recipient, the subject, the body as the
// Windows-1252 bytes it is sent as, and at most one attachment with its name and bytes.
struct MailRequest {
    QString recipientAddress;  // as configured; blanks around it do not count
    QString recipientName;     // display name; the address stands in when it is empty
    QString subject;
    QByteArray body;  // a CR LF is added when it does not end with one
    std::optional<MimeAttachment> attachment;
};

// Where a mail leaves the program. SendMail has three outcomes: true when the mail was accepted for
// delivery, false when the user cancelled (the logon prompt), and an Error with the message to show for
// every other failure.
class MailTransport {
  public:
    virtual ~MailTransport() = default;
    virtual bool SendMail(const MailRequest& request) = 0;
    // What the transport was told of the last mail it had accepted, for the history: the server's final
    // reply and the mail's Message-ID, or only the latter where no server answers.
    virtual QString receipt() const { return {}; }
};

inline const QString kNoMailClientMessage =
    QStringLiteral("No Simple MAPI client installed, cannot send the message");

// The return codes of Simple MAPI that our own failures are reported as, so that support staff who know
// the codes of the mail clients recognise them.
enum class MapiCode {
    Failure = 2,             // MAPI_E_FAILURE
    LogonFailure = 3,        // MAPI_E_LOGON_FAILURE
    UnknownRecipient = 14,   // MAPI_E_UNKNOWN_RECIPIENT
    NetworkFailure = 23,     // MAPI_E_NETWORK_FAILURE
    InvalidRecipients = 25,  // MAPI_E_INVALID_RECIPS
};

// MAPI Error: (<code>) "<description>"
Error MapiError(MapiCode code, const QString& description);

}  // namespace telvainn
