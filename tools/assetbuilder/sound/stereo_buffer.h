// StereoBuffer: floating-point 44100 Hz stereo audio, the working format of every synthesised
// sound before it is encoded.
//
// Mixing can wrap around the end, which is how loops are made seamless: a note or tail that
// rings past the loop end is folded onto the start, exactly as it would sound when the loop
// repeats. Finishing helpers normalise to a peak, fade the edges and convert to 16-bit PCM.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tvx {

inline constexpr int kSampleRate = 44100;

struct StereoBuffer {
  std::vector<float> left;
  std::vector<float> right;

  StereoBuffer() = default;
  explicit StereoBuffer(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
  std::size_t Frames() const { return left.size(); }
};

std::size_t SecondsToFrames(double seconds);

// Adds `mono` at frame `start` with the given channel gains; past the end it wraps to the start
// when `wrap` is set and is dropped otherwise.
void MixMono(StereoBuffer& target, std::size_t start, const std::vector<float>& mono,
             float gainLeft, float gainRight, bool wrap);
void MixStereo(StereoBuffer& target, std::size_t start, const StereoBuffer& source, float gainLeft,
               float gainRight, bool wrap);

// Equal-power pan gains for pan in -1 (left) .. +1 (right).
float PanLeft(float pan);
float PanRight(float pan);

float PeakOf(const StereoBuffer& buffer);
// Scales so that the highest absolute sample is `peakDb` dBFS (no change for silence).
void NormalisePeak(StereoBuffer& buffer, float peakDb);
void Scale(StereoBuffer& buffer, float gain);
// Raised-cosine fades over the first and last milliseconds; they keep starts and ends click-free.
void FadeEdges(StereoBuffer& buffer, float fadeInMs, float fadeOutMs);

std::vector<std::int16_t> ToInterleavedPcm16(const StereoBuffer& buffer);
StereoBuffer FromInterleaved(const std::vector<float>& stereo);
std::vector<float> DownmixToMono(const StereoBuffer& buffer);

}  // namespace tvx
