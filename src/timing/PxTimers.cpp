#include "timing/PxTimers.h"

#include <algorithm>
#include <limits>

#include "core/Numeric.h"

namespace tvx {

namespace {

std::int32_t FixedPerUnit(double perSecond) {
  return static_cast<std::int32_t>(
      RoundHalfEven(static_cast<double>(TPxTimer::kSecondInFixedMs) / perSecond));
}

}  // namespace

TPxTimer::TPxTimer(TComponent* owner, IClock& clock, IApplication& application)
    : TComponent(owner), clock_(clock), self_(std::make_shared<TPxTimer*>(this)) {
  SetSpeed(60.0);
  SetMaxFPS(100);
  // A frequency of 0 would divide by zero, so it counts as no counter at all.
  if (clock_.QueryPerformanceFrequency(frequency_) && frequency_ > 0) {
    precision_ = TPerformancePrecision::ppHigh;
  }
  MeasureElapsed();  // the first reading; its result means nothing
  elapsed_ = 0;
  const std::weak_ptr<TPxTimer*> cell = self_;
  application.SetIdleHandler([cell](bool& done) {
    if (const std::shared_ptr<TPxTimer*> timer = cell.lock(); timer && *timer) {
      (*timer)->IdleHandler(done);
    }
  });
}

TPxTimer::~TPxTimer() { *self_ = nullptr; }

void TPxTimer::SetSpeed(double speed) {
  // `!(speed >= 1.0)` also catches NaN.
  if (!(speed >= 1.0)) speed = 1.0;
  speed_ = std::min(speed, kMaxSpeed);
  tickInterval_ = FixedPerUnit(speed_);
  UpdatePacePeriod();
}

void TPxTimer::SetMaxFPS(int maxFPS) {
  maxFPS_ = std::max(maxFPS, 1);
  minFrameTime_ = FixedPerUnit(maxFPS_);
  UpdatePacePeriod();
}

void TPxTimer::SetPaceRate(int hertz) {
  paceRate_ = std::max(hertz, 0);
  UpdatePacePeriod();
}

void TPxTimer::UpdatePacePeriod() {
  pacePeriod_ = paceRate_ > 0 ? std::max(FixedPerUnit(paceRate_), minFrameTime_) : 0;
  // The lattice counts in ticks: the period in milliseconds over the tick's length.
  lattice_.SetPeriod(static_cast<std::int64_t>(pacePeriod_) * kOne / tickInterval_);
  lattice_.Reset();
}

void TPxTimer::IdleHandler(bool& done) {
  done = false;
  elapsed_ = MeasureElapsed();
  if (!enabled_) {
    clock_.Sleep(kDisabledSleepMs);
    return;
  }
  if (pacePeriod_ > 0) {
    PaceFrame();
  } else if (elapsed_ < minFrameTime_) {
    // The sleep falls into the next frame's measurement, not this one's.
    clock_.Sleep(static_cast<std::uint32_t>((minFrameTime_ - elapsed_) / kOne));
  }
  const std::int64_t delta = static_cast<std::int64_t>(elapsed_) * kOne / tickInterval_;
  delta_ = static_cast<std::int32_t>(std::min<std::int64_t>(delta, kMaxDelta));
  // The logic time the previous frame measured, before this frame's ticks are banked.
  const std::int64_t shown = ticksRun_ * kOne + processTime_;
  if (processed_) {
    processTime_ += delta_;
    processed_ = false;
  }
  PlaceShownTime(shown);
  if (OnTimer) OnTimer(this);
}

void TPxTimer::PaceFrame() {
  // This frame's due time, counted from the reading just taken.
  const std::int64_t due = paceAhead_ - elapsed_;
  if (due < kOne) {
    // On time, as a frame the display holds to its refresh is, or late: the next one is due
    // a period from now.
    paceAhead_ = pacePeriod_;
    return;
  }
  clock_.Sleep(static_cast<std::uint32_t>(due / kOne));
  // A period after this one was due: the part of a millisecond not slept is kept.
  paceAhead_ = due + pacePeriod_;
}

void TPxTimer::PlaceShownTime(std::int64_t shown) {
  const std::int64_t placed = lattice_.Place(shown);
  // One tick back from the placed time, counted from the newest tick run.
  const std::int64_t lag = ticksRun_ * kOne + kOne - placed;
  shownLag_ = std::clamp(static_cast<double>(lag) / kOne, 0.0, 2.0);
}

void TPxTimer::Process() {
  processed_ = true;
  const std::int32_t ticks = processTime_ / kOne;
  if (ticks < 1) return;
  if (OnProcess) {
    for (std::int32_t i = 0; i < ticks; ++i) OnProcess(this);
  }
  ticksRun_ += ticks;
  processTime_ &= kOne - 1;
}

std::int32_t TPxTimer::MeasureElapsed() {
  return precision_ == TPerformancePrecision::ppHigh ? MeasureHighResolution() : MeasureTickCount();
}

std::int32_t TPxTimer::MeasureHighResolution() {
  const std::int64_t now = clock_.QueryPerformanceCounter();
  const std::int64_t counts = now - lastCounter_;
  lastCounter_ = now;
  if (counts <= 0) return 0;
  // Above this many counts the product overflows; the gap is far too long to fit anyway.
  if (counts > std::numeric_limits<std::int64_t>::max() / kSecondInFixedMs) {
    return kMaxElapsed;
  }
  const std::int64_t fixed = counts * kSecondInFixedMs / frequency_;
  return static_cast<std::int32_t>(std::min<std::int64_t>(fixed, kMaxElapsed));
}

std::int32_t TPxTimer::MeasureTickCount() {
  const std::uint32_t now = clock_.GetTickCount();
  // Read as signed, so that a tick count that went backwards shows as a negative gap; the
  // unsigned subtraction keeps the count's wrap at 2^32 right.
  const auto milliseconds = static_cast<std::int32_t>(now - lastTickCount_);
  lastTickCount_ = now;
  if (milliseconds <= 0) return 0;
  if (milliseconds > kMaxElapsed / kOne) return kMaxElapsed;
  return milliseconds * kOne;
}

}  // namespace tvx
