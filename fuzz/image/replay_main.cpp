// The image record fuzz target's replay: small records of each stored pixel format, one of
// several textures with cells and draw sizes, damaged in every way the replay driver knows.
#include "harness/ImageRecordBuilder.h"
#include "replay_driver.h"

namespace {

using tvx::PixelFormat;
using tvx::testing::ImageRecordBuilder;

std::vector<tvx::fuzz::Bytes> Seeds() {
  std::vector<tvx::fuzz::Bytes> seeds;
  for (const PixelFormat format : {PixelFormat::pfA8R8G8B8, PixelFormat::pfR5G6B5,
                                   PixelFormat::pfA4R4G4B4, PixelFormat::pfA8}) {
    seeds.push_back(
        ImageRecordBuilder().Format(format).Texture(8, 4).FillPixels(0x9A3C5F71).Bytes());
  }
  seeds.push_back(ImageRecordBuilder()
                      .Cell(8, 8)
                      .Draw(6, 5)
                      .Patterns(5)
                      .Texture(16, 16, 2)
                      .FillPixels(0xFF204060)
                      .Bytes());
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  return tvx::fuzz::ReplayMain(
      argc, argv,
      {.seeds = Seeds(),
       .fieldValues = {0, 1, 2, 8192, 8193, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF},
       .mutatorSeed = 0x496D616765000001ull});
}
