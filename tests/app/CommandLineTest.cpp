#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "support/ScriptedPrompter.h"

using namespace telvainn;

namespace {

const QString kHelp = QStringLiteral(
    "\n\r\n\rProduksjonsmodus startes uten kommandolinjeargument.\n\rTestmodus startes med "
    "kommandolinjeargumentet '-TEST'.\n\r\n\rProgrammet avslutter.");

}  // namespace

TEST(CommandLineTest, ModesInAnyLetterCaseAfterTheUserSaysYes) {
    ScriptedPrompter noQuestion;
    const auto production = RunModeFromCommandLine({}, noQuestion);
    ASSERT_TRUE(production);
    EXPECT_FALSE(production->test || production->dataFile);

    for (const char* argument : {"-test", "-Test", "-TEST"}) {
        ScriptedPrompter prompter({Answer::Yes});
        const auto mode = RunModeFromCommandLine({QString::fromLatin1(argument)}, prompter);
        ASSERT_TRUE(mode) << argument;
        EXPECT_TRUE(mode->test && !mode->dataFile);
        EXPECT_EQ(prompter.questions,
                  QStringList{QStringLiteral(
                      "OBS!!!   Klientprogrammet starter i TEST-modus.\n\rØnsker du å fortsette?")});
    }

    ScriptedPrompter prompter({Answer::Yes});
    const auto dataFile = RunModeFromCommandLine({QStringLiteral("-datafil")}, prompter);
    ASSERT_TRUE(dataFile);
    EXPECT_TRUE(dataFile->dataFile && !dataFile->test);
    EXPECT_EQ(prompter.questions.value(0),
              QStringLiteral(
                  "OBS!!!   Klientprogrammet starter i DATAFIL-modus.\n\rProgrammet kan nå lage datafiler "
                  "til testformål, med utgangspunkt i Excel-rapporter som du fyller ut selv.\r\nØnsker du "
                  "å fortsette?"));
}

TEST(CommandLineTest, NoToTheModeQuestionEndsTheProgram) {
    for (const char* argument : {"-TEST", "-DATAFIL"}) {
        ScriptedPrompter prompter({Answer::No});
        EXPECT_FALSE(RunModeFromCommandLine({QString::fromLatin1(argument)}, prompter)) << argument;
    }
}

TEST(CommandLineTest, WrongArgumentsAreToldWithTheHelpText) {
    for (const char* argument : {"TEST", "/TEST", "-TESTE"}) {
        ScriptedPrompter prompter({Answer::Ok});
        EXPECT_FALSE(RunModeFromCommandLine({QString::fromLatin1(argument)}, prompter)) << argument;
        EXPECT_EQ(prompter.questions,
                  QStringList{QStringLiteral("Feil i kommandolinje-argument:\n\rUkjent argument!") + kHelp});
    }
    ScriptedPrompter prompter({Answer::Ok});
    EXPECT_FALSE(RunModeFromCommandLine({QStringLiteral("-TEST"), QStringLiteral("-DATAFIL")}, prompter));
    EXPECT_EQ(prompter.questions,
              QStringList{QStringLiteral("Feil i kommandolinje-argument:\n\rFor mange verdier!") + kHelp});
}
