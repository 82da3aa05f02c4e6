#include <gtest/gtest.h>

#include <QFile>
#include <QRect>

#include "app/SettingsStore.h"
#include "desktop/DesktopProgram.h"
#include "support/Processes.h"
#include "support/SampleTemplates.h"

namespace {

const QString kMainWindow = QStringLiteral("^Innsending av TELVA-data til ");
const QString kKonfigurasjon = QStringLiteral("^Konfigurasjon$");
const QString kNotice = QStringLiteral("^TELVA inn-rapportering$");

// Where a person finds the buttons: the configuration command in the main window's second column of
// commands, "Ok" and "Avbryt" side by side in the dialog's bottom right corner.
const QPoint kKonfigButton(306, 48);
const QPoint kAvbrytFromBottomRight(-48, -22);
const QPoint kOkFromBottomRight(-134, -22);

// A laptop's desktop keeps a panel and the window's title bar on the screen besides the window.
constexpr int kPanelAndTitleBar = 70;

// The program on a screen of the given size, with the sample templates and a reporter configured
// but no way of sending mail yet, as after a first start.
class LaptopScreen {
  public:
    explicit LaptopScreen(const QString& size) : desktop(size) {
        EXPECT_NO_FATAL_FAILURE(testsupport::copySampleTemplates(desktop.home().path()));
        telvainn::TSettings settings;
        settings.Dsnr = 123;
        settings.Regnr = 4567;
        settings.MailTransport = telvainn::MailTransportKind::Smtp;
        telvainn::SaveSettings(iniPath(), telvainn::RunMode{}, settings);
    }

    QString iniPath() const { return desktop.home().filePath(QStringLiteral("telvainn.ini")); }

    // Starts the program and opens the configuration with a click on its command; the dialog's place.
    QRect openConfiguration() {
        if (!desktop.start()) {
            ADD_FAILURE() << "the program did not start";
            return {};
        }
        const QString main = desktop.waitForWindow(kMainWindow);
        if (main.isEmpty()) {
            ADD_FAILURE() << "the main window did not show";
            return {};
        }
        const QRect window = desktop.geometry(main);
        desktop.click(window.left() + kKonfigButton.x(), window.top() + kKonfigButton.y());
        const QString dialog = desktop.waitForFocus(kKonfigurasjon);
        if (dialog.isEmpty()) {
            ADD_FAILURE() << "the configuration did not open";
            return {};
        }
        return desktop.geometry(dialog);
    }

    // Whether the dialog has gone from the screen, waiting for it within the bound.
    bool configurationCloses() {
        return waitUntil([this] { return desktop.waitForWindow(kKonfigurasjon, 0).isEmpty(); }, 60000);
    }

    void clickAt(const QRect& dialog, const QPoint& fromBottomRight) {
        desktop.click(dialog.right() + 1 + fromBottomRight.x(), dialog.bottom() + 1 + fromBottomRight.y());
    }

    DesktopProgram desktop;
};

// On a 1366 x 768 laptop the dialog leaves room for a panel and its title bar, and its buttons are where
// a person clicks them: "Ok" first refuses settings that cannot send, with the focus in the field to
// fill, and stores them once they can.
TEST(ConfigurationOnALaptopScreenTest, FitsA1366x768ScreenAndOkRefusesSettingsThatCannotSend) {
    LaptopScreen laptop(QStringLiteral("1366x768x24"));
    const QRect dialog = laptop.openConfiguration();
    ASSERT_FALSE(dialog.isEmpty());
    EXPECT_TRUE(QRect(0, 0, 1366, 768 - kPanelAndTitleBar).contains(dialog.translated(0, -dialog.top())))
        << "the dialog is " << dialog.width() << " x " << dialog.height();
    EXPECT_TRUE(QRect(0, 0, 1366, 768).contains(dialog));

    DesktopProgram& desktop = laptop.desktop;
    laptop.clickAt(dialog, kOkFromBottomRight);
    ASSERT_FALSE(desktop.waitForFocus(kNotice).isEmpty()) << "Ok did not refuse the empty mail server";
    desktop.key(QStringLiteral("Return"));
    ASSERT_FALSE(desktop.waitForFocus(kKonfigurasjon).isEmpty());
    desktop.type(QStringLiteral("smtp.firma.no"));

    laptop.clickAt(dialog, kOkFromBottomRight);
    ASSERT_FALSE(desktop.waitForFocus(kNotice).isEmpty()) << "Ok did not refuse the missing sender";
    desktop.key(QStringLiteral("Return"));
    ASSERT_FALSE(desktop.waitForFocus(kKonfigurasjon).isEmpty());
    desktop.type(QStringLiteral("rapport@firma.no"));

    laptop.clickAt(dialog, kOkFromBottomRight);
    ASSERT_TRUE(laptop.configurationCloses()) << "Ok did not close the dialog";
    QFile ini(laptop.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray stored = ini.readAll();
    EXPECT_TRUE(stored.contains("SMTP_SERVER=smtp.firma.no")) << stored.toStdString();
    EXPECT_TRUE(stored.contains("AVSENDER=rapport@firma.no")) << stored.toStdString();
}

// At 1280 x 720 the dialog still lies on the screen, and "Avbryt" is where a person clicks it.
TEST(ConfigurationOnALaptopScreenTest, StaysUsableAt1280x720) {
    LaptopScreen small(QStringLiteral("1280x720x24"));
    const QRect dialog = small.openConfiguration();
    ASSERT_FALSE(dialog.isEmpty());
    EXPECT_TRUE(QRect(0, 0, 1280, 720).contains(dialog))
        << "the dialog is at " << dialog.left() << "," << dialog.top() << " and " << dialog.width() << " x "
        << dialog.height();

    small.clickAt(dialog, kAvbrytFromBottomRight);
    EXPECT_TRUE(small.configurationCloses()) << "Avbryt did not close the dialog";
    // The program goes on running behind it.
    EXPECT_FALSE(small.desktop.waitForWindow(kMainWindow, 0).isEmpty());
}

}  // namespace
