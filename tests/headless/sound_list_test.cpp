// The sounds the simulation starts and stops in one fixed recorded game —
// which sound, in which frame, with which loop flag, volume, pan and pitch —
// against the list made once from it and read through by a person.
//
// The game: fixtures/sounds_game.ini, an arcade game of the random player
// with seed 3 on the fixed tuning of tests/sim/fixtures/tuning, recorded with
//   mkdir -p DIR/textures && cp tests/sim/fixtures/tuning/lvl*.bmp DIR/textures/
//   build/tools/pebblerun-sim/pebblerun-sim --app-dir DIR --mode arcade --random 3
//       --record tests/headless/fixtures/sounds_game.ini
// The list: fixtures/sounds_game.txt (both under tests/headless). After an
// intended change of the game's sounds, write it again with
//   PEBBLERUN_SOURCE_DIR=$PWD PEBBLERUN_WRITE_SOUND_LIST=1
//       build/tests/headless/headless_tests --gtest_filter='SoundList.*'
// (each a single command line), then read the differences (git diff) before committing them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <quillon/profile.h>

#include "app_folders.h"
#include "headless/runner.h"
#include "sim/game_events.h"
#include "sim/game_frame.h"
#include "temp_folder.h"

namespace pebblerun {
namespace {

// One line per call: "FRAME play NAME [loop] volume=V pan=P frequency=F" or
// "FRAME stop NAME"; FRAME counts the game's passes from 0.
class SoundList : public GameEvents {
 public:
  void PlaySound(const std::string& name, bool loop, std::int32_t volume, std::int32_t pan,
                 std::int32_t frequency) override {
    out << frame << " play " << name << (loop ? " loop" : "") << " volume=" << volume << " pan=" << pan
        << " frequency=" << frequency << '\n';
  }
  void StopSound(const std::string& name) override { out << frame << " stop " << name << '\n'; }
  long frame = 0;
  std::ostringstream out;
};

TEST(SoundList, AFixedRecordedGameStartsTheListedSounds) {
  const std::filesystem::path fixtures = support::SourceFolder() / "tests" / "headless" / "fixtures";
  const std::filesystem::path tuning = support::SourceFolder() / "tests" / "sim" / "fixtures" / "tuning";
  quillon::profile::ClearCache();
  TempFolder folder;
  std::filesystem::create_directories(folder / "textures");
  for (const char* name : {"lvl1.bmp", "lvl2.bmp"})
    std::filesystem::copy_file(tuning / name, folder / "textures" / name);

  SimOptions o;
  o.AppDir = folder.Path().string();
  o.Story = false;
  o.Player = SimPlayerKind::Replay;
  o.ReplayFile = (fixtures / "sounds_game.ini").string();
  auto g = StartSimGame(o);
  SoundList sounds;
  g->Events = &sounds;
  g->SoundOn = true;
  while (g->InGame && sounds.frame < 100000) {
    RunGameFrame(*g, {});
    ++sounds.frame;
  }
  ASSERT_FALSE(g->InGame);

  const auto listFile = fixtures / "sounds_game.txt";
  if (std::getenv("PEBBLERUN_WRITE_SOUND_LIST") != nullptr) {
    std::ofstream(listFile, std::ios::binary) << sounds.out.str();
    GTEST_SKIP() << "wrote " << listFile;
  }
  std::ifstream in(listFile, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << listFile;
  std::stringstream expected;
  expected << in.rdbuf();
  // Line by line, so that a difference names its frame.
  std::istringstream want(expected.str()), got(sounds.out.str());
  std::string a, b;
  for (int line = 1; std::getline(want, a); ++line) {
    ASSERT_TRUE(std::getline(got, b)) << "the game ends before line " << line << ": " << a;
    ASSERT_EQ(b, a) << "line " << line;
  }
  EXPECT_FALSE(std::getline(got, b)) << "more sounds than listed, from: " << b;
}

}  // namespace
}  // namespace pebblerun
