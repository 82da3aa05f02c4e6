#include "transmission/OutgoingMail.h"

#include <QFileInfo>
#include <QUuid>

#include "core/FileIo.h"
#include "transmission/MailHeaders.h"
#include "transmission/MimeMessage.h"

namespace telvainn {
namespace {

MimeAttachment readAttachment(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        throw MapiError(MapiCode::AttachmentNotFound,
                        QStringLiteral("Fant ikke vedlegget %1.").arg(info.absoluteFilePath()));
    }
    QString reason;
    std::optional<QByteArray> bytes = readWholeFile(path, &reason);
    if (!bytes) {
        throw MapiError(
            MapiCode::AttachmentOpenFailure,
            QStringLiteral("Klarte ikke å lese vedlegget %1: %2").arg(info.absoluteFilePath(), reason));
    }
    return {info.fileName(), std::move(*bytes)};
}

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

OutgoingMail PrepareOutgoingMail(const MailRequest& request, const QString& senderAddress,
                                 const QDateTime& now) {
    std::optional<MimeAttachment> attachment;
    if (!request.attachmentPath.isEmpty()) {
        attachment = readAttachment(request.attachmentPath);
    }

    const std::optional<QByteArray> recipient = mime::wireAddress(request.recipientAddress);
    if (!recipient) {
        throw MapiError(MapiCode::InvalidRecipients,
                        QStringLiteral("Mottakeradressen <%1> er ikke en gyldig e-postadresse.")
                            .arg(request.recipientAddress.trimmed()));
    }
    QByteArray sender;
    if (!senderAddress.trimmed().isEmpty()) {
        const std::optional<QByteArray> wire = mime::wireAddress(senderAddress);
        if (!wire) {
            throw MapiError(MapiCode::Failure,
                            QStringLiteral("Avsenderadressen <%1> er ikke en gyldig e-postadresse.")
                                .arg(senderAddress.trimmed()));
        }
        sender = *wire;
    }

    MimeMail mail;
    mail.fromAddress = sender;
    mail.toAddress = *recipient;
    // The address stands in for a missing name, as it does in the mail clients' address books.
    mail.toName =
        request.recipientName.isEmpty() ? request.recipientAddress.trimmed() : request.recipientName;
    mail.subject = request.subject;
    mail.body = request.body.endsWith("\r\n") ? request.body : request.body + "\r\n";
    mail.attachment = std::move(attachment);
    mail.date = now;
    mail.messageId = '<' + uniqueToken() + '@' + messageIdDomain(sender) + '>';
    mail.boundary = "=_telvainn_" + uniqueToken();
    return {sender, *recipient, BuildMimeMessage(mail)};
}

}  // namespace telvainn
