#include "assetbuilder/wav_writer.h"

#include <fstream>

namespace tvx::assets {
namespace {

constexpr std::uint32_t SampleRate = 44100;
constexpr std::uint16_t Channels = 2, BitsPerSample = 16;

void Put(std::vector<char>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutTag(std::vector<char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteStereoWav(const std::string& path, const std::vector<std::int16_t>& interleaved) {
  const auto dataBytes = static_cast<std::uint32_t>(interleaved.size() * 2);
  std::vector<char> out;
  PutTag(out, "RIFF");
  Put(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put(out, 16, 4);
  Put(out, 1, 2);  // PCM
  Put(out, Channels, 2);
  Put(out, SampleRate, 4);
  Put(out, SampleRate * Channels * BitsPerSample / 8, 4);
  Put(out, Channels * BitsPerSample / 8, 2);
  Put(out, BitsPerSample, 2);
  PutTag(out, "data");
  Put(out, dataBytes, 4);
  for (const std::int16_t sample : interleaved) Put(out, static_cast<std::uint16_t>(sample), 2);
  std::ofstream file(path, std::ios::binary);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

}  // namespace tvx::assets
