#include "assetbuilder/sound/ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace tvx {
namespace {

constexpr int kSerialNumber = 0x54565853;  // fixed, so builds repeat byte for byte
constexpr int kChunkFrames = 4096;

// Owns the libvorbis state in the order it must be torn down.
class VorbisSession {
 public:
  VorbisSession() {
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
  }
  ~VorbisSession() {
    if (streamReady) ogg_stream_clear(&stream);
    if (blockReady) vorbis_block_clear(&block);
    if (dspReady) vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
  VorbisSession(const VorbisSession&) = delete;
  VorbisSession& operator=(const VorbisSession&) = delete;

  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  bool dspReady = false, blockReady = false, streamReady = false;
};

void AppendPage(std::vector<std::uint8_t>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<std::uint8_t> EncodeOgg(const StereoBuffer& buffer, float quality) {
  VorbisSession s;
  if (vorbis_encode_init_vbr(&s.info, 2, kSampleRate, quality) != 0) return {};
  if (vorbis_analysis_init(&s.dsp, &s.info) != 0) return {};
  s.dspReady = true;
  if (vorbis_block_init(&s.dsp, &s.block) != 0) return {};
  s.blockReady = true;
  if (ogg_stream_init(&s.stream, kSerialNumber) != 0) return {};
  s.streamReady = true;

  std::vector<std::uint8_t> out;
  ogg_packet header, commentHeader, codebooks;
  vorbis_analysis_headerout(&s.dsp, &s.comment, &header, &commentHeader, &codebooks);
  ogg_stream_packetin(&s.stream, &header);
  ogg_stream_packetin(&s.stream, &commentHeader);
  ogg_stream_packetin(&s.stream, &codebooks);
  ogg_page page;
  // Audio starts on a fresh page, as decoders expect.
  while (ogg_stream_flush(&s.stream, &page) != 0) AppendPage(out, page);

  const auto drain = [&] {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&s.dsp, &s.block) == 1) {
      vorbis_analysis(&s.block, nullptr);
      vorbis_bitrate_addblock(&s.block);
      while (vorbis_bitrate_flushpacket(&s.dsp, &packet) == 1) {
        ogg_stream_packetin(&s.stream, &packet);
        while (ogg_stream_pageout(&s.stream, &page) != 0) AppendPage(out, page);
      }
    }
  };
  for (std::size_t at = 0; at < buffer.Frames(); at += kChunkFrames) {
    const std::size_t count = std::min<std::size_t>(kChunkFrames, buffer.Frames() - at);
    float** channels = vorbis_analysis_buffer(&s.dsp, static_cast<int>(count));
    std::copy_n(buffer.left.begin() + static_cast<std::ptrdiff_t>(at), count, channels[0]);
    std::copy_n(buffer.right.begin() + static_cast<std::ptrdiff_t>(at), count, channels[1]);
    vorbis_analysis_wrote(&s.dsp, static_cast<int>(count));
    drain();
  }
  vorbis_analysis_wrote(&s.dsp, 0);
  drain();
  while (ogg_stream_flush(&s.stream, &page) != 0) AppendPage(out, page);
  return out;
}

}  // namespace tvx
