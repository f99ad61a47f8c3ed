#include "platform/rules/ChannelRules.h"

#include <algorithm>
#include <exception>
#include <new>
#include <utility>

namespace tvx {

namespace {

constexpr int kPanLeave = -101;  // below the pan range: the pan stays as it is
constexpr std::uint32_t kMaxPlaybacks = 64;

// The channel or sample of a handle in one of the tables, or nullptr.
template <class Entry>
Entry* FindByHandle(const std::vector<std::unique_ptr<Entry>>& table, std::uint32_t handle) {
  const auto found = std::find_if(table.begin(), table.end(),
                                  [handle](const auto& entry) { return entry->handle == handle; });
  return found != table.end() ? found->get() : nullptr;
}
// No sound file of the game comes near this; larger claims are refused before any decoding.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t{256} << 20;

std::int64_t Arg(std::uint64_t value) { return static_cast<std::int64_t>(value); }

}  // namespace

ChannelRules::ChannelRules() = default;
ChannelRules::~ChannelRules() = default;

bool ChannelRules::Fail(int code) {
  SetError(code);
  return false;
}

bool ChannelRules::Succeed() {
  SetError(audio::ErrorOk);
  return true;
}

std::uint32_t ChannelRules::Refuse(int code) {
  SetError(code);
  return 0;
}

bool ChannelRules::Ready() { return ready_ || Fail(audio::ErrorInit); }

bool ChannelRules::Audio_Stop() {
  Called("Stop", {});
  if (!Ready()) return false;
  std::lock_guard lock(mutex_);
  for (auto& channel : channels_) {
    if (channel->state == ChannelState::kPlaying) channel->state = ChannelState::kStopped;
  }
  return Succeed();
}

template <class Open>
std::uint32_t ChannelRules::Load(bool memory, const void* file, std::uint64_t offset,
                                 std::uint64_t length, Open open) {
  if (!Ready()) return 0;
  if (!memory || file == nullptr || length == 0 || length > kMaxFileBytes ||
      offset > kMaxFileBytes) {
    return Refuse(audio::ErrorFileFormat);
  }
  // Sounds are opened outside the lock; opening allocates, and running out of memory is a
  // failed load like any other.
  try {
    return open(static_cast<const std::uint8_t*>(file) + offset, static_cast<std::size_t>(length));
  } catch (const std::bad_alloc&) {
    return Refuse(audio::ErrorMemory);
  } catch (const std::exception&) {
    return Refuse(audio::ErrorUnknown);
  }
}

std::uint32_t ChannelRules::AddChannel(ChannelKind kind, std::unique_ptr<ChannelSource> source) {
  if (!source) return 0;
  auto channel = std::make_unique<Channel>();
  channel->kind = kind;
  channel->source = std::move(source);
  std::lock_guard lock(mutex_);
  channel->handle = nextHandle_++;
  channels_.push_back(std::move(channel));
  Succeed();
  return channels_.back()->handle;
}

std::uint32_t ChannelRules::Audio_MusicLoad(bool memory, const void* file, std::uint64_t offset,
                                            std::uint32_t length, std::uint32_t flags,
                                            std::uint32_t frequency) {
  Called("MusicLoad", {{"length", length}, {"flags", flags}, {"frequency", frequency}});
  return Load(memory, file, offset, length, [&](const std::uint8_t* data, std::size_t size) {
    return AddChannel(ChannelKind::kMusic, OpenMusic(data, size, flags));
  });
}

std::uint32_t ChannelRules::Audio_StreamCreateFile(bool memory, const void* file,
                                                   std::uint64_t offset, std::uint64_t length,
                                                   std::uint32_t flags) {
  Called("StreamCreateFile", {{"length", Arg(length)}, {"flags", flags}});
  return Load(memory, file, offset, length, [&](const std::uint8_t* data, std::size_t size) {
    return AddChannel(ChannelKind::kStream, OpenStream(data, size));
  });
}

std::uint32_t ChannelRules::Audio_SampleLoad(bool memory, const void* file, std::uint64_t offset,
                                             std::uint32_t length, std::uint32_t maxPlaybacks,
                                             std::uint32_t flags) {
  Called("SampleLoad", {{"length", length}, {"max", maxPlaybacks}, {"flags", flags}});
  return Load(memory, file, offset, length,
              [&](const std::uint8_t* data, std::size_t size) -> std::uint32_t {
                auto sample = std::make_unique<Sample>();
                sample->source = OpenSample(data, size);
                if (!sample->source) return 0;
                sample->maxPlaybacks = std::clamp<std::uint32_t>(maxPlaybacks, 1, kMaxPlaybacks);
                sample->channels.reserve(sample->maxPlaybacks);
                std::lock_guard lock(mutex_);
                sample->handle = nextHandle_++;
                samples_.push_back(std::move(sample));
                Succeed();
                return samples_.back()->handle;
              });
}

bool ChannelRules::FreeChannel(ChannelKind kind, std::uint32_t handle) {
  if (!Ready()) return false;
  std::unique_ptr<Channel> freed;  // destroyed after the lock is released
  {
    std::lock_guard lock(mutex_);
    if (syncDepth_ > 0) return Fail(audio::ErrorUnknown);
    auto found = std::find_if(channels_.begin(), channels_.end(), [&](const auto& channel) {
      return channel->handle == handle && channel->kind == kind;
    });
    if (found == channels_.end()) return Fail(audio::ErrorHandle);
    freed = std::move(*found);
    channels_.erase(found);
  }
  return Succeed();
}

bool ChannelRules::Audio_MusicFree(std::uint32_t handle) {
  Called("MusicFree", {{"handle", handle}});
  return FreeChannel(ChannelKind::kMusic, handle);
}

bool ChannelRules::Audio_StreamFree(std::uint32_t handle) {
  Called("StreamFree", {{"handle", handle}});
  return FreeChannel(ChannelKind::kStream, handle);
}

bool ChannelRules::Audio_SampleFree(std::uint32_t handle) {
  Called("SampleFree", {{"handle", handle}});
  if (!Ready()) return false;
  std::unique_ptr<Sample> freedSample;
  std::vector<std::unique_ptr<Channel>> freedChannels;  // destroyed first: they read the sample
  {
    std::lock_guard lock(mutex_);
    if (syncDepth_ > 0) return Fail(audio::ErrorUnknown);
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

void ChannelRules::FreeEverything() {
  std::vector<std::unique_ptr<Sample>> samples;
  std::vector<std::unique_ptr<Channel>> channels;
  std::lock_guard lock(mutex_);
  channels.swap(channels_);
  samples.swap(samples_);
}

ChannelRules::Channel* ChannelRules::FindChannel(std::uint32_t handle) {
  return FindByHandle(channels_, handle);
}

const ChannelRules::Channel* ChannelRules::FindChannel(std::uint32_t handle) const {
  return FindByHandle(channels_, handle);
}

ChannelRules::Sample* ChannelRules::FindSample(std::uint32_t handle) {
  return FindByHandle(samples_, handle);
}

const ChannelRules::Sample* ChannelRules::FindSample(std::uint32_t handle) const {
  return FindByHandle(samples_, handle);
}

std::size_t ChannelRules::SoundCount() const {
  const auto playbacks = std::count_if(channels_.begin(), channels_.end(), [](const auto& c) {
    return c->kind == ChannelKind::kSample;
  });
  return samples_.size() + channels_.size() - static_cast<std::size_t>(playbacks);
}

ChannelRules::Channel* ChannelRules::ChooseSamplePlayback(Sample& sample, bool onlyNew) {
  Channel* chosen = nullptr;
  if (!onlyNew) {
    for (std::uint32_t id : sample.channels) {
      Channel* channel = FindChannel(id);
      if (channel->state != ChannelState::kPlaying) chosen = channel;
    }
  }
  if (chosen == nullptr && sample.channels.size() < sample.maxPlaybacks) {
    auto channel = std::make_unique<Channel>();
    channel->handle = nextHandle_++;
    channel->kind = ChannelKind::kSample;
    channel->sample = sample.handle;
    channel->music = sample.music;
    channel->source = sample.source->NewPlayback();
    chosen = channel.get();
    channels_.push_back(std::move(channel));
    sample.channels.push_back(chosen->handle);
  }
  if (chosen == nullptr) {
    // Every playback is busy: the one furthest along makes room.
    for (std::uint32_t id : sample.channels) {
      Channel* channel = FindChannel(id);
      if (chosen == nullptr || channel->position > chosen->position) chosen = channel;
    }
  }
  return chosen;
}

std::uint32_t ChannelRules::Audio_SampleGetChannel(std::uint32_t handle, bool onlyNew) {
  Called("SampleGetChannel", {{"sample", handle}, {"onlyNew", onlyNew}});
  if (!Ready()) return 0;
  std::lock_guard lock(mutex_);
  Sample* sample = FindSample(handle);
  if (sample == nullptr) return Refuse(audio::ErrorHandle);
  Channel* chosen = ChooseSamplePlayback(*sample, onlyNew);
  chosen->state = ChannelState::kStopped;
  chosen->source->Seek(0);
  chosen->position = 0;
  chosen->volume = sample->volume;
  chosen->pan = sample->pan;
  Succeed();
  return chosen->handle;
}

void ChannelRules::StopSampleChannels(Sample& sample) {
  for (std::uint32_t id : sample.channels) {
    Channel* channel = FindChannel(id);
    channel->state = ChannelState::kStopped;
    channel->source->Seek(0);
    channel->position = 0;
  }
}

bool ChannelRules::Audio_SampleStop(std::uint32_t handle) {
  Called("SampleStop", {{"sample", handle}});
  if (!Ready()) return false;
  std::lock_guard lock(mutex_);
  Sample* sample = FindSample(handle);
  if (sample == nullptr) return Fail(audio::ErrorHandle);
  StopSampleChannels(*sample);
  return Succeed();
}

bool ChannelRules::Audio_ChannelPlay(std::uint32_t handle, bool restart) {
  Called("ChannelPlay", {{"handle", handle}, {"restart", restart}});
  if (!Ready()) return false;
  if (!PrepareSource(handle)) return Fail(audio::ErrorMemory);
  std::lock_guard lock(mutex_);
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  // An ended channel starts over; a playing or stopped one goes on from where it is.
  if (restart || channel->state == ChannelState::kEnded) {
    if (!channel->source->Seek(0)) return Fail(audio::ErrorNoPlay);
    channel->position = 0;
  }
  channel->state = ChannelState::kPlaying;
  return Succeed();
}

// Outside the lock, so that the mix goes on while a decoder is built. Only the main thread
// frees channels, and never while a sync (which may call Play) runs, so the source stays.
bool ChannelRules::PrepareSource(std::uint32_t handle) {
  ChannelSource* source = nullptr;
  {
    std::lock_guard lock(mutex_);
    Channel* channel = FindChannel(handle);
    if (channel == nullptr) return true;  // Play reports the unknown handle
    source = channel->source.get();
  }
  return source->Prepare();
}

bool ChannelRules::Audio_ChannelStop(std::uint32_t handle) {
  Called("ChannelStop", {{"handle", handle}});
  if (!Ready()) return false;
  std::lock_guard lock(mutex_);
  if (Sample* sample = FindSample(handle)) {
    StopSampleChannels(*sample);
    return Succeed();
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  if (channel->state == ChannelState::kPlaying) channel->state = ChannelState::kStopped;
  return Succeed();
}

bool ChannelRules::Audio_ChannelSetPosition(std::uint32_t handle, std::uint64_t position) {
  Called("ChannelSetPosition", {{"handle", handle}, {"position", Arg(position)}});
  if (!Ready()) return false;
  const std::uint64_t frame = position / kAudioBytesPerFrame;
  std::lock_guard lock(mutex_);
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  if (!channel->source->Seek(frame)) return Fail(audio::ErrorUnknown);
  channel->position = frame;
  // A rewind from an end sync keeps the channel going; elsewhere the state stays.
  if (channel->ending) {
    channel->state = ChannelState::kPlaying;
  } else if (channel->state == ChannelState::kEnded) {
    channel->state = ChannelState::kStopped;
  }
  return Succeed();
}

std::uint32_t ChannelRules::Audio_ChannelIsActive(std::uint32_t handle) {
  Called("ChannelIsActive", {{"handle", handle}});
  if (!Ready()) return audio::ActiveStopped;
  std::lock_guard lock(mutex_);
  if (Sample* sample = FindSample(handle)) {
    Succeed();
    for (std::uint32_t id : sample->channels) {
      if (FindChannel(id)->state == ChannelState::kPlaying) return audio::ActivePlaying;
    }
    return audio::ActiveStopped;
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) {
    Fail(audio::ErrorHandle);
    return audio::ActiveStopped;
  }
  Succeed();
  return channel->state == ChannelState::kPlaying ? audio::ActivePlaying : audio::ActiveStopped;
}

bool ChannelRules::Audio_ChannelSetAttributes(std::uint32_t handle, int frequency, int volume,
                                              int pan) {
  Called("ChannelSetAttributes",
         {{"handle", handle}, {"frequency", frequency}, {"volume", volume}, {"pan", pan}});
  if (!Ready()) return false;
  // Every sound plays at the mix rate: frequency changes are refused.
  if (frequency > 0) return Fail(audio::ErrorUnknown);
  std::lock_guard lock(mutex_);
  // A negative volume, or a pan below the range, leaves the current one.
  if (Sample* sample = FindSample(handle)) {
    if (volume >= 0) sample->volume = std::min(volume, 100);
    if (pan > kPanLeave) sample->pan = std::min(pan, 100);
    for (std::uint32_t id : sample->channels) {
      Channel* channel = FindChannel(id);
      channel->volume = sample->volume;
      channel->pan = sample->pan;
    }
    return Succeed();
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  if (volume >= 0) channel->volume = std::min(volume, 100);
  if (pan > kPanLeave) channel->pan = std::min(pan, 100);
  return Succeed();
}

std::vector<ChannelRules::Sync>* ChannelRules::SyncsOf(std::uint32_t handle) {
  if (Sample* sample = FindSample(handle)) return &sample->syncs;
  if (Channel* channel = FindChannel(handle)) return &channel->syncs;
  return nullptr;
}

std::uint32_t ChannelRules::Audio_ChannelSetSync(std::uint32_t handle, std::uint32_t type,
                                                 std::uint64_t parameter, SyncProc proc,
                                                 void* user) {
  Called("ChannelSetSync", {{"handle", handle}, {"type", type}, {"parameter", Arg(parameter)}});
  if (!Ready()) return 0;
  // Only end syncs exist.
  if (type != audio::SyncEnd || proc == nullptr) return Refuse(audio::ErrorUnknown);
  std::lock_guard lock(mutex_);
  std::vector<Sync>* syncs = SyncsOf(handle);
  if (syncs == nullptr) return Refuse(audio::ErrorHandle);
  const std::uint32_t sync = nextSync_++;
  syncs->push_back({sync, proc, user});
  Succeed();
  return sync;
}

bool ChannelRules::Audio_ChannelRemoveSync(std::uint32_t handle, std::uint32_t sync) {
  Called("ChannelRemoveSync", {{"handle", handle}, {"sync", sync}});
  if (!Ready()) return false;
  std::lock_guard lock(mutex_);
  std::vector<Sync>* syncs = SyncsOf(handle);
  if (syncs == nullptr) return Fail(audio::ErrorHandle);
  const auto removed = std::erase_if(*syncs, [sync](const Sync& s) { return s.handle == sync; });
  return removed > 0 ? Succeed() : Fail(audio::ErrorHandle);
}

bool ChannelRules::SetMusic(std::uint32_t handle) {
  std::lock_guard lock(mutex_);
  if (Sample* sample = FindSample(handle)) {
    sample->music = true;
    for (std::uint32_t id : sample->channels) FindChannel(id)->music = true;
    return Succeed();
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr || channel->kind == ChannelKind::kSample) return Fail(audio::ErrorHandle);
  channel->music = true;
  return Succeed();
}

void ChannelRules::CallSyncs(const std::vector<Sync>& syncs, std::uint32_t channel) {
  // By index and by copy: a sync may add or remove syncs.
  for (std::size_t k = 0; k < syncs.size(); ++k) {
    const Sync sync = syncs[k];
    sync.proc(sync.handle, channel, 0, sync.user);
  }
}

void ChannelRules::EndChannel(Channel& channel) {
  std::lock_guard lock(mutex_);
  channel.state = ChannelState::kEnded;
  channel.ending = true;
  ++syncDepth_;
  CallSyncs(channel.syncs, channel.handle);
  if (Sample* sample =
          channel.kind == ChannelKind::kSample ? FindSample(channel.sample) : nullptr) {
    CallSyncs(sample->syncs, channel.handle);
  }
  --syncDepth_;
  channel.ending = false;
}

}  // namespace tvx
