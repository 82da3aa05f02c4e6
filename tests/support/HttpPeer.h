#pragma once

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "support/PeerProcess.h"

// The web server of tests/support/http_server.py: /side, /tom, /mangler, /videre/N and /treg.
class HttpPeer {
  public:
    struct Request {
        QString path;
        QString accept;
        QString userAgent;
    };

    HttpPeer()
        : m_process(std::make_unique<PeerProcess>(
              kSystemPython, QStringList{QStringLiteral(TELVAINN_TEST_SUPPORT_DIR "/http_server.py"),
                                         QStringLiteral("--log"), logFile()})) {
        m_port = m_process->readyLine().toInt();
        // A proxy from the environment must not see the test's requests to this machine.
        qputenv("no_proxy", "127.0.0.1,localhost");
        qputenv("NO_PROXY", "127.0.0.1,localhost");
    }

    bool ready() const { return m_process->ready() && m_port > 0; }
    QString error() const { return m_process->error(); }

    // "127.0.0.1:<port>" followed by `path`.
    QString address(const char* path) const {
        return QStringLiteral("127.0.0.1:%1").arg(m_port) + QLatin1String(path);
    }

    std::vector<Request> requests() const {
        std::vector<Request> result;
        QFile file(logFile());
        if (!file.open(QIODevice::ReadOnly)) {
            return result;
        }
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.isEmpty()) {
                continue;
            }
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            result.push_back({o.value(QLatin1String("path")).toString(),
                              o.value(QLatin1String("accept")).toString(),
                              o.value(QLatin1String("user_agent")).toString()});
        }
        return result;
    }

  private:
    QString logFile() const { return m_dir.filePath(QStringLiteral("foresporsler.jsonl")); }

    QTemporaryDir m_dir;
    std::unique_ptr<PeerProcess> m_process;
    int m_port = 0;
};
