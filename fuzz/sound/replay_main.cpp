// The sound fuzz target's replay: a small valid file of each kind (WAV, MP3, OGG, module),
// damaged in every way the replay driver knows.
#include "harness/TestSounds.h"
#include "replay_driver.h"

int main(int argc, char** argv) {
  return tvx::fuzz::ReplayMain(
      argc, argv,
      {.seeds = {tvx::test::MakeWave(2000, 22050, 1), tvx::test::MakeMp3(4000),
                 tvx::test::MakeOgg(4000), tvx::test::MakeModule(4)},
       .fieldValues = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 44100},
       .mutatorSeed = 0x736F756E64000001ull});
}
