#include "sequencer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

#include "instruments.h"
#include "synth.h"

namespace assetgen::music {

int ParsePitch(std::string_view name) {
  static constexpr std::array<int, 7> kSteps = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  if (name.size() < 2 || name[0] < 'a' || name[0] > 'g')
    throw std::invalid_argument("bad pitch " + std::string(name));
  int pitch = kSteps[name[0] - 'a'];
  size_t i = 1;
  if (name[i] == '#')
    ++pitch, ++i;
  else if (name[i] == 'b' && i + 1 < name.size())
    --pitch, ++i;
  if (i + 1 != name.size() || name[i] < '0' || name[i] > '8')
    throw std::invalid_argument("bad pitch " + std::string(name));
  return pitch + 12 * (name[i] - '0' + 1);
}

namespace {

// Pitch class of the chord's root and the length of its name in the symbol.
std::pair<int, size_t> ParseRoot(std::string_view symbol) {
  if (symbol.empty() || symbol[0] < 'A' || symbol[0] > 'G')
    throw std::invalid_argument("bad chord " + std::string(symbol));
  std::string name(1, static_cast<char>(symbol[0] - 'A' + 'a'));
  size_t i = 1;
  if (i < symbol.size() && (symbol[i] == '#' || symbol[i] == 'b')) name += symbol[i++];
  return {ParsePitch(name + "4") % 12, i};
}

int AtOrAbove(int pitchClass, int floor) { return floor + ((pitchClass - floor) % 12 + 12) % 12; }

}  // namespace

int ChordRoot(std::string_view symbol, int floor) { return AtOrAbove(ParseRoot(symbol).first, floor); }

std::vector<int> ChordNotes(std::string_view symbol, int floor) {
  const auto [root, i] = ParseRoot(symbol);
  static const std::map<std::string_view, std::vector<int>> kQualities = {
      {"", {0, 4, 7}},         {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},    {"m7", {0, 3, 7, 10}},
      {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}},       {"sus2", {0, 2, 7}},     {"6", {0, 4, 7, 9}},
      {"add9", {0, 4, 7, 14}}, {"m9", {0, 3, 7, 10, 14}}, {"madd9", {0, 3, 7, 14}}};
  const auto quality = kQualities.find(symbol.substr(i));
  if (quality == kQualities.end()) throw std::invalid_argument("bad chord " + std::string(symbol));
  // Each chord tone is placed at the first octave at or above the floor, which
  // keeps the voicing close and the voice leading smooth from chord to chord.
  std::vector<int> notes;
  for (int interval : quality->second)
    notes.push_back(AtOrAbove(root + interval, floor) + (interval >= 12 ? 12 : 0));
  std::sort(notes.begin(), notes.end());
  return notes;
}

void AddLine(Part& part, double beat, double stepBeats, std::string_view steps, double velocity,
             int transpose) {
  Note* last = nullptr;
  size_t pos = 0;
  while (pos < steps.size()) {
    const size_t end = std::min(steps.find(' ', pos), steps.size());
    const std::string_view token = steps.substr(pos, end - pos);
    pos = end + 1;
    if (token.empty()) continue;
    if (token == "-") {
      if (last) last->beats += stepBeats;
    } else if (token == ".") {
      last = nullptr;
    } else {
      part.notes.push_back({beat, stepBeats, ParsePitch(token) + transpose, velocity});
      last = &part.notes.back();
    }
    beat += stepBeats;
  }
}

void AddHits(Part& part, double beat, double stepBeats, std::string_view pattern, double velocity) {
  for (char c : pattern) {
    const double level = c == 'X' ? 1.0 : c == 'x' ? 0.8 : c == 'o' ? 0.45 : 0.0;
    if (level > 0) part.notes.push_back({beat, stepBeats, 0, velocity * level});
    beat += stepBeats;
  }
}

void AddChords(Part& part, int firstBar, int beatsPerBar, const std::vector<std::string_view>& symbols,
               int floor, double velocity) {
  for (size_t bar = 0; bar < symbols.size(); ++bar)
    for (int pitch : ChordNotes(symbols[bar], floor))
      part.notes.push_back({static_cast<double>((firstBar + static_cast<int>(bar)) * beatsPerBar),
                            static_cast<double>(beatsPerBar), pitch, velocity});
}

namespace {

// A plain room: parallel damped combs into series allpasses, with different
// lengths on the two sides for width.
class Room {
 public:
  Room(int rate, int side) {
    static constexpr int kCombs[4] = {1557, 1617, 1491, 1422};
    static constexpr int kAllpasses[2] = {556, 441};
    const double scale = rate / 44100.0;
    for (int i = 0; i < 4; ++i)
      combs_[i].line.assign(static_cast<size_t>((kCombs[i] + 23 * side) * scale), 0.0f);
    for (int i = 0; i < 2; ++i)
      allpasses_[i].line.assign(static_cast<size_t>((kAllpasses[i] + 23 * side) * scale), 0.0f);
  }

  float Process(float x) {
    float sum = 0.0f;
    for (Comb& c : combs_) {
      const float y = c.line[c.pos];
      c.store = y * 0.75f + c.store * 0.25f;  // damping: highs die first
      c.line[c.pos] = x + c.store * 0.82f;
      c.pos = (c.pos + 1) % c.line.size();
      sum += y;
    }
    for (Comb& a : allpasses_) {
      const float y = a.line[a.pos];
      a.line[a.pos] = sum + y * 0.5f;
      a.pos = (a.pos + 1) % a.line.size();
      sum = y - sum;
    }
    return sum * 0.25f;
  }

 private:
  struct Comb {
    std::vector<float> line;
    size_t pos = 0;
    float store = 0.0f;
  };
  Comb combs_[4];
  Comb allpasses_[2];
};

// Adds `note` into the circular stereo buffer at `start`, wrapping at its end.
void AddWrapped(std::vector<float>& mix, long loopFrames, long start, const std::vector<float>& note,
                double left, double right) {
  long at = ((start % loopFrames) + loopFrames) % loopFrames;
  for (float s : note) {
    mix[2 * at] += static_cast<float>(s * left);
    mix[2 * at + 1] += static_cast<float>(s * right);
    if (++at == loopFrames) at = 0;
  }
}

// Runs the room over the send twice around the loop and keeps the second lap:
// by then the room holds the end of the song, exactly as when it loops.
void AddRoom(std::vector<float>& mix, const std::vector<float>& send, long loopFrames, int rate) {
  Room rooms[2] = {Room(rate, 0), Room(rate, 1)};
  for (int lap = 0; lap < 2; ++lap)
    for (long i = 0; i < loopFrames; ++i)
      for (int c = 0; c < 2; ++c) {
        const float wet = rooms[c].Process(send[2 * i + c]);
        if (lap == 1) mix[2 * i + c] += wet;
      }
}

}  // namespace

std::vector<float> RenderLoop(const Song& song, int rate, long loopFrames) {
  std::vector<float> mix(2 * loopFrames, 0.0f), send(2 * loopFrames, 0.0f);
  const double secondsPerBeat = 60.0 / song.bpm;
  std::map<Voice, std::vector<float>> drumHits;
  for (const Part& part : song.parts) {
    // Equal-power pan.
    const double angle = (part.pan + 1.0) * synth::kPi / 4.0;
    const double left = std::cos(angle) * part.gain, right = std::sin(angle) * part.gain;
    for (const Note& n : part.notes) {
      const long start = std::lround(n.beat * secondsPerBeat * rate);
      std::vector<float> sound;
      if (IsDrum(part.voice)) {
        auto cached = drumHits.find(part.voice);
        if (cached == drumHits.end())
          cached = drumHits.emplace(part.voice, RenderNote(part.voice, 0, 0, 1.0, rate)).first;
        sound = cached->second;
        for (float& s : sound) s = static_cast<float>(s * n.velocity);
      } else {
        sound = RenderNote(part.voice, synth::NoteHz(n.pitch), n.beats * secondsPerBeat, n.velocity, rate);
        synth::ApplyFades(sound, 1, 0, rate / 200);
      }
      AddWrapped(mix, loopFrames, start, sound, left, right);
      if (part.reverb > 0)
        AddWrapped(send, loopFrames, start, sound, left * part.reverb, right * part.reverb);
    }
  }
  AddRoom(mix, send, loopFrames, rate);
  return mix;
}

}  // namespace assetgen::music
