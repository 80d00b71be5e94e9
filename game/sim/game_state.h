#pragma once
// GameState: the one record that holds a whole run of the game. Every game
// routine takes it by reference; nothing of the game lives anywhere else.
// It starts zero-filled (value-initialised) and is big (the grid alone is
// 21 x 5001 cells), so create it on the heap: std::make_unique<GameState>().

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/game_events.h"
#include "sim/game_random.h"

namespace quillon::profile {
class IniSnapshot;
}

namespace pebblerun {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

class PlaybackInput;

inline constexpr int kGridColumns = 21;   // x 0..20
inline constexpr int kGridRows = 5001;    // y 0..5000
inline constexpr int kFieldColumns = 15;  // 0 and 14 are walls
inline constexpr int kTileTypes = 51;     // table entries 0..50
inline constexpr int kLevelSpecs = 32;    // 0 unused, 1..10 story levels, 11 closing stretch
inline constexpr int kMovingTiles = 51;
inline constexpr int kSmashPieces = 26;
inline constexpr int kParticles = 151;
inline constexpr int kBlasts = 11;
inline constexpr int kWaterWaves = 241;    // entry i <-> world x 26 + 2i
inline constexpr int kScorePopups = 21;    // 1..20 used
inline constexpr int kHighScoreRows = 11;  // 0..9 the table, 10 the candidate
inline constexpr int kKeyCount = 256;

// ---------------------------------------------------------------- tuning ---
// One group per section of the tuning file, one field per key, named like the
// key. Keys that set other state (start positions, water heights) are kept
// here too, so a game start that cannot read them falls back to the value of
// the previous start rather than to wherever the last game ended.

struct TuningMisc {
  Long ShowCursor_InFullscreen = 0;
  bool DebugWindow_Visible = false;
};

struct TuningPlayer {
  Single Position_Tile_X = 0;  // already in world pixels (x 32)
  Single Position_Tile_Y = 0;
  Single WalkSpeed = 0;
  Single WalkSpeed_Mud_DEVIDER = 0;
  Single WalkSpeed_Ice_MULTIPLY = 0;  // already divided by 15
  Single Weight = 0;                  // already divided by 10
  Single SlowDown_AfterHit_Ice_DEVIDER = 0;
  Single BounceFrom_Everything_DEVIDER = 0;
  Single BounceFrom_Gum_DEVIDER = 0;  // already divided by 10
  Single Smash_Glass_ForceNeeded = 0;
  Single Jump_Force = 0;
  Single Bonus_BombsAtStart = 0;
};

struct TuningFallingTiles {
  Single Weight = 0;
  Single Hit_PushOnForce = 0;
  Single Hit_SmashOnForce = 0;
  Integer Smashing_Explosion_Distance = 0;
  bool Continue_Falling_After_PushingAnotherTile = false;
};

struct TuningScore {
  Single Staying_Alive = 0;
  Single Falling_Speed = 0;
  Single Hit_PushTile = 0;
  Single Hot_SmashTile = 0;
  Single Combo_LastsFor_Seconds = 0;
  Single Combo_OnHitTile_AppendToMultiplyer = 0;
  bool Graphic_BackLayer = false;
  std::string Graphic_RGB;
  bool Graphic_Combo_Visible = false;
  std::string Graphic_Combo_RGB;
  bool Graphic_ComboOverPlayer_Visible = false;
  bool ScoreIs_ComboPlusScore = false;
  Single Bonus_BombGlass_Points = 0;
  Single Bonus_Bomb_Points = 0;
  Integer Bonus_Pie_Points = 0;
  Single Bonus_Boot_Points = 0;
  Single Bonus_Ears_Points = 0;
};

struct TuningSharpDrills {
  Single Starting_Position_Y = 0;
  Single Speed_of_Lowering = 0;
  Long HitStone_GoBack_Pixels = 0;
};

struct TuningBonus {
  Integer NumOf_BigEars = 0;
  Integer NumOf_Bomb = 0;
  Integer NumOf_BombGlass = 0;
  Integer NumOf_Boots = 0;
  Integer NumOf_Pie = 0;
  Single Bomb_Weight = 0;
  Single Pie_Weight = 0;
  Single Boot_Weight = 0;
  Single Bonus_Boot_Time = 0;
  Single Ears_Weight = 0;
  Single Bonus_Ears_Time = 0;
};

struct TuningWater {
  Single StartupHeight = 0;  // stored as screen y: 480 - the value read
  Single FixedHeight = 0;    // likewise
};

struct Tuning {
  TuningMisc Misc;
  std::array<Integer, 16> TileKindPercent{};  // section "Map Precentage", 1..6 used
  TuningPlayer Player;
  TuningFallingTiles Falling_Tiles;
  TuningScore Score;
  TuningSharpDrills SharpDrills;  // section "Sharp drills"
  TuningBonus Bonus;
  TuningWater Water;
};

struct LevelSpec {
  Integer PlatformSize = 0;
  Single ScreenSpeed = 0;
  Integer OnEachPlatformSkipLines = 0;
  Integer LevelSize = 0;
  std::string TileType;  // a colour name of the tile-type table
};

// ------------------------------------------------------------- playfield ---

struct TileType {
  Long Kind = 0;
  std::string KindName;
  std::string Colour;
};

struct Playfield {
  // Cells[x][y]; only Cell() and PaintCell() touch them.
  std::array<std::array<Integer, kGridRows>, kGridColumns> Cells{};
  // One bit a cell: a game is copied often (players that look ahead play on
  // copies), and the flags would otherwise be a third of the copy.
  std::array<std::bitset<kGridRows>, kGridColumns> PaintedGrid{};
  std::array<TileType, kTileTypes> TileTypeTable{};
};

// ------------------------------------------------------- tiles & effects ---

struct MovingTile {
  Integer Active = 0;
  Single X = 0, Y = 0;
  Single VY = 0;
  Single Code = 0;
  bool InWater = false;
  bool Painted = false;
};

struct SmashPiece {
  Integer Active = 0;
  Single X = 0, Y = 0;
  Single Age = 0;
  Single Code = 0;
  bool Painted = false;
};

struct Particle {
  Integer Life = 0;  // frames left; < 1 is a free slot
  Integer Kind = 0;
  Single X = 0, Y = 0;  // screen pixels
  Single VX = 0, VY = 0;
  Single Spin = 0;
  Single Angle = 0;
  bool Fade = false;
};

struct BlastRecord {
  bool Active = false;
  Single X = 0, Y = 0, P3 = 0, P4 = 0, P5 = 0;
  Integer Life = 0;
  Single Angle = 0;
};

struct TileState {
  std::array<MovingTile, kMovingTiles> MovingTiles{};
  std::array<SmashPiece, kSmashPieces> SmashPieces{};
  std::array<Particle, kParticles> Particles{};
  std::array<BlastRecord, kBlasts> Blasts{};
};

// ---------------------------------------------------------------- player ---

struct PlayerState {
  Single PX = 0, PY = 0;
  Single PVY = 0;
  Single Weight = 0;
  bool Airborne = false;
  bool InWater = false;
  bool OnIce = false;
  Single LastPX = 0;
  bool WalkSoundOn = false;
  bool DrillSoundDone = false;
  Single EarLift = 0;
};

// --------------------------------------------------- view, drills, water ---

struct WorldState {
  Single FieldOffsetX = 0;  // 80 once a game starts
  Single TileSize = 0;      // 32 once a game starts
  Single ScrollY = 0;
  Integer CurrentLevel = 0;
  Single DrillY = 0;
  Single WaterY = 0;
  Single WaterTarget = 0;
  std::array<Single, kWaterWaves> WaterWaves{};
  Single Score = 0;
  Single AliveScore = 0;
  Single FallScore = 0;
  Single ComboMultiplier = 0;  // reset to 1 at start; nothing in play uses it
};

// --------------------------------------------------------------- bonuses ---

struct Bonus {
  bool Active = false;
  std::string Type;  // "bomb", "pie", "boot", "bombglass", "ears"
  Single X = 0, Y = 0;
  Single Points = 0;
  Single Weight = 0;
  Single AddForce = 0;
  Integer SelectionAlpha = 0;
};

struct BonusState {
  std::vector<Bonus> Bonuses;  // 0..N, slot 0 never used
  Single BombCount = 0;
  Single BootTimeLeft = 0;
  Single EarsTimeLeft = 0;
  bool GlassWaveArmed = false;
  Single SelectionSpin = 0;
};

// ---------------------------------------------------------------- replay ---

struct ReplayState {
  bool RecordingReplay = false;
  bool PlayingReplay = false;
  std::string ReplayFile;  // "" means "replay.ini"
  Single ReplayFrame = 0;
  Single ReplayLastFrame = 0;
  bool RecordedUp = false, RecordedBomb = false, RecordedLeft = false, RecordedRight = false;
  // Texts read per frame in playback: up, bomb, left, right.
  std::array<std::vector<std::string>, 4> PlaybackKeys;
  // The seed the current game started with (0..16777215); a recording
  // stores it as "seed" in section "Map", and StartGame of a playback takes
  // it from there.
  std::uint32_t GameSeed = 0;
  // A playback whose file held the seed: its draws match the recorded game,
  // so nothing needs to be left out of it.
  bool SeededPlayback = false;
  // The player's mode while a playback runs in the mode of its recording.
  std::optional<bool> ModeBeforePlayback;
  // The playback's file, read once when the playback starts and shared by
  // copies of the game; null until then.
  std::shared_ptr<const quillon::profile::IniSnapshot> Playback;
  // The playback's map ends where Tobo starts: it ended at once, not won.
  bool UnplayableMap = false;
  // The key texts of the playback, read at its first frame (shared by the
  // copies a player makes of a game: it never changes).
  std::shared_ptr<const PlaybackInput> RecordedInput;
};

// ----------------------------------------------------------- high scores ---

struct HighScoreRow {
  std::string Name;
  Long Score = 0;  // wide enough for any score a game reaches
};

struct HighScoreState {
  std::array<HighScoreRow, kHighScoreRows> HighScores{};
  std::string TypedName;
  // The cursor of the name entry, counted in characters from the end of
  // TypedName: 0 is the blank slot after the name, so a name set anywhere
  // has its cursor at the end, where typing appends.
  Integer NameCursorFromEnd = 0;
  std::string LastEntryName;
  std::string NewEntryKey;
};

// ----------------------------------------------------------------- input ---

struct InputState {
  std::array<std::uint8_t, kKeyCount> Keys{};  // this frame's key states, 0x80 = down
  std::array<bool, kKeyCount> KeyLatches{};    // one press latch per key, shared by both handlers
  bool MoveLeft = false, MoveRight = false;
  bool JumpRequest = false;
  bool UpHeld = false;
  bool BombRequest = false;
  bool BombHeld = false;
  bool DebugWindowVisible = false;
  bool MouseLeftDown = false, MouseRightDown = false, MouseThirdDown = false;
};

// ---------------------------------------------------------- game screen ---

struct Cloud {
  Integer Active = 0;  // 0 or -1
  Single X = 0, Y = 0, W = 0, H = 0;
  Single VX = 0;
  Single Depth = 0;
};

struct ScreenState {
  std::array<Cloud, 2> Clouds{};
  std::array<Single, 4> HeroTrailX{}, HeroTrailY{};
  Single BodyWobble = 0;
  Single EyeRedness = 0;
  Single PupilDrop = 0;
  Single WaterPhase1 = 0, WaterPhase2 = 0;
};

struct ScorePopupRecord {
  Integer Active = 0;
  Single X = 0, Y = 0;
  std::string Text;
  Integer Alpha = 0;
};

struct OverlayState {
  Single HintAlpha = 0;
  Integer LevelShown = 0;
  Integer LevelBannerTimer = 0;
  Integer LevelBannerAlpha = 0;
  bool WarningArrowsOn = false;
  Integer PauseFade = 0;
  std::array<ScorePopupRecord, kScorePopups> ScorePopups{};
  std::string DebugText;
  Single DebugWindowX = 0, DebugWindowY = 0;
  Integer DebugWindowW = 0, DebugWindowH = 0;
};

// ------------------------------------------------------------------ menu ---

struct ButtonAnimation {
  Single Glow = 0;
  Single Phase = 0;
};

struct CreditLine {
  Single Y = 0;
  Single Alpha = 0;
};

struct ScreenFades {
  Single Options = 0, Credits = 0, HowToPlay = 0, Story = 0, Story2 = 0, Hs = 0, Won = 0, WonWow = 0;
};

struct MenuState {
  std::string MenuScreen;
  Integer MenuItem = 0;
  Single MenuAlpha = 0;
  bool StartRequested = false;
  Single IdleFrames = 0;
  Single IntroTimer = 0;
  Single LogoFade = 0;
  Single BackFade = 0;
  std::array<ButtonAnimation, 8> ButtonAnim{};  // 1..7
  std::array<CreditLine, 31> CreditLines{};
  ScreenFades ScreenFade;
  Long LastGameScore = 0;  // wide like the score table
};

// What a run does differently from a player's game in the program. The
// program keeps the defaults; headless tools, tests and the bot's look-ahead
// copies say here what they leave alone.
struct RunPolicy {
  // The player's records (high-score table, options, played-games count)
  // stay in memory and their files are never written, also when a game of a
  // tool wins the story (which would open arcade mode for the player).
  bool RecordsInMemory = false;
  // The file a recording writes; "" is "replay.ini" in the application folder.
  std::string RecordFile;
  // A copy of a game that a player plays ahead to see what its keys would do:
  // its end stores nothing (no score, replay marks or game count) and the
  // water's drawn-only waves are left still.
  bool LookAhead = false;
  // 0..16777215: every game of the run starts with this seed (the same map
  // and bonuses for everyone who uses it), unless it plays back a recording
  // that names its own; -1: a fresh seed per game.
  Long GameSeed = -1;
};

// ------------------------------------------------------------ the record ---

struct GameState {
  // Where the game's files are (the application folder); relative names of
  // tuning, options, high-score and replay files are taken under it.
  std::string AppFolder;
  // Sounds, pictures and screenshots are requests to the program around the
  // simulation; null means nobody listens.
  GameEvents* Events = nullptr;

  // Window, display and loop control.
  Integer DisplayWidth = 0, DisplayHeight = 0;
  Integer GameAreaWidth = 0, GameAreaHeight = 0;
  bool FullScreen = false;
  bool FullScreenOption = false;
  Single Pi = 0;
  bool GameWindowMode = false;
  bool Running = false;
  bool InGame = false;
  Single GameEndFade = 0;
  bool GamePaused = false;
  bool GameOver = false;
  bool EndOfGameReady = false;
  bool StoryCompleted = false;
  Integer PlayedGames = 0;

  // Frame timing. FrameTime is the fixed step of every simulation frame.
  double FrameTime = 0.02;
  Single FramesThisSecond = 0;
  Single Fps = 0;
  Single WaitLoops = 0;
  Single WaitLoadPerMs = 0;
  Single MenuMusicVolume = 0;
  Single GameMusicVolume = 0;

  // Options.
  bool SoundOn = false;
  bool DetailsHigh = false;
  bool StoryMode = false;
  bool ArcadeLocked = false;
  bool StoryRead = false;
  bool RumbleOn = false;  // a pad rumbles on blasts and hard landings

  ::pebblerun::Tuning Tuning;
  std::array<LevelSpec, kLevelSpecs> LevelSpecs{};
  Single StoryLength = 0;
  // Set by the first game start. Before it the tuning values are those the
  // game ships with, so a key the first game's file lacks takes that value.
  bool TuningRead = false;

  Playfield Field;
  TileState Tiles;
  PlayerState Hero;
  WorldState World;
  BonusState Bonus;
  ReplayState Replay;
  HighScoreState Records;
  InputState Input;
  ScreenState Screen;
  OverlayState Overlay;
  MenuState Menu;

  RandomGenerator Random;  // every draw that changes the game
  // Looks only. It also picks the seed of a live game, so the program seeds
  // it from the clock once and a test or bot seeds it for a repeatable run.
  RandomGenerator CosmeticRandom;

  // ---- Fields added by the replay / high-score / keyboard code go here ----
  // Upper index of the playback key texts kept for this playback; -1 none.
  Long PlaybackKeysBound = -1;

  RunPolicy Policy;
};

// The listener of g, or one that ignores everything.
GameEvents& Events(GameState& g);

}  // namespace pebblerun
