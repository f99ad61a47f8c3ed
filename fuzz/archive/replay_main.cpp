// The archive fuzz target's replay: a small valid archive with an image, a font and a sound
// record, damaged in every way the replay driver knows.
#include "archive_writer/pxdb_writer.h"
#include "replay_driver.h"

namespace {

tvx::fuzz::Bytes SeedArchive() {
  tvx::PxDbWriter writer;
  tvx::fuzz::Bytes image(300);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 37);
  writer.Add("road0", 1, image);
  writer.Add("Font0", 3, tvx::fuzz::Bytes(40, 'f'));
  writer.Add("crash.mp3", 0, tvx::fuzz::Bytes(5000, 0));
  return writer.ToBytes();
}

}  // namespace

int main(int argc, char** argv) {
  return tvx::fuzz::ReplayMain(
      argc, argv,
      {.seeds = {SeedArchive()},
       .fieldValues = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFF0, 12, 44},
       .mutatorSeed = 0x5078446200000001ull});
}
