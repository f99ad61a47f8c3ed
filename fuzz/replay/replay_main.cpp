// The replay fuzz target's replay: the shipped recordings, damaged in every way the replay
// driver knows.
#include "replay_driver.h"

int main(int argc, char** argv) {
  return tvx::fuzz::ReplayMain(argc, argv,
                               {.seeds = tvx::fuzz::FilesIn(TVX_REPLAY_SEEDS, ".replay"),
                                .fieldValues = {0, 0x30303030, 0x0A0A0A0A, 0x66660A0A, 0xFFFFFFFF},
                                .mutatorSeed = 0x5265706C61790001ull});
}
