#include "app/MailSystemConfirmation.h"

#include <gtest/gtest.h>

#include "support/ScriptedPrompter.h"

using namespace telvainn;

namespace {

TSettings configured(const QString& system) {
    TSettings settings;
    settings.Dsnr = 7;
    settings.Regnr = 42;
    settings.EmailSystem = system;
    settings.RecipientName = QStringLiteral("Dalvora");
    settings.RecipientAddress = QStringLiteral("telva@dalvora.no");
    return settings;
}

const QString kGroupWise = QStringLiteral(
    "Du er registrert som bruker av GroupWise e-post system.\n\r\n\rNår du ber programmet sende e-post, vil "
    "programmet "
    "legge til\n\rteksten \"UT:\" foran e-post adressen som normalt blir brukt av\n\rprogrammet.\n\rHvis du "
    "har "
    "erfart at dette ikke går bra, bør du forsøke å registrere\n\rdeg som bruker av \"ANNET\" e-post system. "
    "Da vil "
    "ikke programmet legge til\n\rdenne ekstra teksten.\n\r\n\rVil du fortsatt at programmet skal forsøke å "
    "sende "
    "rapporten nå?");

QString lotusNotes(const QString& hint) {
    return QStringLiteral(
               "Du er registrert som bruker av Lotus Notes e-post system.\n\r\n\rDet e-post systemet støttes "
               "ikke av "
               "dette programmet, men noen brukere\n\rhar funnet ut at det dannes en påbegynt e-post som "
               "inneholder det "
               "som\n\rskal sendes, men som mangler adressat og emnetekst.\n\r\n\rHos noen få viser det seg "
               "at selve "
               "innholdet er feil, og rapporten blir da\n\ravvist hos Dalvora.\n\r\n\rHvis du ikke ønsker å "
               "la "
               "programmet forsøke å sende rapporten, kan du\n\ri stedet lagre rapporten som kryptert fil, "
               "og sende den "
               "manuelt.\n\r(Forklaring på hvodan du gjør det, får du når du velger det "
               "menypunktet).\n\r\n\rHvis du "
               "derimot ønsker å la programmet forsøke å sende rapporten,\n\rkan du notere "
               "adresse-informasjonen "
               "nedenfor:\n\r\n\rTIL:\n\rtelva@dalvora.no\n\r\n\rEMNETEKST:\n\r") +
           hint + QStringLiteral("\n\r\n\rØnsker du at programmet skal sende rapporten nå?");
}

QString otherSystem(const QString& hint) {
    return QStringLiteral(
               "Du er ikke registrert som bruker av noe spesielt e-post system.\n\r\n\rProgrammet vil "
               "forsøke å sende "
               "rapporten, men det kan feile. I enkelte systemer\n\rgenereres en e-post, men den blir ikke "
               "sendt. Hvis "
               "dette skjer hos deg, kan du\n\rforsøke å fullføre sendingen manuelt. Sjekk da at "
               "adresseinformasjonen "
               "er som følger:\n\r\n\rTIL:\n\rtelva@dalvora.no\n\r\n\rEMNETEKST:\n\r") +
           hint +
           QStringLiteral(
               "\n\r\n\rHvis du ikke ønsker å la programmet forsøke å sende rapporten, kan du\n\ri stedet "
               "lagre "
               "rapporten som kryptert fil, og sende den manuelt.\n\r(Forklaring på hvodan du gjør det, får "
               "du når du "
               "velger det menypunktet).\n\r\n\rØnsker du at programmet skal sende rapporten nå?");
}

}  // namespace

TEST(MailSystemConfirmation, GroupWiseInAnyCaseIsWarnedAboutUt) {
    for (const QString& system : {QStringLiteral("GroupWise"), QStringLiteral("groupwise")}) {
        ScriptedPrompter yes({Answer::Yes});
        EXPECT_TRUE(ConfirmMailSystem(configured(system), false, yes));
        EXPECT_EQ(yes.questions, QStringList{kGroupWise});
    }
    ScriptedPrompter no({Answer::No});
    EXPECT_FALSE(ConfirmMailSystem(configured(QStringLiteral("GroupWise")), false, no));
}

TEST(MailSystemConfirmation, LotusNotesShowsAddressAndSubjectHintWithLiteralPlaceholders) {
    ScriptedPrompter yes({Answer::Yes});
    EXPECT_TRUE(ConfirmMailSystem(configured(QStringLiteral("Lotus Notes")), false, yes));
    EXPECT_EQ(
        yes.questions,
        QStringList{lotusNotes(QStringLiteral("Dsnr: 7, Regnr: 42, rapp: <nr>, periode: <ååååmm>, mail: "
                                              "Lotus Notes"))});
    ScriptedPrompter no({Answer::No});
    EXPECT_FALSE(ConfirmMailSystem(configured(QStringLiteral("LOTUS NOTES")), true, no));
    EXPECT_EQ(no.questions, QStringList{lotusNotes(QStringLiteral(
                                "TEST: Dsnr: 7, Regnr: 42, rapp: <nr>, periode: <ååååmm>, mail: "
                                "LOTUS NOTES"))});
}

TEST(MailSystemConfirmation, AnyOtherSystemAsksWithTheSameHint) {
    for (const QString& system : {QStringLiteral("Annet"), QStringLiteral("Thunderbird"), QString()}) {
        ScriptedPrompter yes({Answer::Yes});
        EXPECT_TRUE(ConfirmMailSystem(configured(system), true, yes));
        EXPECT_EQ(
            yes.questions,
            QStringList{otherSystem(QStringLiteral("TEST: Dsnr: 7, Regnr: 42, rapp: <nr>, periode: <ååååmm>, "
                                                   "mail: ") +
                                    system)});
    }
    ScriptedPrompter no({Answer::No});
    EXPECT_FALSE(ConfirmMailSystem(configured(QStringLiteral("Annet")), false, no));
}

TEST(MailSystemConfirmation, OutlookGoesOnWithoutAQuestion) {
    ScriptedPrompter silent;
    EXPECT_TRUE(ConfirmMailSystem(configured(QStringLiteral("Microsoft Outlook/Exchange")), false, silent));
    EXPECT_TRUE(ConfirmMailSystem(configured(QStringLiteral("microsoft outlook/exchange")), true, silent));
    EXPECT_TRUE(silent.questions.isEmpty());
}
