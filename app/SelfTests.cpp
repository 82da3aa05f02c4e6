#include "app/SelfTests.h"

#include "transmission/OutgoingMail.h"
#include "transmission/ReportMailDispatcher.h"

namespace telvainn {
namespace {

QString groupWiseQuestion() {
    return QStringLiteral(
        "Du står registrert som en GroupWise-bruker.\n\rGroupWise krever trolig at teksten \"UT:\" legges "
        "til "
        "foran\n\re-post adresser for eksterne mottakere. Når programmet sender e-post,\n\rvil det derfor "
        "normalt legge til denne teksten foran adressen,\n\rslik at programmet skal kunne klare å sende "
        "ekstern "
        "e-post.\n\r\n\rI dette tilfellet antas det at adressen er en intern adresse,\n\rog disse tre "
        "tegnene "
        "vil kunne sløyfes.\n\r\n\rVi anbefaler at du også tester e-post funksjonaliteten i "
        "dette\n\rprogrammet "
        "mot en ekstern adresse.\n\r\n\rØnsker du at programmet skal legge til teksten \"UT:\" foran "
        "adressen "
        "nå?");
}

QString lotusNotesWarning(const QString& recipientName) {
    return QStringLiteral(
               "Du står registrert som en Lotus Notes-bruker.\n\rErfaringer viser at dette programmet ikke "
               "støtter Lotus Notes\n\re-post system ordentlig. Hos enkelte brukere har det vist seg å "
               "fungere\n\rbedre enn hos andre, men du må regne med å gjøre noen ekstra små\n\rtriks for å "
               "få "
               "sendt dine rapporter til ") +
           recipientName +
           QStringLiteral(
               ".\n\r\n\rVed senere forsøk på å sende rapporter, vil programmet komme med mer\n\rinformasjon "
               "om "
               "dette. \n\r\n\rI denne testmodulen kan du sjekke hvordan systemet oppfører seg hos deg.\n\r"
               "Kanskje vil programmet fortelle deg at det ikke klarte å sende.\n\rUansett bør du gå inn i "
               "e-post "
               "programmet ditt etterpå, og lete etter\n\ren e-post som er påbegynt, men ikke sendt (?)\n\r"
               "Normalt vil den påbegynte e-posten mangle mottaker-adresse og enmetekst.\n\r\n\rKlikk 'OK' "
               "for å "
               "fortsette.");
}

QString otherSystemNotice(const QString& recipientName) {
    return QStringLiteral(
               "Dette programmet støtter ikke alle e-post systemer og nettverksløsninger\n\rrundt om i de "
               "forskjellige selskaper.\n\rDersom du ikke klarer å gjennomføre en vellykket test her og nå, "
               "så\n\rfinnes det alternative måter å sende rapportene til ") +
           recipientName +
           QStringLiteral(
               " på.\n\r\n\rProgrammet vil komme med mer informasjon om dette når du forsøker å\n\rsende en "
               "rapport senere.");
}

}  // namespace

MailSelfTest RunMailSelfTest(const QString& addressField, const QString& nameField,
                             const QString& emailSystem, const QString& recipientName,
                             MailTransport& transport, Prompter& prompter) {
    MailSelfTest test;
    test.addressField = addressField;
    QString address = addressField.trimmed();
    if (address.isEmpty()) {
        test.message = kMissingTestAddressMessage;
        return test;
    }

    const QString system = emailSystem.toUpper();
    if (system == QLatin1String("GROUPWISE")) {
        if (prompter.ask(MessageKind::Warning, groupWiseQuestion(), Buttons::YesNo) == Answer::Yes) {
            test.addressField = QStringLiteral("UT:") + address;
            address = test.addressField;
        }
    } else if (system == QLatin1String("LOTUS NOTES")) {
        prompter.tell(MessageKind::Warning, lotusNotesWarning(recipientName));
    } else {
        prompter.tell(MessageKind::Information, otherSystemNotice(recipientName));
    }

    test.sent = SendTestMail(transport, address, nameField.trimmed(), &test.reason);
    // The messages name the mailbox the mail went to, which is the address without GroupWise's "UT:".
    const QString delivered = DeliveryAddress(address);
    test.message = test.sent ? QStringLiteral("Det er forsøkt sendt en e-post til adressen <") + delivered +
                                   QStringLiteral(">.\n\rSjekk om e-posten er mottatt.")
                             : QStringLiteral("Programmet klarte ikke å sende noen mail til <") + delivered +
                                   QLatin1Char('>');
    return test;
}

QString mailSelfTestText(const MailSelfTest& test) {
    if (test.sent || test.reason.isEmpty()) {
        return test.message;
    }
    return test.message + QStringLiteral("\n\r\n\r") + test.reason;
}

InternetSelfTest RunInternetSelfTest(const QString& addressField, std::chrono::milliseconds timeout) {
    InternetSelfTest test;
    if (addressField.isEmpty()) {
        test.message = QStringLiteral("Du må angi en web-adresse som programmet kan forsøke å aksessere.");
        return test;
    }
    test.tested = true;
    test.connected = InternetConnected(addressField, timeout);
    test.message = test.connected
                       ? QStringLiteral("Maskinen er koblet til Internett")
                       : QStringLiteral("Programmet klarte ikke å lese fra web-området:\r\n") + addressField;
    return test;
}

}  // namespace telvainn
