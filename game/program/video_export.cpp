#include "program/video_export.h"

#include <signal.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <system_error>

#include <quillon/clocks.h>
#include <quillon/paths.h>
#include <quillon/video_recorder.h>

#include "headless/runner.h"
#include "program/export_progress.h"
#include "program/mod_Main.h"
#include "sim/replay.h"
#include "sim/replay_check.h"

namespace pebblerun {
namespace {

namespace fs = std::filesystem;

// The game's window, whose pixels the video holds.
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

// Set by the signal handler, read by the loop: the one thing a handler may
// safely do. Process-wide because signals are.
volatile std::sig_atomic_t cancelRequested = 0;

void RequestCancel(int) { cancelRequested = 1; }

// Ctrl+C and a polite kill (what the settings dialog's Cancel sends) end the
// export at the next frame instead of the process; the old handlers come
// back afterwards.
class CancelSignals {
 public:
  CancelSignals() {
    cancelRequested = 0;
    struct sigaction action {};
    action.sa_handler = RequestCancel;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &oldInt_);
    sigaction(SIGTERM, &action, &oldTerm_);
  }
  ~CancelSignals() {
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
  }
  CancelSignals(const CancelSignals&) = delete;
  CancelSignals& operator=(const CancelSignals&) = delete;
  bool Requested() const { return cancelRequested != 0; }

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

// The most memory the process has held (its resident high-water mark).
long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long kb = 0;
  while (status >> key) {
    if (key == "VmHWM:" && status >> kb) return kb;
    status.ignore(1 << 10, '\n');
  }
  return 0;
}

// The clocks of an export's loop, read at its first and its last frame.
struct LoopClocks {
  double Wall = 0, Thread = 0, Process = 0;
  static LoopClocks Now() {
    using namespace quillon::clocks;
    return {MonotonicSeconds(), ThreadCpuSeconds(), ProcessCpuSeconds()};
  }
};

void FillReport(ExportReport& report, const quillon::VideoRecorder& recorder, const LoopClocks& start) {
  const LoopClocks end = LoopClocks::Now();
  report.Frames = recorder.Frames();
  report.Seconds = end.Wall - start.Wall;
  report.MainThreadCpu = end.Thread - start.Thread;
  report.ProcessCpu = end.Process - start.Process;
  report.Recorder = recorder.Times();
  const auto& t = report.Recorder;
  // Conversion and the codecs work on the encoder's thread.
  report.Game = report.MainThreadCpu - (t.Picture + t.SoundMix);
  report.PeakKbEnd = PeakResidentKb();
}

int Refuse(const std::string& reason) {
  std::cerr << "Pebblerun: cannot export the video: " << reason << '\n';
  return 2;
}

std::string VideoLength(std::int64_t frames) {
  const double seconds = static_cast<double>(frames) / quillon::VideoRecorder::kFramesPerSecond;
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%04.1f", static_cast<long>(seconds / 60), std::fmod(seconds, 60.0));
  return text;
}

// The replay, or the reason it cannot be played.
std::string CheckReplay(const fs::path& replay, const std::string& appFolder) {
  auto g = std::make_unique<GameState>();
  g->AppFolder = appFolder;
  g->Replay.ReplayFile = replay.string();
  return ReplayProblem(*g);
}

}  // namespace

std::int64_t PlaybackFrames(const fs::path& replay, const std::string& appFolder) {
  SimOptions options;
  options.AppDir = appFolder;
  options.Player = SimPlayerKind::Replay;
  options.ReplayFile = replay.string();
  const SimResult result = RunSimulation(options);
  return result.Finished ? result.Frames : 0;
}

namespace {

// An export whose replay and output name have been checked: the run of the
// program that plays the replay, and how many frames it will draw.
struct ExportJob {
  std::string AppFolder;
  std::int64_t Total = 0;
  CommandLine Run;
  RunControl Control;
};

// 0 when the export can start, else the exit code of its refusal.
int Prepare(const CommandLine& cl, const std::string& programFolder, ExportJob& job) {
  job.AppFolder = AppFolderFor(cl, programFolder);
  const fs::path replay = LocateReplay(cl.ExportReplay, job.AppFolder);
  if (const std::string problem = CheckReplay(replay, job.AppFolder); !problem.empty())
    return Refuse(problem);
  std::string error;
  if (!quillon::VideoRecorder::CheckFileName(cl.ExportFile, error))
    return Refuse(cl.ExportFile + ": " + error);
  job.Total = PlaybackFrames(replay, job.AppFolder);
  if (job.Total == 0) return Refuse(replay.string() + " does not play to an end");
  if (cl.Frames >= 0) job.Total = std::min<std::int64_t>(job.Total, cl.Frames);
  job.Run = cl;
  job.Run.ReplayFile = replay.string();
  job.Run.Headless = true;
  return PrepareRun(job.Run, job.AppFolder, job.Control) ? 0 : 2;
}

// Plays the job's run into the recorder, from its first frame through the
// end fade, and ends the file; the exit code.
int Record(ExportJob& job, quillon::VideoRecorder& recorder, const CancelSignals& cancel,
           ExportReport* report) {
  ExportProgress progress(ProgressStyleFor(job.Run.ProgressLines), job.Total,
                          quillon::VideoRecorder::kFramesPerSecond);
  LoopClocks loopStart;
  std::string error;
  RunControl& control = job.Control;
  control.AfterPass = [&](Program& p) {
    if (recorder.Frames() == 0) loopStart = LoopClocks::Now();
    if (cancel.Requested()) {
      control.StopCode = kExportCancelled;
      return false;
    }
    if (!recorder.AddFrame(p.Objects.EngineObj, error)) {
      std::cerr << "\nPebblerun: the video could not be written: " << error << '\n';
      control.StopCode = 1;
      return false;
    }
    progress.Update(recorder.Frames());
    if (report && recorder.Frames() == job.Total / 4) report->PeakKbQuarter = PeakResidentKb();
    if (report && recorder.Frames() == job.Total / 2) report->PeakKbHalf = PeakResidentKb();
    return true;
  };
  int code = RunProgram(job.Run, job.AppFolder, control);
  if (code == 0 && cancel.Requested()) code = kExportCancelled;
  if (code == 0 && recorder.Frames() == 0) code = 1;
  if (code == 0 && !recorder.Finish(error)) {
    std::cerr << "\nPebblerun: the video could not be written: " << error << '\n';
    code = 1;
  }
  if (report) FillReport(*report, recorder, loopStart);
  progress.Finish(recorder.Frames(), code == 0);
  return code;
}

}  // namespace

int ExportVideo(const CommandLine& cl, const std::string& programFolder, ExportReport* report) {
  ExportJob job;
  if (const int refused = Prepare(cl, programFolder, job); refused != 0) return refused;
  quillon::VideoRecorder recorder;
  std::string error;
  if (!recorder.Open(cl.ExportFile, kWindowWidth, kWindowHeight, cl.ExportScale, error)) return Refuse(error);
  // Nothing on screen, the sound mixed into the video, and Ctrl+C ours.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("ALSOFT_DRIVERS", "null", 1);
  setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
  CancelSignals cancel;
  if (!recorder.CaptureSound(error)) {
    std::cerr << "Pebblerun: the game's sound cannot be recorded: " << error << '\n';
    return 1;
  }
  const int code = Record(job, recorder, cancel, report);
  if (code != 0) {
    recorder.Abandon();
    if (code == kExportCancelled) std::cerr << "Pebblerun: export cancelled, no file written\n";
    return code;
  }
  std::error_code ec;
  std::cout << "Pebblerun: wrote " << fs::absolute(cl.ExportFile, ec).string() << " (" << recorder.Frames()
            << " frames, " << VideoLength(recorder.Frames()) << ")" << std::endl;
  return 0;
}

}  // namespace pebblerun
