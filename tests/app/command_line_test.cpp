#include <gtest/gtest.h>

#include <vector>

#include "app/CommandLine.h"

namespace tvx {
namespace {

CommandLineResult Parse(std::vector<const char*> words) {
  words.insert(words.begin(), "tarvex");
  return ParseCommandLine(static_cast<int>(words.size()), words.data());
}

TEST(CommandLineTest, PlaysWithNoOptionsAndTakesTheDataFolderEitherWay) {
  EXPECT_EQ(Parse({}).action, CommandLineAction::Play);
  EXPECT_FALSE(Parse({}).options.dataFolder);
  EXPECT_EQ(Parse({"--data", "/opt/x"}).options.dataFolder, "/opt/x");
  EXPECT_EQ(Parse({"--data=/opt/y"}).options.dataFolder, "/opt/y");
  EXPECT_EQ(Parse({"--data", "/a", "--data", "/b"}).options.dataFolder, "/b");
}

TEST(CommandLineTest, HelpAndVersionWinOverTheRestOfTheLine) {
  EXPECT_EQ(Parse({"--help", "--bogus"}).action, CommandLineAction::ShowHelp);
  EXPECT_EQ(Parse({"--data", "/x", "--version"}).action, CommandLineAction::ShowVersion);
}

TEST(CommandLineTest, RefusesWhatItDoesNotKnowWithTheWordInTheError) {
  for (std::vector<const char*> words : std::vector<std::vector<const char*>>{
           {"--fly"}, {"-h"}, {"play"}, {"--help=yes"}, {"--data"}, {"--dat", "x"}}) {
    const CommandLineResult result = Parse(words);
    EXPECT_EQ(result.action, CommandLineAction::Fail) << words[0];
    EXPECT_NE(result.error.find(std::string(words[0]).substr(0, 5)), std::string::npos)
        << result.error;
  }
}

TEST(CommandLineTest, MuteIsAFlagForThisRun) {
  EXPECT_FALSE(Parse({}).options.mute);
  const CommandLineResult result = Parse({"--mute", "--data", "/x"});
  EXPECT_EQ(result.action, CommandLineAction::Play);
  EXPECT_TRUE(result.options.mute);
  EXPECT_EQ(Parse({"--mute=yes"}).action, CommandLineAction::Fail);
}

TEST(CommandLineTest, UsageListsEveryOptionAndTheVersionIsThePackagesOne) {
  const std::string usage = UsageText();
  for (const char* option : {"--help", "--version", "--data DIR", "--mute"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
  EXPECT_STREQ(ProgramVersion(), TVX_EXPECTED_VERSION);
}

}  // namespace
}  // namespace tvx
