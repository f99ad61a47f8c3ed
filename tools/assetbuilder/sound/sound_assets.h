// SoundAssets: every sound record of the archive, synthesised by our own code at build time.
//
// The first seven assets are the level music slots (tracker modules and OGG streams); the
// named tunes and effects follow in the order the game's sound table lists them. Each asset
// carries the file exactly as stored in the archive and what the game hears of it: the file
// decoded by the platform's decoders, for review WAVs and tests. Each sound is levelled for the
// loudness it should have at the volume the game plays it. Building is deterministic: the same
// bytes on every call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx {

struct SoundAsset {
  std::string key;                      // archive key, e.g. "crash.mp3"
  std::vector<std::uint8_t> file;       // the sound file as stored in the archive
  std::vector<std::int16_t> reviewPcm;  // 44100 Hz stereo interleaved, decoded from `file`
};

// In archive table order: the seven music slots first, then the keys of the request in its order.
std::vector<SoundAsset> BuildSoundAssets();

}  // namespace tvx
