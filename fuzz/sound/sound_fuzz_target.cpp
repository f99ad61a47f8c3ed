// Fuzz target for the audio library's decoders: the input is offered to each loader the game
// uses (MP3 and OGG streams, tracker modules, WAV samples), and whatever opens is decoded a
// few blocks, rewound and decoded again, on this thread, so a fault shows where it happens.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/ModuleSource.h"
#include "platform/audio/Mp3Decoder.h"
#include "platform/audio/OggDecoder.h"
#include "platform/audio/ResampledStream.h"
#include "platform/audio/WaveSample.h"

namespace {

using namespace tvx::audio_detail;

constexpr int kBlocks = 16;

void Drain(AudioSource& source) {
  static float block[2 * kBlockFrames];
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < kBlocks && source.Read(block, kBlockFrames) == kBlockFrames; ++i) {
    }
    source.Seek(0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto mp3 = Mp3Decoder::Open(data, size)) {
    ResampledStream stream(std::move(mp3));
    Drain(stream);
  }
  if (auto ogg = OggDecoder::Open(data, size)) {
    ResampledStream stream(std::move(ogg));
    Drain(stream);
  }
  if (auto module = ModuleSource::Open(data, size, true)) Drain(*module);
  std::vector<float> stereo;
  if (DecodeWave(data, size, stereo)) {
    SamplePlayback playback(stereo);
    Drain(playback);
  }
  return 0;
}
