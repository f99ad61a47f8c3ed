// RenderTune: plays every track of a tune into buses, adds the shared reverb and delay, pumps
// the ducked synths on the kick and normalises the mix.
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include "assetbuilder/sound/space_effects.h"
#include "assetbuilder/sound/tune.h"

namespace tvx {
namespace {

constexpr float kMusicPeakDb = -1.0f;
constexpr float kDuckRecoverySeconds = 0.14f;
constexpr int kDrumVariations = 4;  // hits cycle through a few noise seeds, for a live feel

// Identical notes of a track sound identical, so each is rendered once and mixed many times;
// tunes repeat their patterns, and this keeps rendering fast.
class NoteCache {
 public:
  template <typename Render>
  const StereoBuffer& Get(std::size_t track, double pitch, int length, float velocity,
                          Render render) {
    const Key key{track, pitch, length, velocity};
    auto found = cache_.find(key);
    if (found == cache_.end()) found = cache_.emplace(key, render()).first;
    return found->second;
  }

 private:
  using Key = std::tuple<std::size_t, double, int, float>;
  std::map<Key, StereoBuffer> cache_;
};

struct Buses {
  explicit Buses(std::size_t frames)
      : drums(frames), ducked(frames), plain(frames), reverb(frames), delay(frames) {}
  StereoBuffer drums, ducked, plain, reverb, delay;
};

std::size_t StepFrame(const Tune& tune, int step) {
  const double swung = step + (step % 2 == 1 ? tune.swing : 0.0f);
  return SecondsToFrames(swung * tune.StepSeconds());
}

void Send(Buses& buses, StereoBuffer& dry, std::size_t start, const StereoBuffer& sound,
          const TrackMix& mix, bool wrap) {
  const float left = PanLeft(mix.pan) * std::numbers::sqrt2_v<float> * mix.gain;
  const float right = PanRight(mix.pan) * std::numbers::sqrt2_v<float> * mix.gain;
  MixStereo(dry, start, sound, left, right, wrap);
  if (mix.reverbSend > 0.0f) {
    MixStereo(buses.reverb, start, sound, left * mix.reverbSend, right * mix.reverbSend, wrap);
  }
  if (mix.delaySend > 0.0f) {
    MixStereo(buses.delay, start, sound, left * mix.delaySend, right * mix.delaySend, wrap);
  }
}

// Gain per frame that dips on every kick and recovers; a loop's first kick recovers into the
// wrap-around from the last one.
std::vector<float> DuckingGain(const Tune& tune, const std::vector<std::size_t>& kicks,
                               std::size_t frames) {
  std::vector<float> gain(frames, 1.0f);
  if (tune.duckDepth <= 0.0f || kicks.empty()) return gain;
  const float recovery = kDuckRecoverySeconds * kSampleRate;
  for (std::size_t kick : kicks) {
    for (std::size_t i = 0; i < SecondsToFrames(kDuckRecoverySeconds * 4.0f); ++i) {
      std::size_t at = kick + i;
      if (at >= frames) {
        if (!tune.loop) break;
        at %= frames;
      }
      const float dip = tune.duckDepth * std::exp(-static_cast<float>(i) / recovery) *
                        std::min(1.0f, static_cast<float>(i) / 60.0f + 0.3f);
      gain[at] = std::min(gain[at], 1.0f - dip);
    }
  }
  return gain;
}

}  // namespace

StereoBuffer RenderTune(const Tune& tune) {
  const double loopSeconds = tune.steps * tune.StepSeconds();
  const std::size_t frames = SecondsToFrames(loopSeconds + (tune.loop ? 0.0 : tune.tailSeconds));
  const bool wrap = tune.loop;
  Buses buses(frames);
  std::vector<std::size_t> kicks;

  NoteCache drumCache, noteCache;
  for (std::size_t d = 0; d < tune.drums.size(); ++d) {
    const DrumTrack& track = tune.drums[d];
    for (std::size_t h = 0; h < track.hits.size(); ++h) {
      const NoteEvent& hit = track.hits[h];
      if (hit.step < 0 || hit.step >= tune.steps) continue;
      const int variation = static_cast<int>(h % kDrumVariations);
      const StereoBuffer& sound = drumCache.Get(d, 0.0, variation, hit.velocity, [&] {
        StereoBuffer mono;
        mono.left = RenderDrum(track.kind, hit.velocity,
                               static_cast<std::uint32_t>(d * 7919 + variation), track.tune);
        mono.right = mono.left;
        return mono;
      });
      const std::size_t start = StepFrame(tune, hit.step);
      Send(buses, buses.drums, start, sound, track.mix, wrap);
      if (track.triggersDucking) kicks.push_back(start);
    }
  }
  for (std::size_t t = 0; t < tune.synths.size(); ++t) {
    const SynthTrack& track = tune.synths[t];
    for (const NoteEvent& note : track.notes) {
      if (note.step < 0 || note.step >= tune.steps) continue;
      const StereoBuffer& sound = noteCache.Get(t, note.midi, note.length, note.velocity, [&] {
        const auto gate = static_cast<float>(note.length * tune.StepSeconds());
        const auto seed = static_cast<std::uint32_t>(t * 104729 + note.midi * 131 + note.length);
        return RenderSynthNote(track.patch, note.midi, gate, note.velocity, seed);
      });
      Send(buses, track.ducked ? buses.ducked : buses.plain, StepFrame(tune, note.step), sound,
           track.mix, wrap);
    }
  }

  const StereoBuffer reverb = Reverberate(buses.reverb, tune.reverbSeconds, tune.loop);
  const std::size_t delayFrames = SecondsToFrames(tune.delaySteps * tune.StepSeconds());
  const StereoBuffer delay = PingPongDelay(buses.delay, delayFrames, tune.delayFeedback, tune.loop);
  const std::vector<float> duck = DuckingGain(tune, kicks, frames);

  StereoBuffer mix(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const auto channel = [&](const std::vector<float> StereoBuffer::*side) {
      return (buses.drums.*side)[i] + (buses.ducked.*side)[i] * duck[i] + (buses.plain.*side)[i] +
             tune.reverbReturn * (reverb.*side)[i] + tune.delayReturn * (delay.*side)[i];
    };
    mix.left[i] = channel(&StereoBuffer::left);
    mix.right[i] = channel(&StereoBuffer::right);
  }
  NormalisePeak(mix, kMusicPeakDb);
  if (!tune.loop) FadeEdges(mix, 2.0f, 1000.0f * tune.fadeOutSeconds);
  return mix;
}

}  // namespace tvx
