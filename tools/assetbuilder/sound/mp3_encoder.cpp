#include "assetbuilder/sound/mp3_encoder.h"

#include <lame/lame.h>

#include <memory>
#include <mutex>

namespace tvx {
namespace {

struct LameCloser {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

void IgnoreMessage(const char*, va_list) {}

// LAME fills some shared tables on first set-up; encoders on other threads wait for that.
std::mutex& SetupMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

std::vector<std::uint8_t> EncodeMp3(const StereoBuffer& buffer, bool stereo, int kilobitsPerSecond,
                                    int quality) {
  std::unique_lock setup(SetupMutex());
  std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
  if (!lame) return {};
  lame_global_flags* flags = lame.get();
  lame_set_errorf(flags, IgnoreMessage);
  lame_set_debugf(flags, IgnoreMessage);
  lame_set_msgf(flags, IgnoreMessage);
  lame_set_in_samplerate(flags, kSampleRate);
  lame_set_out_samplerate(flags, kSampleRate);
  lame_set_num_channels(flags, stereo ? 2 : 1);
  lame_set_mode(flags, stereo ? JOINT_STEREO : MONO);
  lame_set_brate(flags, kilobitsPerSecond);
  lame_set_VBR(flags, vbr_off);
  lame_set_quality(flags, quality);
  lame_set_bWriteVbrTag(flags, 1);
  lame_set_write_id3tag_automatic(flags, 0);
  lame_set_num_samples(flags, static_cast<unsigned long>(buffer.Frames()));
  if (lame_init_params(flags) < 0) return {};
  setup.unlock();

  const int frames = static_cast<int>(buffer.Frames());
  std::vector<float> mono;
  const float* left = buffer.left.data();
  const float* right = buffer.right.data();
  if (!stereo) {
    mono = DownmixToMono(buffer);
    left = right = mono.data();
  }
  std::vector<std::uint8_t> out(static_cast<std::size_t>(1.25 * frames + 7200 + 16384));
  const int written = lame_encode_buffer_ieee_float(flags, left, right, frames, out.data(),
                                                    static_cast<int>(out.size()));
  if (written < 0) return {};
  const int flushed =
      lame_encode_flush(flags, out.data() + written, static_cast<int>(out.size()) - written);
  if (flushed < 0) return {};
  out.resize(static_cast<std::size_t>(written + flushed));

  // The stream begins with a placeholder frame; the final tag frame replaces it.
  std::vector<std::uint8_t> tag(8192);
  const std::size_t tagSize = lame_get_lametag_frame(flags, tag.data(), tag.size());
  if (tagSize == 0 || tagSize > out.size()) return {};
  std::copy(tag.begin(), tag.begin() + static_cast<std::ptrdiff_t>(tagSize), out.begin());
  return out;
}

}  // namespace tvx
