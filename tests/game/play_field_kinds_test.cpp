// The play field's kind table holds together: each image is one kind, a car's wreck is a
// kind that falls, collides and bumps like the car, and only pick-ups are taken.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/PlayFieldKinds.h"

namespace tvx {
namespace {

TEST(PlayFieldKinds, EachImageNamesOneKind) {
  std::set<std::string> names;
  for (const FieldKind& kind : kFieldKinds) {
    EXPECT_TRUE(names.insert(kind.image).second) << kind.image;
    EXPECT_EQ(FindFieldKind(kind.image), &kind);
  }
  EXPECT_EQ(FindFieldKind("car0 "), nullptr);  // compared exactly
}

TEST(PlayFieldKinds, AWreckMovesAndBumpsLikeItsCar) {
  int cars = 0;
  for (const FieldKind& car : kFieldKinds) {
    if (car.wreck == nullptr) continue;
    ++cars;
    const FieldKind* wreck = FindFieldKind(car.wreck);
    ASSERT_NE(wreck, nullptr) << car.wreck;
    EXPECT_EQ(wreck->fall, car.fall);
    EXPECT_EQ(wreck->contact, Contact::Bump);
    EXPECT_EQ(wreck->rect.left, car.rect.left);
    EXPECT_EQ(wreck->rect.bottom, car.rect.bottom);
    EXPECT_EQ(wreck->spawn, Spawn::None) << "a wreck is made, never spawned";
  }
  EXPECT_EQ(cars, 4);
}

TEST(PlayFieldKinds, OnlyPickUpsAreTakenAndOnlyTrafficHasHits) {
  for (const FieldKind& kind : kFieldKinds) {
    const bool taken = kind.contact == Contact::Repair || kind.contact == Contact::Boost ||
                       kind.contact == Contact::Dizzy;
    EXPECT_EQ(taken, kind.spawn == Spawn::PickUp) << kind.image;
    EXPECT_EQ(kind.hits > 0, kind.spawn == Spawn::Traffic) << kind.image;
    EXPECT_GE(kind.patterns, 1) << kind.image;
  }
}

}  // namespace
}  // namespace tvx
