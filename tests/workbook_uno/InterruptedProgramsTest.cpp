#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "support/Processes.h"
#include "support/SampleTemplates.h"

namespace {

// A display of its own for the desktop program's office windows. The number is picked at random far
// above those a desktop or another test takes; the display is ready once a client gets an answer from
// it, and it never resets when its last client goes.
class VirtualDisplay {
  public:
    VirtualDisplay() {
        for (int attempt = 0; attempt < 10 && m_display.isEmpty(); ++attempt) {
            const QString display = QStringLiteral(":%1").arg(QRandomGenerator::global()->bounded(200, 900));
            m_xvfb.start(QStringLiteral("Xvfb"), {display, QStringLiteral("-noreset"),
                                                  QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            // An Xvfb whose number is taken ends at once.
            const bool ended =
                !m_xvfb.waitForStarted(10000) ||
                !waitUntil([&] { return m_xvfb.waitForFinished(0) || answering(display); }, 30000);
            if (!ended && m_xvfb.state() == QProcess::Running) {
                m_display = display;
            } else {
                m_xvfb.kill();  // that number was taken, or the server never answered
                m_xvfb.waitForFinished(10000);
            }
        }
    }
    ~VirtualDisplay() {
        m_xvfb.terminate();
        m_xvfb.waitForFinished(10000);
    }
    const QString& name() const { return m_display; }

  private:
    static bool answering(const QString& display) {
        QProcess client;
        client.setStandardOutputFile(QProcess::nullDevice());
        client.setStandardErrorFile(QProcess::nullDevice());
        client.start(QStringLiteral("xwininfo"),
                     {QStringLiteral("-root"), QStringLiteral("-display"), display});
        return client.waitForFinished(10000) && client.exitStatus() == QProcess::NormalExit &&
               client.exitCode() == 0;
    }

    QProcess m_xvfb;
    QString m_display;
};

// A program of ours that is stopped by a signal while its office runs: afterwards nothing of the office
// may be left. The office profiles live in a cache folder of the test's own, which names them.
class InterruptedProgramsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(testsupport::copySampleTemplates(home.path()));
        QFile ini(home.filePath(QStringLiteral("telvainn.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n[STARTUP]\r\nCHECKEXCEL=P\xC5\r\n");
    }

    // Starts `program`, waits until its office runs, sends `signal` and waits for the program to end.
    void interrupt(QProcess& program, int signal) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TELVAINN_HOME"), home.path());
        env.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        for (const QString& key : extra.keys()) {
            env.insert(key, extra.value(key));
        }
        program.setProcessEnvironment(env);
        program.start();
        ASSERT_TRUE(program.waitForStarted(10000));
        // Up and at work: the office listens on the pipe the program named after itself.
        const QString pipes = QStringLiteral("OSL_PIPE_*_telvainn-%1-*").arg(program.processId());
        ASSERT_TRUE(waitUntil(
            [&] { return !QDir(QDir::tempPath()).entryList({pipes}, QDir::System).isEmpty(); }, 120000))
            << "the office never started";
        ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signal), 0);
        ASSERT_TRUE(program.waitForFinished(30000));
    }

    // Nothing of the office stays; it is killed at once, the system may take a moment to let it go.
    void expectNoOfficeLeft() {
        waitUntil([this] { return processesNaming(cache.path()).isEmpty(); }, 30000);
        EXPECT_EQ(processesNaming(cache.path()), QStringList());
    }

    QTemporaryDir home;
    QTemporaryDir cache;
    QProcessEnvironment extra;
};

}  // namespace

TEST_F(InterruptedProgramsTest, CtrlCTermOrHangupEndsTheCommandLineToolAndItsOffice) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        QProcess cli;
        cli.setProgram(QStringLiteral(TELVAINN_BIN_DIR "/telvainn-cli"));
        cli.setArguments({QStringLiteral("versjoner")});
        interrupt(cli, signal);
        // The conventional ending: killed by the signal itself, as the shell shows with 128 + its number.
        EXPECT_EQ(cli.exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(cli.exitCode(), signal);
        expectNoOfficeLeft();
    }
}

TEST_F(InterruptedProgramsTest, AnOfficeDiesWithItsProgramEvenWhenTheProgramIsKilled) {
    QProcess cli;
    cli.setProgram(QStringLiteral(TELVAINN_BIN_DIR "/telvainn-cli"));
    cli.setArguments({QStringLiteral("versjoner")});
    interrupt(cli, SIGKILL);
    expectNoOfficeLeft();

    // The desktop program, its office showing windows on a display of its own, checking the templates at
    // start-up.
    const VirtualDisplay display;
    ASSERT_FALSE(display.name().isEmpty()) << "Xvfb did not start";
    extra.insert(QStringLiteral("DISPLAY"), display.name());
    extra.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        QProcess desktop;
        desktop.setProgram(QStringLiteral(TELVAINN_BIN_DIR "/telvainn"));
        interrupt(desktop, signal);
        EXPECT_EQ(desktop.exitStatus(), QProcess::CrashExit);
        expectNoOfficeLeft();
    }
}
