#include "core/FileIo.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace telvainn;

namespace {

QStringList filesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace

TEST(AtomicFileWrite, TheOldFileStandsUntilTheCommitReplacesIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rapport.txt"));
    writeFileBytes(path, "gammel\r\n");

    AtomicFileWrite file;
    ASSERT_TRUE(file.write(path, "ny\r\n"));
    EXPECT_EQ(readFileBytes(path), QByteArray("gammel\r\n"));
    EXPECT_EQ(filesIn(dir).size(), 2);  // the new bytes wait beside it

    QString reason;
    ASSERT_TRUE(file.commit(&reason)) << reason.toStdString();
    EXPECT_EQ(readFileBytes(path), QByteArray("ny\r\n"));
    EXPECT_EQ(filesIn(dir), QStringList{QStringLiteral("rapport.txt")});
}

TEST(AtomicFileWrite, AWriteNeverCommittedLeavesNothingBehind) {
    QTemporaryDir dir;
    {
        AtomicFileWrite file;
        ASSERT_TRUE(file.write(dir.filePath(QStringLiteral("rapport.txt")), "ny\r\n"));
    }
    EXPECT_TRUE(filesIn(dir).isEmpty());
}

TEST(AtomicFileWrite, AWriteThatCannotStartSaysWhy) {
    QTemporaryDir dir;
    AtomicFileWrite file;
    QString reason;
    EXPECT_FALSE(file.write(dir.filePath(QStringLiteral("mangler/rapport.txt")), "ny\r\n", &reason));
    EXPECT_EQ(reason, QStringLiteral("No such file or directory"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}
