#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ui/DesktopShell.h"

using namespace std::chrono_literals;
using telvainn::ui::QtDesktopShell;

namespace {

// A desktop opener of the test's own, that answers as the script says and notes what it was asked.
class QtDesktopShellTest : public testing::Test {
  protected:
    QString opener(const QByteArray& body) {
        const QString path = dir.filePath(QStringLiteral("opener"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\necho \"$1\" >> '" + dir.filePath(QStringLiteral("asked")).toUtf8() + "'\n" +
                   body);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString asked() const {
        QFile file(dir.filePath(QStringLiteral("asked")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
    }

    QTemporaryDir dir;
};

TEST_F(QtDesktopShellTest, TheOpenersFailureIsTheAnswer) {
    // Generous: the answer of an opener that ends is awaited, whatever the load of the machine.
    QtDesktopShell noProgram(opener("echo 'xdg-open: no method available' >&2\nexit 3\n"), 60s);
    EXPECT_EQ(noProgram.open(QStringLiteral("https://www.dalvora.no")),
              QStringLiteral("There is no application associated with the given filename extension"));
    EXPECT_EQ(asked(), QStringLiteral("https://www.dalvora.no"));

    QtDesktopShell failed(opener("echo 'firefox: kan ikke starte' >&2\nexit 4\n"), 60s);
    EXPECT_EQ(failed.explore(dir.path()), QStringLiteral("firefox: kan ikke starte"));

    QtDesktopShell done(opener("exit 0\n"), 60s);
    EXPECT_EQ(done.open(QStringLiteral("http://www.dalvora.no")), std::nullopt);
    EXPECT_EQ(done.open(dir.filePath(QStringLiteral("mangler.txt"))),
              QStringLiteral("The specified file was not found"));
    EXPECT_EQ(done.explore(dir.filePath(QStringLiteral("mangler"))),
              QStringLiteral("The specified path was not found"));
}

TEST_F(QtDesktopShellTest, AnOpenerThatKeepsRunningHasStartedTheProgram) {
    QtDesktopShell running(opener("exec sleep 30\n"), 100ms);
    EXPECT_EQ(running.open(QStringLiteral("http://www.dalvora.no")), std::nullopt);
    QtDesktopShell missing(dir.filePath(QStringLiteral("ingen-opener")), 60s);
    EXPECT_EQ(missing.open(QStringLiteral("http://www.dalvora.no")),
              QStringLiteral("There is no application associated with the given filename extension"));
}

}  // namespace
