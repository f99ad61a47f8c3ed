// Mp3Encoder: MPEG-1 Layer III at 44100 Hz through LAME, constant bit rate.
//
// The first frame is LAME's tag frame (encoder delay and padding), so decoders that read it
// (mpg123 does) trim the priming samples and give back exactly the frames encoded: loops stay
// gapless. No ID3 tags are written, so the bytes depend on the samples alone.
#pragma once

#include <cstdint>
#include <vector>

#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {

// Mono files carry the downmix. Empty on encoder failure.
// `quality` is LAME's algorithm choice: 2 best .. 7 fast.
std::vector<std::uint8_t> EncodeMp3(const StereoBuffer& buffer, bool stereo, int kilobitsPerSecond,
                                    int quality);

}  // namespace tvx
