#pragma once
// Waiting for a frame deadline: sleep until shortly before it, then spin on the
// clock for the last stretch. The frame stays exact to a fraction of a
// millisecond without keeping a core busy for the whole frame. The engine's
// frame limiter and a host's own frame loop share this one wait.

#include <cstdint>

namespace quillon {

// A steady clock in nanoseconds (an arbitrary but fixed origin).
std::int64_t ClockNanoseconds();

// Returns once ClockNanoseconds() >= deadline, calling pump (when given)
// between sleeps and spins so that window messages are handled throughout.
// The result is the number of spin iterations, at least 1; the clock reading
// that ended the wait is stored in *endNs when endNs is given.
std::int32_t WaitUntil(std::int64_t deadlineNs, void (*pump)() = nullptr, std::int64_t* endNs = nullptr);

}  // namespace quillon
