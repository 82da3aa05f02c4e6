#include "app/SelfTests.h"

#include <gtest/gtest.h>

#include "support/RecordingMailTransport.h"
#include "support/ScriptedPrompter.h"

using namespace telvainn;

namespace {

const QString kGroupWiseQuestion = QStringLiteral(
    "Du står registrert som en GroupWise-bruker.\n\rGroupWise krever trolig at teksten \"UT:\" legges til "
    "foran\n\r"
    "e-post adresser for eksterne mottakere. Når programmet sender e-post,\n\rvil det derfor normalt legge "
    "til denne "
    "teksten foran adressen,\n\rslik at programmet skal kunne klare å sende ekstern e-post.\n\r\n\rI dette "
    "tilfellet "
    "antas det at adressen er en intern adresse,\n\rog disse tre tegnene vil kunne sløyfes.\n\r\n\rVi "
    "anbefaler at "
    "du også tester e-post funksjonaliteten i dette\n\rprogrammet mot en ekstern adresse.\n\r\n\rØnsker du "
    "at "
    "programmet skal legge til teksten \"UT:\" foran adressen nå?");

const QString kLotusNotesWarning = QStringLiteral(
    "Du står registrert som en Lotus Notes-bruker.\n\rErfaringer viser at dette programmet ikke støtter "
    "Lotus "
    "Notes\n\re-post system ordentlig. Hos enkelte brukere har det vist seg å fungere\n\rbedre enn hos "
    "andre, men du "
    "må regne med å gjøre noen ekstra små\n\rtriks for å få sendt dine rapporter til Dalvora.\n\r\n\rVed "
    "senere "
    "forsøk på å sende rapporter, vil programmet komme med mer\n\rinformasjon om dette. \n\r\n\rI denne "
    "testmodulen "
    "kan du sjekke hvordan systemet oppfører seg hos deg.\n\rKanskje vil programmet fortelle deg at det ikke "
    "klarte å "
    "sende.\n\rUansett bør du gå inn i e-post programmet ditt etterpå, og lete etter\n\ren e-post som er "
    "påbegynt, men "
    "ikke sendt (?)\n\rNormalt vil den påbegynte e-posten mangle mottaker-adresse og enmetekst.\n\r\n\rKlikk "
    "'OK' for "
    "å fortsette.");

const QString kOtherSystemNotice = QStringLiteral(
    "Dette programmet støtter ikke alle e-post systemer og nettverksløsninger\n\rrundt om i de forskjellige "
    "selskaper.\n\rDersom du ikke klarer å gjennomføre en vellykket test her og nå, så\n\rfinnes det "
    "alternative "
    "måter å sende rapportene til Dalvora på.\n\r\n\rProgrammet vil komme med mer informasjon om dette når "
    "du "
    "forsøker å\n\rsende en rapport senere.");

const QString kDalvora = QStringLiteral("Dalvora");

}  // namespace

TEST(MailSelfTest, AnEmptyAddressSendsNothing) {
    RecordingMailTransport transport;
    ScriptedPrompter silent;
    const MailSelfTest test = RunMailSelfTest(QStringLiteral("   "), QStringLiteral("Ola"),
                                              QStringLiteral("Annet"), kDalvora, transport, silent);
    EXPECT_FALSE(test.sent);
    EXPECT_EQ(test.message,
              QStringLiteral("Du må fylle ut e-post adresse-informasjonen i feltene for dette."));
    EXPECT_TRUE(transport.mails.empty());
    EXPECT_TRUE(silent.messages.isEmpty());
}

TEST(MailSelfTest, OtherSystemsAreToldFirstAndTheMailGoesToTheTrimmedAddressAndName) {
    RecordingMailTransport transport;
    ScriptedPrompter silent;
    const MailSelfTest test =
        RunMailSelfTest(QStringLiteral(" ola@firma.no "), QStringLiteral(" Ola Nordmann "),
                        QStringLiteral("Microsoft Outlook/Exchange"), kDalvora, transport, silent);
    EXPECT_TRUE(test.sent);
    EXPECT_EQ(silent.messages, QStringList{kOtherSystemNotice});
    ASSERT_EQ(transport.mails.size(), 1u);
    EXPECT_EQ(transport.mails[0].request.recipientAddress, QStringLiteral("ola@firma.no"));
    EXPECT_EQ(transport.mails[0].request.recipientName, QStringLiteral("Ola Nordmann"));
    EXPECT_EQ(transport.mails[0].request.subject, QStringLiteral("Test av TELVA Duv"));
    EXPECT_EQ(
        test.message,
        QStringLiteral("Det er forsøkt sendt en e-post til adressen <ola@firma.no>.\n\rSjekk om e-posten er "
                       "mottatt."));
    EXPECT_EQ(test.addressField, QStringLiteral(" ola@firma.no "));
}

TEST(MailSelfTest, GroupWiseUsersChooseUtInFrontAndEachYesAddsOne) {
    RecordingMailTransport transport;
    ScriptedPrompter yes({Answer::Yes, Answer::Yes});
    const MailSelfTest first = RunMailSelfTest(QStringLiteral("ola@firma.no"), QString(),
                                               QStringLiteral("GroupWise"), kDalvora, transport, yes);
    EXPECT_EQ(yes.questions, QStringList{kGroupWiseQuestion});
    EXPECT_EQ(first.addressField, QStringLiteral("UT:ola@firma.no"));
    EXPECT_EQ(first.message,
              QStringLiteral("Det er forsøkt sendt en e-post til adressen <ola@firma.no>.\n\rSjekk "
                             "om e-posten er mottatt."));
    const MailSelfTest second =
        RunMailSelfTest(first.addressField, QString(), QStringLiteral("GroupWise"), kDalvora, transport, yes);
    EXPECT_EQ(second.addressField, QStringLiteral("UT:UT:ola@firma.no"));
    ASSERT_EQ(transport.mails.size(), 2u);
    EXPECT_EQ(transport.mails[0].request.recipientAddress, QStringLiteral("UT:ola@firma.no"));
    EXPECT_EQ(transport.mails[1].request.recipientAddress, QStringLiteral("UT:UT:ola@firma.no"));

    ScriptedPrompter no({Answer::No});
    const MailSelfTest kept = RunMailSelfTest(QStringLiteral("ola@firma.no"), QString(),
                                              QStringLiteral("groupwise"), kDalvora, transport, no);
    EXPECT_EQ(kept.addressField, QStringLiteral("ola@firma.no"));
    EXPECT_EQ(transport.mails[2].request.recipientAddress, QStringLiteral("ola@firma.no"));
}

TEST(MailSelfTest, LotusNotesIsWarnedAndTheMailIsTriedAnywayAndAFailureIsReported) {
    RecordingMailTransport transport;
    transport.failAt = 1;
    ScriptedPrompter silent;
    const MailSelfTest test = RunMailSelfTest(QStringLiteral("ola@firma.no"), QString(),
                                              QStringLiteral("Lotus Notes"), kDalvora, transport, silent);
    EXPECT_EQ(silent.messages, QStringList{kLotusNotesWarning});
    EXPECT_EQ(transport.mails.size(), 1u);
    EXPECT_FALSE(test.sent);
    EXPECT_EQ(test.message, QStringLiteral("Programmet klarte ikke å sende noen mail til <ola@firma.no>"));
    EXPECT_EQ(test.reason, transport.failure);
}

TEST(InternetSelfTest, AnEmptyAddressIsAskedForBeforeAnyTest) {
    const InternetSelfTest test = RunInternetSelfTest(QString());
    EXPECT_FALSE(test.tested);
    EXPECT_FALSE(test.connected);
    EXPECT_EQ(test.message,
              QStringLiteral("Du må angi en web-adresse som programmet kan forsøke å aksessere."));
}

TEST(MailSelfTest, TheShownTextGivesTheReasonOfAFailureOnly) {
    MailSelfTest test;
    test.message = QStringLiteral("Programmet klarte ikke å sende noen mail til <ola@firma.no>");
    test.reason = QStringLiteral("Fikk ikke kontakt med e-posttjeneren 127.0.0.1:25");
    EXPECT_EQ(mailSelfTestText(test),
              QStringLiteral("Programmet klarte ikke å sende noen mail til <ola@firma.no>\n\r\n\rFikk ikke "
                             "kontakt med e-posttjeneren 127.0.0.1:25"));
    test.reason.clear();
    EXPECT_EQ(mailSelfTestText(test), test.message);
    test.sent = true;
    test.message = QStringLiteral("Det er forsøkt sendt en e-post til adressen <ola@firma.no>.");
    test.reason = QStringLiteral("ubrukt");
    EXPECT_EQ(mailSelfTestText(test), test.message);
}
