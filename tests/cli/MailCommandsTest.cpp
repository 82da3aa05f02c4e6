#include <gtest/gtest.h>

#include "support/CliRunner.h"

namespace {

const QString kSample = QStringLiteral(TELVAINN_SAMPLES_DIR "/datafil-eksempel.txt");

// The mail commands where no mail leaves the machine: usage, questions, and no mail system configured.
class MailCommandsTest : public ::testing::Test {
  protected:
    CliRunner cli;
};

const QByteArray kNoServer =
    "[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n[EPOST]\r\nSYSTEM=Microsoft "
    "Outlook/Exchange\r\nTRANSPORT=SMTP\r\n";

}  // namespace

TEST_F(MailCommandsTest, SendDatafilWithoutAMailSystemFailsWithTheNoClientMessage) {
    cli.configure(kNoServer);
    const CliRun run = cli.run({QStringLiteral("send-datafil"), kSample});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err,
              QStringLiteral("Klarte ikke å sende filen!\nNo Simple MAPI client installed, cannot send the "
                             "message\n\nSendt: ingen.\nIkke sendt: Regnr 4567 R10.\n"));

    cli.configure(
        "[KONFIGURASJON]\r\nDSNR=123\r\n[EPOST]\r\nSYSTEM=Microsoft Outlook/Exchange\r\n"
        "TRANSPORT=SENDMAIL\r\nSENDMAIL_PROGRAM=/finnes/ikke/sendmail -t\r\n");
    const CliRun sendmail = cli.run({QStringLiteral("send-datafil"), kSample});
    EXPECT_EQ(sendmail.exitCode, 1);
    EXPECT_EQ(sendmail.err, run.err);
}

TEST_F(MailCommandsTest, SendDatafilAsksLikeKrypterDatafil) {
    cli.configure(
        "[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n[EPOST]\r\nSYSTEM=Annet\r\nTRANSPORT=SMTP\r\n");
    const CliRun refused = cli.run({QStringLiteral("send-datafil"), kSample, QStringLiteral("--test")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.startsWith(
        QStringLiteral("Du er ikke registrert som bruker av noe spesielt e-post system.\n\nProgrammet vil")))
        << refused.err.toStdString();
    EXPECT_TRUE(
        refused.err.contains(QStringLiteral("EMNETEKST:\nTEST: Dsnr: 123, Regnr: 4567, rapp: <nr>, "
                                            "periode: <ååååmm>, mail: Annet\n")));
    EXPECT_TRUE(refused.err.endsWith(
        QStringLiteral("Ønsker du at programmet skal sende rapporten nå?\n[j/n] n (ingen "
                       "terminal å spørre på; bruk --ja for å svare ja)\nOperasjonen ble "
                       "avbrutt av brukeren!\n")))
        << refused.err.toStdString();

    const CliRun accepted = cli.run({QStringLiteral("send-datafil"), kSample, QStringLiteral("--ja")});
    EXPECT_EQ(accepted.exitCode, 1);
    EXPECT_TRUE(accepted.err.contains(QStringLiteral("[j/n] j (--ja)\n")));
    EXPECT_TRUE(accepted.err.endsWith(QStringLiteral(
        "Klarte ikke å sende filen!\nNo Simple MAPI client installed, cannot send the message\n\nSendt: "
        "ingen.\nIkke sendt: Regnr 4567 R10.\n")));
}

TEST_F(MailCommandsTest, SendDatafilUsage) {
    const CliRun none = cli.run({QStringLiteral("send-datafil")});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(
        none.err.startsWith(QStringLiteral("Oppgi nøyaktig én datafil.\nBruk: telvainn-cli send-datafil "
                                           "DATAFIL [--test] [--ja] [--send-igjen]\n")));
    const CliRun unknown = cli.run({QStringLiteral("send-datafil"), kSample, QStringLiteral("--ut")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.startsWith(QStringLiteral("Ukjent valg: --ut\n")));
    const CliRun help = cli.run({QStringLiteral("send-datafil"), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("TELVAINN_SMTP_PASSORD")));

    const CliRun overview = cli.run({QStringLiteral("--help")});
    for (const char* command : {"send-datafil", "test-epost", "test-internett"}) {
        EXPECT_TRUE(overview.out.contains(QLatin1String("\n  ") + QLatin1String(command) + QLatin1Char(' ')))
            << command;
    }
}

TEST_F(MailCommandsTest, TestEpostReportsTheOutcomeAndWhy) {
    cli.configure(kNoServer);
    const CliRun run =
        cli.run({QStringLiteral("test-epost"), QStringLiteral("ola@firma.no"), QStringLiteral("Ola")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("Dette programmet støtter ikke alle e-post systemer og nettverksløsninger\n"
                             "rundt om i de forskjellige selskaper.\nDersom du ikke klarer å gjennomføre "
                             "en vellykket test her og nå, så\nfinnes det alternative måter å sende "
                             "rapportene til Dalvora på.\n\nProgrammet vil komme med mer informasjon om "
                             "dette når du forsøker å\nsende en rapport senere.\n"
                             "Programmet klarte ikke å sende noen mail til <ola@firma.no>\n"
                             "No Simple MAPI client installed, cannot send the message\n"));

    const CliRun empty = cli.run({QStringLiteral("test-epost"), QStringLiteral("  ")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err,
              QStringLiteral("Du må fylle ut e-post adresse-informasjonen i feltene for dette.\n"));

    const CliRun tooMany = cli.run(
        {QStringLiteral("test-epost"), QStringLiteral("a@b.no"), QStringLiteral("A"), QStringLiteral("B")});
    EXPECT_EQ(tooMany.exitCode, 2);
    EXPECT_TRUE(tooMany.err.startsWith(QStringLiteral("Oppgi en adresse og eventuelt et navn.\n")));
}

TEST_F(MailCommandsTest, TestInternettWithoutAnAddress) {
    const CliRun run = cli.run({QStringLiteral("test-internett"), QStringLiteral(" ")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, QStringLiteral("Du må angi en web-adresse som programmet kan forsøke å aksessere.\n"));
    const CliRun none = cli.run({QStringLiteral("test-internett")});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.startsWith(QStringLiteral("Oppgi nøyaktig én web-adresse.\n")));
}
