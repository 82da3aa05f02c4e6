#include "transmission/OutgoingMail.h"

#include <QUuid>

#include "transmission/MailHeaders.h"
#include "transmission/MimeMessage.h"

namespace telvainn {
namespace {

// The domain of a Message-ID: the sender's, else this machine's name when it is usable in one.
QByteArray messageIdDomain(const QByteArray& sender) {
    const qsizetype at = sender.lastIndexOf('@');
    if (at >= 0 && at + 1 < sender.size()) {
        return sender.mid(at + 1);
    }
    return mime::hostName();
}

QByteArray uniqueToken() {
    return QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
}

}  // namespace

QString DeliveryAddress(const QString& recipientAddress) {
    const QString prefix = QStringLiteral("UT:");
    QString address = recipientAddress.trimmed();
    while (address.startsWith(prefix, Qt::CaseInsensitive)) {
        address = address.mid(prefix.size()).trimmed();
    }
    return address;
}

QString InvalidSenderText(const QString& senderAddress) {
    return QStringLiteral("Avsenderadressen <%1> er ikke en gyldig e-postadresse.")
        .arg(senderAddress.trimmed());
}

OutgoingMail PrepareOutgoingMail(const MailRequest& request, const QString& senderAddress,
                                 const QDateTime& now) {
    const QString address = DeliveryAddress(request.recipientAddress);
    const std::optional<QByteArray> recipient = mime::wireAddress(address);
    if (!recipient) {
        throw MapiError(
            MapiCode::InvalidRecipients,
            QStringLiteral("Mottakeradressen <%1> er ikke en gyldig e-postadresse.").arg(address));
    }
    QByteArray sender;
    if (!senderAddress.trimmed().isEmpty()) {
        const std::optional<QByteArray> wire = mime::wireAddress(senderAddress);
        if (!wire) {
            throw MapiError(MapiCode::Failure, InvalidSenderText(senderAddress));
        }
        sender = *wire;
    }

    MimeMail mail;
    mail.fromAddress = sender;
    mail.toAddress = *recipient;
    // The address stands in for a missing name, as it does in the mail clients' address books.
    mail.toName = request.recipientName.isEmpty() ? address : request.recipientName;
    mail.subject = request.subject;
    mail.body = request.body.endsWith("\r\n") ? request.body : request.body + "\r\n";
    mail.attachment = request.attachment;
    mail.date = now;
    mail.messageId = '<' + uniqueToken() + '@' + messageIdDomain(sender) + '>';
    mail.boundary = "=_telvainn_" + uniqueToken();
    return {sender, *recipient, BuildMimeMessage(mail), mail.messageId};
}

}  // namespace telvainn
