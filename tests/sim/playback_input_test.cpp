// The key texts of a playback, read once when it starts: the same texts a
// lookup of each frame's keys in the file gives.

#include "sim/playback_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <quillon/numbers.h>
#include <quillon/profile.h>

#include "sim/replay.h"
#include "temp_folder.h"

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
  const auto input = PlaybackInput::Read(PlaybackText(*g));

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

}  // namespace
}  // namespace pebblerun
