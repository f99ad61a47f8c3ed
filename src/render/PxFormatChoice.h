// The texture formats an image may use, best first, for its alpha needs and quality: opaque
// images try formats without alpha, masked ones prefer one alpha bit, exclusive ones an
// alpha-only format. Prepare takes the first one the device accepts.
#pragma once

#include <cstdint>
#include <span>

#include "render/PxDef.h"

namespace tvx {

std::span<const std::uint32_t> TextureFormatCandidates(TAlphaLevel alphaLevel, TPxQuality quality);

}  // namespace tvx
