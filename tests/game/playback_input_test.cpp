// The key texts of a playback, read once when it starts: the same texts a
// lookup of each frame's keys in the file gives, and a file changed between
// two playbacks plays as it stands when the second one starts.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <quillon/numbers.h>
#include <quillon/profile.h>

#include "../engine/temp_folder.h"
#include "headless/runner.h"
#include "sim/playback_input.h"
#include "sim/replay.h"

namespace pebblerun {
namespace {

// Keys as a hand-edited or damaged file may hold them.
constexpr const char* kIngame =
    "[ingame]\r\n"
    "1_keyleft=True\r\n"
    "3_KEYLEFT=False\r\n"
    "4_keyRight = \"True\" \r\n"
    "  6_keyup=True\r\n"
    "7_keydown='True'\r\n"
    "8_keyleft=maybe\r\n"
    "9_keyright=False\r\n"
    "9_keyright=True\r\n"  // a repeated key: the first one counts
    "010_keyup=True\r\n"   // never written so: no frame reads it
    "11_keyup\r\n"
    "12_=True\r\n"
    "_keydown=True\r\n"
    "13_keyjump=True\r\n"
    "9999999_keyleft=True\r\n"
    "1E+07_keyup=True\r\n"
    "[options]\r\n14_keyup=True\r\n";

TEST(PlaybackInput, GivesWhatALookupOfEachFramesKeysGives) {
  TempFolder folder;
  WriteBytes(folder.Path() / "replay.ini", kIngame);
  quillon::profile::ClearCache();
  auto g = std::make_unique<GameState>();
  g->AppFolder = folder.Path().string();
  g->Replay.ReplayFile = "replay.ini";
  const auto input = PlaybackInput::Read(folder.Path() / "replay.ini");

  std::vector<Single> frames;
  for (int f = 0; f <= 16; ++f) frames.push_back(static_cast<Single>(f));
  frames.insert(frames.end(), {9999999.0f, 1e7f, 1e7f + 1, 0.5f, -1.0f});
  for (const Single f : frames) {
    const auto texts = input->At(f);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(std::string(texts[i]), ReplayRead(*g, kRecordedFlagNames[i], "ingame", f))
          << kRecordedFlagNames[i] << " of frame " << quillon::vb::FormatSingle(f);
    }
  }
  EXPECT_EQ(input->At(4)[3], "True");
  EXPECT_EQ(input->At(1e7f)[0], "True");
}

class PlaybackOfAChangedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    const char* source = std::getenv("PEBBLERUN_SOURCE_DIR");
    ASSERT_TRUE(source);
    std::filesystem::create_directories(folder_.Path() / "textures");
    for (const char* name : {"lvl1.bmp", "lvl2.bmp"})
      std::filesystem::copy_file(std::filesystem::path(source) / "data" / "textures" / name,
                                 folder_.Path() / "textures" / name);
  }
  SimOptions Options() const {
    SimOptions o;
    o.AppDir = folder_.Path().string();
    return o;
  }
  // A random-key game recorded to file.
  void Record(std::uint32_t seed, const std::filesystem::path& file) {
    SimOptions o = Options();
    o.Player = SimPlayerKind::Random;
    o.Seed = seed;
    o.MaxFrames = 1500;
    o.RecordFile = file.string();
    RunSimulation(o);
    quillon::profile::Flush();
  }
  std::vector<std::string> Play(const std::filesystem::path& file) {
    SimOptions o = Options();
    o.Player = SimPlayerKind::Replay;
    o.ReplayFile = file.string();
    std::vector<std::string> rows;
    RunSimulation(o, [&](const std::string& row) { rows.push_back(row); });
    return rows;
  }
  TempFolder folder_;
};

TEST_F(PlaybackOfAChangedFile, PlaysTheFileAsItStandsWhenThePlaybackStarts) {
  const auto a = folder_.Path() / "a.ini", b = folder_.Path() / "b.ini";
  const auto played = folder_.Path() / "played.ini";
  Record(5, a);
  Record(11, b);
  const auto fromA = Play(a);
  const auto fromB = Play(b);
  ASSERT_NE(fromA, fromB);

  // Another program puts one game, then the other, under the same name.
  WriteBytes(played, ReadBytes(a));
  EXPECT_EQ(Play(played), fromA);
  WriteBytes(played, ReadBytes(b));
  EXPECT_EQ(Play(played), fromB);
  WriteBytes(played, ReadBytes(a));
  EXPECT_EQ(Play(played), fromA);
}

}  // namespace
}  // namespace pebblerun
