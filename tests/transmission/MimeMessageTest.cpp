#include "transmission/MimeMessage.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include "support/RandomBytes.h"

using namespace telvainn;

namespace {

MimeMail smallMail() {
    MimeMail mail;
    mail.fromAddress = "ola@firma.no";
    mail.toAddress = "telva@dalvora.no";
    mail.toName = QStringLiteral("Dalvora");
    mail.subject = QStringLiteral("Test av TELVA Duv");
    mail.body = "Hvis du kan lese dette klarte programmet \xE5 sende mail\r\n";
    mail.date = QDateTime(QDate(2009, 7, 3), QTime(14, 5, 9), QTimeZone(7200));
    mail.messageId = "<1234@firma.no>";
    mail.boundary = "=_grense";
    return mail;
}

// The Base64 lines between `from` and the next empty line or boundary, decoded by Qt's own decoder.
QByteArray decodeBase64Lines(const QByteArray& message, qsizetype from, qsizetype* end = nullptr) {
    QByteArray encoded;
    qsizetype at = from;
    while (at < message.size()) {
        const qsizetype lineEnd = message.indexOf("\r\n", at);
        const QByteArray line = message.mid(at, lineEnd - at);
        if (line.isEmpty() || line.startsWith("--")) {
            break;
        }
        EXPECT_LE(line.size(), 76);
        encoded += line;
        at = lineEnd + 2;
    }
    if (end != nullptr) {
        *end = at;
    }
    return QByteArray::fromBase64(encoded, QByteArray::AbortOnBase64DecodingErrors);
}

}  // namespace

TEST(MimeMessage, BodyAloneIsOneBase64TextPart) {
    EXPECT_EQ(BuildMimeMessage(smallMail()),
              QByteArray("Date: Fri, 03 Jul 2009 14:05:09 +0200\r\n"
                         "From: <ola@firma.no>\r\n"
                         "To: \"Dalvora\" <telva@dalvora.no>\r\n"
                         "Subject: Test av TELVA Duv\r\n"
                         "Message-ID: <1234@firma.no>\r\n"
                         "MIME-Version: 1.0\r\n"
                         "Content-Type: text/plain; charset=windows-1252\r\n"
                         "Content-Transfer-Encoding: base64\r\n"
                         "\r\n"
                         "SHZpcyBkdSBrYW4gbGVzZSBkZXR0ZSBrbGFydGUgcHJvZ3JhbW1ldCDlIHNlbmRlIG1haWwNCg==\r\n"));
}

TEST(MimeMessage, WithoutSenderTheMailSystemPutsInItsOwn) {
    MimeMail mail = smallMail();
    mail.fromAddress.clear();
    const QByteArray message = BuildMimeMessage(mail);
    EXPECT_FALSE(message.contains("From:"));
    EXPECT_TRUE(message.startsWith("Date: Fri, 03 Jul 2009 14:05:09 +0200\r\nTo: \"Dalvora\""));
}

TEST(MimeMessage, AttachmentMakesAMultipartWithTheFileAfterTheBody) {
    MimeMail mail = smallMail();
    mail.body = "Informasjon\r\n\r\n";
    mail.attachment = MimeAttachment{QStringLiteral("vedlegg.txt"), "kryptert\r\n"};
    EXPECT_EQ(BuildMimeMessage(mail),
              QByteArray("Date: Fri, 03 Jul 2009 14:05:09 +0200\r\n"
                         "From: <ola@firma.no>\r\n"
                         "To: \"Dalvora\" <telva@dalvora.no>\r\n"
                         "Subject: Test av TELVA Duv\r\n"
                         "Message-ID: <1234@firma.no>\r\n"
                         "MIME-Version: 1.0\r\n"
                         "Content-Type: multipart/mixed; boundary=\"=_grense\"\r\n"
                         "\r\n"
                         "--=_grense\r\n"
                         "Content-Type: text/plain; charset=windows-1252\r\n"
                         "Content-Transfer-Encoding: base64\r\n"
                         "\r\n"
                         "SW5mb3JtYXNqb24NCg0K\r\n"
                         "--=_grense\r\n"
                         "Content-Type: text/plain; charset=windows-1252; name=\"vedlegg.txt\"\r\n"
                         "Content-Disposition: attachment; filename=\"vedlegg.txt\"\r\n"
                         "Content-Transfer-Encoding: base64\r\n"
                         "\r\n"
                         "a3J5cHRlcnQNCg==\r\n"
                         "--=_grense--\r\n"));
}

TEST(MimeMessage, LongLinesAndEveryByteComeBackExactly) {
    // An envelope's Base64 line runs to tens of kilobytes; bare CR, bare LF and every byte value must
    // survive too.
    const QByteArray body = "Informasjon\r\n<--------START-------------" + QByteArray(60000, 'A') + "\r\n" +
                            pseudoRandomBytes(5000, 7) + "\r\n";
    const QByteArray attachment = pseudoRandomBytes(70001, 11) + "\n\r\r\n";
    MimeMail mail = smallMail();
    mail.body = body;
    mail.attachment = MimeAttachment{QStringLiteral("vedlegg.txt"), attachment};
    const QByteArray message = BuildMimeMessage(mail);

    for (const QByteArray& line : message.split('\n')) {
        EXPECT_LE(line.size(), 78);
    }
    EXPECT_EQ(message.count('\n'), message.count("\r\n"));
    EXPECT_EQ(message.count('\r'), message.count("\r\n"));

    const qsizetype bodyStart = message.indexOf("\r\n\r\n", message.indexOf("--=_grense\r\n")) + 4;
    qsizetype bodyEnd = 0;
    EXPECT_EQ(decodeBase64Lines(message, bodyStart, &bodyEnd), body);
    const qsizetype attachmentStart = message.indexOf("\r\n\r\n", bodyEnd) + 4;
    EXPECT_EQ(decodeBase64Lines(message, attachmentStart), attachment);
}
