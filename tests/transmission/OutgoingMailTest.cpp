#include "transmission/OutgoingMail.h"

#include <gtest/gtest.h>

#include <QTimeZone>

using namespace telvainn;

namespace {

const QDateTime kNow(QDate(2009, 7, 3), QTime(14, 5, 9), QTimeZone(7200));

MailRequest request() {
    MailRequest r;
    r.recipientAddress = QStringLiteral(" telva@dalvora.no ");
    r.recipientName = QStringLiteral("Dalvora");
    r.subject = QStringLiteral("Test av TELVA Duv");
    r.body = "tekst";
    return r;
}

// The decoded body of a single-part message.
QByteArray bodyOf(const QByteArray& message) {
    return QByteArray::fromBase64(message.mid(message.indexOf("\r\n\r\n") + 4).replace("\r\n", ""));
}

QString errorOf(const MailRequest& r, const QString& sender = QStringLiteral("ola@firma.no")) {
    try {
        PrepareOutgoingMail(r, sender, kNow);
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("(ingen feil)");
}

}  // namespace

TEST(OutgoingMail, AddressesHeadersAndTheClosingLineEnd) {
    const OutgoingMail mail = PrepareOutgoingMail(request(), QStringLiteral("ola@firma.no"), kNow);
    EXPECT_EQ(mail.sender, QByteArray("ola@firma.no"));
    EXPECT_EQ(mail.recipient, QByteArray("telva@dalvora.no"));
    EXPECT_TRUE(
        mail.message.startsWith("Date: Fri, 03 Jul 2009 14:05:09 +0200\r\n"
                                "From: <ola@firma.no>\r\n"
                                "To: \"Dalvora\" <telva@dalvora.no>\r\n"
                                "Subject: Test av TELVA Duv\r\n"
                                "Message-ID: <"))
        << mail.message.toStdString();
    EXPECT_TRUE(mail.message.contains("@firma.no>\r\nMIME-Version: 1.0\r\n"));
    EXPECT_EQ(bodyOf(mail.message), QByteArray("tekst\r\n"));

    // A body that ends with CR LF is sent as it is.
    MailRequest ended = request();
    ended.body = "tekst\r\n\r\n";
    EXPECT_EQ(bodyOf(PrepareOutgoingMail(ended, QString(), kNow).message), QByteArray("tekst\r\n\r\n"));
    ended.body = "tekst\n";
    EXPECT_EQ(bodyOf(PrepareOutgoingMail(ended, QString(), kNow).message), QByteArray("tekst\n\r\n"));
}

TEST(OutgoingMail, EveryMailHasItsOwnMessageId) {
    const QByteArray first = PrepareOutgoingMail(request(), QString(), kNow).message;
    const QByteArray second = PrepareOutgoingMail(request(), QString(), kNow).message;
    const auto id = [](const QByteArray& m) {
        const qsizetype at = m.indexOf("Message-ID: <");
        return m.mid(at, m.indexOf("\r\n", at) - at);
    };
    EXPECT_NE(id(first), id(second));
    EXPECT_FALSE(first.contains("From:"));
}

TEST(OutgoingMail, TheAddressStandsInForAMissingNameAndGroupWisePrefixesAreDropped) {
    MailRequest r = request();
    r.recipientName.clear();
    for (const QString& configured :
         {QStringLiteral(" UT:telva@dalvora.no"), QStringLiteral("ut: telva@dalvora.no "),
          QStringLiteral("UT:UT:telva@dalvora.no"), QStringLiteral("telva@dalvora.no")}) {
        SCOPED_TRACE(configured.toStdString());
        r.recipientAddress = configured;
        const OutgoingMail mail = PrepareOutgoingMail(r, QString(), kNow);
        EXPECT_EQ(mail.recipient, QByteArray("telva@dalvora.no"));
        EXPECT_TRUE(mail.message.contains("\r\nTo: \"telva@dalvora.no\" <telva@dalvora.no>\r\n"))
            << mail.message.left(400).toStdString();
    }
    // Only a prefix goes; "UT:" elsewhere is part of the mailbox.
    EXPECT_EQ(DeliveryAddress(QStringLiteral("OUT:telva@dalvora.no")),
              QStringLiteral("OUT:telva@dalvora.no"));
}

TEST(OutgoingMail, AddressFailuresAreMapiErrors) {
    MailRequest badRecipient = request();
    badRecipient.recipientAddress = QStringLiteral(" ola nordmann@firma.no ");
    EXPECT_EQ(errorOf(badRecipient),
              QStringLiteral("MAPI Error: (25) \"Mottakeradressen <ola nordmann@firma.no> er ikke en gyldig "
                             "e-postadresse.\""));
    EXPECT_EQ(errorOf(request(), QStringLiteral("ola på firma")),
              QStringLiteral(
                  "MAPI Error: (2) \"Avsenderadressen <ola på firma> er ikke en gyldig e-postadresse.\""));
}
