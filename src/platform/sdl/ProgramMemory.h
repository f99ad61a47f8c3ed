// How the program's heap hands memory back. The loads of the first frame pass tens of
// megabytes through short-lived buffers; with the C library's adaptive threshold, blocks of
// that size end up in the heap after the first is freed and stay resident for good. A fixed
// threshold keeps every large block in a mapping of its own, returned when freed.
#pragma once

namespace tvx {

void ReturnLargeBlocksWhenFreed();

}  // namespace tvx
