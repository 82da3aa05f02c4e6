#include "app/MailSystemConfirmation.h"

namespace telvainn {
namespace {

QString subjectHint(const TSettings& settings, bool testMode) {
    // The placeholders are shown as they are: the user fills them in when finishing a mail by hand.
    return (testMode ? QStringLiteral("TEST: Dsnr: ") : QStringLiteral("Dsnr: ")) +
           QString::number(settings.Dsnr) + QStringLiteral(", Regnr: ") + QString::number(settings.Regnr) +
           QStringLiteral(", rapp: <nr>, periode: <ååååmm>, mail: ") + settings.EmailSystem;
}

QString groupWiseQuestion() {
    return QStringLiteral(
        "Du er registrert som bruker av GroupWise e-post system.\n\r\n\rNår du ber programmet sende e-post, "
        "vil "
        "programmet legge til\n\rteksten \"UT:\" foran e-post adressen som normalt blir brukt "
        "av\n\rprogrammet.\n\r"
        "Hvis du har erfart at dette ikke går bra, bør du forsøke å registrere\n\rdeg som bruker av "
        "\"ANNET\" "
        "e-post system. Da vil ikke programmet legge til\n\rdenne ekstra teksten.\n\r\n\rVil du fortsatt at "
        "programmet skal forsøke å sende rapporten nå?");
}

QString lotusNotesQuestion(const QString& recipientName, const QString& addressLine, const QString& hint) {
    return QStringLiteral(
               "Du er registrert som bruker av Lotus Notes e-post system.\n\r\n\rDet e-post systemet støttes "
               "ikke av dette programmet, men noen brukere\n\rhar funnet ut at det dannes en påbegynt e-post "
               "som "
               "inneholder det som\n\rskal sendes, men som mangler adressat og emnetekst.\n\r\n\rHos noen få "
               "viser det seg at selve innholdet er feil, og rapporten blir da\n\ravvist hos ") +
           recipientName +
           QStringLiteral(
               ".\n\r\n\rHvis du ikke ønsker å la programmet forsøke å sende rapporten, kan du\n\ri stedet "
               "lagre "
               "rapporten som kryptert fil, og sende den manuelt.\n\r(Forklaring på hvodan du gjør det, får "
               "du "
               "når du velger det menypunktet).\n\r\n\rHvis du derimot ønsker å la programmet forsøke å "
               "sende "
               "rapporten,\n\rkan du notere adresse-informasjonen nedenfor:\n\r\n\rTIL:\n\r") +
           addressLine + QStringLiteral("\n\r\n\rEMNETEKST:\n\r") + hint +
           QStringLiteral("\n\r\n\rØnsker du at programmet skal sende rapporten nå?");
}

QString otherSystemQuestion(const QString& addressLine, const QString& hint) {
    return QStringLiteral(
               "Du er ikke registrert som bruker av noe spesielt e-post system.\n\r\n\rProgrammet vil "
               "forsøke å "
               "sende rapporten, men det kan feile. I enkelte systemer\n\rgenereres en e-post, men den blir "
               "ikke "
               "sendt. Hvis dette skjer hos deg, kan du\n\rforsøke å fullføre sendingen manuelt. Sjekk da at "
               "adresseinformasjonen er som følger:\n\r\n\rTIL:\n\r") +
           addressLine + QStringLiteral("\n\r\n\rEMNETEKST:\n\r") + hint +
           QStringLiteral(
               "\n\r\n\rHvis du ikke ønsker å la programmet forsøke å sende rapporten, kan du\n\ri stedet "
               "lagre "
               "rapporten som kryptert fil, og sende den manuelt.\n\r(Forklaring på hvodan du gjør det, får "
               "du "
               "når du velger det menypunktet).\n\r\n\rØnsker du at programmet skal sende rapporten nå?");
}

}  // namespace

bool ConfirmMailSystem(const TSettings& settings, bool testMode, Prompter& prompter) {
    const QString system = settings.EmailSystem.toUpper();
    const QString& addressLine = settings.RecipientAddress;
    QString question;
    if (system == QLatin1String("GROUPWISE")) {
        question = groupWiseQuestion();
    } else if (system == QLatin1String("LOTUS NOTES")) {
        question = lotusNotesQuestion(settings.RecipientName, addressLine, subjectHint(settings, testMode));
    } else if (system == QLatin1String("MICROSOFT OUTLOOK/EXCHANGE")) {
        return true;
    } else {
        question = otherSystemQuestion(addressLine, subjectHint(settings, testMode));
    }
    return prompter.ask(MessageKind::Warning, question, Buttons::YesNo) == Answer::Yes;
}

}  // namespace telvainn
