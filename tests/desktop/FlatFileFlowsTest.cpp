#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/SettingsStore.h"
#include "desktop/DesktopProgram.h"
#include "support/SampleTemplates.h"
#include "support/SmtpPeer.h"

namespace {

const QString kProgressTitle = QStringLiteral("^TELVA inn-rapportering$");
const QString kMainTitle = QStringLiteral("^Innsending av TELVA-data til ");
// The sample's first line names data centre 123; the program folder is set up for another, so the
// Dsnr question comes.
constexpr int kConfiguredDsnr = 7;
// How long a person reads a question before answering it.
constexpr int kReadingTime = 2000;
// The sample holds company 4567's reports 10 and 20 and company 1234's report 10.
constexpr int kSampleReports = 3;

// The two flat-file commands of the real program, through every question to their result, as a person
// goes through them: each question is the window with the keyboard focus and takes the keys typed, and
// the progress window never stands in a question's way.
class FlatFileFlowsTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(testsupport::copySampleTemplates(desktop.home().path()));
        ASSERT_TRUE(desktop.home().mkpath(QStringLiteral("data")));
        ASSERT_TRUE(desktop.home().mkpath(QStringLiteral("ut")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TELVAINN_SAMPLES_DIR "/datafil-eksempel.txt"), dataFile()));
        settings.Dsnr = kConfiguredDsnr;
        settings.Regnr = 4567;
    }

    QString dataFile() const { return desktop.home().filePath(QStringLiteral("data/datafil.txt")); }
    QString outFolder() const { return desktop.home().filePath(QStringLiteral("ut")); }

    // Starts the program on the settings and gives its main window, with its place on the screen.
    void startProgram() {
        telvainn::SaveSettings(desktop.home().filePath(QStringLiteral("telvainn.ini")), telvainn::RunMode{},
                               settings);
        ASSERT_TRUE(desktop.start());
        // With no window manager the main window gets the focus only when it is clicked.
        mainWindow = desktop.waitForWindow(kMainTitle);
        ASSERT_FALSE(mainWindow.isEmpty()) << "the main window did not show";
        mainPlace = desktop.geometry(mainWindow);
    }

    // Clicks the command button of row `row` in the main window's first column.
    void clickCommand(int row) {
        constexpr int kButtonCentre = 8 + 16;
        constexpr int kFirstRowCentre = 32 + 16;
        constexpr int kRowHeight = 36;
        desktop.click(mainPlace.x() + kButtonCentre, mainPlace.y() + kFirstRowCentre + row * kRowHeight);
    }

    // The visible windows whose titles match `pattern`.
    QStringList visibleWindows(const QString& pattern) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), desktop.screen().display());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                  QStringLiteral("--name"), pattern});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Waits for a question titled `pattern` other than `previous` to have the keyboard focus, and checks
    // that no progress window is up beside it; gives its id.
    QString question(const QString& pattern, const QString& previous = QString()) {
        QString window;
        QString title;
        waitUntil(
            [&] {
                window = desktop.focusedWindow();
                title = desktop.windowName(window);
                return (window != previous && window != mainWindow &&
                        QRegularExpression(pattern).match(title).hasMatch()) ||
                       desktop.process().state() == QProcess::NotRunning;
            },
            60000);
        EXPECT_TRUE(QRegularExpression(pattern).match(title).hasMatch())
            << "the focus is on \"" << title.toStdString() << "\", not on " << pattern.toStdString();
        EXPECT_NE(window, previous);
        // A person reads the question for a moment before answering it: all that time it keeps the
        // keyboard, and no other window of the program's title (the progress) comes up beside it.
        const bool disturbed = waitUntil(
            [&] {
                const QStringList progressLike = visibleWindows(kProgressTitle);
                return desktop.focusedWindow() != window ||
                       !(progressLike.isEmpty() || progressLike == QStringList{window});
            },
            kReadingTime);
        EXPECT_FALSE(disturbed) << "while \"" << title.toStdString() << "\" was open the focus went to \""
                                << desktop.windowName(desktop.focusedWindow()).toStdString()
                                << "\" or a progress window showed";
        return window;
    }

    // Types a full path into the file dialog that has the focus, over whatever name it suggests.
    void choosePath(const QString& path) {
        desktop.key(QStringLiteral("ctrl+a"));
        desktop.type(path);
        desktop.key(QStringLiteral("Return"));
    }

    DesktopProgram desktop;
    telvainn::TSettings settings;
    QString mainWindow;
    QRect mainPlace;
};

TEST_F(FlatFileFlowsTest, SavedAsEncryptedFilesThroughEveryQuestionToTheFilesWindow) {
    ASSERT_NO_FATAL_FAILURE(startProgram());
    clickCommand(5);  // "Åpne datafil og lagre som kryptert fil"

    const QString open = question(QStringLiteral("^Velg datafil som skal behandles$"));
    choosePath(dataFile());
    const QString dsnr = question(QStringLiteral("^Advarsel$"), open);
    desktop.key(QStringLiteral("Return"));  // "Ønsker du å sende fila slik den er?": yes
    const QString folder = question(QStringLiteral("^Velg mappe for å lagre kryptert fil$"), dsnr);
    choosePath(QDir(outFolder()).filePath(QStringLiteral("Filnavn")));

    const QString result = question(QStringLiteral("^Behandle krypterte filer$"), folder);
    EXPECT_TRUE(visibleWindows(kProgressTitle).isEmpty()) << "the progress window outlived the run";
    EXPECT_EQ(QDir(outFolder()).entryList({QStringLiteral("Kryptert_fil_Periode*")}, QDir::Files).size(),
              kSampleReports);
    desktop.key(QStringLiteral("Escape"));
    EXPECT_TRUE(waitUntil(
        [&] { return visibleWindows(QStringLiteral("^Behandle krypterte filer$")).isEmpty(); }, 60000));
}

TEST_F(FlatFileFlowsTest, SentAsMailsThroughEveryQuestionAndTheLoginToTheOutcome) {
    SmtpPeer peer(SmtpPeer::Options{});
    ASSERT_TRUE(peer.ready()) << peer.error().toStdString();
    settings.MailTransport = telvainn::MailTransportKind::Smtp;
    settings.SmtpServer = QStringLiteral("127.0.0.1");
    settings.SmtpPort = peer.port("auth");
    settings.SmtpSecurity = telvainn::SmtpSecurityKind::None;
    settings.SmtpUser = QString::fromLatin1(SmtpPeer::kUser);
    settings.SenderAddress = QStringLiteral("rapport@firma.no");
    ASSERT_NO_FATAL_FAILURE(startProgram());
    clickCommand(6);  // "Åpne datafil, og send pr. e-post"

    const QString open = question(QStringLiteral("^Velg datafil som skal sendes$"));
    choosePath(dataFile());
    const QString dsnr = question(QStringLiteral("^Advarsel$"), open);
    desktop.key(QStringLiteral("Return"));  // send the file as it is
    const QString mailSystem = question(QStringLiteral("^Advarsel$"), dsnr);
    desktop.key(QStringLiteral("Return"));  // "Ønsker du at programmet skal sende rapporten nå?": yes
    // The mail server's login is asked once the first report is under way; the progress is out of the way.
    const QString password = question(kProgressTitle, mailSystem);
    desktop.type(QString::fromLatin1(SmtpPeer::kPassword));
    desktop.key(QStringLiteral("Return"));

    // The outcome is the last window of the run, with every report delivered.
    question(kProgressTitle, password);
    const std::vector<ReceivedMail> mails = peer.mails();
    ASSERT_EQ(mails.size(), static_cast<std::size_t>(kSampleReports));
    for (const ReceivedMail& mail : mails) {
        EXPECT_EQ(mail.login, QString::fromLatin1(SmtpPeer::kUser));
    }
    desktop.key(QStringLiteral("Return"));
    EXPECT_TRUE(waitUntil([&] { return visibleWindows(kProgressTitle).isEmpty(); }, 60000));
}

}  // namespace
