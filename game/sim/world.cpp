#include "sim/world.h"

#include <quillon/numbers.h>

#include "sim/scan_codes.h"
#include "sim/sim_math.h"
#include "sim/tiles.h"

namespace pebblerun {

namespace vb = quillon::vb;

void ScrollStep(GameState& g) {
  if (!(TileOf(g.Hero.PY + 30) > 3) || g.GameOver) return;
  WorldState& w = g.World;
  w.CurrentLevel = 0;
  const int bottomRow = TileOf(-w.ScrollY) + 15;
  int acc = 0;
  for (int lvl = 1; lvl <= 11; ++lvl) {
    acc += g.LevelSpecs[lvl].LevelSize;
    if (acc > bottomRow) {
      w.CurrentLevel = static_cast<Integer>(lvl);
      break;
    }
  }
  w.ScrollY = static_cast<Single>(w.ScrollY - g.LevelSpecs[w.CurrentLevel].ScreenSpeed * g.FrameTime);
}

void DrillStep(GameState& g) {
  if (g.GameOver) return;
  const double step = g.Tuning.SharpDrills.Speed_of_Lowering * g.FrameTime;
  // Until Tobo leaves the start the drills come three times as fast.
  const int times = g.World.CurrentLevel < 1 ? 3 : 1;
  for (int i = 0; i < times; ++i) g.World.DrillY = static_cast<Single>(g.World.DrillY + step);
}

void AddScore(GameState& g, const std::string& event) {
  if (g.GameOver) return;
  WorldState& w = g.World;
  const TuningScore& s = g.Tuning.Score;
  if (event == "brick_push") {
    w.Score += s.Hit_PushTile;
  } else if (event == "brick_smash") {
    w.Score += s.Hot_SmashTile;
  } else {
    w.AliveScore = static_cast<Single>(w.AliveScore + s.Staying_Alive * g.FrameTime);
    if (g.Hero.Airborne && !g.StoryMode) {
      w.FallScore = static_cast<Single>(w.FallScore + s.Falling_Speed * g.Hero.PVY * g.FrameTime);
    }
    w.Score = w.Score + w.AliveScore + w.FallScore;
    w.FallScore = 0;
  }
}

void EndGame(GameState& g) {
  g.GameOver = true;
  g.Records.TypedName = g.Records.LastEntryName;
  g.Records.NameCursorFromEnd = 0;
  // The name entry's cursor keys act only once they have been let go, so a
  // key held while playing does not move the cursor (Up shares its latch
  // with the jump, as Space does with the bomb).
  for (int code : {scan::Left, scan::Right, scan::Down})
    g.Input.KeyLatches[static_cast<std::size_t>(code)] = true;
  Events(g).StopSound("walk");
  g.Hero.WalkSoundOn = false;
  if (g.World.Score < static_cast<Single>(g.Records.HighScores[9].Score)) {
    g.EndOfGameReady = true;
    g.GameEndFade = 100;
    PlaySound(g, "done", false, 90, 0, 20);
  } else {
    PlaySound(g, "done", false, 90, 0, 30);
  }
  if (!g.Replay.PlayingReplay) g.Menu.LastGameScore = RoundOr(g.World.Score, g.Menu.LastGameScore);
}

}  // namespace pebblerun
