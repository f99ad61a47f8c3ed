#include "assetbuilder/sound/wav_writer.h"

#include <string_view>

#include "core/LittleEndian.h"

namespace tvx {
namespace {

void PutTag(std::vector<std::uint8_t>& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}

}  // namespace

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& interleaved, int channels,
                                    int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(interleaved.size() * 2);
  const auto blockAlign = static_cast<std::uint32_t>(channels * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  AppendLittleEndian(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  AppendLittleEndian(out, 16, 4);
  AppendLittleEndian(out, 1, 2);  // PCM
  AppendLittleEndian(out, static_cast<std::uint32_t>(channels), 2);
  AppendLittleEndian(out, static_cast<std::uint32_t>(sampleRate), 4);
  AppendLittleEndian(out, static_cast<std::uint32_t>(sampleRate) * blockAlign, 4);
  AppendLittleEndian(out, blockAlign, 2);
  AppendLittleEndian(out, 16, 2);
  PutTag(out, "data");
  AppendLittleEndian(out, dataBytes, 4);
  for (std::int16_t s : interleaved) AppendLittleEndian(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

}  // namespace tvx
