#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/Processes.h"
#include "support/SampleTemplates.h"
#include "support/VirtualScreen.h"

namespace {

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
    const VirtualScreen display;
    ASSERT_FALSE(display.display().isEmpty()) << "Xvfb did not start";
    extra.insert(QStringLiteral("DISPLAY"), display.display());
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
