// The font record fuzz target's replay: a font of the printable characters around a picture
// of 16 glyph cells per row, damaged in every way the replay driver knows.
#include "harness/ImageRecordBuilder.h"
#include "replay_driver.h"

namespace {

using tvx::PixelFormat;
using tvx::testing::FontRecordBuilder;
using tvx::testing::ImageRecordBuilder;

tvx::fuzz::Bytes SeedFont() {
  std::vector<std::int32_t> advances;
  for (std::int32_t glyph = 0; glyph < 96; ++glyph) advances.push_back(3 + glyph % 7);
  return FontRecordBuilder()
      .FirstChar(32)
      .GlyphSpacing(1)
      .Advances(advances)
      .Picture(ImageRecordBuilder()
                   .Format(PixelFormat::pfA8)
                   .Cell(8, 8)
                   .Draw(7, 8)
                   .Texture(128, 48)
                   .FillPixels(0xC0)
                   .Bytes())
      .Bytes();
}

}  // namespace

int main(int argc, char** argv) {
  return tvx::fuzz::ReplayMain(
      argc, argv,
      {.seeds = {SeedFont()},
       .fieldValues = {0, 1, 32, 255, 256, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF},
       .mutatorSeed = 0x466F6E7400000001ull});
}
