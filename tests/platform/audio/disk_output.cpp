#include "disk_output.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>
#include <thread>

namespace tvx::test {

namespace {

// Generous: a loaded 2-core machine may run the audio thread late, never this late.
constexpr auto kHangLimit = std::chrono::seconds(60);
constexpr auto kPoll = std::chrono::milliseconds(2);

template <class Done>
bool PollUntil(Done done) {
  const auto limit = std::chrono::steady_clock::now() + kHangLimit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(kPoll);
  }
  return true;
}

}  // namespace

DiskOutput::DiskOutput(const std::string& name)
    : path_(std::filesystem::temp_directory_path() /
            ("tvx_audio_" + name + "_" + std::to_string(::getpid()) + ".raw")) {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  ::setenv("SDL_AUDIODRIVER", "disk", 1);
  ::setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
}

DiskOutput::~DiskOutput() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

std::uintmax_t DiskOutput::Size() const {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path_, error);
  return error ? 0 : size;
}

bool DiskOutput::WaitForMore(std::uintmax_t bytes) const {
  const std::uintmax_t target = Size() + bytes;
  return PollUntil([&] { return Size() >= target; });
}

std::vector<float> DiskOutput::Samples() const {
  std::ifstream file(path_, std::ios::binary);
  std::vector<char> raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<float> samples(raw.size() / sizeof(float));
  std::memcpy(samples.data(), raw.data(), samples.size() * sizeof(float));
  return samples;
}

void UseDummyDriver() { ::setenv("SDL_AUDIODRIVER", "dummy", 1); }

bool WaitUntilStopped(IAudioLibrary& audio, std::uint32_t channel) {
  return PollUntil([&] { return audio.Audio_ChannelIsActive(channel) != audio::ActivePlaying; });
}

float Peak(const std::vector<float>& samples, std::size_t from, std::size_t to) {
  float peak = 0.0f;
  for (std::size_t i = from; i < std::min(to, samples.size()); ++i) {
    peak = std::max(peak, std::fabs(samples[i]));
  }
  return peak;
}

std::size_t FirstAudible(const std::vector<float>& samples, float threshold) {
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (std::fabs(samples[i]) > threshold) return i;
  }
  return samples.size();
}

std::size_t LastAudible(const std::vector<float>& samples, float threshold) {
  for (std::size_t i = samples.size(); i > 0; --i) {
    if (std::fabs(samples[i - 1]) > threshold) return i - 1;
  }
  return samples.size();
}

std::size_t LongestSilentRun(const std::vector<float>& samples, std::size_t from, std::size_t to,
                             float threshold) {
  std::size_t longest = 0;
  std::size_t run = 0;
  for (std::size_t i = from & ~std::size_t{1}; i + 1 < std::min(to, samples.size()); i += 2) {
    const bool silent = std::fabs(samples[i]) < threshold && std::fabs(samples[i + 1]) < threshold;
    run = silent ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

}  // namespace tvx::test
