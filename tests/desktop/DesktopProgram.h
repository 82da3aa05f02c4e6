#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/Processes.h"
#include "support/VirtualScreen.h"

// The real desktop program on an X server of its own, as a person meets it: a program folder of the
// test's own (TELVAINN_HOME), a home of its own so that nothing of the user's settings is read, and
// real key and mouse events through xdotool. Windows are found by their titles; a modal question is
// the window that has the keyboard focus.
class DesktopProgram {
  public:
    explicit DesktopProgram(const QString& screenSize = QStringLiteral("1366x768x24"))
        : m_screen(screenSize) {}
    ~DesktopProgram() {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(10000);
        }
    }
    DesktopProgram(const DesktopProgram&) = delete;
    DesktopProgram& operator=(const DesktopProgram&) = delete;

    const VirtualScreen& screen() const { return m_screen; }
    QDir home() const { return QDir(m_home.path()); }
    QProcess& process() { return m_program; }

    // Starts `telvainn` with `arguments`; false when the screen or the program did not start.
    bool start(const QStringList& arguments = {}) {
        if (m_screen.display().isEmpty()) {
            return false;
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_screen.display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("TELVAINN_HOME"), m_home.path());
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral(".config")));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        env.remove(QStringLiteral("LANGUAGE"));
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(QStringLiteral(TELVAINN_BIN_DIR "/telvainn"), arguments);
        return m_program.waitForStarted(30000);
    }

    // The id of the first visible window whose title matches `pattern` (a regular expression), waiting
    // until one shows; empty when none came within the bound.
    QString waitForWindow(const QString& pattern, int milliseconds = 60000) {
        QString found;
        waitUntil(
            [&] {
                found = quietXdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                      QStringLiteral("--name"), pattern})
                            .section(QLatin1Char('\n'), 0, 0)
                            .trimmed();
                return !found.isEmpty() || m_program.state() == QProcess::NotRunning;
            },
            milliseconds);
        return found;
    }

    // The window that has the keyboard focus, and its title.
    QString focusedWindow() { return quietXdotool({QStringLiteral("getwindowfocus")}).trimmed(); }
    QString windowName(const QString& window) {
        return quietXdotool({QStringLiteral("getwindowname"), window}).trimmed();
    }
    // Waits until the window with the keyboard focus has a title matching `pattern`; gives its id.
    QString waitForFocus(const QString& pattern, int milliseconds = 60000) {
        const QRegularExpression expression(pattern);
        QString window;
        waitUntil(
            [&] {
                window = focusedWindow();
                return (!window.isEmpty() && expression.match(windowName(window)).hasMatch()) ||
                       m_program.state() == QProcess::NotRunning;
            },
            milliseconds);
        return window.isEmpty() || !expression.match(windowName(window)).hasMatch() ? QString() : window;
    }

    // Where the window is on the screen, frame excluded.
    QRect geometry(const QString& window) {
        const QString shell =
            quietXdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
        QRect rect;
        for (const QString& line : shell.split(QLatin1Char('\n'))) {
            const QString value = line.section(QLatin1Char('='), 1);
            if (line.startsWith(QLatin1String("X="))) {
                rect.moveLeft(value.toInt());
            } else if (line.startsWith(QLatin1String("Y="))) {
                rect.moveTop(value.toInt());
            } else if (line.startsWith(QLatin1String("WIDTH="))) {
                rect.setWidth(value.toInt());
            } else if (line.startsWith(QLatin1String("HEIGHT="))) {
                rect.setHeight(value.toInt());
            }
        }
        return rect;
    }

    // Keys and text into the window that has the focus, as a person types them.
    void key(const QString& keys) { xdotool(m_screen, {QStringLiteral("key"), keys}); }
    void type(const QString& text) {
        xdotool(m_screen, {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
    }
    void click(int x, int y) {
        xdotool(m_screen, {QStringLiteral("mousemove"), QString::number(x), QString::number(y),
                           QStringLiteral("click"), QStringLiteral("1")});
    }

    // Waits for the program to end; its exit code, or -1 when it did not end within the bound.
    int waitForExit(int milliseconds = 60000) {
        if (!m_program.waitForFinished(milliseconds) || m_program.exitStatus() != QProcess::NormalExit) {
            return -1;
        }
        return m_program.exitCode();
    }

  private:
    // xdotool where a failure is an answer (no such window yet), not a fault.
    QString quietXdotool(const QStringList& args) {
        QProcess process;
        startXdotool(process, m_screen, args);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    VirtualScreen m_screen;
    QTemporaryDir m_home;
    QProcess m_program;

  public:
    // The ids of the visible windows whose titles match `pattern`, now.
    QStringList visibleWindows(const QString& pattern) {
        return quietXdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--name"), pattern})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};
