// Sound costs on the loopback device: one SoundPlay call (what a busy frame
// of falling tiles pays per sound), and one second of music streamed from a
// WMA file — decoding alone, and decoding with the mix of the device.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/music_stream.h"
#include "audio/sound_bank.h"
#include "mod_extra.h"
#include "platform/ffmpeg_decoder.h"
#include "platform/openal_output.h"

namespace {

constexpr int kRate = 44100;

// Test sounds in a folder of their own: a 1 s WAV tone and a 10 s WMA piece.
struct Files {
  std::filesystem::path Folder = std::filesystem::temp_directory_path() / "quillon-bench-audio";
  bool HaveWma = false;

  Files() {
    std::filesystem::create_directories(Folder);
    quillon::lib::State().AppFolder = Folder.string();
    WriteTone(Folder / "hum.wav", 1.0);
    WriteTone(Folder / "piece.wav", 10.0);
    const std::string command = "ffmpeg -nostdin -loglevel error -y -i '" + (Folder / "piece.wav").string() +
                                "' -c:a wmav2 '" + (Folder / "piece.wma").string() + "' >/dev/null 2>&1";
    HaveWma = std::system(command.c_str()) == 0;
  }
  ~Files() { std::filesystem::remove_all(Folder); }

  static void WriteTone(const std::filesystem::path& file, double seconds) {
    const auto frames = static_cast<std::uint32_t>(kRate * seconds);
    std::vector<std::int16_t> samples(2 * frames);
    for (std::uint32_t i = 0; i < frames; ++i)
      samples[2 * i] = samples[2 * i + 1] = static_cast<std::int16_t>(12000 * std::sin(i * 0.0627));
    const std::uint32_t bytes = frames * 4, chunk = 36 + bytes, fmt = 16, rate = kRate, byteRate = kRate * 4;
    const std::uint16_t pcm = 1, channels = 2, align = 4, bits = 16;
    std::ofstream out(file, std::ios::binary);
    out.write("RIFF", 4).write(reinterpret_cast<const char*>(&chunk), 4).write("WAVEfmt ", 8);
    out.write(reinterpret_cast<const char*>(&fmt), 4).write(reinterpret_cast<const char*>(&pcm), 2);
    out.write(reinterpret_cast<const char*>(&channels), 2).write(reinterpret_cast<const char*>(&rate), 4);
    out.write(reinterpret_cast<const char*>(&byteRate), 4).write(reinterpret_cast<const char*>(&align), 2);
    out.write(reinterpret_cast<const char*>(&bits), 2).write("data", 4);
    out.write(reinterpret_cast<const char*>(&bytes), 4);
    out.write(reinterpret_cast<const char*>(samples.data()), bytes);
  }
};

Files& TestFiles() {
  static Files files;
  return files;
}

void BM_SoundPlay(benchmark::State& state) {
  TestFiles();
  std::string error;
  auto device = quillon::platform::InstallLoopbackDevice(kRate, error);
  if (!device) return state.SkipWithError(error.c_str());
  quillon::audio::SoundBank bank(device, nullptr);
  bank.CreateSound("hum", "hum.wav");
  std::vector<float> block(2 * 882);  // one 20 ms frame of the game
  for (auto _ : state) {
    bank.SoundPlay("hum", false, 80, -30, 0);
    state.PauseTiming();
    device->Render(block);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SoundPlay);

void BM_DecodeOneSecondOfWma(benchmark::State& state) {
  if (!TestFiles().HaveWma) return state.SkipWithError("no ffmpeg program to write WMA");
  std::string error;
  std::vector<std::int16_t> out(2 * kRate);
  auto decoder = quillon::platform::FfmpegDecoder::Open(TestFiles().Folder / "piece.wma", error);
  for (auto _ : state) {
    if (decoder->Read(out.data(), kRate) < kRate) {
      state.PauseTiming();
      decoder = quillon::platform::FfmpegDecoder::Open(TestFiles().Folder / "piece.wma", error);
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_DecodeOneSecondOfWma)->Unit(benchmark::kMillisecond);

void BM_StreamOneSecondOfWmaThroughTheMixer(benchmark::State& state) {
  if (!TestFiles().HaveWma) return state.SkipWithError("no ffmpeg program to write WMA");
  std::string error;
  auto device = quillon::platform::InstallLoopbackDevice(kRate, error);
  if (!device) return state.SkipWithError(error.c_str());
  auto stream = quillon::audio::MusicStream::Open(device, TestFiles().Folder / "piece.wma", error);
  std::vector<float> second(2 * kRate);
  stream->Play(true);
  for (auto _ : state) {
    if (stream->PositionSeconds() > 8.5) {
      state.PauseTiming();
      stream->Play(true);
      state.ResumeTiming();
    }
    device->Render(second);
  }
}
BENCHMARK(BM_StreamOneSecondOfWmaThroughTheMixer)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
