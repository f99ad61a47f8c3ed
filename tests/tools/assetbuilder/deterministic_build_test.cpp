// Two runs of the asset builder write the same bytes: no time stamps, no uninitialised
// memory, no dependency on the machine's fonts or locale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/FileBytes.h"

namespace tvx::assets {
namespace {

bool RunBuilder(const std::string& output) {
  // A different locale must not change the result either.
  const std::string command =
      std::string("LC_ALL=C.UTF-8 LANG=de_DE.UTF-8 '") + TVX_ASSETBUILDER + "' '" + output + "'";
  return std::system(command.c_str()) == 0;
}

TEST(DeterministicBuild, TwoRunsWriteIdenticalArchives) {
  const std::string first = ::testing::TempDir() + "assets_first.tvx";
  const std::string second = ::testing::TempDir() + "assets_second.tvx";
  ASSERT_TRUE(RunBuilder(first));
  ASSERT_TRUE(RunBuilder(second));
  const std::vector<std::uint8_t> a = ReadWholeFile(first), b = ReadWholeFile(second);
  EXPECT_GT(a.size(), 1000000u);
  EXPECT_TRUE(a == b) << "the archives differ";
  std::remove(first.c_str());
  std::remove(second.c_str());
}

TEST(DeterministicBuild, RefusesAMissingOutputArgument) {
  const std::string command = std::string("'") + TVX_ASSETBUILDER + "' > /dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace tvx::assets
