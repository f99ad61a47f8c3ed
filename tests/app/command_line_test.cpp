// The command line: --mute is a flag for this run only, listed by --help.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace tvx {
namespace {

TEST(CommandLine, MuteIsAFlagForThisRunAndListedInTheHelp) {
  const char* plain[] = {"tarvex"};
  EXPECT_FALSE(ParseCommandLine(1, plain).options.mute);
  const char* muted[] = {"tarvex", "--mute", "--data", "/x"};
  const CommandLineResult result = ParseCommandLine(4, muted);
  EXPECT_EQ(result.action, CommandLineAction::Play);
  EXPECT_TRUE(result.options.mute);
  EXPECT_EQ(result.options.dataFolder, "/x");
  const char* valued[] = {"tarvex", "--mute=yes"};
  EXPECT_EQ(ParseCommandLine(2, valued).action, CommandLineAction::Fail);
  EXPECT_NE(UsageText().find("\n  --mute "), std::string::npos);
}

}  // namespace
}  // namespace tvx
