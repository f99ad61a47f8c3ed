#include "assetbuilder/sound/tracker_renderer.h"

#include <algorithm>
#include <cmath>

#include "assetbuilder/sound/mod_writer.h"

namespace tvx {
namespace {

constexpr double kPalClock = 7093789.2;
constexpr double kBaseRate = 8363.0;
constexpr float kRampFrames = 44.0f;

struct Channel {
  const TrackerInstrument* instrument = nullptr;
  double position = 0.0;
  double step = 0.0;
  bool playing = false;
  bool keyOn = false;
  float volume = 0.0f;  // 0 .. 1
  int envelopeTick = 0;
  float fade = 1.0f;
  float gain = 0.0f;  // ramped towards the target
  float panLeft = 0.7071f, panRight = 0.7071f;
  int cutTick = -1;  // tick of the current row at which the channel is silenced
};

double NoteRate(const TrackerSong& song, const TrackerInstrument& instrument, int note) {
  if (song.format == TrackerFormat::kProTracker) return kPalClock / (2.0 * ProTrackerPeriod(note));
  return kBaseRate * std::exp2((note + instrument.relativeNote - kNoteMiddle) / 12.0);
}

float EnvelopeAt(const TrackerInstrument& instrument, int tick) {
  const auto& points = instrument.envelope;
  if (points.empty()) return 1.0f;
  if (tick <= points.front().tick) return points.front().level / 64.0f;
  for (std::size_t i = 1; i < points.size(); ++i) {
    if (tick <= points[i].tick) {
      const auto& a = points[i - 1];
      const auto& b = points[i];
      const float along = static_cast<float>(tick - a.tick) / std::max(1, b.tick - a.tick);
      return (a.level + (b.level - a.level) * along) / 64.0f;
    }
  }
  return points.back().level / 64.0f;
}

void ApplyCell(const TrackerSong& song, Channel& channel, const TrackerCell& cell) {
  channel.cutTick = -1;
  if (cell.effect == kEffectExtended && (cell.parameter & 0xF0) == kExtendedNoteCut) {
    channel.cutTick = cell.parameter & 0x0F;
  }
  const bool validInstrument =
      cell.instrument > 0 && cell.instrument <= static_cast<int>(song.instruments.size());
  if (validInstrument) {
    channel.instrument = &song.instruments[static_cast<std::size_t>(cell.instrument - 1)];
    channel.volume = channel.instrument->volume / 64.0f;
    if (song.format == TrackerFormat::kFastTracker) {
      const float pan = (channel.instrument->panning - 128) / 128.0f;
      channel.panLeft = PanLeft(pan);
      channel.panRight = PanRight(pan);
    }
  }
  if (cell.note > kNoteNone && cell.note < kNoteKeyOff && channel.instrument != nullptr) {
    channel.position = 0.0;
    channel.step = NoteRate(song, *channel.instrument, cell.note) / kSampleRate;
    channel.playing = true;
    channel.keyOn = true;
    channel.envelopeTick = 0;
    channel.fade = 1.0f;
    channel.gain = 0.0f;
  }
  if (cell.note == kNoteKeyOff) {
    channel.keyOn = false;
    if (song.format == TrackerFormat::kProTracker || channel.instrument == nullptr ||
        channel.instrument->envelope.empty()) {
      channel.volume = 0.0f;
    }
  }
  if (cell.volume >= 0) channel.volume = std::clamp(cell.volume, 0, 64) / 64.0f;
  if (cell.effect == kEffectSetVolume) {
    channel.volume = std::clamp(cell.parameter, 0, 64) / 64.0f;
  }
}

float TargetGain(const Channel& channel) {
  if (!channel.playing || channel.instrument == nullptr) return 0.0f;
  const TrackerInstrument& instrument = *channel.instrument;
  int tick = channel.envelopeTick;
  if (channel.keyOn && instrument.sustainPoint >= 0 &&
      instrument.sustainPoint < static_cast<int>(instrument.envelope.size())) {
    tick =
        std::min(tick, instrument.envelope[static_cast<std::size_t>(instrument.sustainPoint)].tick);
  }
  return channel.volume * EnvelopeAt(instrument, tick) * channel.fade;
}

void RenderTick(Channel& channel, float target, StereoBuffer& out, std::size_t from,
                std::size_t to) {
  const TrackerInstrument* instrument = channel.instrument;
  for (std::size_t i = from; i < to && channel.playing; ++i) {
    channel.gain += std::clamp(target - channel.gain, -1.0f / kRampFrames, 1.0f / kRampFrames);
    const auto& data = instrument->data;
    const auto at = static_cast<std::size_t>(channel.position);
    if (at >= data.size()) {
      channel.playing = false;
      break;
    }
    const double fraction = channel.position - at;
    std::size_t next = at + 1;
    if (instrument->loopLength > 0 && next >= instrument->loopStart + instrument->loopLength) {
      next = instrument->loopStart;
    }
    const float a = data[at] / 128.0f;
    const float b = next < data.size() ? data[next] / 128.0f : 0.0f;
    const float sample = static_cast<float>(a + (b - a) * fraction) * channel.gain;
    out.left[i] += sample * channel.panLeft;
    out.right[i] += sample * channel.panRight;
    channel.position += channel.step;
    if (instrument->loopLength > 0) {
      const double loopEnd = static_cast<double>(instrument->loopStart + instrument->loopLength);
      while (channel.position >= loopEnd)
        channel.position -= static_cast<double>(instrument->loopLength);
    }
  }
}

}  // namespace

StereoBuffer RenderTrackerSong(const TrackerSong& song) {
  // A ProTracker file has no tempo fields: it starts at speed 6, 125 bpm until effect F.
  const bool proTracker = song.format == TrackerFormat::kProTracker;
  int speed = proTracker ? 6 : std::max(1, song.speed);
  int bpm = proTracker ? 125 : std::max(32, song.bpm);
  StereoBuffer out;
  std::vector<Channel> channels(static_cast<std::size_t>(song.channels));
  if (proTracker) {
    for (std::size_t c = 0; c < channels.size(); ++c) {
      const bool left = c % 4 == 0 || c % 4 == 3;
      channels[c].panLeft = left ? 1.0f : 0.0f;
      channels[c].panRight = left ? 0.0f : 1.0f;
    }
  }
  double tickClock = 0.0;
  for (int index : song.order) {
    if (index < 0 || index >= static_cast<int>(song.patterns.size())) continue;
    const TrackerPattern& pattern = song.patterns[static_cast<std::size_t>(index)];
    for (int row = 0; row < pattern.rows; ++row) {
      for (std::size_t c = 0; c < channels.size(); ++c) {
        const std::size_t at = static_cast<std::size_t>(row) * channels.size() + c;
        if (at >= pattern.cells.size()) continue;
        const TrackerCell& cell = pattern.cells[at];
        ApplyCell(song, channels[c], cell);
        if (cell.effect == kEffectSetSpeed && cell.parameter > 0) {
          if (cell.parameter < 32)
            speed = cell.parameter;
          else
            bpm = cell.parameter;
        }
      }
      for (int tick = 0; tick < speed; ++tick) {
        const auto from = static_cast<std::size_t>(std::llround(tickClock));
        tickClock += kSampleRate * 2.5 / bpm;
        const auto to = static_cast<std::size_t>(std::llround(tickClock));
        out.left.resize(to, 0.0f);
        out.right.resize(to, 0.0f);
        for (Channel& channel : channels) {
          if (tick == channel.cutTick) channel.volume = 0.0f;
          RenderTick(channel, TargetGain(channel), out, from, to);
          ++channel.envelopeTick;
          if (!channel.keyOn && channel.instrument != nullptr) {
            channel.fade = std::max(0.0f, channel.fade - channel.instrument->fadeOut / 32768.0f);
          }
        }
      }
    }
  }
  NormalisePeak(out, -1.0f);
  return out;
}

}  // namespace tvx
