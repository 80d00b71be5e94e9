#pragma once
// What the running program owns besides GameState: the engine objects, the two
// music players and every texture of the catalogue. The simulation never sees
// any of this; the drawing, menu and loading modules do.
//
// Texture slots are named after the stem of their file ("\textures\sidebar.dds"
// is `sidebar`); numbered families are arrays (index 0 is file number 1 unless
// said otherwise). An empty slot draws nothing.

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include <quillon/engine.h>
#include <quillon/extra.h>
#include <quillon/texture.h>

#include "program/held_keys.h"
#include "program/pad_keys.h"
#include "sim/controls.h"
#include "sim/game_state.h"

namespace pebblerun {

using quillon::Texture;

// Highest CellCode that has a picture (the black-and-white metal wall, 62).
inline constexpr int kTileSlots = 63;
inline constexpr int kButterflies = 5;
inline constexpr int kCreditLines = 19;

// Keys of the game's two system fonts (both "Verdana", size 7).
inline constexpr const char* kGameFont = "verdana1";
inline constexpr const char* kGameFont2 = "verdana2";

// The colour key of the seven pictures drawn with see-through magenta.
inline constexpr std::int32_t kMagentaKey = 16711935;

struct MenuButtonTextures {
  Texture b_newgame, b_highscores, b_story, b_options, b_howtoplay, b_credits, b_exit;
  Texture b_back, b_next;
};

struct OptionTextures {
  // Row labels, plain and selected.
  Texture o_gamemode, o_fullscreen, o_details, o_sound;
  Texture o_s_gamemode, o_s_fullscreen, o_s_details, o_s_sound;
  // Values: "o_s_" plain, "o_ss_" the current one.
  Texture o_s_on, o_ss_on, o_s_off, o_ss_off, o_s_arcade, o_ss_arcade, o_s_story, o_ss_story;
  Texture unlock, restart;
};

struct GameAssets {
  // Bitmap font pictures: letters ("blue.bmp") and digits ("default_num.bmp").
  Texture blue, default_num;

  // Menu and title.
  Texture logo;                         // also the loading screen
  std::array<Texture, 5> logo_sponsor;  // logo_sponsor_1 .. _5
  Texture logo_sponsor_plus;
  Texture background_space;
  Texture load1, title;
  std::array<Texture, kButterflies> butterfly;  // butterfly1 .. 5
  Texture story, story2, howtoplay;
  Texture s_title, s_yournameplease;
  MenuButtonTextures buttons;
  OptionTextures options;
  // Credits lines in the order they scroll: c_programming, c_programming_1,
  // c_graphics, c_graphics_1..4, c_soundandmusic, c_soundandmusic_1..3,
  // c_thanksto, c_thanksto_1..5, c_title, c_notice (the closing notice).
  std::array<Texture, kCreditLines> credits;
  std::array<Texture, 2> credit_logos;  // c_logo_1, c_logo_2

  // The field. Tiles by CellCode; 0 and 53 stay empty.
  std::array<Texture, kTileSlots> tiles;
  Texture level_text;
  std::array<Texture, 12> level_num;  // level_num_0 .. level_num_11 (index = number)
  Texture paused;
  Texture bonus_selection, bomb, pie, boot, bombglass, bigears;
  Texture sidebar, sidebar_h;
  Texture debug_window;
  Texture tobo_blue, tobo_eyes;
  Texture background_sky, background_lightblue, background_black, background_red;
  Texture sharp;
  Texture clouds;
  Texture tile_wall_ground;
  Texture explosion, text_boom;
  Texture arrow, arrow_help;
  Texture particles;
  Texture weighticon;

  // End pictures: "wd_wow.jpg" if an earlier run left it in the application
  // folder, and the picture of the game just won ("wd.jpg" or "wd_wow.jpg").
  Texture wd_wow;
  Texture EndPicture;

  // Sounds of the table whose file is missing: they stay silent.
  std::set<std::string> SilentSounds;

  // Set once the first ten textures are in; from then on every load shows a
  // loading frame (at most one every 20 ms; LastLoadingFrame is the clock
  // reading of the last one shown, 0 before the first).
  bool LoadingScreen = false;
  std::int64_t LastLoadingFrame = 0;
  // The first loading frame of the start has begun the menu's opening logo
  // sequence; the end pictures loaded after a won game show loading frames
  // too, but the logo does not come back over them.
  bool LogoSequenceStarted = false;
};

// One piece of music. The program plays through the engine's MP3Player; tests
// put a recorder in its place.
class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  virtual bool LoadMP3(const std::string& fileName) = 0;
  virtual std::int32_t GetCurrentPosition() const = 0;
  virtual std::int32_t GetDuration() const = 0;
  virtual void SetVolume(std::int32_t volume) = 0;
  virtual void PlayMP3(bool startOver) = 0;
  virtual void StopMP3(bool pause) = 0;
};

// The engine's player behind MusicPlayer.
std::unique_ptr<MusicPlayer> MakeEngineMusicPlayer();

// The frame wait's clock readings (nanoseconds of quillon::ClockNanoseconds).
struct FrameTiming {
  std::int64_t FrameStart = 0;   // end of the previous wait
  std::int64_t CounterNow = 0;   // last reading while waiting
  std::int64_t SecondStart = 0;  // start of the current one-second window
};

// The engine objects of the running program, created at start and released
// by ExitGame.
struct GameObjects {
  quillon::Engine EngineObj;
  quillon::Extra ExtraObj;
  std::unique_ptr<MusicPlayer> MenuMusic;
  std::unique_ptr<MusicPlayer> GameMusic;
};

// What only the menu's looks and keys need: the turning background, the
// butterflies and the menu's key latches (one action per press).
struct Butterfly {
  Single X = 0, Y = 0;
  Single Heading = 0;  // degrees
  Single Speed = 0;
  bool WingUp = false;
  Single WingCounter = 0;
};

struct MenuLooks {
  Single BackgroundAngle = 0;
  std::array<Butterfly, kButterflies> Butterflies{};
  bool ButterfliesPlaced = false;
  bool EscapeLatch = false, UpLatch = false, DownLatch = false, EnterLatch = false, ScreenshotLatch = false;
};

// Everything one run of the program holds. GameState is big: keep Program on
// the heap too.
struct Program {
  std::unique_ptr<GameState> Game = std::make_unique<GameState>();
  GameObjects Objects;
  GameAssets Assets;
  FrameTiming Timing;
  MenuLooks Menu;
  ControlBindings Controls = DefaultBindings();  // the keys of the options file's "controls"
  PadKeys Pad;
  HeldKeys Held;  // keys held from play into the name entry
};

}  // namespace pebblerun
