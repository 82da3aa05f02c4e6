#include "transmission/MimeMessage.h"

#include "transmission/Base64.h"
#include "transmission/MailHeaders.h"

namespace telvainn {
namespace {

constexpr qsizetype kBase64LineLength = 76;

QByteArray base64Lines(const QByteArray& bytes) {
    const QByteArray encoded = base64Encode(bytes);
    QByteArray lines;
    lines.reserve(encoded.size() + (encoded.size() / kBase64LineLength + 1) * 2);
    for (qsizetype at = 0; at < encoded.size(); at += kBase64LineLength) {
        lines += QByteArrayView(encoded).sliced(at, std::min(kBase64LineLength, encoded.size() - at));
        lines += "\r\n";
    }
    return lines;
}

const QByteArray kTextType = "Content-Type: text/plain; charset=windows-1252\r\n";
const QByteArray kBase64Encoding = "Content-Transfer-Encoding: base64\r\n";

QByteArray attachmentPart(const MimeAttachment& attachment) {
    // The file name is quoted as it is when it is plain ASCII; ours is always "vedlegg.txt".
    const QByteArray name = attachment.fileName.toLatin1().replace('"', '_').replace('\\', '_');
    return "Content-Type: text/plain; charset=windows-1252; name=\"" + name + "\"\r\n" +
           "Content-Disposition: attachment; filename=\"" + name + "\"\r\n" + kBase64Encoding + "\r\n" +
           base64Lines(attachment.bytes);
}

}  // namespace

QByteArray BuildMimeMessage(const MimeMail& mail) {
    QByteArray message = "Date: " + mime::dateValue(mail.date) + "\r\n";
    if (!mail.fromAddress.isEmpty()) {
        message += mime::mailboxField("From", QString(), mail.fromAddress);
    }
    message += mime::mailboxField("To", mail.toName, mail.toAddress);
    message += mime::unstructuredField("Subject", mail.subject);
    message += "Message-ID: " + mail.messageId + "\r\n";
    message += "MIME-Version: 1.0\r\n";
    if (!mail.attachment) {
        return message + kTextType + kBase64Encoding + "\r\n" + base64Lines(mail.body);
    }
    const QByteArray delimiter = "--" + mail.boundary;
    message += "Content-Type: multipart/mixed; boundary=\"" + mail.boundary + "\"\r\n\r\n";
    message += delimiter + "\r\n" + kTextType + kBase64Encoding + "\r\n" + base64Lines(mail.body);
    message += delimiter + "\r\n" + attachmentPart(*mail.attachment);
    return message + delimiter + "--\r\n";
}

}  // namespace telvainn
