#include "sim/game_frame.h"

#include <quillon/numbers.h>

#include "sim/debug_text.h"
#include "sim/game_keys.h"
#include "sim/game_screen_step.h"
#include "sim/high_scores.h"
#include "sim/options.h"
#include "sim/player.h"
#include "sim/replay.h"
#include "sim/sim_math.h"
#include "sim/tiles.h"
#include "sim/world.h"

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

void StoreScore(GameState& g) {
  auto& table = g.Records.HighScores;
  if (g.World.Score <= static_cast<Single>(table[9].Score) || g.Replay.PlayingReplay) {
    g.Menu.MenuScreen = "";
    g.Menu.MenuItem = 1;
    return;
  }
  std::string& name = g.Records.TypedName;
  if (name.empty()) name = "TOBO";
  g.Records.LastEntryName = name;
  table[10].Name = name;
  table[10].Score = RoundOr(g.World.Score, 0x7FFFFFFF);
  g.Records.NewEntryKey = name + vb::FormatLong(table[10].Score);
  SaveHighScores(g);
  g.Menu.MenuScreen = "hs";
  g.Menu.MenuItem = 10;
}

void ShowWon(GameState& g) {
  if (g.StoryMode && !g.Replay.PlayingReplay) {
    // The story is won: arcade mode opens.
    Events(g).ShowEndPicture("wd.jpg");
    g.Menu.MenuScreen = "won";
    g.StoryMode = false;
    LoadHighScores(g);
    g.Menu.MenuItem = 10;
    g.ArcadeLocked = false;
    SaveOptions(g);
  } else {
    Events(g).ShowEndPicture("wd_wow.jpg");
    g.Menu.MenuScreen = "won";
    g.Menu.MenuItem = 10;
  }
  g.StoryCompleted = false;
}

}  // namespace

void EndOfGameStep(GameState& g) {
  if (!g.GameOver || g.Policy.LookAhead) return;
  if (g.Replay.PlayingReplay) {
    g.World.Score = 0;
    g.EndOfGameReady = true;
    g.Menu.IdleFrames = 900;
  } else {
    g.Menu.IdleFrames = 0;
  }
  WorldState& w = g.World;
  if (w.DrillY < 480) {
    if (w.DrillY < 380) {
      w.DrillY += 10;
      w.WaterTarget = 500;
    } else {
      w.DrillY += 5;
    }
  }
  if (!g.EndOfGameReady) return;
  if (g.Replay.RecordingReplay) {
    ReplayWrite(g, "lastframe", vb::FormatSingle(g.Replay.ReplayFrame), "options");
    const int lastRow = WholeDiv(-w.ScrollY, RoundOr(w.TileSize, 32)) + 15;
    ReplayWrite(g, "lastscreeny", vb::FormatLong(lastRow), "options");
  }
  StoreScore(g);
  g.GameEndFade = 100;
  g.EndOfGameReady = false;
  if (g.StoryCompleted) ShowWon(g);
  if (!g.Replay.PlayingReplay) {
    if (g.PlayedGames < 32767) g.PlayedGames += 1;
    WritePlayedGames(g);
  }
  g.Replay.PlayingReplay = false;
  g.Replay.RecordingReplay = false;
  g.Replay.Playback.reset();
}

void RunGameFrame(GameState& g, const std::array<std::uint8_t, kKeyCount>& keys) {
  g.Input.Keys = keys;
  if (g.GameOver) {
    NameEntryKeys(g);
  } else {
    GameKeys(g);
  }
  if (g.GamePaused) {
    // A paused frame changes nothing in the game; only the fades move.
    GameScreenStep(g);
    return;
  }
  ReplayStep(g);
  PlayerUpdate(g);
  TileUpdate(g, false);
  DrillStep(g);
  BuildDebugText(g);
  AddScore(g, "");
  UpdateClouds(g);
  ScrollStep(g);
  EndOfGameStep(g);
  GameScreenStep(g);
}

}  // namespace pebblerun
