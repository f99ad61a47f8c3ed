// Builds archives of fake sound files in a temporary folder and a sound system over the
// silent audio library, with every reported error collected.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "archive/PxDb.h"
#include "core/TempFolder.h"
#include "platform/doubles/FakeSoundFiles.h"
#include "platform/doubles/SilentAudioLibrary.h"
#include "sound/SoundSystem.h"

namespace tvx::test {

// Data the silent library refuses.
std::vector<std::uint8_t> Garbage();

class SoundTest : public ::testing::Test {
 protected:
  ~SoundTest() override;

  // Writes the records, in order, to a fresh archive and opens it.
  TPxDb& Archive(const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& records);
  // A sound system over `audio`, created after the test has set up its failures.
  TSoundSystem& Sounds();
  // Loads "crash.mp3" (stream), "bee.wav" (sample) and "tune.xm" (module).
  void LoadThree();
  std::uint32_t HandleOf(const std::string& name);
  // Log entries from `from` on.
  std::vector<std::string> LogFrom(std::size_t from) const;

  SilentAudioLibrary audio;
  std::vector<std::string> errors;

 private:
  TempFolder folder_;
  int archives_ = 0;
  std::unique_ptr<TPxDb> archive_;
  std::unique_ptr<TSoundSystem> sounds_;
};

}  // namespace tvx::test
