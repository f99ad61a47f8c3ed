// Every kind of sprite the player meets on the road, in one table: traffic cars and their
// wrecks, three barrels (one explosive), three pick-ups and the explosion barrels turn into.
// A kind is told apart by its image name, compared exactly; a car becomes its wreck and a
// barrel the explosion by changing that name on the same sprite. The game spawns, moves and
// resolves contacts from this table, the asset builder paints each picture with its pattern
// count, and the harness's test archive holds a picture of each. Depths and the collision
// shape of every play-field sprite are named here too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/ImageNames.h"
#include "game/SoundNames.h"
#include "platform/GraphicsApi.h"
#include "sprites/CollideModes.h"

namespace tvx {

// Depths of the play field's sprites, drawn from the lowest up.
namespace depth {
constexpr std::int32_t Road = 1;
constexpr std::int32_t PickUp = 3;
constexpr std::int32_t Car = 4;     // the player's car and the traffic
constexpr std::int32_t Effect = 5;  // explosions and the effects that follow the car
}  // namespace depth

// Every play-field sprite that collides tests rectangles.
constexpr std::uint8_t kFieldCollideMode = collide::Rectangle;

// Where the spawner draws a kind from; the draws index these lists in table order.
enum class Spawn {
  None,     // made from another kind (wrecks, the explosion)
  Traffic,  // one obstacle per spawn event
  PickUp,   // sometimes one pick-up besides
};

// How a kind falls each tick, in addition to the road's scroll.
enum class Fall {
  Car,    // one pixel faster than the road, before any swerve
  Road,   // lies still on the road
  Dizzy,  // with the road up to level 5, one pixel faster above
};

// What touching the player's car does.
enum class Contact {
  None,     // never touches (the explosion does not collide)
  Bump,     // a car or wreck: both thrown apart, the car wrecked when out of hits
  Barrel,   // a plain barrel: thrown apart, it explodes when out of hits
  Explode,  // explodes at once; hit by another obstacle it explodes too
  Repair,   // clears the damage bar, even while the jet runs
  Boost,    // starts the fire jet unless it runs
  Dizzy,    // starts the dizzy stars unless they run
};

struct FieldKind {
  const char* image;
  std::int32_t patterns;  // in its picture; an animated kind runs through all of them
  float animSpeed;        // patterns per tick while animated
  float scale;            // as spawned
  Spawn spawn;
  Fall fall;
  bool followsRect;   // false: the collision rectangle is left as it was
  gfx::Rect rect;     // collision rectangle, offset from the truncated position of the tick
  std::int32_t hits;  // player contacts a spawned obstacle takes
  Contact contact;
  std::int32_t damage;       // marks a contact adds to the damage bar (unless the jet runs)
  std::int32_t points;       // taken from the score by a contact (unless the jet runs)
  const std::string* sound;  // what taking a pick-up sounds (other contacts bang)
  const char* wreck;         // the image a car turns into when out of hits
};

namespace field {

constexpr gfx::Rect kCarRect{30, 12, 65, 70};
constexpr gfx::Rect kUprightBarrelRect{16, 40, 48, 51};
constexpr gfx::Rect kPickUpRect{8, 8, 27, 22};
constexpr float kBarrelScale = 0.7f;
constexpr std::int32_t kObstacleHits = 10;
// An explosive barrel adds ten marks and costs a hundred points.
constexpr std::int32_t kBarrelDamage = 10;
constexpr std::int32_t kBarrelPoints = 100;

constexpr FieldKind Car(const char* image, const char* wreck) {
  return {image,         1, 0.0f, 1.0f,    Spawn::Traffic, Fall::Car, true, kCarRect, kObstacleHits,
          Contact::Bump, 1, 1,    nullptr, wreck};
}
constexpr FieldKind Wreck(const char* image) {
  return {image,    1, 0.0f,          1.0f, Spawn::None, Fall::Car, true,
          kCarRect, 0, Contact::Bump, 1,    1,           nullptr,   nullptr};
}

}  // namespace field

inline constexpr std::array<FieldKind, 15> kFieldKinds{{
    field::Car(image::TrafficCars[0], image::CrashedTrafficCars[0]),
    field::Car(image::TrafficCars[1], image::CrashedTrafficCars[1]),
    field::Car(image::TrafficCars[2], image::CrashedTrafficCars[2]),
    field::Car(image::TrafficCars[3], image::CrashedTrafficCars[3]),
    field::Wreck(image::CrashedTrafficCars[0]),
    field::Wreck(image::CrashedTrafficCars[1]),
    field::Wreck(image::CrashedTrafficCars[2]),
    field::Wreck(image::CrashedTrafficCars[3]),
    {image::LyingBarrel,
     1,
     0.0f,
     field::kBarrelScale,
     Spawn::Traffic,
     Fall::Road,
     true,
     {15, 34, 75, 44},
     field::kObstacleHits,
     Contact::Barrel,
     1,
     1,
     nullptr,
     nullptr},
    {image::UprightBarrel, 1, 0.0f, field::kBarrelScale, Spawn::Traffic, Fall::Road, true,
     field::kUprightBarrelRect, field::kObstacleHits, Contact::Barrel, 1, 1, nullptr, nullptr},
    {image::ExplosiveBarrel, 1, 0.0f, field::kBarrelScale, Spawn::Traffic, Fall::Road, true,
     field::kUprightBarrelRect, field::kObstacleHits, Contact::Explode, field::kBarrelDamage,
     field::kBarrelPoints, nullptr, nullptr},
    {image::RepairPickUp, 2, 0.1f, field::kBarrelScale, Spawn::PickUp, Fall::Road, true,
     field::kPickUpRect, 0, Contact::Repair, 0, 0, &sound::RepairPickUp, nullptr},
    {image::BoostPickUp, 7, 0.7f, 1.0f, Spawn::PickUp, Fall::Road, true, field::kPickUpRect, 0,
     Contact::Boost, 0, 0, nullptr, nullptr},
    {image::DizzyPickUp, 7, 0.7f, 1.0f, Spawn::PickUp, Fall::Dizzy, true, field::kPickUpRect, 0,
     Contact::Dizzy, 0, 0, &sound::DizzyPickUp, nullptr},
    {image::Explosion,
     32,
     0.7f,
     1.0f,
     Spawn::None,
     Fall::Road,
     false,
     {},
     0,
     Contact::None,
     0,
     0,
     nullptr,
     nullptr},
}};

// The kind of an image name; nullptr for a name that is none of them.
constexpr const FieldKind* FindFieldKind(std::string_view image) {
  for (const FieldKind& kind : kFieldKinds) {
    if (image == kind.image) return &kind;
  }
  return nullptr;
}

// The pattern count of a kind's picture (0 for an image that is no kind).
constexpr std::int32_t FieldKindPatterns(std::string_view image) {
  const FieldKind* kind = FindFieldKind(image);
  return kind != nullptr ? kind->patterns : 0;
}

constexpr bool IsBarrel(const FieldKind& kind) {
  return kind.contact == Contact::Barrel || kind.contact == Contact::Explode;
}

// The kinds the spawner draws from, in table order.
template <Spawn spawn>
constexpr auto SpawnedKinds() {
  constexpr std::size_t count = [] {
    std::size_t n = 0;
    for (const FieldKind& kind : kFieldKinds) n += kind.spawn == spawn ? 1 : 0;
    return n;
  }();
  std::array<const FieldKind*, count> kinds{};
  std::size_t next = 0;
  for (const FieldKind& kind : kFieldKinds) {
    if (kind.spawn == spawn) kinds[next++] = &kind;
  }
  return kinds;
}

}  // namespace tvx
