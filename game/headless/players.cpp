#include "headless/players.h"

#include "sim/scan_codes.h"

namespace pebblerun {

RandomPlayer::RandomPlayer(std::uint32_t seed) { random_.Seed(seed ^ 0x5A5A5Au); }

void RandomPlayer::Press(const GameState& g, KeyState& keys) {
  (void)g;
  if (walkLeft_ <= 0 && random_.Rnd() < 0.1f) {
    const int pick = random_.RndNum(0, 2);
    walkKey_ = pick == 0 ? 0 : (pick == 1 ? scan::Left : scan::Right);
    walkLeft_ = random_.RndNum(5, 50);
  }
  if (jumpLeft_ <= 0 && random_.Rnd() < 0.05f) jumpLeft_ = random_.RndNum(1, 10);
  if (bombLeft_ <= 0 && random_.Rnd() < 0.005f) bombLeft_ = random_.RndNum(1, 3);
  if (walkLeft_ > 0 && walkKey_ != 0) keys[walkKey_] = scan::kDown;
  if (jumpLeft_ > 0) keys[scan::Up] = scan::kDown;
  if (bombLeft_ > 0) keys[scan::Space] = scan::kDown;
  --walkLeft_;
  --jumpLeft_;
  --bombLeft_;
}

}  // namespace pebblerun
