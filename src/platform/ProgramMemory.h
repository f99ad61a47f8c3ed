// How the program's heap hands memory back. The loads of the first frame pass tens of
// megabytes through short-lived buffers; with the C library's adaptive threshold, blocks of
// that size end up in the heap after the first is freed and stay resident for good. A fixed
// threshold keeps every large block in a mapping of its own, returned when freed.
#pragma once

namespace tvx {

void ReturnLargeBlocksWhenFreed();

// Hands the pages of freed heap blocks back to the system, wherever in the heap they lie (on
// its own the C library returns only a free top). For after the loads, whose buffers leave
// holes between the blocks that stay.
void ReleaseFreedHeap();

// The process's resident memory now, in MiB (0 when it cannot be read), for the benchmarks.
double ResidentMegabytes();

}  // namespace tvx
