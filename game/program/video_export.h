#pragma once
// Pebblerun --export-video REPLAY OUT [--scale N]: the replay played through
// the real program loop and drawing, headless and without frame waits, every
// frame of the game screen from the first through the end fade written to a
// video file with the game's own sound, 50 frames a second.
//
// Before anything is written, a replay that cannot be played (missing,
// unreadable, damaged, cut off, of a mode whose tuning file is missing) and
// an output that cannot be written are refused with the reason (exit code
// 2). The video is written under a temporary name beside OUT and renamed at
// the end, so a failed export (exit code 1) or one cancelled with Ctrl+C or
// a termination signal (exit code 130) leaves no file behind.

#include <cstdint>
#include <filesystem>
#include <string>

#include <quillon/video_recorder.h>

#include "program/command_line.h"

namespace pebblerun {

inline constexpr int kExportCancelled = 130;

// What an export cost, for the benchmark: seconds of the clock and of the
// processor (the main thread, and the whole process with the codecs'
// threads), where the main thread's time went, and the memory in use.
struct ExportReport {
  std::int64_t Frames = 0;
  double Seconds = 0;  // the loop, start-up left out
  double Game = 0;     // game steps, drawing and present (the rest of the loop)
  quillon::VideoRecorder::TimeSpent Recorder;
  double MainThreadCpu = 0;
  double ProcessCpu = 0;
  // The most memory the process has held so far, read a quarter and half
  // way through the frames and after the last: flat when nothing grows with
  // the length of the game.
  long PeakKbQuarter = 0;
  long PeakKbHalf = 0;
  long PeakKbEnd = 0;
};

// The whole export for a checked command line; the process exit code.
int ExportVideo(const CommandLine& commandLine, const std::string& programFolder,
                ExportReport* report = nullptr);

// How many frames a playback of the replay draws, from a headless run of it;
// 0 when it does not come to an end.
std::int64_t PlaybackFrames(const std::filesystem::path& replay, const std::string& appFolder);

}  // namespace pebblerun
