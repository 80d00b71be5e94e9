#pragma once
// The process's clocks, for measuring what a step costs: processor time
// (of the calling thread, or of the whole process with all its threads),
// which a busy machine does not inflate, and a steady clock for elapsed
// time. Seconds, from an arbitrary start; only differences mean anything.

namespace quillon::clocks {

double ThreadCpuSeconds();
double ProcessCpuSeconds();
double MonotonicSeconds();

// Processor seconds the calling thread has used since a ThreadCpuSeconds
// reading.
inline double ThreadCpuSince(double start) { return ThreadCpuSeconds() - start; }

}  // namespace quillon::clocks
