// OggEncoder: Ogg Vorbis through libvorbisenc, 44100 Hz stereo at a fixed quality.
//
// The stream serial number is fixed and no comment carries a date, so the same samples always
// give the same bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {

// `quality` is Vorbis' -0.1 .. 1 scale. Empty on encoder failure.
std::vector<std::uint8_t> EncodeOgg(const StereoBuffer& buffer, float quality);

}  // namespace tvx
