// The bot: a simple player that reads the field the way a person does.
//
// Strategy, every frame:
//  - In the air it only glides (a jump press while falling slows the fall)
//    when it falls fast and low on the screen, so it does not drop out of the
//    bottom of the view.
//  - Standing, it looks along its row as far as walls and tiles let it walk
//    and lists the holes in the floor. For each hole it looks down to where
//    it would land; a hole is safe when the landing place is still well
//    inside the view. It walks to the nearest safe hole and lets itself drop
//    in. A bonus lying on its row is picked up first while the drills are
//    far away.
//  - With only unsafe holes it waits (the view keeps moving down, so a hole
//    turns safe) unless the drills come close.
//  - With no hole at all it breaks the floor: it jumps onto glass or onto a
//    tile that its landing can push, or sets off a bomb.
//  - It sets off a bomb when the drills are about to reach it with no hole
//    close by, and when it has not got any lower for a long time.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "scan_codes.h"
#include "sim_players.h"

namespace pebblerun {
namespace {

constexpr int kTile = 32;
constexpr int kLookDownRows = 40;
constexpr Single kSafeLandingScreenY = 360;
constexpr Single kGlideScreenY = 300;
constexpr Single kDrillDanger = 72;
constexpr Single kBonusCalm = 160;
constexpr int kStuckFrames = 200;
constexpr int kBlockedFrames = 6;
constexpr Single kMarginFrames = 12;

Integer Code(const GameState& g, int column, int row) {
  if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows) return 0;
  return g.Field.Cells[column][row];
}

Long Kind(const GameState& g, Integer code) {
  if (code <= 0) return 0;
  if (code > 50) return code;
  return g.Field.TileTypeTable[code].Kind;
}

int Floor32(Single v) { return static_cast<int>(std::floor(v / kTile)); }

struct Hole {
  int column = 0;
  bool safe = false;
};

class BotPlayer : public SimPlayer {
 public:
  explicit BotPlayer(std::uint32_t seed) { random_.Seed(seed ^ 0xB07B07u); }
  void Press(const GameState& g, KeyState& keys) override;

 private:
  void InAir(const GameState& g, KeyState& keys);
  void OnGround(const GameState& g, KeyState& keys);
  std::optional<Hole> ChooseHole(const GameState& g, int bodyRow, bool hurry) const;
  std::optional<int> BonusOnRow(const GameState& g, int bodyRow) const;
  bool BreakFloor(const GameState& g, int bodyRow, KeyState& keys);
  void WalkTo(const GameState& g, Single targetX, KeyState& keys) const;
  void Jump(KeyState& keys);
  void Bomb(const GameState& g, KeyState& keys);
  // Pixels per frame Tobo walks, and the drills close in on a standing Tobo.
  Single WalkStep(const GameState& g) const {
    const Single boot = g.Bonus.BootTimeLeft > 0 ? 1.5f : 1.0f;
    return std::max(0.5f, static_cast<Single>(g.Tuning.Player.WalkSpeed * g.FrameTime * boot));
  }
  Single ClosingSpeed(const GameState& g) const {
    const int level = std::clamp<int>(g.World.CurrentLevel, 0, kLevelSpecs - 1);
    const double speed = g.LevelSpecs[level].ScreenSpeed + g.Tuning.SharpDrills.Speed_of_Lowering;
    return std::max(0.1f, static_cast<Single>(speed * g.FrameTime));
  }
  // A jump goes up before it comes down: not with the drills close above.
  bool RoomToJump(const GameState& g) const {
    const double v = g.Tuning.Player.Jump_Force * g.FrameTime;
    const double a = std::max(0.01, g.Hero.Weight * g.FrameTime);
    return DrillGap(g) > v * v / (2 * a) + kTile;
  }
  Single DrillGap(const GameState& g) const {
    return g.Hero.PY + g.World.ScrollY - (g.World.DrillY + kTile);
  }

  RandomGenerator random_;
  bool upLast_ = false;
  bool bombLast_ = false;
  bool upNow_ = false;
  bool bombNow_ = false;
  Long frames_ = 0;
  Long stillFrames_ = 0;
  Single lowestPY_ = -1e9f;
  int wanderKey_ = 0;
  int wanderLeft_ = 0;
  KeyState lastKeys_{};
  Single lastPX_ = 0;
  int blockedFrames_ = 0;
};

void BotPlayer::Press(const GameState& g, KeyState& keys) {
  upNow_ = bombNow_ = false;
  // Keys of the first frame of a recording are lost with the old file: wait.
  if (frames_++ < 2 || g.GameOver) {
    upLast_ = bombLast_ = false;
    return;
  }
  // Walking that gets nowhere: something stands in the way.
  const bool walking = lastKeys_[scan::Left] || lastKeys_[scan::Right];
  blockedFrames_ = walking && g.Hero.PX == lastPX_ ? blockedFrames_ + 1 : 0;
  lastPX_ = g.Hero.PX;
  if (g.Hero.PY > lowestPY_ + 1) {
    lowestPY_ = g.Hero.PY;
    stillFrames_ = 0;
  } else {
    ++stillFrames_;
  }
  if (g.Hero.Airborne)
    InAir(g, keys);
  else
    OnGround(g, keys);
  upLast_ = upNow_;
  bombLast_ = bombNow_;
  lastKeys_ = keys;
}

void BotPlayer::InAir(const GameState& g, KeyState& keys) {
  const Single screenY = g.Hero.PY + g.World.ScrollY;
  // Low on the screen, land softly enough not to push the tile below away.
  const Single softLanding = g.Tuning.Falling_Tiles.Hit_PushOnForce * 0.8f;
  if (screenY > kGlideScreenY && g.Hero.PVY > std::min<Single>(softLanding, 2)) Jump(keys);
  if (g.Hero.PVY <= 0) return;
  // Steer toward the nearest place to land that is still well inside the view.
  const int feetRow = Floor32(g.Hero.PY + 32);
  const int here = Floor32(g.Hero.PX + 16);
  int bestColumn = -1;
  Single bestCost = 1e9f;
  for (int column = std::max(1, here - 4); column <= std::min(13, here + 4); ++column) {
    int land = feetRow;
    while (land < feetRow + kLookDownRows && Code(g, column, land) == 0) ++land;
    if (land >= feetRow + kLookDownRows) continue;
    const Single top = static_cast<Single>((land - 1) * kTile) + g.World.ScrollY;
    // Gum throws Tobo back up toward the drills.
    const bool gum = Kind(g, Code(g, column, land)) == 3;
    const Single cost = static_cast<Single>(std::abs(column - here) * 3 * kTile) +
                        (top > kSafeLandingScreenY ? 1000.0f : 0.0f) + (gum ? 300.0f : 0.0f) +
                        top / 8;
    if (cost < bestCost) {
      bestCost = cost;
      bestColumn = column;
    }
  }
  if (bestColumn >= 0 && bestColumn != here) WalkTo(g, static_cast<Single>(bestColumn * kTile), keys);
  // About to hit gum hard: blow it away first.
  const int below = Floor32(g.Hero.PY + 32 + g.Hero.PVY * 4);
  if (g.Hero.PVY > 3 && Kind(g, Code(g, here, below)) == 3) Bomb(g, keys);
}

void BotPlayer::OnGround(const GameState& g, KeyState& keys) {
  const int bodyRow = Floor32(g.Hero.PY + 16);
  const Single gap = DrillGap(g);
  const bool hurry = gap < kDrillDanger;

  if (wanderLeft_ > 0) {
    --wanderLeft_;
    keys[wanderKey_] = scan::kDown;
    return;
  }
  if (stillFrames_ > kStuckFrames) {
    stillFrames_ = kStuckFrames / 2;
    if (g.Bonus.BombCount >= 1) {
      Bomb(g, keys);
    } else {
      wanderKey_ = random_.Rnd() < 0.5f ? scan::Left : scan::Right;
      wanderLeft_ = random_.RndNum(10, 40);
      Jump(keys);
    }
    return;
  }
  if (!hurry && gap > kBonusCalm) {
    if (auto bonusX = BonusOnRow(g, bodyRow)) {
      WalkTo(g, static_cast<Single>(*bonusX), keys);
      return;
    }
  }
  if (auto hole = ChooseHole(g, bodyRow, hurry)) {
    const Single targetX = static_cast<Single>(hole->column * kTile);
    // Walking there must beat the drills; otherwise break through right here.
    const Single walkFrames = std::fabs(targetX - g.Hero.PX) / WalkStep(g);
    const Single drillFrames = gap / ClosingSpeed(g);
    const bool tooFar = walkFrames + kMarginFrames > drillFrames;
    const bool blocked = blockedFrames_ > kBlockedFrames;
    if (!tooFar && !blocked) {
      if (hole->safe || hurry) WalkTo(g, targetX, keys);
      return;
    }
  }
  if (BreakFloor(g, bodyRow, keys)) return;
  if (hurry && g.Bonus.BombCount >= 1) Bomb(g, keys);
}

// The holes in the floor that Tobo can walk to, nearest safe one first.
std::optional<Hole> BotPlayer::ChooseHole(const GameState& g, int bodyRow, bool hurry) const {
  const int floorRow = bodyRow + 1;
  const int leftFoot = Floor32(g.Hero.PX + 4), rightFoot = Floor32(g.Hero.PX + 26);
  std::optional<Hole> best;
  Single bestDistance = 1e9f;
  auto consider = [&](int column) {
    int land = floorRow;
    while (land < floorRow + kLookDownRows && Code(g, column, land) == 0) ++land;
    const Single landingTop = static_cast<Single>((land - 1) * kTile) + g.World.ScrollY;
    const bool safe = land < floorRow + kLookDownRows && landingTop < kSafeLandingScreenY;
    const Single distance = std::fabs(static_cast<Single>(column * kTile) - g.Hero.PX);
    const bool better = !best || (safe && !best->safe) ||
                        (safe == best->safe && distance < bestDistance);
    if (better && (safe || hurry || !best)) {
      best = Hole{column, safe};
      bestDistance = distance;
    }
  };
  for (int column = leftFoot; column <= rightFoot; ++column) {
    if (Code(g, column, floorRow) == 0) consider(column);
  }
  for (int step : {-1, 1}) {
    for (int column = (step < 0 ? leftFoot : rightFoot) + step; column >= 0 && column < 15;
         column += step) {
      if (Code(g, column, bodyRow) != 0) break;
      if (Code(g, column, floorRow) == 0) consider(column);
    }
  }
  return best;
}

std::optional<int> BotPlayer::BonusOnRow(const GameState& g, int bodyRow) const {
  const Single rowY = static_cast<Single>(bodyRow * kTile);
  for (std::size_t i = 1; i < g.Bonus.Bonuses.size(); ++i) {
    const Bonus& b = g.Bonus.Bonuses[i];
    if (!b.Active || b.Y != rowY) continue;
    // Only when nothing stands between Tobo and the bonus.
    const int from = Floor32(g.Hero.PX + 16), to = Floor32(b.X + 16);
    const int step = to >= from ? 1 : -1;
    bool open = std::abs(to - from) <= 6;
    for (int column = from; open && column != to; column += step) {
      if (Code(g, column + step, bodyRow) != 0 || Code(g, column + step, bodyRow + 1) == 0)
        open = false;
    }
    if (open) return static_cast<int>(b.X);
  }
  return std::nullopt;
}

// No hole: jump onto a floor tile the landing breaks, or blow the floor up.
bool BotPlayer::BreakFloor(const GameState& g, int bodyRow, KeyState& keys) {
  const auto& t = g.Tuning;
  const Single landing = static_cast<Single>(t.Player.Jump_Force * g.FrameTime);
  const int column = Floor32(g.Hero.PX + 16);
  const Integer below = Code(g, column, bodyRow + 1);
  const Long kind = Kind(g, below);
  const bool glassBreaks = below == 5 && landing >= t.Player.Smash_Glass_ForceNeeded;
  const bool pushes = kind >= 1 && kind <= 5 && landing > t.Falling_Tiles.Hit_PushOnForce;
  if (g.Bonus.BombCount >= 1 && DrillGap(g) < kDrillDanger) {
    Bomb(g, keys);
    return true;
  }
  if ((glassBreaks || pushes) && RoomToJump(g)) {
    Jump(keys);
    return true;
  }
  if (g.Bonus.BombCount >= 1 && stillFrames_ > kStuckFrames / 4) {
    Bomb(g, keys);
    return true;
  }
  if (RoomToJump(g)) Jump(keys);
  return true;
}

void BotPlayer::WalkTo(const GameState& g, Single targetX, KeyState& keys) const {
  const Single tolerance = 3;
  if (g.Hero.PX < targetX - tolerance) keys[scan::Right] = scan::kDown;
  if (g.Hero.PX > targetX + tolerance) keys[scan::Left] = scan::kDown;
}

// A jump (or glide) needs the key released in between.
void BotPlayer::Jump(KeyState& keys) {
  if (upLast_) return;
  keys[scan::Up] = scan::kDown;
  upNow_ = true;
}

void BotPlayer::Bomb(const GameState& g, KeyState& keys) {
  if (bombLast_ || g.Bonus.BombCount < 1) return;
  keys[scan::Space] = scan::kDown;
  bombNow_ = true;
}

}  // namespace

std::unique_ptr<SimPlayer> MakeBotPlayer(std::uint32_t seed) {
  return std::make_unique<BotPlayer>(seed);
}

}  // namespace pebblerun
