#include "platform/ProgramMemory.h"

#include <malloc.h>

namespace tvx {

namespace {
constexpr int kLargeBlockBytes = 256 * 1024;
}  // namespace

void ReturnLargeBlocksWhenFreed() { mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes); }

void ReleaseFreedHeap() { malloc_trim(0); }

}  // namespace tvx
