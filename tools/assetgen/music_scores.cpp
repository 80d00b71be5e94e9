#include "music_scores.h"

#include <string_view>
#include <vector>

namespace assetgen::music {

namespace {

using Chords = std::vector<std::string_view>;

// Bpm that makes `bars` of four beats last exactly `seconds`.
double TempoFor(int bars, double seconds) { return bars * 4 * 60.0 / seconds; }

// Broken chord over one bar: `order` indexes the chord tones, the tones above
// the chord's top continuing an octave higher.
void Arpeggio(Part& part, int bar, std::string_view chord, int floor, double stepBeats,
              const std::vector<int>& order, double strong, double weak) {
  const std::vector<int> tones = ChordNotes(chord, floor);
  const int size = static_cast<int>(tones.size());
  for (size_t i = 0; i < order.size(); ++i) {
    const int pitch = tones[order[i] % size] + 12 * (order[i] / size);
    const double velocity = i % 2 == 0 ? strong : weak;
    part.notes.push_back({bar * 4 + static_cast<double>(i) * stepBeats, stepBeats * 1.5, pitch, velocity});
  }
}

Chords Repeat(const Chords& chords, int times) {
  Chords out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), chords.begin(), chords.end());
  return out;
}

Chords Join(std::initializer_list<Chords> parts) {
  Chords out;
  for (const Chords& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace

Song MenuSong(double seconds) {
  constexpr int kBars = 32;
  Song song{TempoFor(kBars, seconds), 4, kBars, {}};
  const Chords home = {"Dmaj7", "Bm7", "Gmaj7", "Asus4", "Dmaj7", "Bm7", "Gmaj7", "A"};
  const Chords away = {"Em7", "F#m7", "Gmaj7", "A", "Bm7", "Gmaj7", "Em7", "A"};
  const Chords back = {"Dmaj7", "Bm7", "Gmaj7", "Asus4", "Gmaj7", "F#m7", "Em7", "Asus4"};
  const Chords chords = Join({home, home, away, back});

  Part pad{Voice::Pad, 0.55, 0.0, 0.45, {}};
  AddChords(pad, 0, 4, chords, 57, 0.7);

  Part keys{Voice::Keys, 0.5, 0.25, 0.35, {}};
  Part bass{Voice::Bass, 0.75, 0.0, 0.05, {}};
  for (int bar = 0; bar < kBars; ++bar) {
    const bool tuneAbove = bar >= 16 && bar < 28;
    Arpeggio(keys, bar, chords[bar], 62, 0.5, {0, 2, 1, 3, 4, 3, 2, 1}, tuneAbove ? 0.45 : 0.6,
             tuneAbove ? 0.3 : 0.4);
    if (bar >= 8 && bar < 28) {
      const int root = ChordRoot(chords[bar], 38);
      bass.notes.push_back({bar * 4.0, 2.5, root, 0.8});
      bass.notes.push_back({bar * 4.0 + 3.0, 0.9, root + 7, 0.6});
    }
  }

  Part tune{Voice::SoftLead, 0.55, -0.1, 0.5, {}};
  AddLine(tune, 16 * 4, 0.5,
          "b4 - - - e5 - d5 - c#5 - - - a4 - - - b4 - - d5 f#5 - e5 d5 e5 - - - - - . . "
          "f#5 - - - d5 - e5 f#5 g5 - f#5 - e5 - d5 - e5 - - d5 b4 - d5 - c#5 - - - a4 - - .",
          0.8);
  AddLine(tune, 24 * 4, 0.5, "f#5 - - - e5 - d5 - d5 - - - b4 - - - b4 - d5 - g5 - f#5 - e5 - - - - - - .",
          0.65);

  // Soft drums come in gently, carry the middle and leave before the top, so
  // the loop closes on pads and piano as it opens.
  Part kick{Voice::Kick, 0.6, 0.0, 0.0, {}};
  Part rim{Voice::Rim, 0.35, 0.15, 0.3, {}};
  Part shaker{Voice::Shaker, 0.3, -0.3, 0.2, {}};
  for (int bar = 8; bar < 28; ++bar) {
    AddHits(shaker, bar * 4.0, 0.25, "o.x.o.x.o.x.o.x.");
    if (bar < 24) AddHits(rim, bar * 4.0, 0.25, "....x.......x..o");
    if (bar >= 12) AddHits(kick, bar * 4.0, 0.25, "x.......x.x.....");
  }
  song.parts = {pad, keys, bass, tune, kick, rim, shaker};
  return song;
}

namespace {

void GameDrums(Song& song, int bars) {
  Part kick{Voice::Kick, 0.85, 0.0, 0.0, {}};
  Part snare{Voice::Snare, 0.5, 0.05, 0.2, {}};
  Part hat{Voice::ClosedHat, 0.5, 0.3, 0.05, {}};
  Part open{Voice::OpenHat, 0.35, 0.3, 0.1, {}};
  for (int bar = 0; bar < bars; ++bar) {
    const double at = bar * 4.0;
    const bool breakdown = bar >= 24 && bar < 28;
    const bool build = bar >= 28 && bar < 32;
    const bool bright = (bar >= 16 && bar < 24) || bar >= 40;
    if (!breakdown) AddHits(kick, at, 0.25, "X...x...X...x...");
    if (bright) {
      AddHits(hat, at, 0.25, "o...o...o...o.o.");
      AddHits(open, at, 0.25, "..x...x...x...x.");
    } else {
      AddHits(hat, at, 0.25, breakdown ? "..o...o...o...o." : "o.x.o.x.o.x.o.x.");
    }
    if (bar == 31)
      AddHits(snare, at, 0.25, "x.x.x.x.xxxxXXXX", 0.8);
    else if (build)
      AddHits(snare, at, 0.5, "x.x.x.x.", 0.5 + 0.1 * (bar - 28));
    else if (bar == bars - 1)
      AddHits(snare, at, 0.25, "....X...X.xxXxXX");
    else if (bar >= 8 && !breakdown)
      AddHits(snare, at, 0.25, "....X.......X..o");
  }
  song.parts.insert(song.parts.end(), {kick, snare, hat, open});
}

}  // namespace

Song GameSong(double seconds) {
  constexpr int kBars = 48;
  Song song{TempoFor(kBars, seconds), 4, kBars, {}};
  const Chords cycle = {"Am", "F", "C", "G"};
  const Chords lift = {"F", "G", "Am", "Am", "F", "G", "E", "E"};
  const Chords chords = Join({Repeat(cycle, 6), lift, Repeat(cycle, 4)});

  Part bass{Voice::SynthBass, 0.8, 0.0, 0.0, {}};
  Part pluck{Voice::Pluck, 0.38, -0.35, 0.25, {}};
  Part pad{Voice::Pad, 0.35, 0.2, 0.4, {}};
  for (int bar = 0; bar < kBars; ++bar) {
    const bool breakdown = bar >= 24 && bar < 28;
    const int root = ChordRoot(chords[bar], 33);
    for (int step = 0; step < 8; ++step) {
      if (breakdown && step % 4 != 0) continue;
      const int pitch = root + (step % 4 == 2 ? 12 : 0);
      bass.notes.push_back({bar * 4 + step * 0.5, breakdown ? 1.8 : 0.4, pitch, step % 2 == 0 ? 0.95 : 0.75});
    }
    Arpeggio(pluck, bar, chords[bar], 57, 0.25, {0, 1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 4, 3, 2, 1}, 0.8, 0.55);
    if (bar >= 16) AddChords(pad, bar, 4, {chords[bar]}, 57, 0.6);
  }

  const std::string_view tuneA =
      "a4 - c5 - e5 - d5 c5 c5 - - - a4 - - . g4 - c5 - e5 - g5 - f5 - e5 - d5 - - . "
      "e5 - - a5 - - g5 - f5 - e5 - c5 - a4 - g4 - - c5 e5 - d5 c5 d5 - - - b4 - - .";
  const std::string_view tuneB =
      "e5 e5 . e5 d5 c5 d5 e5 c5 - a4 - - . a4 c5 e5 e5 . e5 g5 e5 d5 c5 d5 - - - b4 - . . "
      "e5 e5 . e5 a5 g5 e5 d5 c5 - a4 - f5 - e5 - c5 - e5 - g5 - e5 c5 b4 - - - d5 - - .";
  Part lead{Voice::Lead, 0.5, 0.1, 0.3, {}};
  AddLine(lead, 8 * 4, 0.5, tuneA, 0.85);
  AddLine(lead, 16 * 4, 0.5, tuneB, 0.9);
  AddLine(lead, 28 * 4, 0.5, "a4 - - - c5 - - - b4 - - - d5 - - - e5 - - - g#5 - - - b5 - - - - - . .", 0.8);
  AddLine(lead, 32 * 4, 0.5, tuneA, 0.9);
  AddLine(lead, 40 * 4, 0.5, tuneB, 0.95);

  // The piano doubles the tune an octave down the second time round.
  Part keys{Voice::Keys, 0.35, -0.2, 0.3, {}};
  AddLine(keys, 32 * 4, 0.5, tuneA, 0.6, -12);
  AddLine(keys, 40 * 4, 0.5, tuneB, 0.6, -12);

  song.parts = {bass, pluck, pad, lead, keys};
  GameDrums(song, kBars);
  return song;
}

}  // namespace assetgen::music
