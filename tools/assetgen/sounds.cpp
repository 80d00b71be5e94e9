// Writes every sound effect file of the game's sound table under "sfx".
//
// The game replays some sounds at a fixed playback rate in kilohertz (the jump
// at 22 + weight, the glide at 26, breaking tiles at 20 to 24, the end jingle at
// 20 or 30, the bonus at 44). Those files are written at the rate they are meant
// to be heard at, so that the game's rate gives the pitch designed here; the
// others use 44100 Hz.

#include <functional>
#include <string>

#include "audio.h"
#include "sound_designs.h"
#include "synth.h"
#include "wav_writer.h"

namespace assetgen {

namespace {

struct SoundFile {
  const char* name;  // under sfx/
  int rate;
  double peakDb;
  std::function<sfx::Samples(int)> design;
  // Most tails have died away by the end; a long rumble is faded out instead
  // of being cut.
  double fadeOutSeconds = 0.008;
};

constexpr int kFull = 44100;
constexpr int kHalf = 22050;

std::vector<SoundFile> SoundTable() {
  using namespace sfx;
  auto explosion = [](ExplosionShape s) { return [s](int rate) { return Explosion(rate, s); }; };
  auto splash = [](SplashShape s) { return [s](int rate) { return Splash(rate, s); }; };
  return {
      {"menu_selection.wav", kFull, -1.0, MenuMove},
      {"menu_selection2.wav", kFull, -1.0, MenuConfirm},
      {"jump.wav", kHalf, -1.0, Jump},
      {"boing.wav", kFull, -1.0, Boing},
      {"bonus.wav", kFull, -1.0, BonusChime},
      {"explode1.wav", kFull, -1.0, explosion({101, 1.0, 48, 5000, 300, 0.28, 0.5}), 0.3},
      {"explode2.wav", kFull, -1.0, explosion({102, 0.75, 60, 8000, 500, 0.18, 0.8}), 0.2},
      {"explode3.wav", kFull, -1.0, explosion({103, 1.4, 38, 3500, 200, 0.4, 0.3}), 0.45},
      {"explode4.wav", kFull, -1.0, explosion({104, 1.15, 50, 6000, 350, 0.3, 1.0}), 0.35},
      {"explode5.wav", kFull, -1.0, explosion({105, 1.6, 42, 7000, 250, 0.42, 0.7}), 0.5},
      {"waterhit1.wav", kFull, -1.0, splash({201, 0.45, 2200, 6, 1.0})},
      {"waterhit2.wav", kFull, -1.0, splash({202, 0.55, 1700, 9, 1.25})},
      {"waterhit3.wav", kFull, -1.0, splash({203, 0.35, 2800, 4, 0.75})},
      {"waterhit4.wav", kFull, -1.0, splash({204, 0.6, 1500, 11, 1.4})},
      {"waterhit5.wav", kFull, -1.0, splash({205, 0.4, 2500, 5, 0.9})},
      {"break_glass.wav", kHalf, -1.0, [](int rate) { return GlassBreak(rate, 301, 28, 0.45); }},
      {"break_glass2.wav", kHalf, -1.0, [](int rate) { return GlassBreak(rate, 302, 18, 0.32); }},
      {"tile_explo.wav", kHalf, -1.0, [](int rate) { return TileBreak(rate, 401); }},
      {"tile_push.wav", kFull, -1.0, TilePush},
      {"fall1.wav", kFull, -1.0, Landing},
      {"nidle.wav", kFull, -1.0, DrillWarning},
      {"swoosh.wav", kHalf, -1.0, Swoosh},
      {"done.wav", kHalf, -1.0, DoneJingle},
      // Loops for as long as the hero walks: kept softer than the one-shots.
      {"walk.wav", kFull, -4.0, WalkLoop},
      {"key.wav", kFull, -1.0, KeyClick},
  };
}

}  // namespace

void GenerateSounds(const std::filesystem::path& outDir) {
  for (const SoundFile& file : SoundTable()) {
    sfx::Samples samples = file.design(file.rate);
    // A 1.5 ms fade-in keeps every attack sharp and still starts from silence.
    synth::ApplyFades(samples, 1, file.rate * 3 / 2000, static_cast<int>(file.fadeOutSeconds * file.rate));
    synth::NormalisePeak(samples, file.peakDb);
    WriteWav(outDir / "sfx" / file.name, samples, 1, file.rate);
  }
}

}  // namespace assetgen
