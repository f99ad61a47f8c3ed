// The refresh lattice: readings that come late by a varying amount are placed at whole
// refresh periods from each other, never later than the reading and never earlier than it
// by more than the jitter.
#include <gtest/gtest.h>

#include <random>

#include "timing/RefreshLattice.h"

namespace tvx {
namespace {

TEST(RefreshLattice, WithoutAPeriodEveryReadingPassesThrough) {
  RefreshLattice lattice;
  for (std::int64_t reading : {5, 17, 18, 400}) EXPECT_EQ(lattice.Place(reading), reading);
}

TEST(RefreshLattice, JitteredReadingsLandOnWholePeriodsWithinTheJitter) {
  RefreshLattice lattice;
  lattice.SetPeriod(1000);
  std::mt19937 random(7);
  std::uniform_int_distribution<std::int64_t> jitter(0, 150);
  std::int64_t previous = lattice.Place(jitter(random));
  int uneven = 0;
  for (int frame = 1; frame < 2000; ++frame) {
    const std::int64_t reading = frame * 1000 + jitter(random);
    const std::int64_t placed = lattice.Place(reading);
    EXPECT_LE(placed, reading);
    EXPECT_GE(placed, reading - 150);
    // A whole period, but for the few times an earlier reading than any before comes.
    EXPECT_NEAR(placed - previous, 1000, 150) << frame;
    if (placed - previous != 1000) ++uneven;
    previous = placed;
  }
  EXPECT_LE(uneven, 20);
}

TEST(RefreshLattice, FollowsARefreshSlowerThanItsPeriod) {
  RefreshLattice lattice;
  lattice.SetPeriod(1000);
  std::int64_t placed = 0;
  for (int frame = 0; frame < 3000; ++frame) placed = lattice.Place(frame * 1002);
  EXPECT_LE(placed, 2999 * 1002);
  EXPECT_GE(placed, 2999 * 1002 - 250 - 3 * RefreshLattice::kCreepDivisor);
}

TEST(RefreshLattice, AnEarlyReadingMovesTheLatticeDownToIt) {
  RefreshLattice lattice;
  lattice.SetPeriod(1000);
  lattice.Place(0);
  EXPECT_EQ(lattice.Place(1000), 1000);
  EXPECT_EQ(lattice.Place(1900), 1900) << "earlier than a period on: taken as it is";
  EXPECT_EQ(lattice.Place(2900), 2900);
}

TEST(RefreshLattice, ReadingsThatSkipRefreshesKeepWholePeriodsAndAStallStartsAgain) {
  RefreshLattice lattice;
  lattice.SetPeriod(1000);
  lattice.Place(0);
  EXPECT_EQ(lattice.Place(3040), 3000) << "three refreshes";
  EXPECT_EQ(lattice.Place(3040), 3000) << "no refresh: the same place";
  EXPECT_EQ(lattice.Place(4400), 4009) << "over a quarter period late: creeping up";
  const std::int64_t stalled = 4009 + (RefreshLattice::kMaxPeriods + 1) * 1000;
  EXPECT_EQ(lattice.Place(stalled), stalled);
  EXPECT_EQ(lattice.Place(100), 100) << "backwards: from the reading again";
}

}  // namespace
}  // namespace tvx
