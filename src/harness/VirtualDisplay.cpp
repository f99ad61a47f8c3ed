#include "harness/VirtualDisplay.h"

#include <algorithm>
#include <cstring>

namespace tvx::testing {

VirtualDisplay::VirtualDisplay(int hertz, std::int64_t jitterMicroseconds, bool vsync,
                               unsigned seed)
    : hertz_(std::max(hertz, 1)),
      jitterUs_(std::max<std::int64_t>(jitterMicroseconds, 0)),
      vsync_(vsync),
      random_(seed) {
  SetLogging(false);
  // The first draw of each frame: its first index names the vertex whose y is kept.
  SetDrawObserver([this](const gfx::CallRecord& call) {
    if (DrawCallsThisFrame() != 1 || call.call != gfx::Call::DrawIndexedPrimitive) return;
    const std::vector<std::uint8_t>& indices = BufferData(BoundIndices());
    const std::vector<std::uint8_t>& vertices = BufferData(StreamSource());
    const std::size_t at = std::size_t{call.args[4]} * 2;
    if (at + 2 > indices.size()) return;
    std::uint16_t index = 0;
    std::memcpy(&index, indices.data() + at, sizeof index);
    const std::size_t vertex = (std::size_t{call.args[1]} + index) * sizeof(gfx::TransformedVertex);
    if (vertex + sizeof(gfx::TransformedVertex) > vertices.size()) return;
    gfx::TransformedVertex v;
    std::memcpy(&v, vertices.data() + vertex, sizeof v);
    firstY_ = v.y;
  });
}

std::int64_t VirtualDisplay::BoundaryUs(std::int64_t refresh) const {
  return refresh * VirtualClock::kFrequency / hertz_;
}

gfx::Result VirtualDisplay::Present() {
  const gfx::Result result = RecordingGraphicsApi::Present();
  Shown shown;
  shown.firstY = firstY_;
  firstY_ = std::numeric_limits<float>::quiet_NaN();
  if (vsync_ && clock_ != nullptr) {
    // The first boundary after now: a frame finished on a boundary waits for the next one.
    const std::int64_t now = clock_->NowMicroseconds();
    std::int64_t refresh = now * hertz_ / VirtualClock::kFrequency + 1;
    while (BoundaryUs(refresh) <= now) ++refresh;
    const std::int64_t jitter =
        jitterUs_ > 0 ? std::uniform_int_distribution<std::int64_t>(0, jitterUs_)(random_) : 0;
    clock_->AdvanceMicroseconds(BoundaryUs(refresh) + jitter - now);
    shown.refresh = refresh;
  } else {
    shown.refresh = -1;
  }
  shown.returnedUs = clock_ != nullptr ? clock_->NowMicroseconds() : 0;
  shown_.push_back(shown);
  return result;
}

}  // namespace tvx::testing
