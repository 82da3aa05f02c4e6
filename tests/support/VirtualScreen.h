#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

// An X server of its own, on the first free display, for as long as the test runs. No window manager
// runs on it: xdotool's getactivewindow does not work there; getwindowfocus and window names do.
class VirtualScreen {
  public:
    explicit VirtualScreen(const QString& size = QStringLiteral("1280x900x24")) {
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                        QStringLiteral("0"), size});
        // The server writes its display number once it accepts clients.
        while (!m_server.canReadLine() && m_server.waitForReadyRead(30000)) {
        }
        const QString number = QString::fromLatin1(m_server.readLine()).trimmed();
        if (!number.isEmpty()) {
            m_display = QLatin1Char(':') + number;
        }
    }
    ~VirtualScreen() {
        m_server.terminate();
        m_server.waitForFinished(10000);
    }
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    const QString& display() const { return m_display; }

  private:
    QProcess m_server;
    QString m_display;
};

// Starts xdotool on `screen`; the caller waits for it and reads what it printed.
inline void startXdotool(QProcess& process, const VirtualScreen& screen, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), screen.display());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral("xdotool"), args);
}

// Runs xdotool on `screen` and gives what it printed; the test fails when it fails.
inline QString xdotool(const VirtualScreen& screen, const QStringList& args) {
    QProcess process;
    startXdotool(process, screen, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << args.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(process.exitCode(), 0) << args.join(QLatin1Char(' ')).toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
    return QString::fromLatin1(process.readAllStandardOutput());
}
