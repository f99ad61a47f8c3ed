// Runs a fuzz target without libFuzzer: over the files named on the command line (a corpus
// or a crash to replay), or with `--mutations N` over deterministic damaged copies of the
// seeds (cuts at a spread of sizes, then N byte flips, field overwrites, noise runs and cuts),
// so every test run guards a parser against malformed input. `--write-seeds DIR` writes the
// seeds as files, to start a libFuzzer corpus.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tvx::fuzz {

using Bytes = std::vector<std::uint8_t>;

struct ReplayPlan {
  std::vector<Bytes> seeds;
  // 32-bit values written over fields: sizes, counts and offsets a parser must refuse.
  std::vector<std::uint32_t> fieldValues;
  std::uint64_t mutatorSeed = 1;
};

// Every file in `folder` whose name ends in `extension` (every file for ""), as seeds.
std::vector<Bytes> FilesIn(const char* folder, std::string_view extension = "");

// The program's main: `--mutations <count>`, `--write-seeds <folder>` or `<input file>...`.
int ReplayMain(int argc, char** argv, const ReplayPlan& plan);

}  // namespace tvx::fuzz
