// A display for the platform doubles that refreshes at a fixed rate. It records like the
// recording double, and a Present returns at the next refresh boundary of the virtual clock
// (boundaries at whole periods from time 0), the clock moving with it, as a present with
// VSync returns once the frame is shown; a jitter up to a bound makes it return that much
// later, at random, as a woken-up program does. Without VSync a present returns at once.
//
// Each present keeps the refresh it is shown at and the y of the first vertex drawn in its
// frame (a running level draws the road first), for measuring how evenly the road moves.
#pragma once

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "platform/doubles/RecordingGraphicsApi.h"
#include "platform/doubles/VirtualClock.h"

namespace tvx::testing {

class VirtualDisplay : public gfx::RecordingGraphicsApi {
 public:
  struct Shown {
    std::int64_t refresh = 0;  // the boundary's number, or -1 without VSync
    std::int64_t returnedUs = 0;
    float firstY = std::numeric_limits<float>::quiet_NaN();  // NaN when nothing was drawn
  };

  VirtualDisplay(int hertz, std::int64_t jitterMicroseconds = 0, bool vsync = true,
                 unsigned seed = 1);
  // The clock that presents wait on; until it is given, presents return at once.
  void SetClock(VirtualClock& clock) { clock_ = &clock; }

  gfx::Result Present() override;

  int Hertz() const { return hertz_; }
  const std::vector<Shown>& Presents() const { return shown_; }
  void ClearPresents() { shown_.clear(); }

 private:
  // The boundary's time in microseconds, rounded down.
  std::int64_t BoundaryUs(std::int64_t refresh) const;

  VirtualClock* clock_ = nullptr;
  int hertz_;
  std::int64_t jitterUs_;
  bool vsync_;
  std::mt19937 random_;
  std::vector<Shown> shown_;
  float firstY_ = std::numeric_limits<float>::quiet_NaN();
};

}  // namespace tvx::testing
