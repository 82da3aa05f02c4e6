#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/SettingsStore.h"
#include "core/Settings.h"
#include "desktop/DesktopProgram.h"
#include "support/SampleTemplates.h"

namespace {

// The desktop's opener, in front of the real one on the program's PATH: it notes the address it was
// given and fails as xdg-open does when no program handles it.
class FailingOpener {
  public:
    FailingOpener() : m_path(qgetenv("PATH")) {
        QFile script(m_dir.filePath(QStringLiteral("xdg-open")));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + asked().toUtf8() +
                     "'\necho \"xdg-open: no method available for opening '$1'\" >&2\nexit 3\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", m_dir.path().toUtf8() + ':' + m_path);
    }
    ~FailingOpener() { qputenv("PATH", m_path); }
    FailingOpener(const FailingOpener&) = delete;
    FailingOpener& operator=(const FailingOpener&) = delete;

    QString asked() const { return m_dir.filePath(QStringLiteral("asked")); }
    QStringList addresses() const {
        QFile file(asked());
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                   : QStringList();
    }

  private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

// "Gå til brukerveiledning" with internet links off: the link window shows the stored address, and
// "Gå til..." opens it as it stands (the delivered address names https itself); when the desktop
// cannot open it, the user is told why.
TEST(WebLinkTest, GaaTilOpensTheStoredAddressAndSaysWhyTheDesktopCouldNot) {
    FailingOpener opener;
    DesktopProgram desktop;
    ASSERT_NO_FATAL_FAILURE(testsupport::copySampleTemplates(desktop.home().path()));
    telvainn::TSettings settings;
    settings.Dsnr = 123;
    settings.Regnr = 4567;
    settings.WebActivated = false;
    telvainn::SaveSettings(desktop.home().filePath(QStringLiteral("telvainn.ini")), telvainn::RunMode{},
                           settings);
    ASSERT_TRUE(desktop.start());
    const QString mainWindow = desktop.waitForWindow(QStringLiteral("^Innsending av TELVA-data til "));
    ASSERT_FALSE(mainWindow.isEmpty());
    const QRect place = desktop.geometry(mainWindow);
    // The user manual's button: second column, fourth row.
    desktop.click(place.x() + 290 + 16, place.y() + 32 + 3 * 36 + 16);

    ASSERT_FALSE(desktop.waitForFocus(QStringLiteral("^TELVA Derorov$")).isEmpty());
    desktop.key(QStringLiteral("Return"));  // "Gå til..." is the window's default button
    ASSERT_FALSE(desktop.waitForFocus(QStringLiteral("^Feil$")).isEmpty()) << "no message of the failure";
    EXPECT_EQ(opener.addresses(), QStringList{telvainn::kDefaultUserManualAddress});
    desktop.key(QStringLiteral("Return"));
    // The link window closes after the message, as it does after every "Gå til...".
    EXPECT_TRUE(waitUntil(
        [&] { return desktop.waitForWindow(QStringLiteral("^(TELVA Derorov|Feil)$"), 0).isEmpty(); }, 60000));
}

}  // namespace
