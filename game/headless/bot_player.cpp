// The bot: a player that thinks a moment ahead by trying its moves out.
//
// Every few frames it copies the game and plays each of a handful of short
// key plans on the copy with the game's own frame function: walk left,
// right or not at all (briefly or for the whole look-ahead), combined with a
// jump (a glide when falling), steady gliding whenever it falls fast, and a
// bomb. It keeps the plan whose outcome it likes best and holds its keys
// until the next look. The copy is the whole game, random generators
// included, so what the bot foresees is exactly what would happen.
//
// An outcome is judged by:
//  - staying alive (a plan that dies is worse than any that lives, and the
//    later it dies the better);
//  - depth gained, which is what keeps Tobo ahead of the view;
//  - room to the drills above and to the bottom edge of the view below;
//  - how far Tobo has to walk along his floor to the nearest hole that drops
//    him somewhere still inside the view. A floor without such a hole counts
//    as far away, which makes breaking it (a bomb, a jump onto glass or onto
//    a tile the landing knocks loose) worth trying;
//  - bombs kept for later and points scored.
// The bot holds no random state of its own: the same game gets the same
// play.

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "headless/players.h"
#include "sim/game_frame.h"
#include "sim/scan_codes.h"

namespace pebblerun {
namespace {

constexpr int kTile = 32;
constexpr int kLookAhead = 32;    // frames each plan is played out
constexpr int kReplanEvery = 10;  // frames between two looks
constexpr int kLookDownRows = 30;
constexpr Single kScreenBottom = 480;

// A short plan of keys, laid out from the frame it starts in.
struct Plan {
  int walk = 0;        // -1 left, +1 right, 0 none
  int walkFrames = 0;  // frames the walking key is held
  bool jump = false;   // Up in the first frame: a jump standing, a glide falling
  bool glide = false;  // Up every other frame while falling fast
  bool bomb = false;   // a bomb in the first frame

  void Keys(const GameState& g, int step, KeyState& keys) const {
    if (walk != 0 && step < walkFrames) keys[walk < 0 ? scan::Left : scan::Right] = scan::kDown;
    if (jump && step == 0) keys[scan::Up] = scan::kDown;
    if (glide && step % 2 == 0 && g.Hero.PVY > 1.5f) keys[scan::Up] = scan::kDown;
    if (bomb && step == 0) keys[scan::Space] = scan::kDown;
  }
};

std::vector<Plan> CandidatePlans(bool haveBomb) {
  std::vector<Plan> plans;
  for (int walk : {0, -1, 1}) {
    for (int frames : {10, kLookAhead}) {
      if (walk == 0 && frames != kLookAhead) continue;
      plans.push_back({walk, frames, false, false, false});
      plans.push_back({walk, frames, true, false, false});
      plans.push_back({walk, frames, false, true, false});
    }
  }
  if (haveBomb) {
    plans.push_back({0, 0, false, false, true});
    plans.push_back({0, 0, false, true, true});
  }
  return plans;
}

Integer Code(const GameState& g, int column, int row) {
  if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows) return 0;
  return g.Field.Cells[column][row];
}

int TileFloor(Single v) { return static_cast<int>(std::floor(v / kTile)); }

// Pixels Tobo has to walk along his floor to a hole that drops him onto
// ground still inside the view; a large value when there is none.
Single WalkToHole(const GameState& g) {
  constexpr Single kNoHole = 220;
  if (g.Hero.Airborne) return 0;
  const int bodyRow = TileFloor(g.Hero.PY + 16), floorRow = bodyRow + 1;
  const int here = TileFloor(g.Hero.PX + 16);
  Single best = kNoHole;
  auto consider = [&](int column) {
    if (Code(g, column, floorRow) != 0) return;
    int land = floorRow;
    while (land < floorRow + kLookDownRows && Code(g, column, land) == 0) ++land;
    const Single landingTop = static_cast<Single>((land - 1) * kTile) + g.World.ScrollY;
    if (landingTop > kScreenBottom - 2 * kTile) return;
    best = std::min(best, std::fabs(static_cast<Single>(column * kTile) - g.Hero.PX));
  };
  consider(here);
  for (int step : {-1, 1}) {
    for (int column = here + step; column >= 0 && column < kGridColumns; column += step) {
      if (Code(g, column, bodyRow) != 0) break;
      consider(column);
    }
  }
  return best;
}

// How much the bot likes a game state (higher is better).
double Judge(const GameState& g) {
  const Single heroScreenY = g.Hero.PY + g.World.ScrollY;
  const Single drillGap = heroScreenY - (g.World.DrillY + kTile);
  const Single bottomGap = kScreenBottom - kTile - heroScreenY;
  double value = g.Hero.PY;
  if (drillGap < 150) value -= (150 - drillGap) * 4.0;
  if (bottomGap < 100) value -= (100 - bottomGap) * 4.0;
  value -= WalkToHole(g);
  value += g.Bonus.BombCount * 60.0;
  value += g.World.Score * 0.3;
  return value;
}

class BotPlayer : public SimPlayer {
 public:
  void Press(const GameState& g, KeyState& keys) override;

 private:
  double Outcome(const GameState& g, const Plan& plan, int fromStep) const;

  Plan plan_;
  int step_ = 0;
  int frames_ = 0;
  std::unique_ptr<GameState> scratch_ = std::make_unique<GameState>();
};

double BotPlayer::Outcome(const GameState& g, const Plan& plan, int fromStep) const {
  GameState& s = *scratch_;
  s = g;
  s.Policy.LookAhead = true;
  s.Events = nullptr;
  s.SoundOn = false;
  s.Replay.RecordingReplay = false;
  for (int i = 0; i < kLookAhead; ++i) {
    KeyState keys{};
    plan.Keys(s, fromStep + i, keys);
    RunGameFrame(s, keys);
    if (s.StoryCompleted) return 1e12;
    if (s.GameOver) return -1e9 + i * 1e6 + s.Hero.PY;
  }
  return Judge(s);
}

void BotPlayer::Press(const GameState& g, KeyState& keys) {
  // Keys of the first frame of a recording are lost with the old file: wait.
  if (frames_++ < 2 || g.GameOver || g.GamePaused) return;
  if (step_ >= kReplanEvery || frames_ == 3) {
    // Carrying on with the plan in hand gets a small head start, so the bot
    // does not dither between two plans that are nearly as good.
    double best = Outcome(g, plan_, step_) + 8;
    Plan chosen = plan_;
    int chosenStep = step_;
    for (const Plan& p : CandidatePlans(g.Bonus.BombCount >= 1)) {
      const double value = Outcome(g, p, 0);
      if (value > best) {
        best = value;
        chosen = p;
        chosenStep = 0;
      }
    }
    plan_ = chosen;
    step_ = chosenStep;
  }
  plan_.Keys(g, step_++, keys);
}

}  // namespace

std::unique_ptr<SimPlayer> MakeBotPlayer(std::uint32_t) { return std::make_unique<BotPlayer>(); }

}  // namespace pebblerun
