#include "sound/SoundKind.h"

#include <array>
#include <string>

namespace tvx {

namespace {

struct ExtensionKind {
  std::string_view extension;
  TSoundKind kind;
};

constexpr std::array<ExtensionKind, 10> kExtensions{{
    {".MOD", TSoundKind::skModule},
    {".XM", TSoundKind::skModule},
    {".S3M", TSoundKind::skModule},
    {".MTM", TSoundKind::skModule},
    {".UMX", TSoundKind::skModule},
    {".MO3", TSoundKind::skModule},
    {".IT", TSoundKind::skModule},
    {".MP3", TSoundKind::skMp3},
    {".OGG", TSoundKind::skOgg},
    {".WAV", TSoundKind::skWave},
}};

}  // namespace

TSoundKind SoundKindOf(std::string_view key) {
  const std::size_t dot = key.rfind('.');
  if (dot == std::string_view::npos) return TSoundKind::skNone;
  std::string extension(key.substr(dot));
  // Only ASCII letters are folded, so a byte outside a-z never matches by accident.
  for (char& c : extension) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  for (const ExtensionKind& entry : kExtensions) {
    if (entry.extension == extension) return entry.kind;
  }
  return TSoundKind::skNone;
}

}  // namespace tvx
