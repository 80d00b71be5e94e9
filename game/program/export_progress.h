#pragma once
// How far a video export has come: a bar on the terminal (frames done, speed
// as a multiple of real time, time left), nothing when nobody watches a
// terminal, or "progress FRAME TOTAL" lines for a program that runs the
// export and shows its own progress.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace pebblerun {

enum class ProgressStyle { Quiet, Bar, Lines };

// The bar when standard error is a terminal, quiet otherwise; lines when
// asked for.
ProgressStyle ProgressStyleFor(bool linesAsked);

class ExportProgress {
 public:
  using Clock = std::chrono::steady_clock;

  // total: the frames the video will have (at least 1).
  ExportProgress(ProgressStyle style, std::int64_t total, int framesPerSecond);

  // After every frame; prints at most about ten times a second.
  void Update(std::int64_t done);
  // The last state, then the line ends. A complete export shows done as the
  // whole (the estimate may have been a little off).
  void Finish(std::int64_t done, bool complete);

  // The bar's text for a state (without the carriage return): exposed for tests.
  static std::string BarText(std::int64_t done, std::int64_t total, double seconds, int framesPerSecond);

 private:
  void Print(std::int64_t done);

  ProgressStyle style_;
  std::int64_t total_;
  int framesPerSecond_;
  Clock::time_point start_;
  Clock::time_point lastPrint_{};
  std::int64_t lastLine_ = -1;
};

}  // namespace pebblerun
