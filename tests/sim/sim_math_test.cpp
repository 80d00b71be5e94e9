// The inline conversions of the simulation agree with the number rules.

#include <gtest/gtest.h>

#include <quillon/numbers.h>

#include "sim/sim_math.h"

namespace pebblerun {
namespace {

namespace vb = quillon::vb;

TEST(SimMath, RoundingAndDivisionMatchTheNumberRules) {
  std::vector<double> values = {0,     0.5,  1.5,   2.5,          -0.5,         -1.5,          -2.5,
                                31.5,  32.5, -32.5, 63.5,         64.5,         95.49,         95.5,
                                -95.5, 1e9,  -1e9,  2147483647.4, 2147483647.5, -2147483648.5, -2147483648.6,
                                1e300, -0.0};
  for (double v = -200; v <= 200; v += 0.25) values.push_back(v);
  for (float f = 300.1f; f < 340; f += 0.3f) values.push_back(f);
  values.push_back(std::nan(""));
  for (double v : values) {
    const auto clng = vb::CLng(v);
    EXPECT_EQ(RoundOr(v, -7), clng ? *clng : -7) << v;
    for (double d : {32.0, 2.0, 3.0, -3.0, 0.4, 0.5, 1.5}) {
      const auto q = vb::IDiv(v, d);
      EXPECT_EQ(WholeDiv(v, d), q ? *q : kOutside) << v << " \\ " << d;
    }
  }
}

}  // namespace
}  // namespace pebblerun
