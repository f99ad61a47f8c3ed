#include "sound_fixture.h"

#include <algorithm>
#include <string_view>

#include "archive_writer/pxdb_writer.h"

namespace tvx::test {

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text, std::size_t size) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.resize(std::max(size, bytes.size()), 0);
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> Garbage() { return Bytes("not a sound at all", 64); }

SoundTest::~SoundTest() {
  sounds_.reset();
  archive_.reset();
}

TPxDb& SoundTest::Archive(
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& records) {
  PxDbWriter writer;
  for (const auto& [key, bytes] : records) writer.Add(key, 0, bytes);
  const std::string path = folder_.File("a" + std::to_string(archives_++) + ".tvx");
  std::string error;
  EXPECT_TRUE(writer.WriteFile(path, error)) << error;
  archive_ = std::make_unique<TPxDb>(nullptr);
  archive_->OpenMode = TOpenModes::opReadOnly;
  archive_->SetFileName(path);
  EXPECT_TRUE(archive_->EnsureOpen());
  return *archive_;
}

TSoundSystem& SoundTest::Sounds() {
  if (!sounds_) {
    sounds_ = std::make_unique<TSoundSystem>(
        nullptr, audio, [this](TComponent*, const std::string& text) { errors.push_back(text); });
  }
  return *sounds_;
}

void SoundTest::LoadThree() {
  TPxDb& archive =
      Archive({{"crash.mp3", FakeMp3()}, {"bee.wav", FakeWave()}, {"tune.xm", FakeModule()}});
  ASSERT_TRUE(Sounds().LoadFromPxDb(archive));
  ASSERT_EQ(Sounds().Count(), 3);
}

std::uint32_t SoundTest::HandleOf(const std::string& name) {
  for (int i = 0; i < Sounds().Count(); ++i) {
    if (Sounds().Sound(i)->Name() == name) return Sounds().Sound(i)->Handle();
  }
  ADD_FAILURE() << "no sound " << name;
  return 0;
}

std::vector<std::string> SoundTest::LogFrom(std::size_t from) const {
  const auto& log = audio.Log();
  return {log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end()};
}

}  // namespace tvx::test
