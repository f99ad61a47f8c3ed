// Runs the archive fuzz target without libFuzzer: over the files named on the command line
// (a corpus or a crash to replay), or with `--mutations N` over a deterministic set of
// damaged copies of a valid archive (every truncation, then N byte flips, field overwrites
// and cuts), so every test run guards the reader against malformed input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "archive_writer/PxDbWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes SeedArchive() {
  tvx::PxDbWriter writer;
  Bytes image(300);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 37);
  writer.Add("road0", 1, image);
  writer.Add("Font0", 3, Bytes(40, 'f'));
  writer.Add("crash.mp3", 0, Bytes(5000, 0));
  return writer.ToBytes();
}

// A fixed generator of our own, so the set never changes with the game's random state.
class TMutator {
 public:
  std::uint32_t Next(std::uint32_t bound) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return bound == 0 ? 0 : static_cast<std::uint32_t>((state_ >> 33) % bound);
  }

  Bytes Mutate(const Bytes& seed) {
    Bytes bytes = seed;
    const int edits = 1 + static_cast<int>(Next(3));
    for (int edit = 0; edit < edits && !bytes.empty(); ++edit) {
      switch (Next(3)) {
        case 0:
          bytes[Next(static_cast<std::uint32_t>(bytes.size()))] ^=
              static_cast<std::uint8_t>(1 + Next(255));
          break;
        case 1: {
          static const std::uint32_t kValues[] = {0,          1,          0x7FFFFFFF, 0x80000000,
                                                  0xFFFFFFFF, 0xFFFFFFF0, 12,         44};
          std::uint32_t value = kValues[Next(std::size(kValues))];
          const std::size_t at = Next(static_cast<std::uint32_t>(bytes.size()));
          for (std::size_t i = at; i < at + 4 && i < bytes.size(); ++i, value >>= 8) {
            bytes[i] = static_cast<std::uint8_t>(value);
          }
          break;
        }
        default:
          bytes.resize(Next(static_cast<std::uint32_t>(bytes.size())));
          break;
      }
    }
    return bytes;
  }

 private:
  std::uint64_t state_ = 0x5078446200000001ull;
};

void RunOne(const Bytes& bytes) { LLVMFuzzerTestOneInput(bytes.data(), bytes.size()); }

int RunMutations(long count) {
  const Bytes seed = SeedArchive();
  for (std::size_t size = 0; size <= seed.size(); ++size) {
    RunOne(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(size)));
  }
  TMutator mutator;
  for (long i = 0; i < count; ++i) RunOne(mutator.Mutate(seed));
  std::cout << "ran " << seed.size() + 1 << " truncations and " << count << " mutations\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--mutations") {
    const long count = std::strtol(argv[2], nullptr, 10);
    if (count < 0) {
      std::cerr << "the mutation count must not be negative\n";
      return 2;
    }
    return RunMutations(count);
  }
  if (argc < 2) {
    std::cerr << "usage: " << argv[0] << " --mutations <count> | <input file>...\n";
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::cerr << argv[i] << ": cannot open\n";
      return 1;
    }
    RunOne(Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  }
  return 0;
}
