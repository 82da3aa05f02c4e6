#include "app/StartUp.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/TemplateVersions.h"
#include "support/MemoryProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "workbook/memory/MemoryApplication.h"

using namespace telvainn;

namespace {

class StartUpTest : public ::testing::Test {
  protected:
    QString iniPath() const { return folder.filePath(QStringLiteral("telvainn.ini")); }
    QString templatesFolderLine() const {
        return QStringLiteral("\r\n") + QDir::toNativeSeparators(folder.filePath(QStringLiteral("maler")));
    }

    QTemporaryDir folder;
};

}  // namespace

TEST_F(StartUpTest, AStoppedStartReadsAndWritesNothing) {
    ScriptedPrompter wrong({Answer::Ok});
    EXPECT_TRUE(StartProgram({QStringLiteral("-TST")}, folder.path(), wrong).stop);
    EXPECT_EQ(wrong.questions.size(), 1);
    ScriptedPrompter declined({Answer::No});
    EXPECT_TRUE(StartProgram({QStringLiteral("-test")}, folder.path(), declined).stop);
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(StartUpTest, TheFirstStartCreatesTheSettingsFileWithTheModesStartValues) {
    ScriptedPrompter prompter({Answer::Yes, Answer::Yes});
    const StartUp first = StartProgram({QStringLiteral("-TEST")}, folder.path(), prompter);
    EXPECT_FALSE(first.stop);
    EXPECT_TRUE(first.mode.test);
    EXPECT_TRUE(first.firstRun);
    EXPECT_TRUE(first.settingsError.isEmpty());
    EXPECT_EQ(first.settings.RecipientAddress, kDefaultTestRecipientAddress);
    EXPECT_EQ(first.settings.RecipientName, kDefaultRecipientName);
    EXPECT_FALSE(first.settings.WebActivated);
    EXPECT_TRUE(QFile::exists(iniPath()));

    const StartUp second = StartProgram({QStringLiteral("-TEST")}, folder.path(), prompter);
    EXPECT_FALSE(second.firstRun);
}

TEST_F(StartUpTest, AnUnreadableSettingsFileIsToldAndTheRunGoesOn) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("telvainn.ini")));
    ScriptedPrompter prompter;
    const StartUp start = StartProgram({}, folder.path(), prompter);
    EXPECT_FALSE(start.stop);
    EXPECT_FALSE(start.firstRun);
    EXPECT_FALSE(start.settingsError.isEmpty());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(StartUpTest, TheTemplateChecksNameTheFolderTheTemplatesAreLookedFor) {
    EXPECT_EQ(MissingTemplatesMessage(testsupport::memoryProgramFolder()), std::nullopt);
    const std::optional<QString> missing = MissingTemplatesMessage(folder.path());
    ASSERT_TRUE(missing);
    EXPECT_TRUE(
        missing->startsWith(QStringLiteral("Kunne ikke finne en eller flere av rapport-malene i Excel.")));
    EXPECT_TRUE(missing->endsWith(templatesFolderLine()));

    excel::memory::Application excel;
    TSettings settings;
    settings.CheckExcelOnStartup = false;
    EXPECT_EQ(RecordTemplateVersionsAtStart(excel, settings, folder.path(), Locale()), std::nullopt);
    EXPECT_FALSE(QFile::exists(iniPath()));
    settings.CheckExcelOnStartup = true;
    const std::optional<QString> unreachable =
        RecordTemplateVersionsAtStart(excel, settings, folder.path(), Locale());
    ASSERT_TRUE(unreachable);
    EXPECT_EQ(*unreachable, kTemplatesUnreachableMessage + templatesFolderLine());
}
