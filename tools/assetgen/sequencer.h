#pragma once
// A small sequencer: songs are parts of notes on a beat grid, written with a
// compact step notation, and rendered as a seamless loop.

#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen::music {

enum class Voice {
  Pad,
  Keys,
  Bass,
  SynthBass,
  SoftLead,
  Lead,
  Pluck,
  Kick,
  Snare,
  Rim,
  ClosedHat,
  OpenHat,
  Shaker
};

struct Note {
  double beat;   // start, in beats from the top of the song
  double beats;  // how long the note is held
  int pitch;     // MIDI note number (drums ignore it)
  double velocity;
};

struct Part {
  Voice voice;
  double gain = 1.0;
  double pan = 0.0;     // -1 left .. 1 right
  double reverb = 0.0;  // send level into the shared room
  std::vector<Note> notes;
};

struct Song {
  double bpm = 120;
  int beatsPerBar = 4;
  int bars = 1;
  std::vector<Part> parts;
};

// "c4" = 60, "f#3", "bb2"; throws std::invalid_argument on anything else.
int ParsePitch(std::string_view name);

// Close-voiced chord from a symbol such as "Am", "Dmaj7", "G7", "Esus4", "Bm7",
// "C6", "Fadd9": every tone at or above `floor`, lowest first.
std::vector<int> ChordNotes(std::string_view symbol, int floor);
// The chord's root, at or above `floor`.
int ChordRoot(std::string_view symbol, int floor);

// Writes a line of steps starting at `beat`: each space-separated token is one
// step of `stepBeats` — a pitch ("e5"), "-" to hold the previous note one step
// longer, or "." for a rest. `transpose` shifts every pitch in semitones.
void AddLine(Part& part, double beat, double stepBeats, std::string_view steps, double velocity,
             int transpose = 0);

// Writes a drum pattern once at `beat`: one character per step of `stepBeats`,
// 'X' accent, 'x' normal, 'o' ghost, anything else a rest.
void AddHits(Part& part, double beat, double stepBeats, std::string_view pattern, double velocity = 0.9);

// One chord per bar, from `firstBar`, each held for the whole bar.
void AddChords(Part& part, int firstBar, int beatsPerBar, const std::vector<std::string_view>& symbols,
               int floor, double velocity);

// Renders the song into interleaved stereo at `rate` whose length is exactly
// `loopFrames`. Whatever rings past the end (note tails, the room) continues
// at the beginning, so playing the result back to back has no seam.
std::vector<float> RenderLoop(const Song& song, int rate, long loopFrames);

}  // namespace assetgen::music
