#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built telvainn-cli with its program folder in a temporary directory and no terminal.
class CliRunner {
  public:
    CliRun run(const QStringList& args, const QProcessEnvironment& extra = {}) const {
        const auto process = start(args, extra);
        return finish(*process);
    }

    // Starts telvainn-cli without waiting for it, so that several run at once; finish() collects it.
    std::unique_ptr<QProcess> start(const QStringList& args, const QProcessEnvironment& extra = {}) const {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("TELVAINN_SMTP_PASSORD"));
        env.insert(QStringLiteral("TELVAINN_HOME"), home.path());
        env.insert(QStringLiteral("no_proxy"), QStringLiteral("127.0.0.1,localhost"));
        env.insert(QStringLiteral("NO_PROXY"), QStringLiteral("127.0.0.1,localhost"));
        for (const QString& key : extra.keys()) {
            env.insert(key, extra.value(key));
        }
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(home.path());
        process->start(QStringLiteral(TELVAINN_BIN_DIR "/telvainn-cli"), args);
        process->closeWriteChannel();
        return process;
    }

    CliRun finish(QProcess& process) const {
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished(3000);
            ADD_FAILURE() << "telvainn-cli did not finish";
        }
        CliRun result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    void configure(const QByteArray& ini) const {
        QFile file(home.filePath(QStringLiteral("telvainn.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }

    QByteArray read(const QString& name) const {
        QFile file(home.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }

    QTemporaryDir home;
};
