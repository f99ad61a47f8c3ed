#include "platform/doubles/SilentAudioLibrary.h"

#include <cstring>
#include <string_view>
#include <utility>

namespace tvx {

namespace {

enum class Format { kUnknown, kWave, kOgg, kMp3, kModule };

bool HasAt(const std::uint8_t* data, std::uint64_t size, std::uint64_t at, std::string_view text) {
  return size >= at + text.size() && std::memcmp(data + at, text.data(), text.size()) == 0;
}

bool IsMp3FrameSync(const std::uint8_t* data, std::uint64_t size) {
  // Eleven set sync bits, a valid layer and a bitrate index that is neither free nor bad.
  return size >= 4 && data[0] == 0xFF && (data[1] & 0xE0) == 0xE0 && (data[1] & 0x06) != 0 &&
         (data[2] & 0xF0) != 0xF0;
}

bool IsModule(const std::uint8_t* data, std::uint64_t size) {
  for (std::string_view tag : {"M.K.", "M!K!", "FLT4", "FLT8", "4CHN", "6CHN", "8CHN"}) {
    if (HasAt(data, size, 1080, tag)) return true;
  }
  static constexpr std::uint8_t kUmx[] = {0xC1, 0x83, 0x2A, 0x9E};
  return HasAt(data, size, 0, "Extended Module: ") || HasAt(data, size, 44, "SCRM") ||
         HasAt(data, size, 0, "IMPM") || HasAt(data, size, 0, "MTM") ||
         HasAt(data, size, 0, "MO3") || (size >= 4 && std::memcmp(data, kUmx, 4) == 0);
}

Format FormatOf(const std::uint8_t* data, std::uint64_t size) {
  if (HasAt(data, size, 0, "RIFF") && HasAt(data, size, 8, "WAVE")) return Format::kWave;
  if (HasAt(data, size, 0, "OggS")) return Format::kOgg;
  if (HasAt(data, size, 0, "ID3") || IsMp3FrameSync(data, size)) return Format::kMp3;
  if (IsModule(data, size)) return Format::kModule;
  return Format::kUnknown;
}

// A sound of a virtual length, shared by a sample's playbacks; 0 never ends.
class VirtualSource final : public ChannelSource {
 public:
  explicit VirtualSource(std::shared_ptr<std::uint64_t> length) : length(std::move(length)) {}
  bool Seek(std::uint64_t frame) override { return *length == 0 || frame < *length; }

  const std::shared_ptr<std::uint64_t> length;
};

class VirtualSample final : public SampleSource {
 public:
  explicit VirtualSample(std::shared_ptr<std::uint64_t> length) : length(std::move(length)) {}
  std::unique_ptr<ChannelSource> NewPlayback() override {
    return std::make_unique<VirtualSource>(length);
  }

  const std::shared_ptr<std::uint64_t> length;
};

}  // namespace

void SilentAudioLibrary::Called(std::string_view name, std::initializer_list<CallArgument> args) {
  if (!logging_) return;
  std::string entry(name);
  for (const CallArgument& arg : args) {
    entry += ' ';
    entry += arg.name;
    entry += '=';
    entry += std::to_string(arg.value);
  }
  log_.push_back(std::move(entry));
}

std::uint32_t SilentAudioLibrary::Audio_GetVersion() {
  Called("GetVersion", {});
  return version;
}

bool SilentAudioLibrary::Audio_Init(int device, std::uint32_t frequency, std::uint32_t flags,
                                    std::uintptr_t /*window*/, const void* /*classId*/) {
  Called("Init", {{"device", device}, {"frequency", frequency}, {"flags", flags}});
  if (failInit) return Fail(audio::ErrorInit);
  SetReady();
  return Succeed();
}

int SilentAudioLibrary::Audio_ErrorGetCode() {
  Called("ErrorGetCode", {});
  return error_;
}

bool SilentAudioLibrary::Audio_ChannelPlay(std::uint32_t channel, bool restart) {
  if (!failPlay) return ChannelRules::Audio_ChannelPlay(channel, restart);
  Called("ChannelPlay", {{"handle", channel}, {"restart", restart}});
  return Fail(audio::ErrorNoPlay);
}

bool SilentAudioLibrary::Accepts(bool rightFormat) {
  if (failLoads) return Fail(loadErrorCode);
  return rightFormat || Fail(audio::ErrorFileFormat);
}

std::unique_ptr<ChannelSource> SilentAudioLibrary::OpenMusic(const std::uint8_t* data,
                                                             std::size_t size,
                                                             std::uint32_t /*flags*/) {
  if (!Accepts(FormatOf(data, size) == Format::kModule)) return nullptr;
  return std::make_unique<VirtualSource>(std::make_shared<std::uint64_t>(defaultLength));
}

std::unique_ptr<ChannelSource> SilentAudioLibrary::OpenStream(const std::uint8_t* data,
                                                              std::size_t size) {
  const Format format = FormatOf(data, size);
  if (!Accepts(format == Format::kOgg || format == Format::kMp3)) return nullptr;
  return std::make_unique<VirtualSource>(std::make_shared<std::uint64_t>(defaultLength));
}

std::unique_ptr<SampleSource> SilentAudioLibrary::OpenSample(const std::uint8_t* data,
                                                             std::size_t size) {
  if (!Accepts(FormatOf(data, size) == Format::kWave)) return nullptr;
  return std::make_unique<VirtualSample>(std::make_shared<std::uint64_t>(defaultLength));
}

std::shared_ptr<std::uint64_t> SilentAudioLibrary::Length(std::uint32_t handle) const {
  // Every source this double hands the rules is one of its virtual ones.
  if (const Sample* sample = FindSample(handle)) {
    return static_cast<const VirtualSample&>(*sample->source).length;
  }
  if (const Channel* channel = FindChannel(handle)) {
    return static_cast<const VirtualSource&>(*channel->source).length;
  }
  return nullptr;
}

void SilentAudioLibrary::SetLength(std::uint32_t handle, std::uint64_t frames) {
  if (auto length = Length(handle)) *length = frames;
}

void SilentAudioLibrary::Advance(std::uint64_t frames) {
  std::lock_guard lock(Mutex());
  std::vector<Channel*> ended;
  for (std::size_t i = 0; i < ChannelCount(); ++i) {
    Channel& channel = ChannelAt(i);
    if (channel.state != ChannelState::kPlaying) continue;
    const std::uint64_t length = *static_cast<const VirtualSource&>(*channel.source).length;
    channel.position += frames;
    if (length != 0 && channel.position >= length) {
      channel.position = length;
      ended.push_back(&channel);
    }
  }
  // Syncs may not free sounds, so the channels stay where they are.
  for (Channel* channel : ended) EndChannel(*channel);
}

bool SilentAudioLibrary::IsLoaded(std::uint32_t handle) const {
  const Channel* channel = FindChannel(handle);
  return FindSample(handle) != nullptr ||
         (channel != nullptr && channel->kind != ChannelKind::kSample);
}

int SilentAudioLibrary::Volume(std::uint32_t handle) const {
  if (const Sample* sample = FindSample(handle)) return sample->volume;
  const Channel* channel = FindChannel(handle);
  return channel == nullptr ? -1 : channel->volume;
}

std::uint64_t SilentAudioLibrary::Position(std::uint32_t handle) const {
  const Channel* channel = FindChannel(handle);
  return channel == nullptr ? 0 : channel->position;
}

bool SilentAudioLibrary::Playing(std::uint32_t handle) const {
  const Channel* channel = FindChannel(handle);
  return channel != nullptr && channel->state == ChannelState::kPlaying;
}

std::size_t SilentAudioLibrary::SyncCount(std::uint32_t handle) const {
  if (const Sample* sample = FindSample(handle)) return sample->syncs.size();
  const Channel* channel = FindChannel(handle);
  return channel == nullptr ? 0 : channel->syncs.size();
}

std::vector<std::uint32_t> SilentAudioLibrary::SampleChannels(std::uint32_t sample) const {
  const Sample* found = FindSample(sample);
  return found == nullptr ? std::vector<std::uint32_t>{} : found->channels;
}

}  // namespace tvx
