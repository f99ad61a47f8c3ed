// The replay fuzz target's replay: the shipped recordings, damaged in every way the replay
// driver knows.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "replay_driver.h"

namespace {

std::vector<tvx::fuzz::Bytes> Seeds() {
  std::vector<tvx::fuzz::Bytes> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(TVX_REPLAY_SEEDS)) {
    if (entry.path().extension() != ".replay") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  return tvx::fuzz::ReplayMain(argc, argv,
                               {.seeds = Seeds(),
                                .fieldValues = {0, 0x30303030, 0x0A0A0A0A, 0x66660A0A, 0xFFFFFFFF},
                                .mutatorSeed = 0x5265706C61790001ull});
}
