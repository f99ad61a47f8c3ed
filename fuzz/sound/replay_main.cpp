// Runs the sound fuzz target without libFuzzer: over the files named on the command line (a
// corpus or a crash to replay), or with `--mutations N` over deterministic damaged copies of
// a small valid file of each kind (a spread of truncations, then N byte flips, field
// overwrites and cuts), so every test run guards the decoders against malformed input.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "test_sounds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using tvx::test::Bytes;

// A fixed generator of our own, so the set of inputs never changes.
class Mutator {
 public:
  std::uint32_t Next(std::uint32_t bound) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return bound == 0 ? 0 : static_cast<std::uint32_t>((state_ >> 33) % bound);
  }

  Bytes Mutate(const Bytes& seed) {
    Bytes bytes = seed;
    const int edits = 1 + static_cast<int>(Next(4));
    for (int edit = 0; edit < edits && !bytes.empty(); ++edit) {
      const auto at = Next(static_cast<std::uint32_t>(bytes.size()));
      switch (Next(4)) {
        case 0:
          bytes[at] ^= static_cast<std::uint8_t>(1 + Next(255));
          break;
        case 1: {
          static const std::uint32_t kValues[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 44100};
          std::uint32_t value = kValues[Next(std::size(kValues))];
          for (std::size_t i = at; i < at + 4 && i < bytes.size(); ++i, value >>= 8) {
            bytes[i] = static_cast<std::uint8_t>(value);
          }
          break;
        }
        case 2: {
          const auto length = std::min<std::size_t>(1 + Next(64), bytes.size() - at);
          for (std::size_t i = at; i < at + length; ++i)
            bytes[i] = static_cast<std::uint8_t>(Next(256));
          break;
        }
        default:
          bytes.resize(at);
          break;
      }
    }
    return bytes;
  }

 private:
  std::uint64_t state_ = 0x736F756E64000001ull;
};

void RunOne(const Bytes& bytes) { LLVMFuzzerTestOneInput(bytes.data(), bytes.size()); }

std::vector<Bytes> Seeds() {
  return {tvx::test::MakeWave(2000, 22050, 1), tvx::test::MakeMp3(4000), tvx::test::MakeOgg(4000),
          tvx::test::MakeModule(4)};
}

int RunMutations(long count) {
  const std::vector<Bytes> seeds = Seeds();
  long runs = 0;
  for (const Bytes& seed : seeds) {
    // Cuts at a spread of sizes, the first bytes one by one.
    for (std::size_t size = 0; size <= seed.size(); size += size < 128 ? 1 : seed.size() / 64) {
      RunOne(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(size)));
      ++runs;
    }
  }
  Mutator mutator;
  for (long i = 0; i < count; ++i)
    RunOne(mutator.Mutate(seeds[static_cast<std::size_t>(i) % seeds.size()]));
  std::cout << "ran " << runs << " truncations and " << count << " mutations\n";
  return 0;
}

int RunFiles(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    if (!file) {
      std::cerr << "cannot read " << argv[i] << "\n";
      return 1;
    }
    RunOne(Bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
  }
  std::cout << "ran " << argc - 1 << " files\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--mutations") {
    return RunMutations(std::strtol(argv[2], nullptr, 10));
  }
  return RunFiles(argc, argv);
}
