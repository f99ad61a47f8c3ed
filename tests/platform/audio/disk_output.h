// The real library's output captured with SDL's disk driver: the mixed float stream lands in a
// file, written as the device plays (in real time), and is read back for measurement.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/AudioLibrary.h"

namespace tvx::test {

// One device buffer of the library: 1024 stereo float frames.
constexpr std::uintmax_t kDeviceBlockBytes = 1024 * 2 * sizeof(float);

class DiskOutput {
 public:
  // Points SDL's disk driver at a fresh file named after `name`; call before Audio_Init.
  explicit DiskOutput(const std::string& name);
  ~DiskOutput();

  std::uintmax_t Size() const;
  // Waits until `bytes` more than now have been written. A long limit only guards against a
  // hang; it is not a timing check.
  bool WaitForMore(std::uintmax_t bytes) const;
  // The whole file as interleaved stereo samples; call once the library is destroyed.
  std::vector<float> Samples() const;

 private:
  std::filesystem::path path_;
};

// Selects SDL's dummy driver (the callback runs, nothing is written).
void UseDummyDriver();

// Polls until the channel is no longer playing; false if it never stops (hang guard).
bool WaitUntilStopped(IAudioLibrary& audio, std::uint32_t channel);

// Measurements over samples [from, to) of an interleaved stereo buffer.
float Peak(const std::vector<float>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX);
// Index of the first sample above `threshold`, or the size if there is none.
std::size_t FirstAudible(const std::vector<float>& samples, float threshold = 1e-3f);
std::size_t LastAudible(const std::vector<float>& samples, float threshold = 1e-3f);
// The longest run of frames whose both channels stay below `threshold`.
std::size_t LongestSilentRun(const std::vector<float>& samples, std::size_t from, std::size_t to,
                             float threshold = 1e-4f);

}  // namespace tvx::test
