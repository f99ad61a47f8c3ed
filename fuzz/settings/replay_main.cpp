// The settings fuzz target's replay: the seed corpus, damaged in every way the replay driver
// knows.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "replay_driver.h"

namespace {

std::vector<tvx::fuzz::Bytes> Seeds() {
  std::vector<tvx::fuzz::Bytes> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(TVX_SETTINGS_CORPUS)) {
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  return tvx::fuzz::ReplayMain(argc, argv,
                               {.seeds = Seeds(),
                                .fieldValues = {0, 0x3D3D3D3D, 0x0A0A0A0A, 0x5B5B5D5D, 0xFFFFFFFF},
                                .mutatorSeed = 0x53657474696E6701ull});
}
