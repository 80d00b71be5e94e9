// Renders the two music tracks and writes them as WMA under "music".

#include <cmath>

#include "audio.h"
#include "music_scores.h"
#include "sequencer.h"
#include "synth.h"
#include "wma_encoder.h"

namespace assetgen {

namespace {

constexpr int kRate = 44100;
constexpr int kBitRate = 128000;

// The decoder holds back the first codec frame it reads (it only primes the
// overlap of the transform), and its last frame has no successor to overlap
// with, so it fades. The stream therefore starts one frame early with the
// loop's own end and runs two frames on into the loop's start: decoded, the
// file opens exactly on the first beat and holds the whole loop intact,
// followed by one clean frame of the loop's start (where the game's restart
// lands) and the faded one.
std::vector<float> CodecLayout(const std::vector<float>& loop, long loopFrames, int codecFrame) {
  const long frames = loopFrames + 3L * codecFrame;
  std::vector<float> out(2 * frames);
  for (long m = 0; m < frames; ++m) {
    const long src = ((m - codecFrame) % loopFrames + loopFrames) % loopFrames;
    out[2 * m] = loop[2 * src];
    out[2 * m + 1] = loop[2 * src + 1];
  }
  return out;
}

// Tames the few loudest peaks (the drums) gently, then brings the track to
// 1 dB below full scale.
void Master(std::vector<float>& mix) {
  const double peak = synth::PeakOf(mix);
  if (peak <= 0) return;
  const double knee = 0.5 * peak;
  for (float& s : mix) {
    const double a = std::fabs(s);
    if (a > knee)
      s = static_cast<float>(std::copysign(knee + (peak - knee) * std::tanh((a - knee) / (peak - knee)), s));
  }
  synth::NormalisePeak(mix, -1.0);
}

// The loop is a whole number of codec frames, the largest not longer than the
// target: the decoded file is then exactly two frames longer than the loop,
// its rounded duration is the target's, and the game's restart comes a few
// milliseconds after the loop's end, inside the clean continuation.
void WriteTrack(const std::filesystem::path& file, music::Song (*compose)(double), double seconds) {
  const int codecFrame = WmaFrameSize(kRate, 2);
  const long loopFrames = static_cast<long>(seconds * kRate) / codecFrame * codecFrame;
  std::vector<float> loop =
      music::RenderLoop(compose(static_cast<double>(loopFrames) / kRate), kRate, loopFrames);
  Master(loop);
  WriteWma(file, CodecLayout(loop, loopFrames, codecFrame), 2, kRate, kBitRate);
}

}  // namespace

void GenerateMusic(const std::filesystem::path& outDir) {
  WriteTrack(outDir / "music" / "music_menu.wma", music::MenuSong, music::kMenuSeconds);
  WriteTrack(outDir / "music" / "music_game.wma", music::GameSong, music::kGameSeconds);
}

}  // namespace assetgen
