// The water surface settles exactly as the plain rule, written out below with
// the number rules, whatever the waves hold.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include <quillon/numbers.h>

#include "sim/water.h"

namespace pebblerun {
namespace {

using Waves = std::array<Single, kWaterWaves>;

// One column at a time, each neighbour in turn, every step in Double and
// rounded to Single.
void PlainSettle(Waves& v) {
  for (int k = 1; k <= 209; ++k) {
    for (int n : {k - 1, k + 1}) {
      const double d = quillon::vb::CLng(v[n] - v[k]).value_or(0);
      v[n] = static_cast<Single>(v[n] - d / 2.0);
      v[k] = static_cast<Single>(v[k] + d / 2.0);
    }
    if (v[k] > 0) {
      for (int n = k - 1; n <= k + 1; ++n) v[n] = static_cast<Single>(v[n] - 0.4);
    }
    if (v[k] < 0) {
      for (int n = k - 1; n <= k + 1; ++n) v[n] = static_cast<Single>(v[n] + 2.0 / 15.0);
    }
  }
}

// Bit for bit, so a zero's sign or a NaN counts too.
void ExpectSameBits(const Waves& got, const Waves& want, int round) {
  for (int i = 0; i < kWaterWaves; ++i) {
    ASSERT_EQ(std::bit_cast<std::uint32_t>(got[i]), std::bit_cast<std::uint32_t>(want[i]))
        << "round " << round << " column " << i << ": " << got[i] << " vs " << want[i];
  }
}

TEST(Water, SettlingMatchesThePlainRuleBitForBit) {
  std::mt19937 random(12345);
  const Single specials[] = {0.0f,
                             -0.0f,
                             0.5f,
                             -0.5f,
                             1.5f,
                             2.5f,
                             -2.5f,
                             4194303.5f,
                             4194304.0f,
                             8388607.5f,
                             -8388609.0f,
                             3e9f,
                             -3e9f,
                             1e-40f,
                             -1e-45f,
                             std::numeric_limits<Single>::infinity(),
                             std::numeric_limits<Single>::quiet_NaN()};
  for (int round = 0; round < 400; ++round) {
    Waves v{};
    const int style = round % 4;
    for (auto& x : v) {
      switch (style) {
        case 0: x = std::uniform_real_distribution<Single>(-1, 1)(random); break;    // calm
        case 1: x = std::uniform_real_distribution<Single>(-60, 60)(random); break;  // splashes
        case 2:
          x = static_cast<Single>(std::uniform_int_distribution<int>(-40, 40)(random)) / 4;
          break;  // ties
        default: x = specials[std::uniform_int_distribution<int>(0, std::size(specials) - 1)(random)];
      }
    }
    Waves plain = v;
    // A few passes in a row, as the frames run them.
    for (int pass = 0; pass < 5; ++pass) {
      SettleWaves(v);
      PlainSettle(plain);
      ExpectSameBits(v, plain, round);
    }
  }
}

TEST(Water, PhaseAdvancesAndWrapsAsStepByStep) {
  for (Single limit : {8000.0f, 1000.0f}) {
    for (Single phase :
         {0.0f, 50.0f, 950.0f, 1000.0f, 7950.0f, 8000.0f, 25.0f, -120.0f, 9000.0f, 1e9f, 0.5f}) {
      Single stepped = phase;
      for (int k = 0; k < 209; ++k) {
        stepped += 50;
        if (stepped > limit) stepped = 0;
      }
      EXPECT_EQ(AdvanceWaterPhase(phase, limit), stepped) << phase << " / " << limit;
    }
  }
}

}  // namespace
}  // namespace pebblerun
