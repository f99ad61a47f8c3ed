#include "platform/ProgramMemory.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

namespace tvx {

namespace {
constexpr int kLargeBlockBytes = 256 * 1024;
}  // namespace

void ReturnLargeBlocksWhenFreed() { mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes); }

void ReleaseFreedHeap() { malloc_trim(0); }

double ResidentMegabytes() {
  long pages = 0, resident = 0;
  if (std::FILE* file = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(file, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(file);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

}  // namespace tvx
