#include "program/export_progress.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace pebblerun {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kPrintEvery = std::chrono::milliseconds(100);
// Lines for another program: every quarter second of video is plenty.
constexpr std::int64_t kLineEvery = 12;

std::string MinutesAndSeconds(double seconds) {
  const long whole = std::lround(std::max(0.0, seconds));
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

}  // namespace

ProgressStyle ProgressStyleFor(bool linesAsked) {
  if (linesAsked) return ProgressStyle::Lines;
  return ::isatty(STDERR_FILENO) ? ProgressStyle::Bar : ProgressStyle::Quiet;
}

ExportProgress::ExportProgress(ProgressStyle style, std::int64_t total, int framesPerSecond)
    : style_(style),
      total_(std::max<std::int64_t>(total, 1)),
      framesPerSecond_(framesPerSecond),
      start_(Clock::now()) {}

std::string ExportProgress::BarText(std::int64_t done, std::int64_t total, double seconds,
                                    int framesPerSecond) {
  total = std::max<std::int64_t>(total, 1);
  done = std::clamp<std::int64_t>(done, 0, total);
  const int filled = static_cast<int>(done * kBarWidth / total);
  std::string bar = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                    std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] ";
  bar += std::to_string(done) + "/" + std::to_string(total) + " frames";
  if (seconds > 0 && done > 0) {
    const double speed = static_cast<double>(done) / framesPerSecond / seconds;
    const double left = static_cast<double>(total - done) * seconds / static_cast<double>(done);
    char text[64];
    std::snprintf(text, sizeof text, "  %.1fx real time  %s left", speed, MinutesAndSeconds(left).c_str());
    bar += text;
  }
  return bar;
}

void ExportProgress::Print(std::int64_t done) {
  if (style_ == ProgressStyle::Lines) {
    std::printf("progress %lld %lld\n", static_cast<long long>(std::min(done, total_)),
                static_cast<long long>(total_));
    std::fflush(stdout);
    return;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
  // Spaces after the text wipe what a longer line before it left.
  std::fprintf(stderr, "\r%s   ", BarText(done, total_, seconds, framesPerSecond_).c_str());
  std::fflush(stderr);
}

void ExportProgress::Update(std::int64_t done) {
  if (style_ == ProgressStyle::Quiet) return;
  if (style_ == ProgressStyle::Lines) {
    if (done / kLineEvery == lastLine_) return;
    lastLine_ = done / kLineEvery;
    Print(done);
    return;
  }
  const auto now = Clock::now();
  if (now - lastPrint_ < kPrintEvery) return;
  lastPrint_ = now;
  Print(done);
}

void ExportProgress::Finish(std::int64_t done, bool complete) {
  if (style_ == ProgressStyle::Quiet) return;
  if (complete) total_ = std::max<std::int64_t>(done, 1);
  if (style_ == ProgressStyle::Lines) {
    if (complete) Print(done);
    return;
  }
  Print(done);
  std::fputc('\n', stderr);
}

}  // namespace pebblerun
