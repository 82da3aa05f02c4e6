#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>

#include "app/SendHistory.h"
#include "core/FileIo.h"
#include "support/CliRunner.h"
#include "support/DataLines.h"
#include "support/Processes.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"

using namespace telvainn;

namespace {

const QString kSample = QStringLiteral(TELVAINN_SAMPLES_DIR "/datafil-eksempel.txt");
const QString kNotRegular = QStringLiteral(
    "Det er ikke en vanlig fil, men en mappe, et rør eller en enhet. Programmet leser bare vanlige filer.");
const QString kLink = QStringLiteral(
    "Det ligger en symbolsk lenke med dette navnet, og programmet skriver ikke gjennom lenker. Slett lenken "
    "eller velg et annet filnavn.");

// telvainn-cli given what an attacker or a crowded machine gives it: links planted at its output names,
// pipes and devices as input, full disks, limits, terminals, files from other systems.
class HostileInputTest : public ::testing::Test {
  protected:
    void SetUp() override { cli.configure("[KONFIGURASJON]\r\nDSNR=123\r\n"); }

    QString inHome(const QString& name) const { return cli.home.filePath(name); }
    QString encryptedFile(const char* regnrAndReport) const {
        return inHome(
            QStringLiteral("Kryptert_fil_Periode200906_RegNr%1.txt").arg(QLatin1String(regnrAndReport)));
    }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(inHome(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    CliRun encryptSample(const CliConditions& conditions = {}) const {
        return cli.run(
            {QStringLiteral("krypter-datafil"), kSample, QStringLiteral("--ut"), inHome("Filnavn")},
            conditions);
    }

    CliRunner cli;
};

}  // namespace

TEST_F(HostileInputTest, OutputsNeverWriteThroughALinkPlantedAtTheirName) {
    QTemporaryDir outside;
    const QString victim = outside.filePath(QStringLiteral("viktig.txt"));
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("urørt\n");
    }
    const QString nowhere = outside.filePath(QStringLiteral("ny.txt"));
    ASSERT_TRUE(QFile::link(victim, encryptedFile("4567_R10")));
    ASSERT_TRUE(QFile::link(nowhere, encryptedFile("4567_R20")));

    const CliRun run = encryptSample();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("Feilet ved generering av fila for rapport nr 10. Regnr 4567, fila \"%1\": %3\n"
                             "Feilet ved generering av fila for rapport nr 20. Regnr 4567, fila \"%2\": %3\n")
                  .arg(encryptedFile("4567_R10"), encryptedFile("4567_R20"), kLink));
    EXPECT_EQ(run.out, encryptedFile("1234_R10") + QLatin1Char('\n'));
    EXPECT_EQ(readFileBytes(victim), QByteArray("urørt\n"));
    EXPECT_FALSE(QFile::exists(nowhere));

    const CliRun decrypted = cli.run({QStringLiteral("dekrypter"), encryptedFile("1234_R10"),
                                      QStringLiteral("--ut"), encryptedFile("4567_R10")});
    EXPECT_EQ(decrypted.exitCode, 1);
    EXPECT_TRUE(decrypted.err.endsWith(
        QStringLiteral("Klarte ikke å skrive fila \"%1\": %2\n").arg(encryptedFile("4567_R10"), kLink)));
    EXPECT_EQ(readFileBytes(victim), QByteArray("urørt\n"));
}

TEST_F(HostileInputTest, PipesAndDevicesAsInputAreRefusedAtOnce) {
    const QString pipe = inHome(QStringLiteral("rør"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString refused =
        QStringLiteral("Klarte ikke å lese fila \"%1\": ") + kNotRegular + QLatin1Char('\n');
    for (const QStringList& args : {QStringList{QStringLiteral("krypter-datafil"), pipe},
                                    QStringList{QStringLiteral("dekrypter"), pipe},
                                    QStringList{QStringLiteral("dekrypter"), QStringLiteral("/dev/zero")}}) {
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, refused.arg(args[1]));
    }
}

TEST_F(HostileInputTest, AnOutputThatStandardOutputCannotTakeIsAFailure) {
    ASSERT_EQ(encryptSample().exitCode, 0);
    CliConditions full;
    full.standardOutputFile = QStringLiteral("/dev/full");
    const QString failure = QStringLiteral("Klarte ikke å skrive til standard ut: No space left on device\n");

    const CliRun decrypted = cli.run({QStringLiteral("dekrypter"), encryptedFile("4567_R10")}, full);
    EXPECT_EQ(decrypted.exitCode, 1);
    EXPECT_TRUE(decrypted.err.startsWith(QStringLiteral("Dsnr:             123\n")));
    EXPECT_TRUE(decrypted.err.endsWith(QStringLiteral("E-post system:    Annet\n") + failure))
        << decrypted.err.toStdString();

    const CliRun listed = encryptSample(full);
    EXPECT_EQ(listed.exitCode, 1);
    EXPECT_EQ(listed.err, failure);
}

TEST_F(HostileInputTest, AFileLargerThanAnyDataFileIsRefusedBeforeItIsRead) {
    QFile huge(inHome(QStringLiteral("stor.txt")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(kMaxInputFileSize + 1));  // sparse: takes no room on the disk
    huge.close();
    const CliRun run = cli.run({QStringLiteral("krypter-datafil"), huge.fileName()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        run.err,
        QStringLiteral("Klarte ikke å lese fila \"%1\": Fila er på 1073741825 byte, og programmet leser ikke "
                       "filer større enn 1 GiB.\n")
            .arg(huge.fileName()));
}

#if !defined(__SANITIZE_ADDRESS__)
TEST_F(HostileInputTest, RunningOutOfMemoryEndsInAMessageNotAnAbort) {
    QFile big(inHome(QStringLiteral("stor.txt")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(qint64(256) << 20));
    big.close();
    CliConditions tight;
    // Room for the program and the file's bytes, not for the file as text as well.
    tight.childSetup = [] {
        const rlimit limit{rlim_t(640) << 20, rlim_t(640) << 20};
        ::setrlimit(RLIMIT_AS, &limit);
    };
    const CliRun run = cli.run({QStringLiteral("krypter-datafil"), big.fileName()}, tight);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("Programmet fikk ikke nok minne til å fullføre. Lukk andre programmer og prøv "
                             "igjen.\n"));
}
#endif

TEST_F(HostileInputTest, AFileSizeLimitFailsTheWritesWithTheirReasonAndKeepsTheOlderFile) {
    const QByteArray older = "fra forrige måned\r\n";
    write(QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R10.txt"), older);
    CliConditions limited;
    limited.childSetup = [] {
        const rlimit limit{64, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    const CliRun run = encryptSample(limited);
    EXPECT_EQ(run.exitCode, 1);  // not killed by SIGXFSZ
    const QString failed = QStringLiteral(
        "Feilet ved generering av fila for rapport nr %1. Regnr %2, fila \"%3\": File "
        "too large.");
    EXPECT_EQ(run.err,
              failed.arg("10", "4567", encryptedFile("4567_R10")) +
                  QStringLiteral(" En eldre fil med samme navn ligger der fortsatt og inneholder ikke "
                                 "denne rapporten.\n") +
                  failed.arg("20", "4567", encryptedFile("4567_R20")) + QLatin1Char('\n') +
                  failed.arg("10", "1234", encryptedFile("1234_R10")) + QLatin1Char('\n') +
                  // The history cannot be started either; it says so once, last.
                  QString(kHistoryUnavailableMessage)
                      .arg(sendHistoryPath(cli.home.path()), QStringLiteral("disk I/O error"))
                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n")) +
                  QLatin1Char('\n'));
    EXPECT_EQ(readFileBytes(encryptedFile("4567_R10")), older);
    EXPECT_EQ(QDir(cli.home.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden),
              QStringList());
}

TEST_F(HostileInputTest, OnATerminalControlCharactersOfAnEnvelopeAreShownEscaped) {
    const QByteArray report = "<DVRAPPORT>\x1b[2J\x1b]0;eid\x07\r\nlinje\rto\r\n</DVRAPPORT>";
    QByteArray envelope =
        BuildEncryptedReportText({"123", "F", "200906", "3.0.5", "4567", "10", "Annet", "FLATFIL"},
                                 BlowfishCipher().EncryptReportText(QString::fromLatin1(report)));
    envelope.replace("E-post system:    Annet", "E-post system:    An\x1b[31mnet");
    const QString path = write(QStringLiteral("laget.txt"), envelope);

    CliConditions terminal;
    terminal.program = QStringLiteral("/usr/bin/python3");
    terminal.programArguments = {QStringLiteral(TELVAINN_TEST_SUPPORT_DIR "/on_terminal.py"),
                                 QStringLiteral(TELVAINN_BIN_DIR "/telvainn-cli")};
    const CliRun shown = cli.run({QStringLiteral("dekrypter"), path}, terminal);
    EXPECT_EQ(shown.exitCode, 0) << shown.out.toStdString();
    EXPECT_FALSE(shown.rawOut.contains('\x1b'));
    EXPECT_TRUE(shown.out.contains(QStringLiteral("E-post system:    An\\x1b[31mnet\r\n")));
    EXPECT_TRUE(shown.out.endsWith(
        QStringLiteral("<DVRAPPORT>\\x1b[2J\\x1b]0;eid\\x07\r\nlinje\\x0dto\r\n</DVRAPPORT>")))
        << shown.out.toStdString();

    // A pipe gets the exact bytes.
    const CliRun piped = cli.run({QStringLiteral("dekrypter"), path});
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_EQ(piped.rawOut, report);
}

TEST_F(HostileInputTest, OddLinesAreReadOrRefusedNamingTheirLineAndControlCharactersShowEscaped) {
    QByteArray classicMac = readFileBytes(kSample);
    classicMac.replace("\r\n", "\r");
    const QString mac = write(QStringLiteral("mac.txt"), classicMac);
    ASSERT_TRUE(QDir(cli.home.path()).mkdir(QStringLiteral("mac")));
    const CliRun read =
        cli.run({QStringLiteral("krypter-datafil"), mac, QStringLiteral("--ut"), inHome("mac/Filnavn")});
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out.count(QLatin1Char('\n')), 3);

    // A name with a control character in it is quoted with the character shown.
    const CliRun named = cli.run({QStringLiteral("dekrypter"), inHome(QStringLiteral("ny\x1b[2Jfil"))});
    EXPECT_EQ(named.err, QStringLiteral("Klarte ikke å lese fila \"%1\": No such file or directory\n")
                             .arg(inHome(QStringLiteral("ny\\x1b[2Jfil"))));

    using testdata::dataLine;
    const auto refusal = [this](const QStringList& lines) {
        const QString path = write(QStringLiteral("data.txt"), testdata::fileText(lines).toLatin1());
        const CliRun run = cli.run({QStringLiteral("krypter-datafil"), path});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(QDir(cli.home.path()).entryList({QStringLiteral("Kryptert_fil*")}, QDir::Files),
                  QStringList());
        return run.err;
    };
    QString withNul = dataLine({.report = 20});
    withNul[30] = QChar(0);
    EXPECT_EQ(
        refusal({testdata::headerLine(), dataLine({.report = 20}), withNul}),
        QStringLiteral("Klarte ikke å generere krypterte filer!\nLinje nr 3 i fila inneholder kontrolltegnet "
                       "\\x00, som ikke kan være med i en rapport.\n"));
    QString withCr = dataLine({.report = 20});
    withCr[30] = QLatin1Char('\r');
    EXPECT_EQ(
        refusal({testdata::headerLine(), withCr}),
        QStringLiteral("Klarte ikke å generere krypterte filer!\nLinje nr 2 i fila inneholder kontrolltegnet "
                       "\\x0d, som ikke kan være med i en rapport.\n"));
    QString doubleSign = dataLine({.report = 20, .sign = 1});
    doubleSign.replace(35, 10, QStringLiteral("-000000123"));  // would go out as verdi="--000000123"
    EXPECT_EQ(
        refusal({testdata::headerLine(), dataLine({.report = 20}), dataLine({.report = 20}), doubleSign}),
        QStringLiteral("Klarte ikke å generere krypterte filer!\nDette er ikke en gyldig rapport. Fant "
                       "ugyldige verdier i den. (linje nr 4)\n"));
}

TEST_F(HostileInputTest, AControlCharacterInTheMailSystemStopsTheEncryptionNamingTheKey) {
    cli.configure("[KONFIGURASJON]\r\nDSNR=123\r\n[EPOST]\r\nSYSTEM=Annet\rDsnr: 999\r\n");
    const CliRun run = encryptSample();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("Klarte ikke å generere krypterte filer!\nInnstillingen SYSTEM under [EPOST] i "
                             "telvainn.ini inneholder kontrolltegnet \\x0d, som ikke kan stå i en rapport "
                             "eller e-post. Rett innstillingen og prøv igjen.\n"));
    EXPECT_EQ(QDir(cli.home.path()).entryList({QStringLiteral("Kryptert_fil*")}, QDir::Files), QStringList());
}

TEST_F(HostileInputTest, ASettingsFileSavedAsUtf8ReadsWithItsFirstSectionAndLetters) {
    cli.configure("\xEF\xBB\xBF[KONFIGURASJON]\r\nDSNR=123\r\n[EPOST]\r\nSYSTEM=\xC3\x98stlandsk post\r\n");
    const CliRun run = encryptSample();  // a Dsnr of 0 would ask, and no terminal answers no
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(readFileBytes(encryptedFile("4567_R10")).contains("E-post system:    \xD8stlandsk post\r\n"));
}

TEST_F(HostileInputTest, ATerminatingSignalEndsTheMailProgramAndWhatItStartedWithTheTool) {
    const QString started = inHome(QStringLiteral("startet"));
    const QString program = write(QStringLiteral("sendmail"),
                                  "#!/bin/sh\nsleep 600 &\necho \"$$ $!\" > \"$1.tmp\"\n"
                                  "mv \"$1.tmp\" \"$1\"\nwait\n");
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    cli.configure(
        "[KONFIGURASJON]\r\nDSNR=123\r\n[EPOST]\r\nSYSTEM=Microsoft Outlook/Exchange\r\n"
        "TRANSPORT=SENDMAIL\r\nSENDMAIL_PROGRAM=" +
        QFile::encodeName(program + QLatin1Char(' ') + started) + "\r\n");
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        QFile::remove(started);
        const auto run = cli.start({QStringLiteral("send-datafil"), kSample});
        ASSERT_TRUE(waitUntil([&] { return QFile::exists(started); }, 30000)) << "the mail program never ran";
        const QList<QByteArray> pids = readFileBytes(started).trimmed().split(' ');
        ASSERT_EQ(pids.size(), 2);
        ASSERT_EQ(::kill(static_cast<pid_t>(run->processId()), signal), 0);
        ASSERT_TRUE(run->waitForFinished(30000));
        EXPECT_EQ(run->exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(run->exitCode(), signal);
        for (const QByteArray& pid : pids) {
            EXPECT_TRUE(waitUntil([&] { return !isRunning(pid.toInt()); }, 10000)) << pid.toStdString();
        }
    }
}
