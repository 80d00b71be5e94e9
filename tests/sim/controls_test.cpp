// Key bindings: the "controls" section of the options file, what a damaged
// line falls back to, and the key state the game's keyboard handler reads
// when the player's keys are not the game's own.

#include "sim/controls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include <quillon/profile.h>

#include "sim/game_keys.h"
#include "sim/key_names.h"
#include "sim/scan_codes.h"

namespace pebblerun {
namespace {

class OptionsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    quillon::profile::ClearCache();
    dir_ = std::filesystem::temp_directory_path() /
           ("pebblerun-controls-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir_);
    file_ = dir_ / "options.bmp";
  }
  void TearDown() override {
    quillon::profile::ClearCache();
    std::filesystem::remove_all(dir_);
  }
  void Write(const std::string& text) { std::ofstream(file_, std::ios::binary) << text; }

  std::filesystem::path dir_, file_;
};

TEST_F(OptionsFile, WithoutTheSectionTheGameKeepsItsOwnKeys) {
  Write("[main]\nSound_On=True\n");
  std::vector<std::string> problems;
  const ControlBindings read = ReadBindings(file_, problems);
  EXPECT_EQ(read, DefaultBindings());
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(FormatActionKeys(read[GameAction::Bomb]), "Space, Down");
  EXPECT_EQ(FormatActionKeys(read[GameAction::Back]), "Escape");
}

TEST_F(OptionsFile, WrittenBindingsReadBackAndKeepTheOtherSections) {
  Write("[main]\nSound_On=False\n");
  ControlBindings b = DefaultBindings();
  b[GameAction::WalkLeft] = {scan::A, scan::Left};
  b[GameAction::WalkRight] = {scan::D, 0};
  b[GameAction::Jump] = {scan::W, scan::Space};
  b[GameAction::Bomb] = {scan::S, 0};
  WriteBindings(file_, b);
  quillon::profile::Flush();
  quillon::profile::ClearCache();
  std::vector<std::string> problems;
  EXPECT_EQ(ReadBindings(file_, problems), b);
  EXPECT_TRUE(problems.empty());
  std::ifstream in(file_);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Sound_On=False"), std::string::npos);
  EXPECT_NE(text.find("Jump=W, Space"), std::string::npos) << text;
}

TEST_F(OptionsFile, DamagedLinesFallBackToTheirActionsDefaultsWithALogLineEach) {
  Write(
      "[controls]\n"
      "WalkLeft=A\n"
      "WalkRight=Nowhere\n"       // no such key
      "Jump=W, Up, Space\n"       // three keys
      "Bomb=LWin\n"               // swallowed by the keyboard lock
      "Pause=A\n"                 // WalkLeft's key
      "Back=  escape ,  ESC  \n"  // fine: spelling and repeats do not matter
  );
  std::vector<std::string> problems;
  const ControlBindings b = ReadBindings(file_, problems);
  EXPECT_EQ(b[GameAction::WalkLeft], (ActionKeys{scan::A, 0}));
  EXPECT_EQ(b[GameAction::WalkRight], InfoOf(GameAction::WalkRight).Defaults);
  EXPECT_EQ(b[GameAction::Jump], InfoOf(GameAction::Jump).Defaults);
  EXPECT_EQ(b[GameAction::Bomb], InfoOf(GameAction::Bomb).Defaults);
  EXPECT_EQ(b[GameAction::Pause], InfoOf(GameAction::Pause).Defaults);
  EXPECT_EQ(b[GameAction::Back], (ActionKeys{scan::Escape, 0}));
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_NE(problems[0].find("WalkRight=Nowhere"), std::string::npos) << problems[0];
  EXPECT_NE(problems[0].find("\"Nowhere\" is not a key"), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("Jump"), std::string::npos);
  EXPECT_NE(problems[1].find("at most two keys"), std::string::npos);
  EXPECT_NE(problems[2].find("LWin"), std::string::npos);
  EXPECT_NE(problems[3].find("A is already the key of WalkLeft"), std::string::npos) << problems[3];
  EXPECT_NE(problems[3].find("keeps its default keys (P)"), std::string::npos) << problems[3];
}

TEST_F(OptionsFile, ADefaultKeyTakenByAnEarlierActionIsLeftOut) {
  // Hand-edited: Space walks left, and Bomb has no line of its own.
  Write("[controls]\nWalkLeft=Space\nWalkRight=Space,Right\n");
  std::vector<std::string> problems;
  const ControlBindings b = ReadBindings(file_, problems);
  EXPECT_EQ(b[GameAction::WalkLeft], (ActionKeys{scan::Space, 0}));
  EXPECT_EQ(b[GameAction::WalkRight], (ActionKeys{scan::Right, 0}));
  EXPECT_EQ(b[GameAction::Bomb], (ActionKeys{scan::Down, 0}));
  // No key of one action belongs to another.
  for (const auto& info : GameActions()) {
    for (int code : b[info.Action]) {
      if (code != 0) {
        EXPECT_EQ(ActionHoldingKey(b, code, info.Action), std::nullopt) << KeyNameOfCode(code);
      }
    }
  }
  EXPECT_EQ(problems.size(), 2u);
}

TEST(KeyNames, NamesAndCodesAgreeBothWays) {
  for (int code = 1; code < 256; ++code) {
    const std::string name = KeyNameOfCode(code);
    if (!name.empty()) {
      EXPECT_EQ(KeyCodeOfName(name), code) << name;
    }
  }
  EXPECT_EQ(KeyCodeOfName("left"), scan::Left);
  EXPECT_EQ(KeyCodeOfName(" Return "), scan::Enter);
  EXPECT_EQ(KeyCodeOfName("7"), 8);
  EXPECT_EQ(KeyCodeOfName(""), std::nullopt);
  EXPECT_EQ(KeyCodeOfName("Ctrl+Esc"), std::nullopt);
  std::string error;
  EXPECT_FALSE(ParseActionKeys("Space,", error));
  EXPECT_FALSE(ParseActionKeys("RWin", error));
  EXPECT_FALSE(KeyCanBeBound(0));
  EXPECT_TRUE(KeyCanBeBound(scan::Tab));
}

class PlayKeysTest : public ::testing::Test {
 protected:
  KeyStates Held(std::initializer_list<int> codes) {
    KeyStates keys{};
    for (int code : codes) keys[static_cast<std::size_t>(code)] = scan::kDown;
    return keys;
  }
  // One frame of the game's keyboard handler on what the player holds.
  void Play(std::initializer_list<int> codes) {
    g_->Input.Keys = PlayKeys(b_, Held(codes));
    GameKeys(*g_);
  }
  ControlBindings b_ = DefaultBindings();
  std::unique_ptr<GameState> g_ = std::make_unique<GameState>();
};

TEST_F(PlayKeysTest, TheGamesOwnKeysPassAsTheyAre) {
  for (int code :
       {scan::Left, scan::Right, scan::Up, scan::Space, scan::P, scan::Escape, scan::Tab, scan::S}) {
    EXPECT_EQ(PlayKeys(b_, Held({code})), Held({code})) << KeyNameOfCode(code);
  }
  // Down is the bomb's second key: it reaches the handler as the bomb.
  EXPECT_EQ(PlayKeys(b_, Held({scan::Down})), Held({scan::Space}));
}

TEST_F(PlayKeysTest, SwappedKeysFireOnlyTheirNewAction) {
  b_[GameAction::Jump] = {scan::Space, 0};
  b_[GameAction::Bomb] = {scan::Up, 0};
  g_->Bonus.BombCount = 5;
  Play({scan::Space});
  EXPECT_TRUE(g_->Input.JumpRequest);
  EXPECT_FALSE(g_->Input.BombHeld);  // no bomb went off
  EXPECT_EQ(g_->Bonus.BombCount, 5);
  Play({});
  g_->Input.JumpRequest = false;
  Play({scan::Up});
  EXPECT_FALSE(g_->Input.JumpRequest);
  EXPECT_TRUE(g_->Input.BombHeld);
  // The old keys do nothing now.
  EXPECT_EQ(PlayKeys(b_, Held({scan::Down})), Held({}));
}

TEST_F(PlayKeysTest, ABoundLetterDoesNotAlsoWorkItsDebugKey) {
  b_[GameAction::Jump] = {scan::W, 0};
  b_[GameAction::WalkLeft] = {scan::A, 0};
  g_->Input.DebugWindowVisible = true;
  g_->Hero.Weight = 4;
  g_->World.ScrollY = 0;
  g_->LevelSpecs[1].ScreenSpeed = 50;  // A would scroll the view
  Play({scan::W, scan::A});
  EXPECT_TRUE(g_->Input.JumpRequest);
  EXPECT_TRUE(g_->Input.MoveLeft);
  EXPECT_EQ(g_->Hero.Weight, 4);       // W's weight cheat stayed off
  EXPECT_EQ(g_->World.ScrollY, 0.0f);  // and A's scrolling
  // A key nobody bound still reaches its own use.
  Play({scan::E});
  EXPECT_EQ(g_->Hero.Weight, 5);
}

}  // namespace
}  // namespace pebblerun
