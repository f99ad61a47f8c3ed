#include "assetbuilder/sound/sound_decoding.h"

#include <memory>

#include "platform/audio/ModuleSource.h"
#include "platform/audio/Mp3Decoder.h"
#include "platform/audio/OggDecoder.h"
#include "platform/audio/ResampledStream.h"
#include "platform/audio/WaveSample.h"
#include "sound/SoundKind.h"

namespace tvx {
namespace {

using namespace audio_detail;

std::vector<float> ReadToEnd(AudioSource& source) {
  std::vector<float> stereo;
  std::vector<float> block(2 * kBlockFrames);
  while (stereo.size() / 2 < kMaxDecodedFrames) {
    const std::size_t got = source.Read(block.data(), kBlockFrames);
    stereo.insert(stereo.end(), block.begin(),
                  block.begin() + static_cast<std::ptrdiff_t>(2 * got));
    if (got < kBlockFrames) break;
  }
  return stereo;
}

std::vector<float> ReadStream(std::unique_ptr<BlockDecoder> decoder) {
  if (!decoder) return {};
  ResampledStream stream(std::move(decoder));
  return ReadToEnd(stream);
}

}  // namespace

std::vector<float> DecodeSoundFile(std::string_view key, const std::uint8_t* data,
                                   std::size_t size) {
  if (data == nullptr || size == 0) return {};
  switch (SoundKindOf(key)) {
    case TSoundKind::skModule: {
      const std::unique_ptr<ModuleSource> module = ModuleSource::Open(data, size, true);
      if (!module || !module->Prepare()) return {};
      return ReadToEnd(*module);
    }
    case TSoundKind::skMp3:
      return ReadStream(Mp3Decoder::Open(data, size));
    case TSoundKind::skOgg:
      return ReadStream(OggDecoder::Open(data, size));
    case TSoundKind::skWave: {
      std::vector<float> stereo;
      if (!DecodeWave(data, size, stereo) || stereo.size() / 2 > kMaxDecodedFrames) return {};
      return stereo;
    }
    case TSoundKind::skNone:
      break;
  }
  return {};
}

}  // namespace tvx
