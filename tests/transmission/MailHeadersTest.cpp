#include "transmission/MailHeaders.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTimeZone>

#include "core/Windows1252.h"

using namespace telvainn;

namespace {

// A reader's view of a header field: the value after "Name: " with the folds removed and every
// windows-1252 encoded word decoded (the blanks between two encoded words do not count).
QString readField(const QByteArray& field) {
    EXPECT_TRUE(field.endsWith("\r\n"));
    QByteArray unfolded = field.chopped(2);
    unfolded.replace("\r\n", "");
    const qsizetype colon = unfolded.indexOf(": ");
    const QString value = QString::fromLatin1(unfolded.mid(colon + 2));
    static const QRegularExpression word(QStringLiteral("=\\?windows-1252\\?B\\?([A-Za-z0-9+/=]*)\\?="));
    QString text;
    qsizetype at = 0;
    bool previousWasWord = false;
    for (QRegularExpressionMatchIterator it = word.globalMatch(value); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString between = value.mid(at, match.capturedStart() - at);
        if (!(previousWasWord && between.trimmed().isEmpty())) {
            text += between;
        }
        text += fromWindows1252(QByteArray::fromBase64(match.captured(1).toLatin1()));
        at = match.capturedEnd();
        previousWasWord = true;
    }
    return text + value.mid(at);
}

::testing::AssertionResult linesWithin(const QByteArray& field, qsizetype limit) {
    for (const QByteArray& line : field.split('\n')) {
        if (line.size() - 1 > limit) {
            return ::testing::AssertionFailure()
                   << "line of " << line.size() - 1 << ": " << line.toStdString();
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(MailHeaders, PlainSubjectsGoAsTheyAreAndFoldBeforeABlank) {
    EXPECT_EQ(mime::unstructuredField("Subject", QStringLiteral("Test av TELVA Duv")),
              QByteArray("Subject: Test av TELVA Duv\r\n"));
    const QString subject =
        QStringLiteral("Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:Microsoft Outlook/Exchange");
    const QByteArray field = mime::unstructuredField("Subject", subject);
    EXPECT_EQ(field, QByteArray("Subject: Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:Microsoft\r\n"
                                " Outlook/Exchange\r\n"));
    EXPECT_EQ(readField(field), subject);
}

TEST(MailHeaders, TextThatIsNotPlainAsciiTravelsAsEncodedWords) {
    const QString nonAscii =
        QStringLiteral("Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:Økonomi på «nett» – test");
    const QString suspicious = QStringLiteral("=?utf-8?Q?x?= ser ut som et kodet ord");
    const QString padded = QStringLiteral("  blanke rundt  ");
    const QString oneLongWord = QString(1500, QLatin1Char('x'));
    const QString lineBreak = QStringLiteral("to\r\nlinjer");
    for (const QString& text : {nonAscii, suspicious, padded, oneLongWord, lineBreak}) {
        const QByteArray field = mime::unstructuredField("Subject", text);
        EXPECT_TRUE(field.startsWith("Subject: =?windows-1252?B?")) << field.toStdString();
        EXPECT_EQ(readField(field), text);
        EXPECT_TRUE(linesWithin(field, 76));
        for (const QByteArray& line : field.split('\n')) {
            // Every encoded word stays within the 75 characters RFC 2047 allows.
            for (const QByteArray& token : line.trimmed().split(' ')) {
                EXPECT_LE(token.size(), 75) << token.toStdString();
            }
        }
    }
    // The bytes of the words are Windows-1252: "Ø" is the single byte 0xD8.
    EXPECT_TRUE(QByteArray::fromBase64(mime::unstructuredField("Subject", QStringLiteral("Ø")).mid(26, 4))
                    .startsWith("\xD8"));
}

TEST(MailHeaders, ManyWordsFoldIntoLinesOf78) {
    QString text;
    for (int i = 0; i < 60; ++i) {
        text += QStringLiteral("ord%1  ").arg(i);
    }
    text += QStringLiteral("slutt");
    const QByteArray field = mime::unstructuredField("Subject", text);
    EXPECT_TRUE(field.startsWith("Subject: ord0"));
    EXPECT_GT(field.count("\r\n"), 5);
    EXPECT_TRUE(linesWithin(field, 78));
    EXPECT_EQ(readField(field), text);
    // No fold leaves a line of blanks only.
    for (const QByteArray& line : field.split('\n')) {
        EXPECT_FALSE(line.trimmed().isEmpty() && line.size() > 1);
    }
}

TEST(MailHeaders, MailboxWithQuotedOrEncodedDisplayName) {
    EXPECT_EQ(mime::mailboxField("To", QStringLiteral("Dalvora"), "telva@dalvora.no"),
              QByteArray("To: \"Dalvora\" <telva@dalvora.no>\r\n"));
    EXPECT_EQ(mime::mailboxField("To", QStringLiteral("Dalvora \"TELVA\" \\ mottak"), "telva@dalvora.no"),
              QByteArray("To: \"Dalvora \\\"TELVA\\\" \\\\ mottak\" <telva@dalvora.no>\r\n"));
    EXPECT_EQ(mime::mailboxField("From", QString(), "ola@firma.no"), QByteArray("From: <ola@firma.no>\r\n"));

    const QByteArray encoded =
        mime::mailboxField("To", QStringLiteral("Dalvora Østlandet"), "telva@dalvora.no");
    EXPECT_EQ(encoded, QByteArray("To: =?windows-1252?B?RGFsdm9yYSDYc3RsYW5kZXQ=?= <telva@dalvora.no>\r\n"));

    const QString longName = QString(120, QLatin1Char('n'));
    const QByteArray folded = mime::mailboxField("To", longName, "telva@dalvora.no");
    EXPECT_EQ(folded, "To: \"" + longName.toLatin1() + "\"\r\n <telva@dalvora.no>\r\n");
    const QByteArray huge = mime::mailboxField("To", QString(2000, QLatin1Char('n')), "telva@dalvora.no");
    EXPECT_TRUE(linesWithin(huge, 998));
    EXPECT_TRUE(huge.endsWith(" <telva@dalvora.no>\r\n"));
}

TEST(MailHeaders, DateInEnglishWithTheOffsetOfTheTime) {
    EXPECT_EQ(mime::dateValue(QDateTime(QDate(2009, 7, 3), QTime(14, 5, 9), QTimeZone(7200))),
              QByteArray("Fri, 03 Jul 2009 14:05:09 +0200"));
    EXPECT_EQ(mime::dateValue(QDateTime(QDate(2010, 1, 31), QTime(23, 59, 59), QTimeZone(-12600))),
              QByteArray("Sun, 31 Jan 2010 23:59:59 -0330"));
    EXPECT_EQ(mime::dateValue(QDateTime(QDate(2024, 12, 2), QTime(0, 0), QTimeZone::utc())),
              QByteArray("Mon, 02 Dec 2024 00:00:00 +0000"));
}

TEST(MailHeaders, WireAddresses) {
    EXPECT_EQ(mime::wireAddress(QStringLiteral("telva@dalvora.no")), QByteArray("telva@dalvora.no"));
    EXPECT_EQ(mime::wireAddress(QStringLiteral("  telva@dalvora.no \t")), QByteArray("telva@dalvora.no"));
    EXPECT_EQ(mime::wireAddress(QStringLiteral("SMTP:telva@dalvora.no")), QByteArray("telva@dalvora.no"));
    EXPECT_EQ(mime::wireAddress(QStringLiteral("smtp:ola.nordmann+telva@firma.no")),
              QByteArray("ola.nordmann+telva@firma.no"));
    // GroupWise's "UT:" is not part of a dot-atom, so the local part is quoted.
    EXPECT_EQ(mime::wireAddress(QStringLiteral("UT:telva@dalvora.no")),
              QByteArray("\"UT:telva\"@dalvora.no"));
    EXPECT_EQ(mime::wireAddress(QStringLiteral("UT:UT:telva@dalvora.no")),
              QByteArray("\"UT:UT:telva\"@dalvora.no"));
    EXPECT_EQ(mime::wireAddress(QStringLiteral("postmaster")), QByteArray("postmaster"));

    for (const QString& bad :
         {QString(), QStringLiteral("   "), QStringLiteral("SMTP:"), QStringLiteral("ola nordmann@firma.no"),
          QStringLiteral("øyvind@firma.no"), QStringLiteral("a@b.no>\r\nBcc: x@y.no"),
          QStringLiteral("<a@b.no>"), QStringLiteral("a@b.no,c@d.no"), QStringLiteral("a@b..no"),
          QStringLiteral("a@"), QStringLiteral("\"a\"@b.no"),
          QString(250, QLatin1Char('a')) + QStringLiteral("@b.no")}) {
        EXPECT_EQ(mime::wireAddress(bad), std::nullopt) << bad.toStdString();
    }
}
