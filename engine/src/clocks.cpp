#include "quillon/clocks.h"

#include <ctime>

namespace quillon::clocks {
namespace {

double Read(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

double ThreadCpuSeconds() { return Read(CLOCK_THREAD_CPUTIME_ID); }
double ProcessCpuSeconds() { return Read(CLOCK_PROCESS_CPUTIME_ID); }
double MonotonicSeconds() { return Read(CLOCK_MONOTONIC); }

}  // namespace quillon::clocks
