#include "sim/game_keys.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "sim/scan_codes.h"
#include "sim/tiles.h"
#include "sim/world.h"

namespace pebblerun {
namespace {

constexpr std::size_t kNameLimit = 20;
// What up and down run through at the cursor; a blank slot counts as the
// space at the end, so up from it gives "A" and down "9".
constexpr std::string_view kDialLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";

bool IsDown(const GameState& g, int code) { return g.Input.Keys[code] == scan::kDown; }
bool IsUp(const GameState& g, int code) { return g.Input.Keys[code] == 0; }

// One action per press: the latch is set when the key is seen down and
// cleared only when it is seen up again.
bool Pressed(GameState& g, int code, bool& latch) {
  if (IsDown(g, code) && !latch) {
    latch = true;
    return true;
  }
  if (IsUp(g, code)) latch = false;
  return false;
}

bool Pressed(GameState& g, int code) { return Pressed(g, code, g.Input.KeyLatches[code]); }

Single DebugScrollSpeed(const GameState& g) {
  const int level = g.World.CurrentLevel + 1;
  if (level < 0 || level >= kLevelSpecs) return 0;
  return g.LevelSpecs[level].ScreenSpeed;
}

void DebugScrolling(GameState& g) {
  auto& world = g.World;
  if (IsDown(g, scan::A))
    world.ScrollY = static_cast<Single>(world.ScrollY + 5 * DebugScrollSpeed(g) * g.FrameTime);
  if (IsDown(g, scan::Z))
    world.ScrollY = static_cast<Single>(world.ScrollY - 10 * DebugScrollSpeed(g) * g.FrameTime);
  if (IsDown(g, scan::R)) g.Hero.PY = 96 - world.ScrollY;
  if (IsDown(g, scan::O)) {
    const int third = g.GameAreaHeight / 3;  // whole pixels, as "\" divides
    world.ScrollY = static_cast<Single>(third) - g.Hero.PY;
  }
}

void ReplayInterruptKeys(GameState& g) {
  for (int code : {scan::Enter, scan::Up, scan::Down, scan::Left, scan::Right, scan::Space}) {
    if (IsDown(g, code) && g.GameEndFade == 0) EndGame(g);
  }
}

void BombKeys(GameState& g) {
  auto& in = g.Input;
  const bool space = IsDown(g, scan::Space) || in.MouseThirdDown;
  const bool down = IsDown(g, scan::Down);
  if (!in.BombHeld && (space || down) && !g.Replay.PlayingReplay) in.BombRequest = true;
  if (!space && !down) in.BombHeld = false;
  if (in.BombRequest) FireBomb(g);
}

void WalkKeys(GameState& g) {
  auto& in = g.Input;
  if (g.Replay.PlayingReplay) return;
  if (IsDown(g, scan::Left) || (in.MouseLeftDown && !in.MouseRightDown)) {
    in.MoveLeft = true;
    in.MoveRight = false;
  }
  if (IsDown(g, scan::Right) || (in.MouseRightDown && !in.MouseLeftDown)) {
    in.MoveRight = true;
    in.MoveLeft = false;
  }
}

void JumpKey(GameState& g) {
  auto& in = g.Input;
  const bool bothButtons = in.MouseLeftDown && in.MouseRightDown;
  if ((IsDown(g, scan::Up) || bothButtons) && !in.UpHeld && !g.Replay.PlayingReplay) {
    in.UpHeld = true;
    in.JumpRequest = true;
  } else if (!bothButtons && IsUp(g, scan::Up)) {
    in.UpHeld = false;
  }
}

void DebugCheats(GameState& g) {
  if (IsDown(g, scan::B)) g.Bonus.BombCount = 100;
  if (Pressed(g, scan::W)) g.Hero.Weight -= 1;
  if (Pressed(g, scan::E)) g.Hero.Weight += 1;
  if (Pressed(g, scan::G)) g.Bonus.GlassWaveArmed = true;
}

// The name keys in the order they are tested: 0..9, A..Z.
struct NameKey {
  char ch;
  int code;
};
constexpr std::array<NameKey, 36> kNameKeys{{
    {'0', 11}, {'1', 2},  {'2', 3},  {'3', 4},  {'4', 5},  {'5', 6},  {'6', 7},  {'7', 8},  {'8', 9},
    {'9', 10}, {'A', 30}, {'B', 48}, {'C', 46}, {'D', 32}, {'E', 18}, {'F', 33}, {'G', 34}, {'H', 35},
    {'I', 23}, {'J', 36}, {'K', 37}, {'L', 38}, {'M', 50}, {'N', 49}, {'O', 24}, {'P', 25}, {'Q', 16},
    {'R', 19}, {'S', 31}, {'T', 20}, {'U', 22}, {'V', 47}, {'W', 17}, {'X', 45}, {'Y', 21}, {'Z', 44},
}};

}  // namespace

void FireBomb(GameState& g) {
  g.Input.BombRequest = false;
  Explode(g, 0);
  g.Input.BombHeld = true;
}

void GameKeys(GameState& g) {
  auto& in = g.Input;
  if (Pressed(g, scan::Tab)) in.DebugWindowVisible = !in.DebugWindowVisible;
  if (in.DebugWindowVisible) DebugScrolling(g);
  if (IsDown(g, scan::Escape) && g.GameEndFade == 0) {
    g.GamePaused = false;
    EndGame(g);
  }
  if (g.Replay.PlayingReplay) ReplayInterruptKeys(g);
  if (!g.GamePaused) BombKeys(g);
  WalkKeys(g);
  JumpKey(g);
  if (!g.Replay.PlayingReplay && Pressed(g, scan::P)) g.GamePaused = !g.GamePaused;
  if (in.DebugWindowVisible) DebugCheats(g);
  if (Pressed(g, scan::S)) Events(g).SaveScreenshot();
}

void NameEntryKeys(GameState& g) {
  if ((IsDown(g, scan::Escape) || IsDown(g, scan::Enter)) && g.GameEndFade == 0) g.EndOfGameReady = true;
  for (const auto& key : kNameKeys) {
    if (Pressed(g, key.code)) AddNameChar(g, std::string(1, key.ch));
  }
  // Space shares its latch with the bomb keys: a Space still held from the
  // last bomb types nothing until it has been released.
  if (Pressed(g, scan::Space, g.Input.BombHeld)) AddNameChar(g, " ");
  if (Pressed(g, scan::Backspace)) AddNameChar(g, "-");
  // The cursor keys: a pad's d-pad drives the same keys.
  if (Pressed(g, scan::Left)) MoveNameCursor(g, -1);
  if (Pressed(g, scan::Right)) MoveNameCursor(g, 1);
  if (Pressed(g, scan::Up, g.Input.UpHeld)) DialNameChar(g, 1);
  if (Pressed(g, scan::Down)) DialNameChar(g, -1);
}

std::size_t NameCursor(const GameState& g) {
  const std::size_t size = g.Records.TypedName.size();
  const auto fromEnd = static_cast<std::size_t>(std::max<int>(g.Records.NameCursorFromEnd, 0));
  return size - std::min(fromEnd, size);
}

void MoveNameCursor(GameState& g, int step) {
  const auto size = static_cast<int>(g.Records.TypedName.size());
  const int slot = std::clamp(static_cast<int>(NameCursor(g)) + step, 0, size);
  if (slot == static_cast<int>(NameCursor(g))) return;
  g.Records.NameCursorFromEnd = static_cast<Integer>(size - slot);
  PlaySound(g, "key", false, 100);
}

void DialNameChar(GameState& g, int step) {
  auto& name = g.Records.TypedName;
  const std::size_t slot = NameCursor(g);
  const auto count = static_cast<int>(kDialLetters.size());
  if (slot == name.size()) {
    // The blank slot after the name becomes a letter, and the cursor stays on it.
    if (name.size() >= kNameLimit) return;
    name += kDialLetters[static_cast<std::size_t>((count - 1 + step % count + count) % count)];
    g.Records.NameCursorFromEnd = 1;
  } else {
    const auto at = kDialLetters.find(name[slot]);
    const int from = at == std::string_view::npos ? count - 1 : static_cast<int>(at);
    name[slot] = kDialLetters[static_cast<std::size_t>(((from + step) % count + count) % count)];
  }
  PlaySound(g, "key", false, 100);
}

void AddNameChar(GameState& g, const std::string& ch) {
  auto& name = g.Records.TypedName;
  const std::size_t slot = NameCursor(g);
  if (ch == "-") {
    // Deletes the character under the cursor, or the last one from the
    // blank slot after the name.
    if (name.empty()) return;
    if (slot < name.size()) {
      name.erase(slot, 1);
      g.Records.NameCursorFromEnd = static_cast<Integer>(name.size() - slot);
    } else {
      name.pop_back();
    }
  } else {
    // Typed before the character under the cursor; at the end, appended.
    if (name.size() >= kNameLimit) return;
    name.insert(slot, ch);
  }
  PlaySound(g, "key", false, 100);
}

}  // namespace pebblerun
