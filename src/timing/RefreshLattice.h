// Frame times smoothed onto the display's refresh. A presented frame is shown at a refresh
// boundary, but the loop reads the clock some time after the present returned: a wake-up
// that is late by a varying amount (jitter) would move a drawing that follows the readings
// unevenly from frame to frame. The lattice places each reading a whole number of refresh
// periods after the previous place instead. A reading earlier than that moves the lattice
// down to it, so that the lattice soon lies at the earliest readings, where a refresh
// begins; one more than a quarter period later than that creeps the lattice up by a
// sixteenth of the excess, so that it follows a refresh slower than the one reported. A
// place is never later than its reading, and no earlier than it by more than the jitter (or
// a quarter period, whichever is more).
//
// Times are in any fixed-point unit that only grows (the game timer's logic time); a reading
// earlier than the previous one, or more than kMaxPeriods periods after it, starts again
// from itself. Without a period every reading passes through.
#pragma once

#include <cstdint>

namespace tvx {

class RefreshLattice {
 public:
  static constexpr std::int64_t kMaxPeriods = 8;
  static constexpr std::int64_t kCreepDivisor = 16;

  // The refresh period in the readings' unit; 0 or less: none.
  void SetPeriod(std::int64_t period) { period_ = period; }
  std::int64_t Period() const { return period_; }
  // Forgets the previous reading: the next one passes through.
  void Reset() { started_ = false; }

  // The reading placed on the lattice.
  std::int64_t Place(std::int64_t reading);

 private:
  std::int64_t period_ = 0;
  std::int64_t last_ = 0;
  bool started_ = false;
};

}  // namespace tvx
