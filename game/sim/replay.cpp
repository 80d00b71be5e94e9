#include "sim/replay.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include <quillon/numbers.h>
#include <quillon/paths.h>
#include <quillon/profile.h>

#include "sim/game_ini.h"
#include "sim/game_keys.h"
#include "sim/playback_input.h"

namespace pebblerun {
namespace {

namespace vb = quillon::vb;

constexpr const char* kDefaultReplay = "replay.ini";

std::filesystem::path RecordPath(const GameState& g) {
  const auto& name = g.Policy.RecordFile;
  return GameFile(g, name.empty() ? kDefaultReplay : name);
}

// One recorded input flag: the flag, the value last written and its key name.
void RecordFlag(GameState& g, bool flag, bool& recorded, const char* name) {
  if (flag == recorded) return;
  ReplayWrite(g, name, vb::FormatBool(flag), "ingame");
  recorded = flag;
}

// Keeps the text read for frame f when f lies within this playback's bounds.
void KeepPlaybackText(GameState& g, int which, Single frame, std::string_view text) {
  const auto index = vb::CLng(frame);
  if (!index || *index < 0 || *index > g.PlaybackKeysBound) return;
  auto& texts = g.Replay.PlaybackKeys[which];
  if (static_cast<std::size_t>(*index) >= texts.size()) texts.resize(*index + 1);
  texts[*index] = text;
}

void ApplyWalkText(std::string_view text, bool& recorded, bool& move) {
  if (text == "True") recorded = true;
  if (text == "False") recorded = false;
  move = recorded;
}

}  // namespace

void ReplayWrite(GameState& g, const std::string& key, const std::string& value, const std::string& section) {
  const std::string fullKey = section == "ingame" ? vb::FormatSingle(g.Replay.ReplayFrame) + "_" + key : key;
  WriteIni(section, fullKey, value, RecordPath(g));
}

std::string ReplayRead(GameState& g, const std::string& key, const std::string& section, Single frame) {
  const std::string fullKey = section == "ingame" ? vb::FormatSingle(frame) + "_" + key : key;
  return ReadIni(section, fullKey, PlaybackText(g));
}

const IniText& PlaybackText(GameState& g) {
  auto& r = g.Replay;
  if (r.ReplayFile.empty()) r.ReplayFile = kDefaultReplay;
  if (!r.Playback) r.Playback = std::make_shared<const IniText>(LoadIni(PlaybackPath(g)).value_or(IniText()));
  return *r.Playback;
}

std::filesystem::path PlaybackPath(const GameState& g) {
  return GameFile(g, g.Replay.ReplayFile.empty() ? kDefaultReplay : g.Replay.ReplayFile);
}

std::filesystem::path LocateReplay(const std::string& name, const std::filesystem::path& appFolder) {
  std::error_code error;
  const std::filesystem::path asGiven(name);
  if (asGiven.is_absolute()) return asGiven;
  const auto here = std::filesystem::absolute(asGiven, error);
  if (!error && std::filesystem::exists(here, error)) return here;
  // In a shared folder the player's own recording is in their data folder.
  const auto inApp = quillon::paths::ForReading(name, appFolder);
  return std::filesystem::exists(inApp, error) ? inApp : here;
}

std::string ReplayFileProblem(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return "there is no replay file \"" + path.string() + "\"";
  if (!std::filesystem::is_regular_file(status)) return "\"" + path.string() + "\" is not a replay file";
  if (!std::ifstream(path, std::ios::binary))
    return "the replay file \"" + path.string() + "\" cannot be read";
  return "";
}

void ReadRecordedInput(GameState& g) { g.Replay.RecordedInput = PlaybackInput::Read(PlaybackText(g)); }

bool ReplayFileExists(const GameState& g, const std::string& name) {
  std::error_code error;
  if (std::filesystem::exists(quillon::paths::ForReading(GameFile(g, name)), error)) return true;
  const auto here = std::filesystem::current_path(error);
  return !error && std::filesystem::exists(quillon::paths::Resolve(name, here), error);
}

void RecordChanges(GameState& g) {
  auto& in = g.Input;
  auto& r = g.Replay;
  RecordFlag(g, in.UpHeld, r.RecordedUp, "keyup");
  RecordFlag(g, in.BombHeld, r.RecordedBomb, "keydown");
  RecordFlag(g, in.MoveLeft, r.RecordedLeft, "keyleft");
  RecordFlag(g, in.MoveRight, r.RecordedRight, "keyright");
}

void PlayChanges(GameState& g) {
  auto& r = g.Replay;
  auto& in = g.Input;
  const Single f = r.ReplayFrame;
  // Read once per playback (its first frame loads it with the map).
  if (!r.RecordedInput) ReadRecordedInput(g);
  const auto [up, bomb, left, right] = r.RecordedInput->At(f);
  KeepPlaybackText(g, 0, f, up);
  KeepPlaybackText(g, 1, f, bomb);
  KeepPlaybackText(g, 2, f, left);
  KeepPlaybackText(g, 3, f, right);

  if (f >= r.ReplayLastFrame) g.GameOver = true;
  if (up == "True") in.JumpRequest = true;
  if (bomb == "True") {
    in.BombRequest = true;
    // The recorded game set its bomb off in this very frame, before the
    // simulation ran; waiting for the next keyboard pass would set it off one
    // frame later, at another place, and the playback would part from the
    // recording.
    if (!g.GameOver && !g.GamePaused) FireBomb(g);
  }
  ApplyWalkText(left, r.RecordedLeft, in.MoveLeft);
  ApplyWalkText(right, r.RecordedRight, in.MoveRight);
}

void ReplayStep(GameState& g) {
  auto& r = g.Replay;
  if (r.RecordingReplay) RecordChanges(g);
  if (r.ReplayFrame == 0 && r.RecordingReplay) {
    // Changes still held for the old file must not come back into the new one.
    quillon::profile::Flush();
    // A shared copy (an installed game's folder) must not show through the
    // new recording either.
    std::error_code error;
    quillon::paths::RemoveForUser(RecordPath(g), error);
    SaveReplayMap(g);
  }
  if (r.ReplayFrame == 0 && r.PlayingReplay) LoadReplayMap(g);
  if (r.PlayingReplay && !r.RecordingReplay) PlayChanges(g);
  r.ReplayFrame += 1;
}

}  // namespace pebblerun
