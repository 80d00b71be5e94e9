#pragma once
// One function per sound effect of the game. Each returns mono samples at the
// given rate, before fades and normalisation (GenerateSounds adds those).

#include <cstdint>
#include <vector>

namespace assetgen::sfx {

using Samples = std::vector<float>;

// Interface sounds.
Samples MenuMove(int rate);
Samples MenuConfirm(int rate);
Samples KeyClick(int rate);
Samples BonusChime(int rate);
Samples DoneJingle(int rate);

// The hero.
Samples Jump(int rate);
Samples Boing(int rate);
Samples Landing(int rate);
Samples Swoosh(int rate);
Samples WalkLoop(int rate);
Samples DrillWarning(int rate);

// Tiles, bombs and water.
struct ExplosionShape {
  uint64_t seed;
  double seconds;
  double thumpHz;   // pitch the low thump falls to
  double brightHz;  // lowpass cutoff of the first instant
  double darkHz;    // lowpass cutoff the rumble settles to
  double decay;     // seconds for the body to fall by 1/e
  double crackle;   // 0..1, amount of debris crackle
};
Samples Explosion(int rate, const ExplosionShape& shape);

struct SplashShape {
  uint64_t seed;
  double seconds;
  double splashHz;  // centre of the spray noise at impact
  int bubbles;
  double size;  // 0.5 small .. 1.5 large; lowers pitch and lengthens
};
Samples Splash(int rate, const SplashShape& shape);

Samples GlassBreak(int rate, uint64_t seed, int shards, double seconds);
Samples TileBreak(int rate, uint64_t seed);
Samples TilePush(int rate);

}  // namespace assetgen::sfx
