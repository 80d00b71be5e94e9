#include "program/mod_Menu.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

#include <quillon/numbers.h>
#include <quillon/paths.h>

#include "program/init_dxLoad.h"
#include "program/mod_Main.h"
#include "program/mod_Menu_screens.h"
#include "sim/game_ini.h"
#include "sim/high_scores.h"
#include "sim/options.h"
#include "sim/scan_codes.h"
#include "sim/tuning.h"

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

bool Held(const GameState& g, int key) {
  return (g.Input.Keys[static_cast<std::size_t>(key)] & scan::kDown) != 0;
}

// Down with its latch clear: one action per press; the latch clears on release.
bool Pressed(const GameState& g, int key, bool& latch) {
  if (!Held(g, key)) {
    latch = false;
    return false;
  }
  if (latch) return false;
  latch = true;
  return true;
}

void GoToMainMenu(GameState& g) {
  g.Menu.MenuItem = MenuItemOfScreen(g.Menu.MenuScreen, g.Menu.MenuItem);
  g.Menu.MenuScreen = "";
}

void StartTheGame(Program& p) {
  GameState& g = *p.Game;
  if (g.SoundOn) p.Objects.GameMusic->PlayMP3(false);
  g.Menu.StartRequested = true;
  g.Menu.MenuItem = 10;
  g.Replay.ReplayFrame = 0;
}

void ToggleOption(Program& p, Integer item) {
  GameState& g = *p.Game;
  switch (item) {
    case 15:
      if (!g.ArcadeLocked) {
        g.StoryMode = !g.StoryMode;
        LoadHighScores(g);
      }
      break;
    case 14: g.FullScreenOption = !g.FullScreenOption; break;
    case 13: g.DetailsHigh = !g.DetailsHigh; break;
    case 12:
      g.SoundOn = !g.SoundOn;
      if (g.SoundOn) {
        p.Objects.MenuMusic->PlayMP3(false);
      } else {
        p.Objects.MenuMusic->StopMP3(false);
        p.Objects.GameMusic->StopMP3(false);
      }
      break;
    default: return;
  }
  SaveOptions(g);
}

void EnterPressed(Program& p) {
  GameState& g = *p.Game;
  MenuState& m = g.Menu;
  m.IntroTimer = 0;
  PlaySound(p, "menu2");
  m.IdleFrames = 0;
  static const char* const kScreens[] = {"", "", "hs", "story", "options", "credits", "howtoplay"};
  switch (m.MenuItem) {
    case 12:
    case 13:
    case 14:
    case 15: ToggleOption(p, m.MenuItem); break;
    case 1: StartTheGame(p); break;
    case 7: g.Running = false; break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
      m.MenuScreen = kScreens[m.MenuItem];
      if (m.MenuScreen == "credits") {
        for (std::size_t i = 0; i < m.CreditLines.size(); ++i)
          m.CreditLines[i] = {static_cast<Single>(460 + 20 * i), 0};
      }
      m.MenuItem = 10;
      break;
    case 10:
      if (m.MenuScreen == "story") {
        m.MenuScreen = "story2";
      } else {
        GoToMainMenu(g);
      }
      break;
    default: break;
  }
}

void ResetGlowOnMainMenu(GameState& g) {
  if (g.Menu.MenuScreen.empty() && g.Menu.MenuItem != 7)
    for (ButtonAnimation& b : g.Menu.ButtonAnim) b.Glow = 0;
}

}  // namespace

Integer MenuItemOfScreen(const std::string& screen, Integer current) {
  if (screen == "hs") return 2;
  if (screen == "story" || screen == "story2") return 3;
  if (screen == "options") return 4;
  if (screen == "credits") return 5;
  if (screen == "howtoplay") return 6;
  if (screen.empty()) return 7;
  return current;
}

std::string PickAttractReplay(GameState& g) {
  const int start = static_cast<int>(g.CosmeticRandom.Rnd() * 10);
  for (int i = 0; i < 10; ++i) {
    std::string name = "replay" + std::to_string((start + i) % 10 + 1) + ".ini";
    std::error_code error;
    if (std::filesystem::is_regular_file(quillon::paths::ForReading(name, g.AppFolder), error)) return name;
  }
  return "";
}

namespace {

// The attract replay after a while on the main menu without keys.
void AttractStep(Program& p) {
  GameState& g = *p.Game;
  MenuState& m = g.Menu;
  if (!g.Replay.RecordingReplay) m.IdleFrames += 1;
  if (m.IdleFrames > 1200) {
    m.IdleFrames = 900;
    const std::string replay = PickAttractReplay(g);
    if (!replay.empty()) {
      g.Replay.PlayingReplay = true;
      g.Replay.RecordingReplay = false;
      g.Replay.ReplayFile = replay;
      StartTheGame(p);
    }
  }
}

}  // namespace

void MenuInput(Program& p) {
  GameState& g = *p.Game;
  MenuState& m = g.Menu;
  MenuLooks& k = p.Menu;
  if (Held(g, scan::R)) {
    g.Replay.PlayingReplay = true;
    g.Replay.RecordingReplay = false;
    g.Replay.ReplayFile = "replay.ini";
  }
  if (Held(g, scan::T)) {
    g.Replay.RecordingReplay = true;
    g.Replay.PlayingReplay = false;
  }
  bool screenChanged = false;
  if (Pressed(g, scan::Escape, k.EscapeLatch)) {
    if (m.IntroTimer <= 0) {
      GoToMainMenu(g);
    } else {
      m.IntroTimer -= 2;
    }
    screenChanged = true;
  }
  const bool up = Pressed(g, scan::Up, k.UpLatch);
  const bool down = Pressed(g, scan::Down, k.DownLatch);
  const bool enter = Pressed(g, scan::Enter, k.EnterLatch);
  if (!screenChanged) {
    if (m.MenuScreen == "options" && up) {
      m.MenuItem = static_cast<Integer>(std::min<int>(m.MenuItem + 1, 15));
      if (m.MenuItem == 11) m.MenuItem = 12;
      PlaySound(p, "menu1");
    } else if (m.MenuScreen == "options" && down) {
      m.MenuItem = static_cast<Integer>(std::max<int>(m.MenuItem - 1, 10));
      if (m.MenuItem == 11) m.MenuItem = 10;
      PlaySound(p, "menu1");
    }
    if (enter && m.IntroTimer <= 10) {
      EnterPressed(p);
      screenChanged = true;
    }
  }
  if (!screenChanged && m.MenuScreen.empty()) {
    if (up) {
      m.MenuItem = static_cast<Integer>(std::max<int>(m.MenuItem - 1, 1));
      PlaySound(p, "menu1");
      m.IdleFrames = 0;
    } else if (down) {
      m.MenuItem = static_cast<Integer>(std::min<int>(m.MenuItem + 1, 7));
      PlaySound(p, "menu1");
      m.IdleFrames = 0;
    }
  }
  const bool shot = Held(g, scan::S) || Held(g, scan::PrintScreen);
  if (!shot) {
    k.ScreenshotLatch = false;
  } else if (!k.ScreenshotLatch) {
    k.ScreenshotLatch = true;
    p.Objects.EngineObj.SaveScreenshot();
  }
  if (screenChanged) ResetGlowOnMainMenu(g);
}

void MenuFrame(Program& p) {
  GameState& g = *p.Game;
  MenuState& m = g.Menu;
  MenuInput(p);
  if (!g.Running) return;
  p.Objects.EngineObj.AmbientColor(255, 255, 255);
  MenuBackground(p, 100);
  if (m.StartRequested) {
    m.MenuAlpha -= 5;
    if (m.MenuAlpha < 1) {
      m.StartRequested = false;
      g.InGame = true;
      m.MenuAlpha = 100;
      StartGame(g);
      return;
    }
  } else {
    m.MenuAlpha = 100;
  }
  if (m.MenuScreen.empty()) {
    DrawMainMenuButtons(p);
    AttractStep(p);
    DrawMainMenuLabels(p);
  }
  DrawSubScreens(p);
  DrawTitleAndFades(p);
  m.IntroTimer = 0;
}

}  // namespace pebblerun
