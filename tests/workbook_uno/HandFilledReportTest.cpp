#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "core/ReportCatalogue.h"
#include "support/CliRunner.h"
#include "support/SampleTemplates.h"
#include "support/VirtualScreen.h"
#include "workbook_uno/LibreOfficeFixture.h"

namespace telvainn {
namespace {

// Watches a folder for a file written and closed, or moved into place, under one name.
class FileWritten {
  public:
    FileWritten(const QString& folder, const QString& name) : m_name(name.toUtf8()) {
        m_handle = inotify_init1(IN_CLOEXEC);
        inotify_add_watch(m_handle, QFile::encodeName(folder).constData(), IN_CLOSE_WRITE | IN_MOVED_TO);
    }
    ~FileWritten() { close(m_handle); }

    // Waits for it; false when it did not come within the bound (a broken save, not a slow one).
    bool await() {
        alignas(inotify_event) char buffer[4096];
        while (true) {
            pollfd ready{m_handle, POLLIN, 0};
            if (poll(&ready, 1, 60000) != 1) {
                return false;
            }
            const ssize_t length = read(m_handle, buffer, sizeof buffer);
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && m_name == event->name) {
                    return true;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

  private:
    QByteArray m_name;
    int m_handle = -1;
};

// A new report made by telvainn-cli, filled in by hand: keystrokes into the visible Calc window, as a
// person types them, then Ctrl+S; the validation reads what was typed. The report sheet is protected,
// so this works only where the template left its cells unlocked.
TEST(HandFilledReportTest, RowsTypedIntoCalcAndSavedWithCtrlSAreValidated) {
    CliRunner cli;
    ASSERT_NO_FATAL_FAILURE(testsupport::copySampleTemplates(cli.home.path()));
    cli.configure("[KONFIGURASJON]\r\nDSNR=7\r\nREGNR=1234\r\n");
    QProcessEnvironment norwegian;
    norwegian.insert(QStringLiteral("LC_ALL"), QStringLiteral("nb_NO.UTF-8"));
    const QString report = cli.home.filePath(QStringLiteral("R10.xls"));
    const CliRun made = cli.run({QStringLiteral("ny"), QStringLiteral("--rapport"), QStringLiteral("10"),
                                 QStringLiteral("--periode"), QStringLiteral("200812"), report},
                                norwegian);
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

    const VirtualScreen screen;
    ASSERT_FALSE(screen.display().isEmpty()) << "Xvfb did not start";
    {
        auto options = excel::testing::testOfficeOptions();
        options.headless = false;
        const auto office = excel::uno::makeLibreOfficeApplication(options);
        qputenv("DISPLAY", screen.display().toLatin1());  // for the office that the first call starts
        const auto workbook = office->Open(report);
        qunsetenv("DISPLAY");
        office->SetVisible(true);
        const QString window = xdotool(screen, {QStringLiteral("search"), QStringLiteral("--sync"),
                                                QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                                QStringLiteral("R10.xls")})
                                   .section(QLatin1Char('\n'), 0, 0);
        ASSERT_FALSE(window.isEmpty());
        xdotool(screen, {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});

        // From A1 down to A11, then A12; each row typed from column A, Tab between the cells, Enter.
        for (const auto& [down, cells] :
             {std::pair{QStringLiteral("10"), QStringLiteral("Kontanter\t1010000\t\t0\t0\t1\t1500\n")},
              {QStringLiteral("11"), QStringLiteral("Innskudd\t6001234\t\t110\t0\t1\t4000\n")}}) {
            xdotool(screen, {QStringLiteral("key"), QStringLiteral("ctrl+Home")});
            xdotool(screen,
                    {QStringLiteral("key"), QStringLiteral("--repeat"), down, QStringLiteral("Down")});
            xdotool(screen, {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), cells});
        }

        FileWritten saved(cli.home.path(), QStringLiteral("R10.xls"));
        xdotool(screen, {QStringLiteral("key"), QStringLiteral("ctrl+s")});
        ASSERT_TRUE(saved.await()) << "Ctrl+S did not save the report";
        workbook->Close();
        office->Quit();
    }

    const CliRun validated = cli.run({QStringLiteral("valider"), report}, norwegian);
    EXPECT_EQ(validated.err, QString());
    EXPECT_EQ(validated.out,
              QStringLiteral("Valideringsrapport nr. 1:\nAntall feillinjer: 0\nSum aktiva       : 1_500\n"
                             "Sum passiva      : 4_000\n------------------------------------\n"
                             "Validering nr. 1 er ferdig.\nRadene fra og med 11 til og med 12\n"
                             "danner grunnlaget for valideringen.\n")
                  .replace(QLatin1Char('_'), QChar(0x00A0)));
    EXPECT_EQ(validated.exitCode, 0);
}

}  // namespace
}  // namespace telvainn
