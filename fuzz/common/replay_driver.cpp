#include "replay_driver.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tvx::fuzz {

namespace {

// A fixed generator of our own, so the set of inputs never changes.
class Mutator {
 public:
  Mutator(std::uint64_t seed, const std::vector<std::uint32_t>& fieldValues)
      : state_(seed), fieldValues_(fieldValues) {}

  Bytes Mutate(const Bytes& seed) {
    Bytes bytes = seed;
    const int edits = 1 + static_cast<int>(Next(4));
    for (int edit = 0; edit < edits && !bytes.empty(); ++edit) {
      const std::size_t at = Next(static_cast<std::uint32_t>(bytes.size()));
      switch (Next(4)) {
        case 0:
          bytes[at] ^= static_cast<std::uint8_t>(1 + Next(255));
          break;
        case 1: {
          std::uint32_t value =
              fieldValues_.empty()
                  ? Next(0xFFFFFFFFu)
                  : fieldValues_[Next(static_cast<std::uint32_t>(fieldValues_.size()))];
          for (std::size_t i = at; i < at + 4 && i < bytes.size(); ++i, value >>= 8)
            bytes[i] = static_cast<std::uint8_t>(value);
          break;
        }
        case 2: {
          const std::size_t length = std::min<std::size_t>(1 + Next(64), bytes.size() - at);
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
  std::uint32_t Next(std::uint32_t bound) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return bound == 0 ? 0 : static_cast<std::uint32_t>((state_ >> 33) % bound);
  }

  std::uint64_t state_;
  const std::vector<std::uint32_t>& fieldValues_;
};

void RunOne(const Bytes& bytes) { LLVMFuzzerTestOneInput(bytes.data(), bytes.size()); }

int RunMutations(long count, const ReplayPlan& plan) {
  long cuts = 0;
  for (const Bytes& seed : plan.seeds) {
    // Every cut of the first 512 bytes, where headers lie, then a spread over the rest.
    for (std::size_t size = 0; size <= seed.size();
         size += size < 512 ? 1 : std::max<std::size_t>(1, seed.size() / 64)) {
      RunOne(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(size)));
      ++cuts;
    }
  }
  Mutator mutator(plan.mutatorSeed, plan.fieldValues);
  for (long i = 0; i < count && !plan.seeds.empty(); ++i)
    RunOne(mutator.Mutate(plan.seeds[static_cast<std::size_t>(i) % plan.seeds.size()]));
  std::cout << "ran " << cuts << " truncations and " << count << " mutations\n";
  return 0;
}

// Each seed as DIR/seed-N, the start of a libFuzzer corpus.
int WriteSeeds(const std::string& folder, const ReplayPlan& plan) {
  for (std::size_t i = 0; i < plan.seeds.size(); ++i) {
    const std::string path = folder + "/seed-" + std::to_string(i);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(plan.seeds[i].data()),
              static_cast<std::streamsize>(plan.seeds[i].size()));
    if (!out) {
      std::cerr << path << ": cannot write\n";
      return 1;
    }
  }
  std::cout << "wrote " << plan.seeds.size() << " seeds\n";
  return 0;
}

}  // namespace

int ReplayMain(int argc, char** argv, const ReplayPlan& plan) {
  if (argc == 3 && std::string(argv[1]) == "--mutations") {
    const long count = std::strtol(argv[2], nullptr, 10);
    if (count < 0) {
      std::cerr << "the mutation count must not be negative\n";
      return 2;
    }
    return RunMutations(count, plan);
  }
  if (argc == 3 && std::string(argv[1]) == "--write-seeds") return WriteSeeds(argv[2], plan);
  if (argc < 2) {
    std::cerr << "usage: " << argv[0]
              << " --mutations <count> | --write-seeds <folder> | <input file>...\n";
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
  std::cout << "ran " << argc - 1 << " files\n";
  return 0;
}

std::vector<Bytes> FilesIn(const char* folder, std::string_view extension) {
  std::vector<Bytes> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.path().string().ends_with(extension)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

}  // namespace tvx::fuzz
