#include "assetbuilder/sound/space_effects.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "assetbuilder/sound/dsp.h"

namespace tvx {
namespace {

class DelayLine {
 public:
  explicit DelayLine(std::size_t length) : buffer_(std::max<std::size_t>(length, 1), 0.0f) {}
  float Read() const { return buffer_[position_]; }
  void Write(float value) {
    buffer_[position_] = value;
    if (++position_ == buffer_.size()) position_ = 0;
  }

 private:
  std::vector<float> buffer_;
  std::size_t position_ = 0;
};

class Comb {
 public:
  Comb(std::size_t length, float feedback) : line_(length), feedback_(feedback) {
    damping_.SetCutoff(5200.0f);
  }
  float Process(float in) {
    const float out = line_.Read();
    line_.Write(in + damping_.Lowpass(out) * feedback_);
    return out;
  }

 private:
  DelayLine line_;
  OnePole damping_;
  float feedback_;
};

class AllPass {
 public:
  explicit AllPass(std::size_t length) : line_(length) {}
  float Process(float in) {
    const float delayed = line_.Read();
    const float out = delayed - 0.5f * in;
    line_.Write(in + 0.5f * delayed);
    return out;
  }

 private:
  DelayLine line_;
};

class ReverbSide {
 public:
  ReverbSide(float decaySeconds, std::size_t spread) {
    static constexpr std::size_t kCombs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static constexpr std::size_t kAllPasses[] = {556, 441, 341, 225};
    for (std::size_t length : kCombs) {
      const float seconds = static_cast<float>(length + spread) / kSampleRate;
      // Feedback for a 60 dB decay over `decaySeconds`.
      combs_.emplace_back(length + spread, std::pow(10.0f, -3.0f * seconds / decaySeconds));
    }
    for (std::size_t length : kAllPasses) allPasses_.emplace_back(length + spread);
  }
  float Process(float in) {
    float sum = 0.0f;
    for (Comb& comb : combs_) sum += comb.Process(in);
    sum *= 0.125f;
    for (AllPass& allPass : allPasses_) sum = allPass.Process(sum);
    return sum;
  }

 private:
  std::vector<Comb> combs_;
  std::vector<AllPass> allPasses_;
};

// Runs `step` (left in, right in) -> (left out, right out) over the buffer. A loop is first
// run over its last seconds without keeping the output: older input has died away by more
// than 70 dB, so the state entering the start is the one the loop's end leaves behind.
template <typename Step>
StereoBuffer RunOver(const StereoBuffer& in, bool loop, Step step) {
  constexpr double kPrerollSeconds = 4.0;
  if (loop) {
    const std::size_t preroll = std::min(in.Frames(), SecondsToFrames(kPrerollSeconds));
    for (std::size_t i = in.Frames() - preroll; i < in.Frames(); ++i) step(in.left[i], in.right[i]);
  }
  StereoBuffer out(in.Frames());
  for (std::size_t i = 0; i < in.Frames(); ++i) {
    const auto [left, right] = step(in.left[i], in.right[i]);
    out.left[i] = left;
    out.right[i] = right;
  }
  return out;
}

}  // namespace

StereoBuffer Reverberate(const StereoBuffer& send, float decaySeconds, bool loop) {
  ReverbSide left(decaySeconds, 0), right(decaySeconds, 23);
  OnePole lowCutLeft, lowCutRight;
  lowCutLeft.SetCutoff(180.0f);
  lowCutRight.SetCutoff(180.0f);
  return RunOver(send, loop, [&](float l, float r) {
    const float mono = 0.5f * (l + r);
    return std::array<float, 2>{left.Process(lowCutLeft.Highpass(mono)),
                                right.Process(lowCutRight.Highpass(mono))};
  });
}

StereoBuffer PingPongDelay(const StereoBuffer& send, std::size_t delayFrames, float feedback,
                           bool loop) {
  DelayLine left(delayFrames), right(delayFrames);
  OnePole toneLeft, toneRight;
  toneLeft.SetCutoff(4000.0f);
  toneRight.SetCutoff(4000.0f);
  return RunOver(send, loop, [&](float l, float r) {
    const float outLeft = left.Read(), outRight = right.Read();
    // The input enters on the left; each repeat crosses to the other side.
    left.Write(0.5f * (l + r) + toneRight.Lowpass(outRight) * feedback);
    right.Write(toneLeft.Lowpass(outLeft) * feedback);
    return std::array<float, 2>{outLeft, outRight};
  });
}

}  // namespace tvx
