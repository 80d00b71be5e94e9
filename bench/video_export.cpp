// Pebblerun --export-video of a whole shipped story replay at 800 x 600: how
// much faster than real time the video is made, where the main thread's time
// goes (game and drawing, reading the window, colour conversion, the video
// codec, mixing and encoding the sound), the processor time of the whole
// process (the codecs' own threads included) and the most memory held a
// quarter and half way through and at the end (flat: nothing grows with the
// length of the game).
//
// Runs on the build's application folder (build/app beside build/bench, or
// PEBBLERUN_APP_DIR) and its replay1.ini; writes that folder's log, and the
// video to the system's temporary folder (removed afterwards).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app_folder.h"
#include "program/video_export.h"

namespace {

using namespace pebblerun;

using bench::AppFolder;

void Report(benchmark::State& state, const ExportReport& r) {
  const double frames = static_cast<double>(r.Frames);
  const auto perFrameMs = [&](double seconds) { return frames > 0 ? 1000 * seconds / frames : 0.0; };
  state.counters["frames"] = frames;
  state.counters["x_real_time"] = r.Seconds > 0 ? frames / 50.0 / r.Seconds : 0;
  // Processor milliseconds per frame: the main thread's parts (game and
  // drawing, reading and copying the window, mixing the sound), the encoder
  // thread's parts (colour conversion, handing pictures and sound to their
  // codecs), the main thread, and the process with every thread (x264's own
  // threads included).
  state.counters["cpu_ms_game_and_drawing"] = perFrameMs(r.Game);
  state.counters["cpu_ms_read_window"] = perFrameMs(r.Recorder.Picture);
  state.counters["cpu_ms_colour_conversion"] = perFrameMs(r.Recorder.Conversion);
  state.counters["cpu_ms_video_codec_call"] = perFrameMs(r.Recorder.Video);
  state.counters["cpu_ms_sound_mix"] = perFrameMs(r.Recorder.SoundMix);
  state.counters["cpu_ms_sound_codec"] = perFrameMs(r.Recorder.Sound);
  state.counters["cpu_ms_main_thread"] = perFrameMs(r.MainThreadCpu);
  state.counters["cpu_ms_process"] = perFrameMs(r.ProcessCpu);
  // What two free cores would make of it: the main thread, or the whole
  // processor time shared by both, whichever is longer (this machine is
  // shared, so the clock alone says little).
  const double bound = std::max(r.MainThreadCpu, r.ProcessCpu / 2);
  state.counters["x_real_time_on_2_free_cores"] = bound > 0 ? frames / 50.0 / bound : 0;
  state.counters["peak_rss_kb_at_25pc"] = static_cast<double>(r.PeakKbQuarter);
  state.counters["peak_rss_kb_at_50pc"] = static_cast<double>(r.PeakKbHalf);
  state.counters["peak_rss_kb_at_100pc"] = static_cast<double>(r.PeakKbEnd);
}

// range(0): 0 MP4 (H.264 + AAC), 1 WebM (VP9 + Opus); range(1): frames, 0 the whole game.
void ExportShippedStoryReplay(benchmark::State& state) {
  const std::string app = AppFolder();
  const auto out = std::filesystem::temp_directory_path() / ("pebblerun-bench-" + std::to_string(::getpid()) +
                                                             (state.range(0) == 0 ? ".mp4" : ".webm"));
  CommandLine cl;
  cl.AppDir = app;
  cl.Export = true;
  cl.Headless = true;
  cl.ExportReplay = (std::filesystem::path(app) / "replay1.ini").string();
  cl.ExportFile = out.string();
  if (state.range(1) > 0) cl.Frames = state.range(1);
  ExportReport report;
  for (auto _ : state) {
    if (ExportVideo(cl, app, &report) != 0) state.SkipWithError("the export failed");
    state.SetIterationTime(report.Seconds);
  }
  Report(state, report);
  std::error_code error;
  std::filesystem::remove(out, error);
}
BENCHMARK(ExportShippedStoryReplay)
    ->Args({0, 0})
    ->Args({0, 1500})
    ->Args({1, 1500})
    ->ArgNames({"webm", "frames"})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
