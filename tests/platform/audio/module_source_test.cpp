// Modules build their libopenmpt decoder only when they are to play.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "harness/TestSounds.h"
#include "platform/audio/ModuleSource.h"

namespace tvx::test {
namespace {

using audio_detail::ModuleSource;

constexpr std::size_t kFrames = 2048;
using Block = std::array<float, 2 * kFrames>;

Block ReadBlock(ModuleSource& source) {
  Block block{};
  EXPECT_EQ(source.Read(block.data(), kFrames), kFrames);
  return block;
}

std::unique_ptr<ModuleSource> Open(const Bytes& module) {
  auto source = ModuleSource::Open(module.data(), module.size(), true);
  EXPECT_NE(source, nullptr);
  return source;
}

TEST(ModuleSourceTest, PlaysOnlyOncePreparedAndFromAPositionSetBefore) {
  const Bytes module = MakeModule(40);
  auto deferred = Open(module);
  auto direct = Open(module);
  auto fromStart = Open(module);
  ASSERT_TRUE(deferred && direct && fromStart);

  Block before{};
  EXPECT_EQ(deferred->Read(before.data(), kFrames), 0u) << "nothing is built before Prepare";

  constexpr std::uint64_t kPosition = 4410;
  EXPECT_TRUE(deferred->Seek(kPosition));
  ASSERT_TRUE(deferred->Prepare());
  ASSERT_TRUE(direct->Prepare());
  ASSERT_TRUE(fromStart->Prepare());
  EXPECT_TRUE(direct->Seek(kPosition));
  const Block played = ReadBlock(*deferred);
  EXPECT_EQ(played, ReadBlock(*direct));
  const Block start = ReadBlock(*fromStart);
  EXPECT_TRUE(std::any_of(start.begin(), start.end(), [](float s) { return s != 0.0f; }));
  EXPECT_NE(played, start) << "the position set before Prepare was lost";

  EXPECT_TRUE(deferred->Prepare()) << "a second Prepare keeps the module where it is";
  EXPECT_EQ(ReadBlock(*deferred), ReadBlock(*direct));
}

TEST(ModuleSourceTest, DamagedModulesAreRefusedAtOpen) {
  Bytes module = MakeModule();
  module.resize(600);
  EXPECT_EQ(ModuleSource::Open(module.data(), module.size(), false), nullptr);
  const Bytes noise = RandomBytes(4096, 7);
  EXPECT_EQ(ModuleSource::Open(noise.data(), noise.size(), false), nullptr);
}

}  // namespace
}  // namespace tvx::test
