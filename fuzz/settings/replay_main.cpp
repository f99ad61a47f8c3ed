// The settings fuzz target's replay: the seed corpus, damaged in every way the replay driver
// knows.
#include "replay_driver.h"

int main(int argc, char** argv) {
  return tvx::fuzz::ReplayMain(argc, argv,
                               {.seeds = tvx::fuzz::FilesIn(TVX_SETTINGS_CORPUS),
                                .fieldValues = {0, 0x3D3D3D3D, 0x0A0A0A0A, 0x5B5B5D5D, 0xFFFFFFFF},
                                .mutatorSeed = 0x53657474696E6701ull});
}
