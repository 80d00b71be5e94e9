#pragma once
// A game state ready for one physics case: built-in levels, the tile-type
// table, an empty grid, and a fixed set of tuning values chosen so that the
// thresholds are easy to reason about.

#include <memory>
#include <string>
#include <vector>

#include "sim/game_events.h"
#include "sim/game_state.h"
#include "sim/playfield.h"
#include "sim/tuning.h"

namespace pebblerun::simtest {

// Remembers every sound asked for.
class SoundLog : public GameEvents {
 public:
  void PlaySound(const std::string& name, bool, std::int32_t, std::int32_t, std::int32_t) override {
    sounds.push_back(name);
  }
  std::vector<std::string> sounds;
};

inline std::unique_ptr<GameState> MakeState(bool story = false) {
  auto g = std::make_unique<GameState>();
  g->StoryMode = story;
  FillBuiltInLevels(*g);
  BuildTileTypeTable(*g);
  g->StoryLength = 1050;
  g->World.FieldOffsetX = 80;
  g->World.TileSize = 32;
  g->World.WaterY = 2000;  // far below: no splashes unless a test wants them
  g->World.DrillY = -1000;
  g->Bonus.Bonuses.assign(1, Bonus{});
  auto& t = g->Tuning;
  t.Falling_Tiles.Weight = 15;
  t.Falling_Tiles.Hit_PushOnForce = 2;
  t.Falling_Tiles.Hit_SmashOnForce = 5;
  t.Falling_Tiles.Smashing_Explosion_Distance = 20;
  t.Falling_Tiles.Continue_Falling_After_PushingAnotherTile = true;
  t.Player.WalkSpeed = 100;
  t.Player.WalkSpeed_Mud_DEVIDER = 2;
  t.Player.WalkSpeed_Ice_MULTIPLY = 2;
  t.Player.Weight = 4.5f;
  t.Player.SlowDown_AfterHit_Ice_DEVIDER = 1.5f;
  t.Player.BounceFrom_Everything_DEVIDER = 4;
  t.Player.BounceFrom_Gum_DEVIDER = 1.5f;
  t.Player.Smash_Glass_ForceNeeded = 2.5f;
  t.Player.Jump_Force = 150;
  t.Score.Hit_PushTile = 2;
  t.Score.Hot_SmashTile = 5;
  t.Score.Staying_Alive = 1;
  t.SharpDrills.Speed_of_Lowering = 10;
  t.SharpDrills.HitStone_GoBack_Pixels = 5;
  t.Bonus.Bomb_Weight = 0.5f;
  g->Hero.Weight = 4.5f;
  return g;
}

// A whole map generated from seed with fixed tile shares and bonus counts.
inline std::unique_ptr<GameState> GeneratedMap(bool story, std::uint32_t seed) {
  auto g = MakeState(story);
  auto& p = g->Tuning.TileKindPercent;
  p[1] = 40, p[2] = 15, p[3] = 10, p[4] = 12, p[5] = 17, p[6] = 6;
  auto& b = g->Tuning.Bonus;
  b.NumOf_Bomb = 6, b.NumOf_Pie = 6, b.NumOf_Boots = 4, b.NumOf_BombGlass = 3, b.NumOf_BigEars = 3;
  g->Random.Seed(seed);
  GenerateMap(*g);
  return g;
}

inline Integer At(GameState& g, int x, int y) { return Cell(g, x, y); }

inline int ActiveMovingTiles(const GameState& g) {
  int n = 0;
  for (const auto& t : g.Tiles.MovingTiles) n += t.Active ? 1 : 0;
  return n;
}

inline int ActiveSmashPieces(const GameState& g) {
  int n = 0;
  for (const auto& p : g.Tiles.SmashPieces) n += p.Active ? 1 : 0;
  return n;
}

}  // namespace pebblerun::simtest
