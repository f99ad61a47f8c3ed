#include "platform/doubles/FakeSoundFiles.h"

#include <algorithm>
#include <string_view>

namespace tvx {
namespace {

std::vector<std::uint8_t> Padded(std::string_view head, std::size_t size) {
  std::vector<std::uint8_t> bytes(head.begin(), head.end());
  bytes.resize(std::max(size, bytes.size()), 0);
  return bytes;
}

bool EndsWith(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::vector<std::uint8_t> FakeWave() {
  std::vector<std::uint8_t> bytes = Padded("RIFF", 44);
  const std::string_view wave = "WAVEfmt ";
  std::copy(wave.begin(), wave.end(), bytes.begin() + 8);
  return bytes;
}
std::vector<std::uint8_t> FakeMp3() { return Padded("ID3\x03", 64); }
std::vector<std::uint8_t> FakeOgg() { return Padded("OggS", 64); }
std::vector<std::uint8_t> FakeModule() { return Padded("Extended Module: tune", 400); }

std::vector<std::uint8_t> FakeSoundFile(const std::string& key) {
  if (EndsWith(key, ".wav")) return FakeWave();
  if (EndsWith(key, ".mp3")) return FakeMp3();
  if (EndsWith(key, ".ogg")) return FakeOgg();
  if (EndsWith(key, ".xm")) return FakeModule();
  return {};
}

}  // namespace tvx
