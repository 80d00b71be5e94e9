// The jolts the simulation sends for a pad to rumble: a hard landing from
// the speed that smashes tiles on, and a blast for every bomb that goes off.

#include <gtest/gtest.h>

#include <vector>

#include "sim/player.h"
#include "sim/tiles.h"
#include "sim_fixture.h"

namespace pebblerun {
namespace {

using simtest::MakeState;

class JoltLog : public GameEvents {
 public:
  void Jolt(JoltKind kind) override { jolts.push_back(kind); }
  std::vector<JoltKind> jolts;
};

// Tobo half a pixel above a floor of plain tiles, falling at pvy: the speed
// set is the speed that strikes.
std::vector<JoltKind> LandAt(Single pvy) {
  auto g = MakeState();
  JoltLog log;
  g->Events = &log;
  for (int x = 1; x <= 13; ++x) Cell(*g, x, 10, 1);
  g->Hero.PX = g->Hero.LastPX = 5 * 32;
  g->Hero.PY = 9 * 32 - 0.5f;
  g->Hero.PVY = pvy;
  PlayerUpdate(*g);
  g->Events = nullptr;
  return log.jolts;
}

TEST(Jolt, AHardLandingStartsAtTheSmashingSpeed) {
  const Single smashOn = MakeState()->Tuning.Falling_Tiles.Hit_SmashOnForce;
  EXPECT_EQ(LandAt(smashOn), std::vector<JoltKind>{JoltKind::HardLanding});
  EXPECT_EQ(LandAt(smashOn + 3), std::vector<JoltKind>{JoltKind::HardLanding});
  EXPECT_TRUE(LandAt(smashOn - 0.01f).empty());  // a push, not a smash: nothing to feel
  EXPECT_TRUE(LandAt(1.0f).empty());
}

TEST(Jolt, EveryBombThatGoesOffIsABlast) {
  auto g = MakeState();
  JoltLog log;
  g->Events = &log;
  g->Hero.PX = 7 * 32;
  g->Hero.PY = 10 * 32;

  g->Bonus.BombCount = 0;
  Explode(*g, 0);  // Tobo has no bomb: nothing goes off
  EXPECT_TRUE(log.jolts.empty());

  g->Bonus.BombCount = 1;
  Explode(*g, 0);
  EXPECT_EQ(log.jolts, std::vector<JoltKind>{JoltKind::Blast});

  // A bonus bomb the drills or a falling tile set off, and then a slot that
  // does not exist.
  g->Bonus.Bonuses.resize(2);
  g->Bonus.Bonuses[1] = Bonus{true, "bomb", 3 * 32, 12 * 32};
  Explode(*g, 1);
  EXPECT_EQ(log.jolts, (std::vector<JoltKind>{JoltKind::Blast, JoltKind::Blast}));
  Explode(*g, 5);
  EXPECT_EQ(log.jolts.size(), 2U);
  g->Events = nullptr;
}

}  // namespace
}  // namespace pebblerun
