#include "sim/tuning.h"

#include <array>
#include <memory>

#include <quillon/numbers.h>

#include "sim/game_ini.h"
#include "sim/options.h"
#include "sim/player.h"
#include "sim/playfield.h"
#include "sim/replay.h"
#include "sim/shipped_tuning.h"
#include "sim/tuning_keys.h"

namespace pebblerun {

namespace vb = quillon::vb;

std::string TuningFileName(bool storyMode) {
  return storyMode ? "\\Textures\\lvl1.bmp" : "\\Textures\\lvl2.bmp";
}

std::string TuningFileName(const GameState& g) { return TuningFileName(g.StoryMode); }

void FillBuiltInLevels(GameState& g) {
  struct Row {
    Integer platform, skip;
    Single speed;
    Integer size;
    const char* colour;
  };
  static constexpr Row kBuiltIn[] = {{0, 0, 0, 0, ""},
                                     {3, 3, 90, 20, "green"},
                                     {4, 3, 100, 30, "greendark"},
                                     {3, 4, 120, 80, "bluelight"},
                                     {4, 4, 130, 100, "blue"},
                                     {3, 4, 150, 120, "yellow"},
                                     {4, 4, 160, 120, "orangedark"},
                                     {3, 4, 180, 130, "blue2"},
                                     {3, 5, 210, 140, "bluedark"},
                                     {3, 6, 250, 150, "brown"},
                                     {4, 7, 270, 160, "reddark"},
                                     {14, 0, 0, 15, "green"}};
  g.LevelSpecs = {};
  for (std::size_t i = 0; i < std::size(kBuiltIn); ++i) {
    const Row& r = kBuiltIn[i];
    g.LevelSpecs[i] = LevelSpec{r.platform, r.speed, r.skip, r.size, r.colour};
  }
}

void BuildTileTypeTable(GameState& g) {
  // The fixed order: a level's named colour is the colour it shows.
  static constexpr const char* kColours[] = {"greendark", "blue",    "blue2",  "bluedark",
                                             "bluelight", "brown",   "orange", "orangedark",
                                             "red",       "reddark", "yellow"};
  static constexpr const char* kNames[] = {"normal", "mud", "gum", "ice"};
  auto& table = g.Field.TileTypeTable;
  table = {};
  for (int k = 0; k < 4; ++k) table[1 + k] = TileType{k + 1, kNames[k], "green"};
  table[5] = TileType{5, "glass", "glass"};
  table[6] = TileType{6, "stone", "stone"};
  int index = 7;
  for (const char* colour : kColours) {
    for (int k = 0; k < 4; ++k) table[index++] = TileType{k + 1, kNames[k], colour};
  }
}

namespace {

void ResetPerGameState(GameState& g) {
  g.GameOver = false;
  g.EndOfGameReady = false;
  g.StoryCompleted = false;
  g.GamePaused = false;
  g.GameEndFade = 0;
  g.Replay.RecordedInput.reset();
  g.World.ScrollY = 0;
  g.World.Score = 0;
  g.World.AliveScore = 0;
  g.World.FallScore = 0;
  g.World.ComboMultiplier = 1.0f;
  g.World.CurrentLevel = 0;
  g.World.WaterWaves = {};
  g.Field.Cells = {};  // the painted flags stay, as generation expects
  g.Tiles = TileState{};
  g.Screen.Clouds = {};
  g.Bonus.BootTimeLeft = 0;
  g.Bonus.EarsTimeLeft = 0;
  g.Bonus.GlassWaveArmed = false;
  g.Hero = PlayerState{};
  g.Replay.UnplayableMap = false;
  // Requests left over from the last game must not move Tobo in this one.
  g.Input.MoveLeft = g.Input.MoveRight = false;
  g.Input.JumpRequest = g.Input.BombRequest = false;
  g.Overlay.LevelShown = 0;
  g.Overlay.LevelBannerTimer = 0;
  g.Overlay.LevelBannerAlpha = 0;
  g.Overlay.WarningArrowsOn = false;
}

// A playback plays the map and every later draw of the recorded game when
// its file names the seed; otherwise the run's seed when it has one, or a
// fresh seed. The draw is made in every case, so the looks that follow are
// the same whichever seed the game takes.
void SeedGame(GameState& g) {
  std::uint32_t seed = static_cast<std::uint32_t>(g.CosmeticRandom.Rnd() * 16777216.0f);
  if (g.Policy.GameSeed >= 0)
    seed = static_cast<std::uint32_t>(g.Policy.GameSeed) & RandomGenerator::kMaxSeed;
  g.Replay.SeededPlayback = false;
  if (g.Replay.PlayingReplay) {
    const auto stored = vb::ParseLong(ReplayRead(g, "seed", "Map", 0));
    if (stored && *stored >= 0 && static_cast<std::uint32_t>(*stored) <= RandomGenerator::kMaxSeed) {
      seed = static_cast<std::uint32_t>(*stored);
      g.Replay.SeededPlayback = true;
    }
  }
  g.Replay.GameSeed = seed;
  g.Random.Seed(seed);
}

// Tobo starts inside the grid's columns and on the first screen (lower, he
// would be under water before the game began).
constexpr TuningRange kHeroColumns{0, (kGridColumns - 1) * 32.0};
constexpr TuningRange kHeroRows{0, 480.0 - 32};

// The cursor is hidden in full screen; the tuning may show it (read only
// then, and the cursor changed once per game start). The debug window may
// be open from the start, as Tab would open it.
void ReadMisc(GameState& g, const TuningReader& in) {
  auto& misc = g.Tuning.Misc;
  if (g.FullScreen && in.ReadLong("Misc", "ShowCursor_InFullscreen", misc.ShowCursor_InFullscreen)) {
    Events(g).SetCursorVisible(misc.ShowCursor_InFullscreen != 0);
  }
  if (in.ReadBool("Misc", "DebugWindow_Visible", misc.DebugWindow_Visible)) {
    g.Input.DebugWindowVisible = misc.DebugWindow_Visible;
  }
}

void ReadPlayerAndTiles(GameState& g, const TuningReader& in) {
  auto& t = g.Tuning;
  ReadMisc(g, in);
  static constexpr const char* kPercentKeys[] = {"Tile_Normal", "Tile_Mud",   "Tile_Gum",
                                                 "Tile_Ice",    "Tile_Glass", "Tile_Stone"};
  for (int k = 0; k < 6; ++k) {
    in.ReadInteger("Map Precentage", kPercentKeys[k], t.TileKindPercent[k + 1], kNotNegative);
  }
  auto& p = t.Player;
  in.ReadScaled("Player", "Position_Tile_X", 32.0, p.Position_Tile_X, kHeroColumns);
  in.ReadScaled("Player", "Position_Tile_Y", 32.0, p.Position_Tile_Y, kHeroRows);
  in.ReadSingle("Player", "WalkSpeed", p.WalkSpeed);
  in.ReadSingle("Player", "WalkSpeed_Mud_DEVIDER", p.WalkSpeed_Mud_DEVIDER);
  in.ReadDivided("Player", "WalkSpeed_Ice_MULTIPLY", 15.0, p.WalkSpeed_Ice_MULTIPLY);
  in.ReadDivided("Player", "Weight", 10.0, p.Weight);
  in.ReadSingle("Player", "SlowDown_AfterHit_Ice_DEVIDER", p.SlowDown_AfterHit_Ice_DEVIDER);
  in.ReadSingle("Player", "BounceFrom_Everything_DEVIDER", p.BounceFrom_Everything_DEVIDER);
  in.ReadDivided("Player", "BounceFrom_Gum_DEVIDER", 10.0, p.BounceFrom_Gum_DEVIDER);
  in.ReadSingle("Player", "Smash_Glass_ForceNeeded", p.Smash_Glass_ForceNeeded);
  in.ReadSingle("Player", "Jump_Force", p.Jump_Force);
  auto& f = t.Falling_Tiles;
  in.ReadSingle("Falling_Tiles", "Weight", f.Weight);
  in.ReadSingle("Falling_Tiles", "Hit_PushOnForce", f.Hit_PushOnForce);
  in.ReadSingle("Falling_Tiles", "Hit_SmashOnForce", f.Hit_SmashOnForce);
  in.ReadInteger("Falling_Tiles", "Smashing_Explosion_Distance", f.Smashing_Explosion_Distance);
  in.ReadBool("Falling_Tiles", "Continue_Falling_After_PushingAnotherTile",
              f.Continue_Falling_After_PushingAnotherTile);
}

void ReadScoreAndDrills(GameState& g, const TuningReader& in) {
  auto& s = g.Tuning.Score;
  in.ReadSingle("Score", "Staying_Alive", s.Staying_Alive);
  in.ReadSingle("Score", "Falling_Speed", s.Falling_Speed);
  in.ReadSingle("Score", "Hit_PushTile", s.Hit_PushTile);
  in.ReadSingle("Score", "Hot_SmashTile", s.Hot_SmashTile);
  in.ReadSingle("Score", "Combo_LastsFor_Seconds", s.Combo_LastsFor_Seconds);
  in.ReadDivided("Score", "Combo_OnHitTile_AppendToMultiplyer", 10.0, s.Combo_OnHitTile_AppendToMultiplyer);
  in.ReadBool("Score", "Graphic_BackLayer", s.Graphic_BackLayer);
  in.ReadString("Score", "Graphic_RGB", s.Graphic_RGB);
  in.ReadBool("Score", "Graphic_Combo_Visible", s.Graphic_Combo_Visible);
  in.ReadString("Score", "Graphic_Combo_RGB", s.Graphic_Combo_RGB);
  in.ReadBool("Score", "Graphic_ComboOverPlayer_Visible", s.Graphic_ComboOverPlayer_Visible);
  in.ReadBool("Score", "ScoreIs_ComboPlusScore", s.ScoreIs_ComboPlusScore);
  auto& d = g.Tuning.SharpDrills;
  in.ReadSingle("Sharp drills", "Starting_Position_Y", d.Starting_Position_Y);
  in.ReadSingle("Sharp drills", "Speed_of_Lowering", d.Speed_of_Lowering);
  in.ReadLong("Sharp drills", "HitStone_GoBack_Pixels", d.HitStone_GoBack_Pixels);
}

void ReadBonusesAndWater(GameState& g, const TuningReader& in) {
  auto& b = g.Tuning.Bonus;
  auto& s = g.Tuning.Score;
  in.ReadSingle("Player", "Bonus_BombsAtStart", g.Tuning.Player.Bonus_BombsAtStart);
  in.ReadInteger("Bonus", "NumOf_BigEars", b.NumOf_BigEars, kNotNegative);
  in.ReadInteger("Bonus", "NumOf_Bomb", b.NumOf_Bomb, kNotNegative);
  in.ReadInteger("Bonus", "NumOf_BombGlass", b.NumOf_BombGlass, kNotNegative);
  in.ReadInteger("Bonus", "NumOf_Boots", b.NumOf_Boots, kNotNegative);
  in.ReadInteger("Bonus", "NumOf_Pie", b.NumOf_Pie, kNotNegative);
  in.ReadDivided("Score", "Bonus_BombGlass_Points", 10.0, s.Bonus_BombGlass_Points);
  in.ReadDivided("Score", "Bonus_Bomb_Points", 10.0, s.Bonus_Bomb_Points);
  in.ReadDivided("Bonus", "Bomb_Weight", 10.0, b.Bomb_Weight);
  in.ReadDivided("Bonus", "Pie_Weight", 10.0, b.Pie_Weight);
  in.ReadInteger("Score", "Bonus_Pie_Points", s.Bonus_Pie_Points);
  in.ReadDivided("Bonus", "Boot_Weight", 10.0, b.Boot_Weight);
  in.ReadSingle("Score", "Bonus_Boot_Points", s.Bonus_Boot_Points);
  in.ReadSingle("Bonus", "Bonus_Boot_Time", b.Bonus_Boot_Time);
  in.ReadScaled("Bonus", "Ears_Weight", 0.1, b.Ears_Weight);
  in.ReadSingle("Score", "Bonus_Ears_Points", s.Bonus_Ears_Points);
  in.ReadSingle("Bonus", "Bonus_Ears_Time", b.Bonus_Ears_Time);
  in.ReadFromBase("Water", "StartupHeight", 480.0, g.Tuning.Water.StartupHeight);
  in.ReadFromBase("Water", "FixedHeight", 480.0, g.Tuning.Water.FixedHeight);
}

// The tuning values that are starting points of the game's own state.
void ApplyStartValues(GameState& g) {
  g.Hero.PX = g.Tuning.Player.Position_Tile_X;
  g.Hero.PY = g.Tuning.Player.Position_Tile_Y;
  g.Hero.LastPX = g.Hero.PX;
  g.Hero.Weight = g.Tuning.Player.Weight;
  g.Bonus.BombCount = g.Tuning.Player.Bonus_BombsAtStart;
  g.World.DrillY = g.Tuning.SharpDrills.Starting_Position_Y;
  g.World.WaterY = g.Tuning.Water.StartupHeight;
  g.World.WaterTarget = g.Tuning.Water.FixedHeight;
}

// A playback is played in the mode it was recorded in (its file says which):
// the other mode's tuning and rules would make it go differently. The
// player's own mode comes back when the game screen hands back to the menu.
void TakeReplayMode(GameState& g) {
  if (!g.Replay.PlayingReplay) return;
  const auto story = vb::ParseBool(ReplayRead(g, "story", "Map", 0));
  if (!story || *story == g.StoryMode) return;
  g.Replay.ModeBeforePlayback = g.StoryMode;
  g.StoryMode = *story;
}

std::string LevelKey(int level, const char* suffix) {
  return std::string("Level-") + (level < 10 ? "0" : "") + std::to_string(level) + suffix;
}

// Reads section "Levels" into LevelSpecs 1..10 and sums StoryLength; stops
// at the first value it cannot read.
void ReadLevels(GameState& g, const TuningReader& in) {
  for (int lvl = 1; lvl <= 10; ++lvl) {
    LevelSpec& level = g.LevelSpecs[lvl];
    if (lvl == 5 || lvl == 7) {
      // These two share level 6's pace and level 7's colour, with full-width platforms.
      level.PlatformSize = 14;
      level.OnEachPlatformSkipLines = 0;
      if (!in.ReadSingle("Levels", LevelKey(6, "_ScreenSpeed"), level.ScreenSpeed)) return;
      if (!in.ReadInteger("Levels", LevelKey(6, "_LevelSize"), level.LevelSize, kNotNegative)) return;
      in.ReadString("Levels", LevelKey(7, "_TileType"), level.TileType);
      continue;
    }
    if (!in.ReadInteger("Levels", LevelKey(lvl, "_PlatformSize"), level.PlatformSize, kNotNegative)) return;
    if (!in.ReadInteger("Levels", LevelKey(lvl, "_OnEachPlatformSkipLines"), level.OnEachPlatformSkipLines,
                        kNotNegative))
      return;
    if (!in.ReadSingle("Levels", LevelKey(lvl, "_ScreenSpeed"), level.ScreenSpeed)) return;
    if (!in.ReadInteger("Levels", LevelKey(lvl, "_LevelSize"), level.LevelSize, kNotNegative)) return;
    in.ReadString("Levels", LevelKey(lvl, "_TileType"), level.TileType);
  }
  int sum = 0;
  for (int lvl = 1; lvl <= 10; ++lvl) {
    sum += g.LevelSpecs[lvl].LevelSize;
    if (sum > 32767 || sum < -32768) return;  // the 16-bit sum overflows: keep the old length
  }
  g.StoryLength = static_cast<Single>(sum);
}

// The values the game ships with, read once per mode from the built-in
// text: they never change while the program runs.
struct ShippedValues {
  IniText text;
  ::pebblerun::Tuning tuning;
  std::array<LevelSpec, kLevelSpecs> levels{};
  Single storyLength = 0;
};

void ReadValues(GameState& g, const TuningReader& in) {
  ReadPlayerAndTiles(g, in);
  ReadScoreAndDrills(g, in);
  ReadBonusesAndWater(g, in);
  ReadLevels(g, in);
}

ShippedValues ReadShipped(bool story) {
  ShippedValues s;
  s.text = IniText(ShippedTuning(story));
  auto g = std::make_unique<GameState>();
  FillBuiltInLevels(*g);
  TuningLog log;  // stays empty: the tests hold the shipped files to every rule
  ReadValues(*g, TuningReader(s.text, s.text, "the shipped tuning", log));
  s.tuning = g->Tuning;
  s.levels = g->LevelSpecs;
  s.storyLength = g->StoryLength;
  return s;
}

const ShippedValues& Shipped(bool story) {
  if (story) {
    static const ShippedValues values = ReadShipped(true);
    return values;
  }
  static const ShippedValues values = ReadShipped(false);
  return values;
}

// The map is as long as the level table: one longer than the field, or too
// short to hold Tobo where he starts (the game would be won before it
// began), makes no game. The shipped table is played instead.
void CheckLevelTable(GameState& g, const TuningReader& in, const ShippedValues& shipped) {
  int rows = 0;
  for (int lvl = 1; lvl <= 10; ++lvl) rows += g.LevelSpecs[lvl].LevelSize;
  const Single heroY = g.Tuning.Player.Position_Tile_Y;
  const auto fits = [heroY](double length) { return length <= kGridRows - 1 && MapHoldsHero(heroY, length); };
  if (fits(rows) && fits(g.StoryLength)) return;
  in.Log().Add("Tuning value out of range : [Levels] Level-01_LevelSize .. Level-10_LevelSize make " +
               std::to_string(rows) + " rows in " + in.Name() + ", the field holds " +
               std::to_string(kGridRows - 1) + " (the shipped level table is used)");
  g.LevelSpecs = shipped.levels;
  g.StoryLength = shipped.storyLength;
}

void Tell(GameState& g, const TuningLog& log) {
  for (const std::string& line : log.Lines()) Events(g).Log(line);
}

}  // namespace

void StartGame(GameState& g, bool load) {
  if (!load) return;
  // A playback reads its file afresh; what an earlier one read is gone.
  g.Replay.Playback.reset();
  TakeReplayMode(g);
  const auto file = GameFile(g, TuningFileName(g));
  const auto text = LoadIni(file);
  StartGame(g, text ? &*text : nullptr, file.string());
}

void StartGame(GameState& g, const IniText* tuning, const std::string& name) {
  ResetPerGameState(g);
  g.World.FieldOffsetX = 80.0f;
  g.World.TileSize = 32.0f;
  BuildTileTypeTable(g);
  // The player's game takes the count from the settings at every start; a
  // run that keeps the records in memory took it once and counts on there.
  if (!g.Policy.RecordsInMemory) g.PlayedGames = ReadPlayedGames();
  ReadTuningValues(g, tuning, name);
  ApplyStartValues(g);
  SeedGame(g);
  GenerateMap(g);
}

void ReadTuningValues(GameState& g, const IniText* tuning, const std::string& name) {
  const ShippedValues& shipped = Shipped(g.StoryMode);
  TuningLog log;
  // The first game, and any without its file, starts from the shipped
  // values; a later game starts from the values of the game before, its
  // level table included (one filled afresh with the built-in rows would
  // not match the length the game before summed).
  if (!tuning || !g.TuningRead) {
    g.Tuning = shipped.tuning;
    g.LevelSpecs = shipped.levels;
    g.StoryLength = shipped.storyLength;
  }
  if (tuning) {
    const TuningReader in(*tuning, shipped.text, name, log);
    ReadValues(g, in);
    CheckLevelTable(g, in, shipped);
  } else {
    log.Add("Tuning file is missing : " + name + " (the shipped tuning is used)");
  }
  g.TuningRead = true;
  Tell(g, log);
}

void ReadLevelTable(GameState& g, bool load, const std::filesystem::path& file) {
  if (!load) return;
  const IniText text = LoadIni(file).value_or(IniText());
  const ShippedValues& shipped = Shipped(g.StoryMode);
  TuningLog log;
  const TuningReader in(text, shipped.text, file.string(), log);
  ReadLevels(g, in);
  CheckLevelTable(g, in, shipped);
  Tell(g, log);
}

}  // namespace pebblerun
