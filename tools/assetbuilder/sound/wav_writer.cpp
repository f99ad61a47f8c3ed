#include "assetbuilder/sound/wav_writer.h"

#include <string_view>

namespace tvx {
namespace {

void PutTag(std::vector<std::uint8_t>& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& interleaved, int channels,
                                    int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(interleaved.size() * 2);
  const auto blockAlign = static_cast<std::uint32_t>(channels * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  PutLe(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, static_cast<std::uint32_t>(channels), 2);
  PutLe(out, static_cast<std::uint32_t>(sampleRate), 4);
  PutLe(out, static_cast<std::uint32_t>(sampleRate) * blockAlign, 4);
  PutLe(out, blockAlign, 2);
  PutLe(out, 16, 2);
  PutTag(out, "data");
  PutLe(out, dataBytes, 4);
  for (std::int16_t s : interleaved) PutLe(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

}  // namespace tvx
