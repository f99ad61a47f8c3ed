#include "platform/audio/Mixer.h"

#include <algorithm>
#include <utility>

#include "platform/audio/AudioError.h"
#include "platform/audio/WaveSample.h"

namespace tvx::audio_detail {

namespace {

enum class State { kStopped, kPlaying, kEnded };

constexpr int kPanLeave = -101;  // below the pan range: the pan stays as it is
constexpr std::uint32_t kMaxPlaybacks = 64;

bool Fail(int code) {
  SetAudioError(code);
  return false;
}

bool Succeed() {
  SetAudioError(audio::ErrorOk);
  return true;
}

}  // namespace

struct Mixer::Channel {
  std::uint32_t handle = 0;
  ChannelKind kind = ChannelKind::kStream;
  std::uint32_t sample = 0;  // the sample a playback belongs to
  std::unique_ptr<AudioSource> source;
  State state = State::kStopped;
  bool ending = false;  // inside its end syncs
  std::uint64_t position = 0;
  int volume = 100;
  int pan = 0;
  float gainLeft = 1.0f;
  float gainRight = 1.0f;
  bool music = false;
  std::vector<Sync> syncs;
};

struct Mixer::Sample {
  std::uint32_t handle = 0;
  std::vector<float> stereo;
  std::uint32_t maxPlaybacks = 1;
  int volume = 100;
  int pan = 0;
  bool music = false;
  std::vector<Sync> syncs;
  std::vector<std::uint32_t> channels;
};

Mixer::Mixer() = default;
Mixer::~Mixer() = default;

std::uint32_t Mixer::AddChannel(ChannelKind kind, std::unique_ptr<AudioSource> source) {
  auto channel = std::make_unique<Channel>();
  channel->kind = kind;
  channel->source = std::move(source);
  std::lock_guard lock(mutex_);
  channel->handle = nextHandle_++;
  channels_.push_back(std::move(channel));
  Succeed();
  return channels_.back()->handle;
}

std::uint32_t Mixer::AddSample(std::vector<float> stereo, std::uint32_t maxPlaybacks) {
  auto sample = std::make_unique<Sample>();
  sample->stereo = std::move(stereo);
  sample->maxPlaybacks = std::clamp<std::uint32_t>(maxPlaybacks, 1, kMaxPlaybacks);
  sample->channels.reserve(sample->maxPlaybacks);
  std::lock_guard lock(mutex_);
  sample->handle = nextHandle_++;
  samples_.push_back(std::move(sample));
  Succeed();
  return samples_.back()->handle;
}

bool Mixer::FreeChannel(ChannelKind kind, std::uint32_t handle) {
  std::unique_ptr<Channel> freed;  // destroyed after the lock is released
  {
    std::lock_guard lock(mutex_);
    if (mixing_) return Fail(audio::ErrorUnknown);
    auto found = std::find_if(channels_.begin(), channels_.end(), [&](const auto& channel) {
      return channel->handle == handle && channel->kind == kind;
    });
    if (found == channels_.end()) return Fail(audio::ErrorHandle);
    freed = std::move(*found);
    channels_.erase(found);
  }
  return Succeed();
}

bool Mixer::FreeSample(std::uint32_t handle) {
  std::unique_ptr<Sample> freedSample;
  std::vector<std::unique_ptr<Channel>> freedChannels;  // destroyed first: they read the sample
  {
    std::lock_guard lock(mutex_);
    if (mixing_) return Fail(audio::ErrorUnknown);
    auto found = std::find_if(samples_.begin(), samples_.end(),
                              [&](const auto& sample) { return sample->handle == handle; });
    if (found == samples_.end()) return Fail(audio::ErrorHandle);
    for (auto& channel : channels_) {
      if (channel->sample == handle) freedChannels.push_back(std::move(channel));
    }
    std::erase(channels_, nullptr);
    freedSample = std::move(*found);
    samples_.erase(found);
  }
  return Succeed();
}

void Mixer::FreeEverything() {
  std::vector<std::unique_ptr<Sample>> samples;
  std::vector<std::unique_ptr<Channel>> channels;
  std::lock_guard lock(mutex_);
  channels.swap(channels_);
  samples.swap(samples_);
}

Mixer::Channel* Mixer::FindChannel(std::uint32_t handle) {
  for (auto& channel : channels_) {
    if (channel->handle == handle) return channel.get();
  }
  return nullptr;
}

Mixer::Sample* Mixer::FindSample(std::uint32_t handle) {
  for (auto& sample : samples_) {
    if (sample->handle == handle) return sample.get();
  }
  return nullptr;
}

std::uint32_t Mixer::SampleGetChannel(std::uint32_t handle, bool onlyNew) {
  std::lock_guard lock(mutex_);
  Sample* sample = FindSample(handle);
  if (sample == nullptr) {
    Fail(audio::ErrorHandle);
    return 0;
  }
  Channel* chosen = nullptr;
  if (!onlyNew) {
    for (std::uint32_t id : sample->channels) {
      Channel* channel = FindChannel(id);
      if (channel->state != State::kPlaying) chosen = channel;
    }
  }
  if (chosen == nullptr && sample->channels.size() < sample->maxPlaybacks) {
    auto channel = std::make_unique<Channel>();
    channel->handle = nextHandle_++;
    channel->kind = ChannelKind::kSamplePlayback;
    channel->sample = handle;
    channel->music = sample->music;
    channel->source = std::make_unique<SamplePlayback>(sample->stereo);
    chosen = channel.get();
    channels_.push_back(std::move(channel));
    sample->channels.push_back(chosen->handle);
  }
  if (chosen == nullptr) {
    // Every playback is busy: the one furthest along makes room.
    for (std::uint32_t id : sample->channels) {
      Channel* channel = FindChannel(id);
      if (chosen == nullptr || channel->position > chosen->position) chosen = channel;
    }
  }
  chosen->state = State::kStopped;
  chosen->source->Seek(0);
  chosen->position = 0;
  ApplyGains(*chosen, sample->volume, sample->pan);
  Succeed();
  return chosen->handle;
}

void Mixer::StopSampleChannels(Sample& sample) {
  for (std::uint32_t id : sample.channels) {
    Channel* channel = FindChannel(id);
    channel->state = State::kStopped;
    channel->source->Seek(0);
    channel->position = 0;
  }
}

bool Mixer::SampleStop(std::uint32_t handle) {
  std::lock_guard lock(mutex_);
  Sample* sample = FindSample(handle);
  if (sample == nullptr) return Fail(audio::ErrorHandle);
  StopSampleChannels(*sample);
  return Succeed();
}

bool Mixer::Play(std::uint32_t handle, bool restart) {
  if (!PrepareSource(handle)) return Fail(audio::ErrorMemory);
  std::lock_guard lock(mutex_);
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  // An ended channel starts over; a playing or stopped one goes on from where it is.
  if (restart || channel->state == State::kEnded) {
    if (!channel->source->Seek(0)) return Fail(audio::ErrorNoPlay);
    channel->position = 0;
  }
  channel->state = State::kPlaying;
  return Succeed();
}

// Outside the lock, so that the mix goes on while a decoder is built. Only the main thread
// frees channels, and never while a sync (which may call Play) runs, so the source stays.
bool Mixer::PrepareSource(std::uint32_t handle) {
  AudioSource* source = nullptr;
  {
    std::lock_guard lock(mutex_);
    Channel* channel = FindChannel(handle);
    if (channel == nullptr) return true;  // Play reports the unknown handle
    source = channel->source.get();
  }
  return source->Prepare();
}

bool Mixer::Stop(std::uint32_t handle) {
  std::lock_guard lock(mutex_);
  if (Sample* sample = FindSample(handle)) {
    StopSampleChannels(*sample);
    return Succeed();
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  if (channel->state == State::kPlaying) channel->state = State::kStopped;
  return Succeed();
}

void Mixer::StopAll() {
  std::lock_guard lock(mutex_);
  for (auto& channel : channels_) {
    if (channel->state == State::kPlaying) channel->state = State::kStopped;
  }
}

bool Mixer::SetPosition(std::uint32_t handle, std::uint64_t frame) {
  std::lock_guard lock(mutex_);
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  if (!channel->source->Seek(frame)) return Fail(audio::ErrorUnknown);
  channel->position = frame;
  // A rewind from an end sync keeps the channel going; elsewhere the state stays.
  if (channel->ending) {
    channel->state = State::kPlaying;
  } else if (channel->state == State::kEnded) {
    channel->state = State::kStopped;
  }
  return Succeed();
}

std::uint32_t Mixer::IsActive(std::uint32_t handle) {
  std::lock_guard lock(mutex_);
  if (Sample* sample = FindSample(handle)) {
    Succeed();
    for (std::uint32_t id : sample->channels) {
      if (FindChannel(id)->state == State::kPlaying) return audio::ActivePlaying;
    }
    return audio::ActiveStopped;
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) {
    Fail(audio::ErrorHandle);
    return audio::ActiveStopped;
  }
  Succeed();
  return channel->state == State::kPlaying ? audio::ActivePlaying : audio::ActiveStopped;
}

void Mixer::ApplyGains(Channel& channel, int volume, int pan) {
  channel.volume = volume;
  channel.pan = pan;
  const float gain = static_cast<float>(volume) / 100.0f;
  channel.gainLeft = gain * (pan > 0 ? static_cast<float>(100 - pan) / 100.0f : 1.0f);
  channel.gainRight = gain * (pan < 0 ? static_cast<float>(100 + pan) / 100.0f : 1.0f);
}

bool Mixer::SetAttributes(std::uint32_t handle, int volume, int pan) {
  std::lock_guard lock(mutex_);
  if (Sample* sample = FindSample(handle)) {
    if (volume >= 0) sample->volume = std::min(volume, 100);
    if (pan > kPanLeave) sample->pan = std::min(pan, 100);
    for (std::uint32_t id : sample->channels) {
      ApplyGains(*FindChannel(id), sample->volume, sample->pan);
    }
    return Succeed();
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  ApplyGains(*channel, volume >= 0 ? std::min(volume, 100) : channel->volume,
             pan > kPanLeave ? std::min(pan, 100) : channel->pan);
  return Succeed();
}

std::vector<Mixer::Sync>* Mixer::SyncsOf(std::uint32_t handle) {
  if (Sample* sample = FindSample(handle)) return &sample->syncs;
  if (Channel* channel = FindChannel(handle)) return &channel->syncs;
  return nullptr;
}

std::uint32_t Mixer::SetSync(std::uint32_t handle, SyncProc proc, void* user) {
  std::lock_guard lock(mutex_);
  std::vector<Sync>* syncs = SyncsOf(handle);
  if (syncs == nullptr) {
    Fail(audio::ErrorHandle);
    return 0;
  }
  const std::uint32_t sync = nextSync_++;
  syncs->push_back({sync, proc, user});
  Succeed();
  return sync;
}

bool Mixer::RemoveSync(std::uint32_t handle, std::uint32_t sync) {
  std::lock_guard lock(mutex_);
  std::vector<Sync>* syncs = SyncsOf(handle);
  if (syncs == nullptr) return Fail(audio::ErrorHandle);
  const auto removed = std::erase_if(*syncs, [sync](const Sync& s) { return s.handle == sync; });
  return removed > 0 ? Succeed() : Fail(audio::ErrorHandle);
}

namespace {

// Squared, so that equal steps of the setting sound like roughly equal steps of loudness.
float LevelGain(int level) {
  const float fraction = static_cast<float>(std::clamp(level, 0, 100)) / 100.0f;
  return fraction * fraction;
}

}  // namespace

void Mixer::SetLevels(const MixLevels& levels) {
  std::lock_guard lock(mutex_);
  const float master = levels.muted ? 0.0f : LevelGain(levels.master);
  musicLevel_ = master * LevelGain(levels.music);
  effectsLevel_ = master * LevelGain(levels.effects);
}

bool Mixer::SetMusic(std::uint32_t handle, bool music) {
  std::lock_guard lock(mutex_);
  if (Sample* sample = FindSample(handle)) {
    sample->music = music;
    for (std::uint32_t id : sample->channels) FindChannel(id)->music = music;
    return Succeed();
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr || channel->kind == ChannelKind::kSamplePlayback) {
    return Fail(audio::ErrorHandle);
  }
  channel->music = music;
  return Succeed();
}

void Mixer::Mix(float* stereo, std::size_t frames) {
  std::fill(stereo, stereo + 2 * frames, 0.0f);
  std::lock_guard lock(mutex_);
  mixing_ = true;
  // By index: a sync may add a sample playback to the list.
  for (std::size_t i = 0; i < channels_.size(); ++i) {
    Channel& channel = *channels_[i];
    if (channel.state == State::kPlaying) MixChannel(channel, stereo, frames);
  }
  mixing_ = false;
  for (std::size_t i = 0; i < 2 * frames; ++i) stereo[i] = std::clamp(stereo[i], -1.0f, 1.0f);
}

void Mixer::MixChannel(Channel& channel, float* stereo, std::size_t frames) {
  std::size_t done = 0;
  bool endedEmpty = false;
  while (done < frames && channel.state == State::kPlaying) {
    const std::size_t wanted = std::min(frames - done, kBlockFrames);
    const std::size_t got = channel.source->Read(scratch_.data(), wanted);
    float* out = stereo + 2 * done;
    const float level = channel.music ? musicLevel_ : effectsLevel_;
    const float left = channel.gainLeft * level;
    const float right = channel.gainRight * level;
    for (std::size_t j = 0; j < got; ++j) {
      out[2 * j] += scratch_[2 * j] * left;
      out[2 * j + 1] += scratch_[2 * j + 1] * right;
    }
    done += got;
    channel.position += got;
    if (got == wanted) {
      endedEmpty = false;
      continue;
    }
    // A source that gives nothing again right after its syncs rewound it would spin here.
    if (got == 0 && endedEmpty) {
      channel.state = State::kEnded;
      break;
    }
    endedEmpty = got == 0;
    EndChannel(channel);
  }
}

void Mixer::EndChannel(Channel& channel) {
  channel.state = State::kEnded;
  channel.ending = true;
  for (std::size_t k = 0; k < channel.syncs.size(); ++k) {
    const Sync sync = channel.syncs[k];
    sync.proc(sync.handle, channel.handle, 0, sync.user);
  }
  if (Sample* sample = channel.sample != 0 ? FindSample(channel.sample) : nullptr) {
    for (std::size_t k = 0; k < sample->syncs.size(); ++k) {
      const Sync sync = sample->syncs[k];
      sync.proc(sync.handle, channel.handle, 0, sync.user);
    }
  }
  channel.ending = false;
}

}  // namespace tvx::audio_detail
