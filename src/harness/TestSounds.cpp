#include "harness/TestSounds.h"

#include <lame/lame.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "assetbuilder/sound/wav_writer.h"

namespace tvx::test {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kRate = 44100;

float Tone(std::size_t frame, int rate, const Envelope& envelope, std::size_t frames) {
  return envelope(frame, frames) *
         static_cast<float>(std::sin(2.0 * kPi * 440.0 * static_cast<double>(frame) / rate));
}

void PutText(Bytes& out, const char* text) {
  out.insert(out.end(), text, text + std::strlen(text));
}

void PutBig16(Bytes& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

}  // namespace

float SteadyHalf(std::size_t, std::size_t) { return 0.5f; }

float Rising(std::size_t frame, std::size_t frames) {
  return 0.1f + 0.8f * static_cast<float>(frame) / static_cast<float>(frames);
}

Bytes MakeWave(std::size_t frames, int rate, int channels, const Envelope& envelope) {
  std::vector<std::int16_t> samples;
  samples.reserve(frames * channels);
  for (std::size_t i = 0; i < frames; ++i) {
    const auto value = static_cast<std::int16_t>(Tone(i, rate, envelope, frames) * 32767.0f);
    samples.insert(samples.end(), static_cast<std::size_t>(channels), value);
  }
  return EncodeWav(samples, channels, rate);
}

Bytes MakeMp3(std::size_t frames, const Envelope& envelope) {
  lame_t lame = lame_init();
  lame_set_in_samplerate(lame, kRate);
  lame_set_out_samplerate(lame, kRate);
  lame_set_num_channels(lame, 2);
  lame_set_brate(lame, 128);
  lame_set_quality(lame, 5);
  lame_set_bWriteVbrTag(lame, 1);
  lame_init_params(lame);
  std::vector<short> pcm(frames * 2);
  for (std::size_t i = 0; i < frames; ++i) {
    pcm[2 * i] = pcm[2 * i + 1] = static_cast<short>(Tone(i, kRate, envelope, frames) * 32767.0f);
  }
  Bytes out(frames * 5 / 4 + 7200 + 16384);
  int written = lame_encode_buffer_interleaved(lame, pcm.data(), static_cast<int>(frames),
                                               out.data(), static_cast<int>(out.size()));
  written += lame_encode_flush(lame, out.data() + written, static_cast<int>(out.size()) - written);
  out.resize(static_cast<std::size_t>(written));
  // The tag frame goes over the first frame, which LAME reserved for it.
  std::vector<std::uint8_t> tag(8192);
  const std::size_t tagSize = lame_get_lametag_frame(lame, tag.data(), tag.size());
  if (tagSize > 0 && tagSize <= out.size()) std::memcpy(out.data(), tag.data(), tagSize);
  lame_close(lame);
  return out;
}

Bytes MakeOgg(std::size_t frames, const Envelope& envelope) {
  vorbis_info info;
  vorbis_info_init(&info);
  vorbis_encode_init_vbr(&info, 2, kRate, 0.4f);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1234);

  Bytes out;
  auto append = [&out](const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
  };
  ogg_packet header, commentPacket, codebooks;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codebooks);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentPacket);
  ogg_stream_packetin(&stream, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) append(page);

  constexpr std::size_t kChunk = 1024;
  for (std::size_t done = 0; done <= frames;) {
    const std::size_t count = std::min(kChunk, frames - done);
    if (count == 0) {
      vorbis_analysis_wrote(&dsp, 0);
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (std::size_t i = 0; i < count; ++i) {
        buffer[0][i] = buffer[1][i] = Tone(done + i, kRate, envelope, frames);
      }
      vorbis_analysis_wrote(&dsp, static_cast<int>(count));
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) append(page);
      }
    }
    if (count == 0) break;
    done += count;
  }
  while (ogg_stream_flush(&stream, &page) != 0) append(page);
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

Bytes MakeModule(int rows) {
  constexpr int kSampleBytes = 64;
  Bytes out;
  std::string title = "tarvex test";
  title.resize(20, '\0');
  out.insert(out.end(), title.begin(), title.end());
  for (int s = 0; s < 31; ++s) {
    std::string name = s == 0 ? "square" : "";
    name.resize(22, '\0');
    out.insert(out.end(), name.begin(), name.end());
    const bool used = s == 0;
    PutBig16(out, used ? kSampleBytes / 2 : 0);  // length in words
    out.push_back(0);                            // finetune
    out.push_back(used ? 64 : 0);                // volume
    PutBig16(out, 0);                            // loop start
    PutBig16(out, used ? kSampleBytes / 2 : 1);  // loop length in words
  }
  out.push_back(1);    // song length: one pattern
  out.push_back(127);  // restart position
  out.resize(out.size() + 128, 0);
  PutText(out, "M.K.");
  // Pattern 0: a note on channel 0 in row 0, speed 1, and a pattern break after `rows` rows
  // (the song then ends, since it has one position).
  Bytes pattern(64 * 4 * 4, 0);
  auto cell = [&pattern](int row, int channel) { return pattern.data() + (row * 4 + channel) * 4; };
  std::uint8_t* note = cell(0, 0);
  note[0] = 0x00 | (214 >> 8);  // sample 1 high bits 0, period 214 (C-3)
  note[1] = 214 & 0xFF;
  note[2] = 0x10;  // sample 1 low nibble, no effect
  std::uint8_t* speed = cell(0, 1);
  speed[2] = 0x0F;  // effect F: speed
  speed[3] = 0x01;
  const int last = std::clamp(rows, 1, 64) - 1;
  std::uint8_t* brk = cell(last, 2);
  brk[2] = 0x0D;  // effect D: pattern break
  out.insert(out.end(), pattern.begin(), pattern.end());
  for (int i = 0; i < kSampleBytes; ++i) out.push_back(i < kSampleBytes / 2 ? 0x50 : 0xB0);
  return out;
}

Bytes RandomBytes(std::size_t count, std::uint32_t seed) {
  std::mt19937 generator(seed);
  Bytes out(count);
  for (auto& b : out) b = static_cast<std::uint8_t>(generator());
  return out;
}

}  // namespace tvx::test
