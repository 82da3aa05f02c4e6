#include "app/SettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

#include "core/Error.h"
#include "core/Windows1252.h"
#include "support/FileSizeLimit.h"

namespace telvainn {
namespace {

constexpr RunMode kNormal{};
constexpr RunMode kTest{true, false};
// The machine's own mail system decides the transport of a file that names none; these tests fix it.
constexpr MailTransportKind kSmtp = MailTransportKind::Smtp;

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString iniPath() const { return m_dir.filePath(QStringLiteral("telvainn.ini")); }

    void writeIni(const QByteArray& bytes) const {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readIni() const {
        QFile file(iniPath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // A record in which no field holds its default, so a field that is not loaded or not saved shows.
    static TSettings distinctSettings() {
        TSettings s;
        s.Dsnr = 321;
        s.Regnr = 7654;
        s.EmailSystem = QStringLiteral("Lotus Notes");
        s.WebActivated = true;
        s.RappAsAttachment = false;
        s.RecipientName = QStringLiteral("Mottaker");
        s.RecipientAddress = QStringLiteral("mottak@eksempel.no");
        s.SupportAddress = QStringLiteral("hjelp@eksempel.no");
        s.UserManualAddress = QStringLiteral("https://eksempel.no/manual");
        s.DownloadAddress = QStringLiteral("https://eksempel.no/last-ned");
        s.CheckExcelOnStartup = true;
        s.MailTransport = MailTransportKind::Sendmail;
        s.SmtpServer = QStringLiteral("smtp.eksempel.no");
        s.SmtpPort = 2525;
        s.SmtpSecurity = SmtpSecurityKind::Tls;
        s.SmtpUser = QStringLiteral("ola");
        s.SenderAddress = QStringLiteral("ola@eksempel.no");
        s.SendmailProgram = QStringLiteral("/usr/bin/msmtp -a eksempel");
        return s;
    }

    static void expectEqual(const TSettings& actual, const TSettings& expected) {
        EXPECT_EQ(actual.Dsnr, expected.Dsnr);
        EXPECT_EQ(actual.Regnr, expected.Regnr);
        EXPECT_EQ(actual.EmailSystem, expected.EmailSystem);
        EXPECT_EQ(actual.WebActivated, expected.WebActivated);
        EXPECT_EQ(actual.RappAsAttachment, expected.RappAsAttachment);
        EXPECT_EQ(actual.RecipientName, expected.RecipientName);
        EXPECT_EQ(actual.RecipientAddress, expected.RecipientAddress);
        EXPECT_EQ(actual.SupportAddress, expected.SupportAddress);
        EXPECT_EQ(actual.UserManualAddress, expected.UserManualAddress);
        EXPECT_EQ(actual.DownloadAddress, expected.DownloadAddress);
        EXPECT_EQ(actual.CheckExcelOnStartup, expected.CheckExcelOnStartup);
        EXPECT_EQ(actual.MailTransport, expected.MailTransport);
        EXPECT_EQ(actual.SmtpServer, expected.SmtpServer);
        EXPECT_EQ(actual.SmtpPort, expected.SmtpPort);
        EXPECT_EQ(actual.SmtpSecurity, expected.SmtpSecurity);
        EXPECT_EQ(actual.SmtpUser, expected.SmtpUser);
        EXPECT_EQ(actual.SenderAddress, expected.SenderAddress);
        EXPECT_EQ(actual.SendmailProgram, expected.SendmailProgram);
    }

    // The file a first start writes, in the section order of the save.
    static QByteArray newFile(const QString& addressKey, const QString& address) {
        const QString text = QStringLiteral(
                                 "[KONFIGURASJON]\r\n"
                                 "DSNR=0\r\n"
                                 "REGNR=0\r\n"
                                 "[EPOST]\r\n"
                                 "SYSTEM=Annet\r\n"
                                 "RAPP_AS_ATTACHMENT=AV\r\n"
                                 "TRANSPORT=SMTP\r\n"
                                 "SMTP_SERVER=\r\n"
                                 "SMTP_PORT=0\r\n"
                                 "SMTP_SIKKERHET=STARTTLS\r\n"
                                 "SMTP_BRUKER=\r\n"
                                 "AVSENDER=\r\n"
                                 "SENDMAIL_PROGRAM=/usr/sbin/sendmail\r\n"
                                 "[ADRESSERING]\r\n"
                                 "MOTTAKER_NAVN=Dalvora\r\n"
                                 "%1=%2\r\n"
                                 "SUPPORT_ADRESSE=%3\r\n"
                                 "BRUKERMANUAL=%4\r\n"
                                 "NEDLASTING=%5\r\n"
                                 "[INTERNET]\r\n"
                                 "WEB=AV\r\n"
                                 "[STARTUP]\r\n"
                                 "CHECKEXCEL=AV\r\n")
                                 .arg(addressKey, address, kDefaultSupportAddress, kDefaultUserManualAddress,
                                      kDefaultDownloadAddress);
        return toWindows1252(text);
    }

    QTemporaryDir m_dir;
};

// --- Loading -------------------------------------------------------------------------------------------

using SettingsLoadTest = SettingsStoreTest;

TEST_F(SettingsLoadTest, IdentityOnlyFileLoadsIdentityAndDefaultsAndIsNotRewritten) {
    const QByteArray bytes = "[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n";
    writeIni(bytes);
    TSettings settings = distinctSettings();
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, settings, kSmtp));

    TSettings expected;
    expected.Dsnr = 123;
    expected.Regnr = 4567;
    expectEqual(settings, expected);
    EXPECT_EQ(settings.EmailSystem, QStringLiteral("Annet"));
    EXPECT_EQ(readIni(), bytes);
}

TEST_F(SettingsLoadTest, IdentityOnlyFileInTestModeGivesTheTestAddress) {
    const QByteArray bytes = "[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n";
    writeIni(bytes);
    TSettings settings;
    EXPECT_TRUE(LoadSettings(iniPath(), kTest, settings, kSmtp));
    EXPECT_EQ(settings.RecipientAddress, kDefaultTestRecipientAddress);
    EXPECT_EQ(readIni(), bytes);
}

TEST_F(SettingsLoadTest, MissingFileReadsDefaultsCreatesCompleteFileAndReturnsFalse) {
    TSettings settings = distinctSettings();
    EXPECT_FALSE(LoadSettings(iniPath(), kNormal, settings, kSmtp));
    expectEqual(settings, TSettings{});
    EXPECT_EQ(readIni(), newFile(QStringLiteral("MOTTAKER_ADRESSE"), kDefaultRecipientAddress));

    // The file now exists, so the next start is a configured one and leaves it alone.
    const QByteArray created = readIni();
    TSettings second;
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, second));
    expectEqual(second, TSettings{});
    EXPECT_EQ(readIni(), created);
}

TEST_F(SettingsLoadTest, MissingFileInTestModeCreatesOnlyTheTestAddressKey) {
    TSettings settings;
    EXPECT_FALSE(LoadSettings(iniPath(), kTest, settings, kSmtp));
    EXPECT_EQ(settings.RecipientAddress, kDefaultTestRecipientAddress);
    EXPECT_EQ(readIni(), newFile(QStringLiteral("MOTTAKER_ADRESSE_TEST"), kDefaultTestRecipientAddress));
}

TEST_F(SettingsLoadTest, MissingFileInUnwritableFolderRaisesUnableToWrite) {
    const QString notAFolder = m_dir.filePath(QStringLiteral("plain"));
    {
        QFile file(notAFolder);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString path = notAFolder + QStringLiteral("/telvainn.ini");
    TSettings settings;
    try {
        LoadSettings(path, kNormal, settings);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + path);
    }
}

TEST_F(SettingsLoadTest, EveryKeyLandsInItsOwnField) {
    writeIni(
        "[KONFIGURASJON]\r\nDSNR=321\r\nREGNR=7654\r\n"
        "[EPOST]\r\nSYSTEM=Lotus Notes\r\nRAPP_AS_ATTACHMENT=AV\r\nTRANSPORT=SENDMAIL\r\n"
        "SMTP_SERVER=smtp.eksempel.no\r\nSMTP_PORT=2525\r\nSMTP_SIKKERHET=TLS\r\nSMTP_BRUKER=ola\r\n"
        "AVSENDER=ola@eksempel.no\r\nSENDMAIL_PROGRAM=/usr/bin/msmtp -a eksempel\r\n"
        "[ADRESSERING]\r\nMOTTAKER_NAVN=Mottaker\r\nMOTTAKER_ADRESSE=mottak@eksempel.no\r\n"
        "MOTTAKER_ADRESSE_TEST=test@eksempel.no\r\nSUPPORT_ADRESSE=hjelp@eksempel.no\r\n"
        "BRUKERMANUAL=https://eksempel.no/manual\r\nNEDLASTING=https://eksempel.no/last-ned\r\n"
        "[INTERNET]\r\nWEB=P\xC5\r\n"
        "[STARTUP]\r\nCHECKEXCEL=P\xC5\r\n");
    TSettings settings;
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, settings, kSmtp));
    expectEqual(settings, distinctSettings());

    TSettings inTestMode;
    EXPECT_TRUE(LoadSettings(iniPath(), kTest, inTestMode));
    EXPECT_EQ(inTestMode.RecipientAddress, QStringLiteral("test@eksempel.no"));
}

TEST_F(SettingsLoadTest, SwitchesAreOnOnlyForPaInAnyCase) {
    struct Case {
        QByteArray stored;
        bool on;
    };
    const Case cases[] = {{"P\xC5", true},     {"p\xE5", true}, {" P\xC5 ", true}, {"P\xE5", true},
                          {"\"p\xE5\"", true}, {"JA", false},   {"1", false},      {"", false},
                          {"AV", false},       {"PA", false},   {"P\xC5X", false}};
    for (const Case& c : cases) {
        writeIni("[INTERNET]\r\nWEB=" + c.stored + "\r\n[EPOST]\r\nRAPP_AS_ATTACHMENT=" + c.stored +
                 "\r\n[STARTUP]\r\nCHECKEXCEL=" + c.stored + "\r\n");
        TSettings settings;
        ASSERT_TRUE(LoadSettings(iniPath(), kNormal, settings));
        EXPECT_EQ(settings.WebActivated, c.on) << c.stored.toStdString();
        EXPECT_EQ(settings.RappAsAttachment, c.on) << c.stored.toStdString();
        EXPECT_EQ(settings.CheckExcelOnStartup, c.on) << c.stored.toStdString();
    }
}

TEST_F(SettingsLoadTest, EachSwitchReadsItsOwnKey) {
    writeIni("[INTERNET]\r\nWEB=P\xC5\r\n");
    TSettings web;
    LoadSettings(iniPath(), kNormal, web);
    EXPECT_TRUE(web.WebActivated);
    EXPECT_FALSE(web.RappAsAttachment);
    EXPECT_FALSE(web.CheckExcelOnStartup);

    writeIni("[EPOST]\r\nRAPP_AS_ATTACHMENT=P\xC5\r\n");
    TSettings attachment;
    LoadSettings(iniPath(), kNormal, attachment);
    EXPECT_FALSE(attachment.WebActivated);
    EXPECT_TRUE(attachment.RappAsAttachment);
    EXPECT_FALSE(attachment.CheckExcelOnStartup);

    writeIni("[STARTUP]\r\nCHECKEXCEL=P\xC5\r\n");
    TSettings excel;
    LoadSettings(iniPath(), kNormal, excel);
    EXPECT_FALSE(excel.WebActivated);
    EXPECT_FALSE(excel.RappAsAttachment);
    EXPECT_TRUE(excel.CheckExcelOnStartup);
}

TEST_F(SettingsLoadTest, IdentityReadsDecimalAndHexAndLettersAsZero) {
    struct Case {
        QByteArray stored;
        int value;
    };
    const Case cases[] = {{"0x1F", 31}, {"$1F", 31}, {"31", 31}, {"-5", -5},
                          {"ABC", 0},   {"12a", 0},  {"", 0},    {"99999999999", 0}};
    for (const Case& c : cases) {
        writeIni("[KONFIGURASJON]\r\nDSNR=" + c.stored + "\r\nREGNR=" + c.stored + "\r\n");
        TSettings settings = distinctSettings();
        ASSERT_TRUE(LoadSettings(iniPath(), kNormal, settings));
        EXPECT_EQ(settings.Dsnr, c.value) << c.stored.toStdString();
        EXPECT_EQ(settings.Regnr, c.value) << c.stored.toStdString();
    }
}

TEST_F(SettingsLoadTest, SectionAndKeyNamesMatchWithoutRegardToCase) {
    writeIni(
        "[konfigurasjon]\r\ndsnr=123\r\nRegNr=4567\r\n"
        "[Epost]\r\nsystem=GroupWise\r\n"
        "[adressering]\r\nmottaker_adresse=a@b.no\r\n");
    TSettings settings;
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, settings));
    EXPECT_EQ(settings.Dsnr, 123);
    EXPECT_EQ(settings.Regnr, 4567);
    EXPECT_EQ(settings.EmailSystem, QStringLiteral("GroupWise"));
    EXPECT_EQ(settings.RecipientAddress, QStringLiteral("a@b.no"));
}

TEST_F(SettingsLoadTest, ExistingPathThatCannotBeReadRaisesError) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("telvainn.ini")));
    TSettings settings;
    try {
        LoadSettings(iniPath(), kNormal, settings);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to read ") + iniPath());
    }
}

TEST_F(SettingsLoadTest, AGarbledFileLoadsItsGoodKeysAndASaveKeepsEveryOtherLine) {
    // The template versions' section, damaged: NUL bytes, a lone CR, bytes no text has, a line of several
    // megabytes and a header without "]" whose key therefore stays in this section.
    const QByteArray foreign = QByteArray("[KONFIGURASJON]\r\nDSNR=123\r\n") + QByteArray("\0\0\0\0\r\n", 6) +
                               "REGNR=4567\r\n[VERSJONER]\r\nR10=25.02.2009\rR20=01.03.2009\r\n" +
                               QByteArray(5 * 1024 * 1024, 'x') + "\r\n\x81\x8D\x8F\x90\x9D\xFF\r\n" +
                               "[EPOST\r\nSYSTEM=Lotus Notes\r\n";
    const QByteArray bytes = foreign + "[ADRESSERING]\r\n" +
                             QByteArray("SUPPORT_ADRESSE=hjelp@dalvora.no\0\0\r\n", 37) +
                             "[EPOST]\nSMTP_SERVER=smtp.dalvora.no\nSMTP_PORT=2525";
    writeIni(bytes);

    QElapsedTimer elapsed;
    elapsed.start();
    TSettings loaded;
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, loaded, kSmtp));
    EXPECT_EQ(loaded.Dsnr, 123);
    EXPECT_EQ(loaded.Regnr, 4567);
    EXPECT_EQ(loaded.EmailSystem, kDefaultEmailSystem);
    EXPECT_EQ(loaded.SupportAddress, QStringLiteral("hjelp@dalvora.no"));
    EXPECT_EQ(loaded.SmtpServer, QStringLiteral("smtp.dalvora.no"));
    EXPECT_EQ(loaded.SmtpPort, 2525);

    SaveSettings(iniPath(), kNormal, loaded);
    const QByteArray saved = readIni();
    EXPECT_TRUE(saved.startsWith(foreign + "[ADRESSERING]\r\n"));  // not printed: megabytes
    TSettings again;
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, again, kSmtp));
    expectEqual(again, loaded);
    EXPECT_LT(elapsed.elapsed(), 20000);
}

// --- Saving --------------------------------------------------------------------------------------------

using SettingsSaveTest = SettingsStoreTest;

TEST_F(SettingsSaveTest, SavedRecordLoadsBackUnchanged) {
    const TSettings saved = distinctSettings();
    SaveSettings(iniPath(), kNormal, saved);
    TSettings loaded;
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, loaded));
    expectEqual(loaded, saved);

    TSettings inverted = distinctSettings();
    inverted.WebActivated = false;
    inverted.RappAsAttachment = true;
    inverted.CheckExcelOnStartup = false;
    SaveSettings(iniPath(), kNormal, inverted);
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, loaded));
    expectEqual(loaded, inverted);
}

TEST_F(SettingsSaveTest, SwitchesAreWrittenAsPaOrAv) {
    writeIni("[INTERNET]\r\nWEB=p\xE5\r\n[STARTUP]\r\nCHECKEXCEL=JA\r\n");
    TSettings settings;
    ASSERT_TRUE(LoadSettings(iniPath(), kNormal, settings));
    ASSERT_TRUE(settings.WebActivated);
    ASSERT_FALSE(settings.CheckExcelOnStartup);
    settings.RappAsAttachment = true;
    SaveSettings(iniPath(), kNormal, settings);

    const QByteArray bytes = readIni();
    EXPECT_TRUE(bytes.startsWith("[INTERNET]\r\nWEB=\x50\xC5\r\n[STARTUP]\r\nCHECKEXCEL=AV\r\n"))
        << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\nRAPP_AS_ATTACHMENT=\x50\xC5\r\n")) << bytes.toStdString();
}

TEST_F(SettingsSaveTest, TestModeWritesOnlyTheTestAddress) {
    writeIni("[ADRESSERING]\r\nMOTTAKER_ADRESSE=prod@x.no\r\nMOTTAKER_ADRESSE_TEST=test@x.no\r\n");
    TSettings settings;
    ASSERT_TRUE(LoadSettings(iniPath(), kTest, settings));
    ASSERT_EQ(settings.RecipientAddress, QStringLiteral("test@x.no"));
    settings.RecipientAddress = QStringLiteral("ny-test@x.no");
    SaveSettings(iniPath(), kTest, settings);

    const QByteArray bytes = readIni();
    EXPECT_TRUE(bytes.startsWith(
        "[ADRESSERING]\r\nMOTTAKER_ADRESSE=prod@x.no\r\nMOTTAKER_ADRESSE_TEST=ny-test@x.no\r\n"))
        << bytes.toStdString();
    TSettings production;
    LoadSettings(iniPath(), kNormal, production);
    EXPECT_EQ(production.RecipientAddress, QStringLiteral("prod@x.no"));
}

TEST_F(SettingsSaveTest, NormalModeWritesOnlyTheProductionAddress) {
    writeIni("[ADRESSERING]\r\nMOTTAKER_ADRESSE=prod@x.no\r\nMOTTAKER_ADRESSE_TEST=test@x.no\r\n");
    TSettings settings;
    ASSERT_TRUE(LoadSettings(iniPath(), kNormal, settings));
    settings.RecipientAddress = QStringLiteral("ny-prod@x.no");
    SaveSettings(iniPath(), kNormal, settings);

    const QByteArray bytes = readIni();
    EXPECT_TRUE(bytes.startsWith(
        "[ADRESSERING]\r\nMOTTAKER_ADRESSE=ny-prod@x.no\r\nMOTTAKER_ADRESSE_TEST=test@x.no\r\n"))
        << bytes.toStdString();
    TSettings test;
    LoadSettings(iniPath(), kTest, test);
    EXPECT_EQ(test.RecipientAddress, QStringLiteral("test@x.no"));
}

TEST_F(SettingsSaveTest, TestModeNeverCreatesTheProductionKey) {
    writeIni("[KONFIGURASJON]\r\nDSNR=1\r\n");
    SaveSettings(iniPath(), kTest, TSettings{});
    const QByteArray bytes = readIni();
    EXPECT_TRUE(bytes.contains("\r\nMOTTAKER_ADRESSE_TEST=")) << bytes.toStdString();
    EXPECT_FALSE(bytes.contains("\r\nMOTTAKER_ADRESSE=")) << bytes.toStdString();
}

TEST_F(SettingsSaveTest, SaveReplacesInPlaceAndKeepsOtherLinesByteForByte) {
    writeIni(
        "; Innstillinger for TELVA inn\r\n"
        "[konfigurasjon]\r\n"
        "dsnr=123\r\n"
        "; identiteten fra Dalvora\n"
        "REGNR=4567\r\n"
        "\r\n"
        "[EPOST]\r\n"
        "SYSTEM=Lotus Notes\r\n"
        "RAPP_AS_ATTACHMENT=AV\r\n"
        "EGEN=behold\r\n"
        "[ADRESSERING]\r\n"
        "MOTTAKER_NAVN=Dalvora\r\n"
        "MOTTAKER_ADRESSE=prod@x.no\r\n"
        "SUPPORT_ADRESSE=s@x.no\r\n"
        "BRUKERMANUAL=https://m\r\n"
        "NEDLASTING=https://d\r\n"
        "[INTERNET]\r\n"
        "WEB=AV\r\n"
        "[STARTUP]\r\n"
        "CHECKEXCEL=AV\r\n"
        "\r\n"
        "[VERSJONER]\r\n"
        "R10=25.02.2009\r\n"
        "programversion=25.02.2009\n");
    TSettings settings;
    ASSERT_TRUE(LoadSettings(iniPath(), kNormal, settings, kSmtp));
    settings.Dsnr = 124;
    settings.EmailSystem = QStringLiteral("GroupWise");
    settings.WebActivated = true;
    SaveSettings(iniPath(), kNormal, settings);

    EXPECT_EQ(readIni(), QByteArray("; Innstillinger for TELVA inn\r\n"
                                    "[konfigurasjon]\r\n"
                                    "dsnr=124\r\n"
                                    "; identiteten fra Dalvora\n"
                                    "REGNR=4567\r\n"
                                    "\r\n"
                                    "[EPOST]\r\n"
                                    "SYSTEM=GroupWise\r\n"
                                    "RAPP_AS_ATTACHMENT=AV\r\n"
                                    "EGEN=behold\r\n"
                                    "TRANSPORT=SMTP\r\n"
                                    "SMTP_SERVER=\r\n"
                                    "SMTP_PORT=0\r\n"
                                    "SMTP_SIKKERHET=STARTTLS\r\n"
                                    "SMTP_BRUKER=\r\n"
                                    "AVSENDER=\r\n"
                                    "SENDMAIL_PROGRAM=/usr/sbin/sendmail\r\n"
                                    "[ADRESSERING]\r\n"
                                    "MOTTAKER_NAVN=Dalvora\r\n"
                                    "MOTTAKER_ADRESSE=prod@x.no\r\n"
                                    "SUPPORT_ADRESSE=s@x.no\r\n"
                                    "BRUKERMANUAL=https://m\r\n"
                                    "NEDLASTING=https://d\r\n"
                                    "[INTERNET]\r\n"
                                    "WEB=P\xC5\r\n"
                                    "[STARTUP]\r\n"
                                    "CHECKEXCEL=AV\r\n"
                                    "\r\n"
                                    "[VERSJONER]\r\n"
                                    "R10=25.02.2009\r\n"
                                    "programversion=25.02.2009\n"));
}

TEST_F(SettingsSaveTest, MissingKeysAreAddedInsideTheirExistingSections) {
    writeIni(
        "[ADRESSERING]\r\n"
        "MOTTAKER_NAVN=Dalvora\r\n"
        "\r\n"
        "[KONFIGURASJON]\r\n"
        "DSNR=123\r\n"
        "[VERSJONER]\r\n"
        "R10=25.02.2009\r\n");
    TSettings settings;
    ASSERT_TRUE(LoadSettings(iniPath(), kNormal, settings, kSmtp));
    SaveSettings(iniPath(), kNormal, settings);

    const QString expected = QStringLiteral(
                                 "[ADRESSERING]\r\n"
                                 "MOTTAKER_NAVN=Dalvora\r\n"
                                 "MOTTAKER_ADRESSE=%1\r\n"
                                 "SUPPORT_ADRESSE=%2\r\n"
                                 "BRUKERMANUAL=%3\r\n"
                                 "NEDLASTING=%4\r\n"
                                 "\r\n"
                                 "[KONFIGURASJON]\r\n"
                                 "DSNR=123\r\n"
                                 "REGNR=0\r\n"
                                 "[VERSJONER]\r\n"
                                 "R10=25.02.2009\r\n"
                                 "[EPOST]\r\n"
                                 "SYSTEM=Annet\r\n"
                                 "RAPP_AS_ATTACHMENT=AV\r\n"
                                 "TRANSPORT=SMTP\r\n"
                                 "SMTP_SERVER=\r\n"
                                 "SMTP_PORT=0\r\n"
                                 "SMTP_SIKKERHET=STARTTLS\r\n"
                                 "SMTP_BRUKER=\r\n"
                                 "AVSENDER=\r\n"
                                 "SENDMAIL_PROGRAM=/usr/sbin/sendmail\r\n"
                                 "[INTERNET]\r\n"
                                 "WEB=AV\r\n"
                                 "[STARTUP]\r\n"
                                 "CHECKEXCEL=AV\r\n")
                                 .arg(kDefaultRecipientAddress, kDefaultSupportAddress,
                                      kDefaultUserManualAddress, kDefaultDownloadAddress);
    EXPECT_EQ(readIni(), toWindows1252(expected));
}

TEST_F(SettingsSaveTest, NonAsciiTextsRoundTripInWindows1252) {
    TSettings settings = distinctSettings();
    settings.EmailSystem = QStringLiteral("\u00D8stfold Post \u00C6\u00D8\u00C5");
    settings.RecipientName = QStringLiteral("Dalvora \u00D8st");
    SaveSettings(iniPath(), kNormal, settings);

    const QByteArray bytes = readIni();
    EXPECT_TRUE(bytes.contains("\r\nSYSTEM=\xD8stfold Post \xC6\xD8\xC5\r\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\nMOTTAKER_NAVN=Dalvora \xD8st\r\n")) << bytes.toStdString();
    TSettings loaded;
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, loaded));
    expectEqual(loaded, settings);
}

TEST_F(SettingsSaveTest, UnwritableFolderRaisesUnableToWriteWithFullPathAndKeepsOldFile) {
    const QByteArray old = "[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n";
    writeIni(old);
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    const QFileDevice::Permissions writable = readOnly | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), readOnly));
    {
        // Root (as in many containers) writes through any permission bits: nothing to check then.
        QFile probe(m_dir.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QFile::setPermissions(m_dir.path(), writable);
            GTEST_SKIP() << "folder permissions do not stop this user from writing";
        }
    }
    QString message;
    try {
        SaveSettings(iniPath(), kNormal, distinctSettings());
    } catch (const Error& e) {
        message = e.message();
    }
    QFile::setPermissions(m_dir.path(), writable);
    EXPECT_EQ(message, QStringLiteral("Unable to write to ") + iniPath());
    EXPECT_EQ(readIni(), old);
}

TEST_F(SettingsSaveTest, FolderThatIsAFileRaisesUnableToWriteWithFullPath) {
    const QString notAFolder = m_dir.filePath(QStringLiteral("plain"));
    {
        QFile file(notAFolder);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString path = notAFolder + QStringLiteral("/telvainn.ini");
    try {
        SaveSettings(path, kNormal, distinctSettings());
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + path);
    }
}

TEST_F(SettingsSaveTest, AFullDiskRaisesUnableToWriteAndLeavesTheOldFileOrNoFile) {
    const QByteArray old =
        "; egne notater\r\n[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n[VERSJONER]\r\nR10=01.02.2009\r\n";
    writeIni(old);
    QString message;
    {
        // Room for the old file but not for the new one: the write stops in the middle.
        const FileSizeLimit diskFull(static_cast<rlim_t>(old.size()) + 40);
        try {
            SaveSettings(iniPath(), kNormal, distinctSettings());
        } catch (const Error& e) {
            message = e.message();
        }
    }
    EXPECT_EQ(message, QStringLiteral("Unable to write to ") + iniPath());
    EXPECT_EQ(readIni(), old);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{QStringLiteral("telvainn.ini")});

    // A first start on a full disk: the settings are read, and no half-written file is left for the next.
    const QString missing = m_dir.filePath(QStringLiteral("ny/telvainn.ini"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("ny")));
    TSettings settings;
    message.clear();
    {
        const FileSizeLimit diskFull(64);
        try {
            LoadSettings(missing, kNormal, settings, kSmtp);
        } catch (const Error& e) {
            message = e.message();
        }
    }
    EXPECT_EQ(message, QStringLiteral("Unable to write to ") + missing);
    EXPECT_EQ(QDir(m_dir.filePath(QStringLiteral("ny"))).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList());
}

// --- Mail transport keys -------------------------------------------------------------------------------

using SettingsMailTest = SettingsStoreTest;

TEST_F(SettingsMailTest, TransportAndSecurityReadInAnyCaseAndUnknownTextsFallBackSafely) {
    struct Case {
        QByteArray transport;
        QByteArray security;
        QByteArray port;
        MailTransportKind expectedTransport;
        SmtpSecurityKind expectedSecurity;
        int expectedPort;
    };
    const Case cases[] = {
        {"sendmail", " ingen ", "25", MailTransportKind::Sendmail, SmtpSecurityKind::None, 25},
        {" Smtp ", "tls", "465", MailTransportKind::Smtp, SmtpSecurityKind::Tls, 465},
        {"SMTP", "StartTLS", "0x24B", MailTransportKind::Smtp, SmtpSecurityKind::StartTls, 587},
        // A mistyped security never turns protection off; a port outside 1-65535 is the usual one.
        {"POSTFIX", "SSL", "65536", MailTransportKind::Sendmail, SmtpSecurityKind::StartTls, 0},
        {"", "", "-25", MailTransportKind::Sendmail, SmtpSecurityKind::StartTls, 0},
        {"SMTP", "AV", "tjuefem", MailTransportKind::Smtp, SmtpSecurityKind::StartTls, 0},
    };
    for (const Case& c : cases) {
        writeIni("[EPOST]\r\nTRANSPORT=" + c.transport + "\r\nSMTP_SIKKERHET=" + c.security +
                 "\r\nSMTP_PORT=" + c.port + "\r\n");
        TSettings settings;
        ASSERT_TRUE(LoadSettings(iniPath(), kNormal, settings, MailTransportKind::Sendmail));
        EXPECT_EQ(settings.MailTransport, c.expectedTransport) << c.transport.toStdString();
        EXPECT_EQ(settings.SmtpSecurity, c.expectedSecurity) << c.security.toStdString();
        EXPECT_EQ(settings.SmtpPort, c.expectedPort) << c.port.toStdString();
    }
}

TEST_F(SettingsMailTest, AFirstStartWritesTheMachinesDefaultTransport) {
    TSettings settings;
    EXPECT_FALSE(LoadSettings(iniPath(), kNormal, settings, MailTransportKind::Sendmail));
    EXPECT_EQ(settings.MailTransport, MailTransportKind::Sendmail);
    EXPECT_EQ(settings.SmtpServer, QString());
    EXPECT_EQ(settings.SendmailProgram, QStringLiteral("/usr/sbin/sendmail"));
    const QByteArray bytes = readIni();
    EXPECT_TRUE(bytes.contains("\r\nRAPP_AS_ATTACHMENT=AV\r\nTRANSPORT=SENDMAIL\r\nSMTP_SERVER=\r\n"))
        << bytes.toStdString();

    // Written once, the choice stays whatever the machine has later.
    TSettings again;
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, again, MailTransportKind::Smtp));
    EXPECT_EQ(again.MailTransport, MailTransportKind::Sendmail);
}

TEST_F(SettingsMailTest, SendmailIsTheDefaultOnlyWhenTheProgramCanRun) {
    const QString program = m_dir.filePath(QStringLiteral("sendmail"));
    EXPECT_EQ(defaultMailTransport(program), MailTransportKind::Smtp);
    {
        QFile file(program);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
    }
    ASSERT_TRUE(QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(defaultMailTransport(program), MailTransportKind::Smtp);
    ASSERT_TRUE(QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(defaultMailTransport(program), MailTransportKind::Sendmail);
    EXPECT_EQ(defaultMailTransport(m_dir.path()), MailTransportKind::Smtp);
}

TEST_F(SettingsMailTest, TheMailKeysAreWrittenInTheirOwnWordsAndLoadBack) {
    TSettings settings = distinctSettings();
    settings.MailTransport = MailTransportKind::Smtp;
    settings.SmtpSecurity = SmtpSecurityKind::None;
    SaveSettings(iniPath(), kNormal, settings);
    const QByteArray bytes = readIni();
    EXPECT_TRUE(
        bytes.contains("[EPOST]\r\nSYSTEM=Lotus Notes\r\nRAPP_AS_ATTACHMENT=AV\r\nTRANSPORT=SMTP\r\n"
                       "SMTP_SERVER=smtp.eksempel.no\r\nSMTP_PORT=2525\r\nSMTP_SIKKERHET=INGEN\r\n"
                       "SMTP_BRUKER=ola\r\nAVSENDER=ola@eksempel.no\r\n"
                       "SENDMAIL_PROGRAM=/usr/bin/msmtp -a eksempel\r\n[ADRESSERING]\r\n"))
        << bytes.toStdString();
    TSettings loaded;
    EXPECT_TRUE(LoadSettings(iniPath(), kNormal, loaded, MailTransportKind::Sendmail));
    expectEqual(loaded, settings);
}

}  // namespace
}  // namespace telvainn
