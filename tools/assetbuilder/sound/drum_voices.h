// DrumVoices: synthesised drum hits, one mono 44100 Hz buffer per hit.
//
// Kick: a sine whose pitch falls fast, with a short click. Snare: a falling tone under band-
// passed noise. Hats and cymbal: high-passed noise over a cluster of detuned pulse waves, the
// classic metallic mix. Clap: three noise bursts and a tail. Each hit ends in silence; the
// seed makes the noise of each hit repeatable (callers vary it per hit for a live feel).
#pragma once

#include <cstdint>
#include <vector>

namespace tvx {

enum class DrumKind { kKick, kSnare, kClosedHat, kOpenHat, kClap, kCrash, kTom, kRim };

// `tune` scales the pitch of tonal parts (1 = the kit's default).
std::vector<float> RenderDrum(DrumKind kind, float velocity, std::uint32_t seed, float tune = 1.0f);

}  // namespace tvx
