#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// The Debian Python with python3-aiosmtpd; a python3 earlier in PATH may lack it.
inline const QString kSystemPython = QStringLiteral("/usr/bin/python3");

// A helper program of the tests (a server on 127.0.0.1) that prints one line when it is ready and runs
// until its standard input closes. Stopped when this object goes.
class PeerProcess {
  public:
    PeerProcess(const QString& program, const QStringList& arguments) {
        m_process.setProgram(program);
        m_process.setArguments(arguments);
        m_process.start();
        if (!m_process.waitForStarted(10000)) {
            m_error = QStringLiteral("%1 did not start: %2").arg(program, m_process.errorString());
            return;
        }
        QElapsedTimer waited;
        waited.start();
        while (!m_process.canReadLine() && waited.elapsed() < 15000 &&
               m_process.state() == QProcess::Running) {
            m_process.waitForReadyRead(500);
        }
        if (!m_process.canReadLine()) {
            m_error = QStringLiteral("%1 did not get ready: %2")
                          .arg(program, QString::fromUtf8(m_process.readAllStandardError()));
            return;
        }
        m_readyLine = m_process.readLine().trimmed();
    }

    ~PeerProcess() {
        if (m_process.state() == QProcess::NotRunning) {
            return;
        }
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    bool ready() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    const QByteArray& readyLine() const { return m_readyLine; }

  private:
    QProcess m_process;
    QString m_error;
    QByteArray m_readyLine;
};

// A TCP socket on 127.0.0.1 and a port the system picks. Listening, it takes connections into its backlog
// and never answers them: a peer that hangs. Not listening, its port refuses connections: a peer that
// is down.
class LocalSocket {
  public:
    explicit LocalSocket(bool listening) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            (listening && ::listen(m_fd, 16) != 0) ||
            ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            ADD_FAILURE() << "no local socket";
            return;
        }
        m_port = ntohs(address.sin_port);
    }
    ~LocalSocket() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    LocalSocket(const LocalSocket&) = delete;
    LocalSocket& operator=(const LocalSocket&) = delete;

    int port() const { return m_port; }

  private:
    int m_fd = -1;
    int m_port = 0;
};

// Runs a program to its end within `timeoutMs`; false when it failed or took too long.
inline bool runToEnd(const QString& program, const QStringList& arguments, int timeoutMs = 20000) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(3000);
        ADD_FAILURE() << program.toStdString() << " did not finish";
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return false;
    }
    return true;
}
