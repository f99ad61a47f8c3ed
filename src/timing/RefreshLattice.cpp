#include "timing/RefreshLattice.h"

namespace tvx {

std::int64_t RefreshLattice::Place(std::int64_t reading) {
  const std::int64_t gap = reading - last_;
  if (!started_ || period_ <= 0 || gap < 0 || gap > kMaxPeriods * period_) {
    started_ = true;
    last_ = reading;
    return last_;
  }
  // The nearest whole number of refreshes; none when the reading did not move on (no frame
  // time passed, or two readings fell in one refresh).
  const std::int64_t predicted = last_ + (gap + period_ / 2) / period_ * period_;
  const std::int64_t late = reading - predicted;
  if (late < 0) {
    last_ = reading;
  } else if (late > period_ / 4) {
    last_ = predicted + (late - period_ / 4) / kCreepDivisor;
  } else {
    last_ = predicted;
  }
  return last_;
}

}  // namespace tvx
