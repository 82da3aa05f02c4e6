#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "core/ProgramInfo.h"
#include "core/Windows1252.h"

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
    QByteArray rawOut;
};

// Runs the built telvainn-cli with its program folder in a temporary directory.
class CliTest : public ::testing::Test {
  protected:
    CliRun cli(const QStringList& args) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TELVAINN_HOME"), home.path());
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(work.path());
        process.start(QStringLiteral(TELVAINN_BIN_DIR "/telvainn-cli"), args);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        CliRun run;
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.rawOut = process.readAllStandardOutput();
        run.out = QString::fromUtf8(run.rawOut);
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    void configure(const QByteArray& ini) {
        QFile file(home.filePath(QStringLiteral("telvainn.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }

    static QByteArray readBytes(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    const QString sample = QStringLiteral(TELVAINN_SAMPLES_DIR "/datafil-eksempel.txt");
    QTemporaryDir home;
    QTemporaryDir work;
};

}  // namespace

TEST_F(CliTest, EncryptsTheSampleFileIntoOneFilePerCompanyAndReportThatEachDecrypt) {
    configure("[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n[EPOST]\r\nSYSTEM=Lotus Notes\r\n");
    const CliRun run = cli({QStringLiteral("krypter-datafil"), sample});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    const QStringList files = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(files, (QStringList{"Kryptert_fil_Periode200906_RegNr4567_R10.txt",
                                  "Kryptert_fil_Periode200906_RegNr4567_R20.txt",
                                  "Kryptert_fil_Periode200906_RegNr1234_R10.txt"}));

    for (const QString& name : files) {
        const QString path = work.filePath(name);
        const QString xml = work.filePath(name + QStringLiteral(".xml"));
        const CliRun decrypted = cli({QStringLiteral("dekrypter"), path, QStringLiteral("--ut"), xml});
        ASSERT_EQ(decrypted.exitCode, 0) << decrypted.err.toStdString();
        EXPECT_TRUE(decrypted.out.startsWith(QStringLiteral("Dsnr:             123\n")));
        EXPECT_TRUE(decrypted.out.contains(QStringLiteral("Rapportversjon:   FLATFIL\n")));
        EXPECT_TRUE(decrypted.out.contains(QStringLiteral("E-post system:    Lotus Notes\n")));
        const QByteArray report = readBytes(xml);
        EXPECT_TRUE(report.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DVRAPPORT \r\n"));
        EXPECT_TRUE(report.endsWith("</DATA>\r\n</DVRAPPORT>"));
        EXPECT_TRUE(report.contains(" REGNR=\"" + name.mid(32, 4).toLatin1() + "\" \r\n"))
            << name.toStdString();
    }
    // Report 10 of company 1234 holds its two lines, the negative one with its sign.
    const CliRun toStdout = cli({QStringLiteral("dekrypter"), work.filePath(files[2])});
    ASSERT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.rawOut.count("<OBJEKT "), 2);
    EXPECT_TRUE(toStdout.rawOut.contains("land=\"00FI\" valuta=\"04\" verdi=\"-0000004500\" />\r\n"));
    EXPECT_TRUE(toStdout.err.startsWith(QStringLiteral("Dsnr:             123\n")));
}

TEST_F(CliTest, WritesBesideTheGivenPathTemplateAndNamesTestFiles) {
    configure("[KONFIGURASJON]\r\nDSNR=123\r\n");
    const QString target = home.filePath(QStringLiteral("ut/rapport"));
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("ut")));
    const CliRun run = cli({QStringLiteral("krypter-datafil"), sample, QStringLiteral("--ut"), target,
                            QStringLiteral("--test")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).first(),
              home.filePath(QStringLiteral("ut/rapport_Periode200906_RegNr4567_R10_(testfil).txt")));
    EXPECT_EQ(QDir(home.filePath(QStringLiteral("ut"))).entryList(QDir::Files).size(), 3);
}

TEST_F(CliTest, CreatesDefaultSettingsAndAsksAboutAnotherDataCentre) {
    // Without settings the configured Dsnr is 000; without a terminal the question is answered No.
    const CliRun refused = cli({QStringLiteral("krypter-datafil"), sample});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.startsWith(QStringLiteral(
        "Den flate fila inneholder tall for datasentral <123>, mens du har konfigurert deg med datasentral "
        "nummer <000>.\nKanskje burde du endre filas første linje?\n\nØnsker du å sende fila slik den "
        "er?\n")))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.endsWith(QStringLiteral("Operasjonen ble avbrutt av brukeren!\n")));
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files).size(), 0);
    const QByteArray ini = readBytes(home.filePath(QStringLiteral("telvainn.ini")));
    EXPECT_TRUE(ini.startsWith("[KONFIGURASJON]\r\nDSNR=0\r\nREGNR=0\r\n")) << ini.toStdString();

    const CliRun accepted = cli({QStringLiteral("krypter-datafil"), sample, QStringLiteral("--ja")});
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err.toStdString();
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files).size(), 3);
}

TEST_F(CliTest, ReportsFailuresWithTheirMessagesAndExitCodes) {
    configure("[KONFIGURASJON]\r\nDSNR=123\r\n");
    const QString bad = work.filePath(QStringLiteral("kort.txt"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("F123200906\r\n4567102009060000001010110641\r\n");
    file.close();
    const CliRun run = cli({QStringLiteral("krypter-datafil"), bad});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("Klarte ikke å generere krypterte filer!\nFila inneholdt en linje med 28 "
                             "tegn, og programmet taklet ikke å lese det.\n"));

    // A file that cannot be written shows as its failure row.
    ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R20.txt")));
    const CliRun partly = cli({QStringLiteral("krypter-datafil"), sample});
    EXPECT_EQ(partly.exitCode, 1);
    EXPECT_EQ(partly.err,
              QStringLiteral("Feilet ved generering av fila for rapport nr 20. Regnr 4567, fila "
                             "\"Kryptert_fil_Periode200906_RegNr4567_R20.txt\": Is a directory. En "
                             "eldre fil med samme navn ligger der fortsatt og inneholder ikke denne "
                             "rapporten.\n"));
    EXPECT_EQ(partly.out.count(QLatin1Char('\n')), 2);

    EXPECT_EQ(cli({QStringLiteral("krypter-datafil")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("krypter-datafil"), sample, QStringLiteral("--ukjent")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("lag-kaffe")}).exitCode, 2);
}

// A filled report is not replaced by an empty one by mistake, with or without its ".xls"; the refusal
// comes before the spreadsheet is started.
TEST_F(CliTest, NewReportRefusesAnExistingFileUnlessTold) {
#ifndef TELVAINN_WITH_UNO
    GTEST_SKIP() << "this telvainn-cli is built without the spreadsheet, so without ny";
#endif
    configure("[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n");
    const QString report = work.filePath(QStringLiteral("R10K-202611.xls"));
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("utfylt");
    file.close();
    for (const QString& name : {QStringLiteral("R10K-202611"), QStringLiteral("R10K-202611.xls")}) {
        const CliRun run = cli({QStringLiteral("ny"), QStringLiteral("--rapport"), QStringLiteral("10"),
                                QStringLiteral("--periode"), QStringLiteral("202611"), name});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, QStringLiteral("Fila \"") + report +
                               QStringLiteral("\" finnes allerede. Bruk --overskriv for å erstatte den.\n"));
    }
    EXPECT_EQ(readBytes(report), QByteArray("utfylt"));
}

// The overall help lists every command with its summary, the spreadsheet's only in a build with it; a
// missing or unknown command gets the same listing on the error stream.
TEST_F(CliTest, TheHelpListsEveryCommand) {
    QString listing = QStringLiteral(
        "  krypter-datafil  les en flat datafil og lagre én kryptert fil per rapport\n"
        "  dekrypter        kontroller og dekrypter en kryptert rapport\n"
        "  send-datafil     les en flat datafil og send én kryptert e-post per rapport\n"
        "  test-epost       send en test-e-post slik e-postinnstillingene sier\n"
        "  test-internett   sjekk om programmet når en web-adresse\n"
        "  historikk        vis historikken over sendte rapporter\n"
        "  oversikt         vis hva et selskap har sendt i et år, og hva som mangler\n"
        "  vis-sendt        vis rapporten i en oppføring i historikken\n");
#ifdef TELVAINN_WITH_UNO
    listing += QStringLiteral(
        "  versjoner        les versjonen til hver rapportmal inn i telvainn.ini\n"
        "  test-excel       sjekk om programmet får kontakt med regnearket\n"
        "  ny               lag en ny rapport fra malen for et rapportnummer\n"
        "  valider          valider en rapport og skriv ut valideringsloggen\n"
        "  lag-datafil      lagre dataene i en rapport som ukryptert datafil\n"
        "  krypter          lagre en rapport som kryptert fil\n"
        "  send             send en rapport som kryptert e-post\n");
#endif
    const QString help =
        QStringLiteral(
            "Bruk: telvainn-cli KOMMANDO [ARGUMENTER]\n\nKommandolinjeverktøy for TELVA inn-rapportering ") +
        telvainn::kProgramVersion + QStringLiteral(".\n\nKommandoer:\n") + listing +
        QStringLiteral(
            "\nSkriv telvainn-cli KOMMANDO --help for hjelp til en kommando.\n"
            "Programmappen (med telvainn.ini) er mappen til programfila, eller\n"
            "mappen i miljøvariabelen TELVAINN_HOME.\n");
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CliRun run = cli({option});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, help);
    }
    const CliRun none = cli({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.err, QStringLiteral("Oppgi en kommando.\n") + help);
    const CliRun unknown = cli({QStringLiteral("lag-kaffe")});
    EXPECT_EQ(unknown.err, QStringLiteral("Ukjent kommando: lag-kaffe\n") + help);

#ifdef TELVAINN_WITH_UNO
    const CliRun ny = cli({QStringLiteral("ny"), QStringLiteral("--help")});
    EXPECT_TRUE(
        ny.out.contains(QStringLiteral("\n  --rapport NR      10, 11, 20, 21, 35, 50, 51 eller 60\n")))
        << ny.out.toStdString();
#endif
}

TEST_F(CliTest, DecryptRejectsATamperedLayoutNamingTheLine) {
    configure("[KONFIGURASJON]\r\nDSNR=123\r\n");
    ASSERT_EQ(cli({QStringLiteral("krypter-datafil"), sample}).exitCode, 0);
    const QString path = work.filePath(QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R10.txt"));
    QByteArray bytes = readBytes(path);
    bytes.replace("Regnr:            ", "Regnr:           ");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const CliRun run = cli({QStringLiteral("dekrypter"), path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Linje 5"))) << run.err.toStdString();
    EXPECT_TRUE(run.rawOut.isEmpty());
}

TEST_F(CliTest, EveryCommandHasHelp) {
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"krypter-datafil", "--help"},
                                    QStringList{"dekrypter", "--help"}, QStringList{"historikk", "--help"},
                                    QStringList{"oversikt", "--help"}, QStringList{"vis-sendt", "--help"}}) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.startsWith(QStringLiteral("Bruk: telvainn-cli"))) << run.out.toStdString();
    }
}

// The new-report dialog's period rules, refused before the spreadsheet is started; a question is answered
// Yes only with --ja, since there is no terminal to ask on.
TEST_F(CliTest, NewReportKeepsThePeriodRulesOfTheDialog) {
#ifndef TELVAINN_WITH_UNO
    GTEST_SKIP() << "this telvainn-cli is built without the spreadsheet, so without ny";
#endif
    configure("[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n");
    const auto ny = [this](const QString& report, const QString& period, const QStringList& more = {}) {
        return cli(QStringList{QStringLiteral("ny"), QStringLiteral("--rapport"), report,
                               QStringLiteral("--periode"), period} +
                   more + QStringList{QStringLiteral("R.xls")});
    };
    const CliRun notQuarter = ny(QStringLiteral("21"), QStringLiteral("202404"));
    EXPECT_EQ(notQuarter.exitCode, 1);
    EXPECT_EQ(notQuarter.err, QStringLiteral("Oppdaget ulovlig periode!\nKvartalsrapporten skal registreres "
                                             "med\nmånedene 3, 6, 9 eller 12.\n"));
    const CliRun noMonth = ny(QStringLiteral("11"), QStringLiteral("200913"));
    EXPECT_EQ(noMonth.exitCode, 1);
    EXPECT_EQ(noMonth.err,
              QStringLiteral("Oppdaget ulovlig periode (200913) !\nMåneden må være fra 01 til 12.\n"));

    const QString nextYear = QString::number(QDate::currentDate().year() + 1);
    const CliRun ahead = ny(QStringLiteral("10"), nextYear + QStringLiteral("01"));
    EXPECT_EQ(ahead.exitCode, 1);
    EXPECT_EQ(ahead.err, QStringLiteral("Oppdaget unormal periode (") + nextYear +
                             QStringLiteral("01) !\n(For langt fram i tid)\nEr den korrekt?\n[j/n] n (ingen "
                                            "terminal å spørre på; bruk --ja for å svare ja)\n"));
    EXPECT_FALSE(QFileInfo::exists(work.filePath(QStringLiteral("R.xls"))));

    // Past the period the command goes on to the file, which a filled report here stops.
    QFile filled(work.filePath(QStringLiteral("R.xls")));
    ASSERT_TRUE(filled.open(QIODevice::WriteOnly));
    filled.close();
    const QString exists = QStringLiteral("Fila \"") + filled.fileName() +
                           QStringLiteral("\" finnes allerede. Bruk --overskriv for å erstatte den.\n");
    const CliRun confirmed =
        ny(QStringLiteral("10"), nextYear + QStringLiteral("01"), {QStringLiteral("--ja")});
    EXPECT_EQ(confirmed.exitCode, 1);
    EXPECT_TRUE(confirmed.err.endsWith(QStringLiteral("[j/n] j (--ja)\n") + exists))
        << confirmed.err.toStdString();
    const CliRun changed = ny(QStringLiteral("50"), QStringLiteral("200806"), {QStringLiteral("--ja")});
    EXPECT_EQ(changed.err,
              QStringLiteral("Oppdaget ulovlig periode!\nÅrsrapporten skal registreres med årets 12. "
                             "måned.\nSkal programmet endre til \"200812\" ?\n[j/n] j (--ja)\n") +
                  exists);
    const CliRun kept = ny(QStringLiteral("50"), QStringLiteral("200806"));
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_TRUE(kept.err.endsWith(
        QStringLiteral("[j/n] n (ingen terminal å spørre på; bruk --ja for å svare ja)\n")));
}
