#include "game/RankingFile.h"

#define ZLIB_CONST
#include <zlib.h>

#include <vector>

#include "core/FileBytes.h"

namespace tvx {
namespace {

constexpr int kScrambleKey = 1739;  // only its low 8 bits take part
// Ten entries of an 11-character score and a 12-character name with their line breaks take
// about 270 bytes; anything far beyond is not a table.
constexpr std::size_t kMaxTextBytes = 4096;
constexpr std::size_t kMaxFileBytes = 64 * 1024;
constexpr std::size_t kChunk = 1024;

std::optional<std::string> Inflate(const std::vector<unsigned char>& stored) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  stream.next_in = stored.data();
  stream.avail_in = static_cast<uInt>(stored.size());
  std::string text;
  unsigned char chunk[kChunk];
  int result = Z_OK;
  while (result == Z_OK && text.size() <= kMaxTextBytes) {
    stream.next_out = chunk;
    stream.avail_out = sizeof chunk;
    result = inflate(&stream, Z_NO_FLUSH);
    text.append(reinterpret_cast<const char*>(chunk), sizeof chunk - stream.avail_out);
  }
  const bool whole = result == Z_STREAM_END && stream.avail_in == 0;
  inflateEnd(&stream);
  if (!whole || text.size() > kMaxTextBytes) return std::nullopt;
  return text;
}

}  // namespace

std::string ScrambleRankingText(const std::string& text) {
  std::string scrambled(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    scrambled[i] = static_cast<char>(static_cast<unsigned char>(kScrambleKey - 1 - b));
  }
  return scrambled;
}

RankingFileText ReadRankingFile(const std::string& fileName) {
  RankingFileText result;
  std::string stored;
  result.read = ReadRegularFile(fileName, kMaxFileBytes, stored, result.reason);
  if (result.read != FileRead::Read) return result;
  const std::optional<std::string> scrambled =
      Inflate(std::vector<unsigned char>(stored.begin(), stored.end()));
  if (scrambled) result.text = ScrambleRankingText(*scrambled);
  return result;
}

std::optional<std::string> LoadRankingFile(const std::string& fileName) {
  return ReadRankingFile(fileName).text;
}

bool SaveRankingFile(const std::string& text, const std::string& fileName, std::string* reason) {
  auto fail = [reason](const std::string& why) {
    if (reason != nullptr) *reason = why;
    return false;
  };
  const std::string scrambled = ScrambleRankingText(text);
  uLongf size = compressBound(static_cast<uLong>(scrambled.size()));
  std::vector<unsigned char> stored(size);
  if (compress2(stored.data(), &size, reinterpret_cast<const Bytef*>(scrambled.data()),
                static_cast<uLong>(scrambled.size()), Z_BEST_COMPRESSION) != Z_OK) {
    return fail("the table could not be compressed");
  }
  std::string why;
  if (ReplaceFileDurably(fileName, TemporaryRankingName(fileName),
                         {reinterpret_cast<const char*>(stored.data()), size}, why)) {
    return true;
  }
  return fail(why);
}

std::string TemporaryRankingName(const std::string& fileName) { return fileName + ".new"; }

}  // namespace tvx
