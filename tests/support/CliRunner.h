#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <memory>

struct CliRun {
    int exitCode = -1;  // -1: killed by a signal
    QString out;
    QString err;
    QByteArray rawOut;
};

// How a run differs from a plain one.
struct CliConditions {
    QProcessEnvironment extra;         // added to the environment
    QString standardOutputFile;        // e.g. /dev/full; empty: read by the test
    std::function<void()> childSetup;  // in the child before it starts, e.g. a resource limit
    QString program = QStringLiteral(TELVAINN_BIN_DIR "/telvainn-cli");
    QStringList programArguments;  // before the command's, for a program that runs telvainn-cli
};

// Runs the built telvainn-cli with its program folder in a temporary directory and no terminal.
class CliRunner {
  public:
    CliRun run(const QStringList& args, const QProcessEnvironment& extra = {}) const {
        CliConditions conditions;
        conditions.extra = extra;
        return run(args, conditions);
    }

    CliRun run(const QStringList& args, const CliConditions& conditions) const {
        const std::unique_ptr<QProcess> process = start(args, conditions);
        return finish(*process);
    }

    // Started, for runs that go on at the same time; finish() waits for one.
    std::unique_ptr<QProcess> start(const QStringList& args, const CliConditions& conditions = {}) const {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("TELVAINN_SMTP_PASSORD"));
        env.insert(QStringLiteral("TELVAINN_HOME"), home.path());
        env.insert(QStringLiteral("no_proxy"), QStringLiteral("127.0.0.1,localhost"));
        env.insert(QStringLiteral("NO_PROXY"), QStringLiteral("127.0.0.1,localhost"));
        for (const QString& key : conditions.extra.keys()) {
            env.insert(key, conditions.extra.value(key));
        }
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(home.path());
        if (!conditions.standardOutputFile.isEmpty()) {
            process->setStandardOutputFile(conditions.standardOutputFile);
        }
        if (conditions.childSetup) {
            process->setChildProcessModifier(conditions.childSetup);
        }
        process->start(conditions.program, conditions.programArguments + args);
        process->closeWriteChannel();
        return process;
    }

    static CliRun finish(QProcess& process) {
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished(3000);
            ADD_FAILURE() << "telvainn-cli did not finish";
        }
        CliRun result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.rawOut = process.readAllStandardOutput();
        result.out = QString::fromUtf8(result.rawOut);
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
