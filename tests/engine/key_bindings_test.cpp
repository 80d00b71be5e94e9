// Keys by name and actions that read their keys from an INI section: what a
// damaged line falls back to, and that no key ever drives two actions.

#include "quillon/key_bindings.h"

#include <gtest/gtest.h>

#include <quillon/profile.h>

#include "temp_folder.h"

namespace quillon::keys {
namespace {

constexpr int kLeft = 0xCB, kUp = 0xC8, kDown = 0xD0, kSpace = 0x39, kA = 0x1E, kW = 0x11;

// Three actions as a host lists them.
constexpr Binding kActions[] = {{"Walk", {kLeft, 0}}, {"Jump", {kUp, 0}}, {"Bomb", {kSpace, kDown}}};

class Bindings : public ::testing::Test {
 protected:
  void SetUp() override { profile::ClearCache(); }
  void TearDown() override { profile::ClearCache(); }
  std::vector<KeyPair> Read(const std::string& text) {
    WriteBytes(file_, text);
    profile::ClearCache();
    problems_.clear();
    return ReadBindings(file_, "controls", kActions, problems_);
  }

  TempFolder folder_;
  std::filesystem::path file_ = folder_ / "options.ini";
  std::vector<std::string> problems_;
};

TEST_F(Bindings, AFileWithoutTheSectionGivesTheDefaults) {
  EXPECT_EQ(Read("[main]\nSound_On=True\n"), (std::vector<KeyPair>{{kLeft, 0}, {kUp, 0}, {kSpace, kDown}}));
  EXPECT_TRUE(problems_.empty());
}

TEST_F(Bindings, DamagedLinesFallBackToTheirDefaultsWithALineEach) {
  const auto keys = Read(
      "[controls]\n"
      "Walk=A\n"
      "Jump=W, Up, Space\n"  // three keys
      "Bomb=A, X\n");        // Walk's key
  EXPECT_EQ(keys, (std::vector<KeyPair>{{kA, 0}, {kUp, 0}, {kSpace, kDown}}));
  ASSERT_EQ(problems_.size(), 2u);
  EXPECT_NE(
      problems_[0].find("Error in options [controls] Jump=W, Up, Space : an action takes at most two keys"),
      std::string::npos)
      << problems_[0];
  EXPECT_NE(problems_[1].find("A is already the key of Walk; Bomb keeps its default keys (Space, Down)"),
            std::string::npos)
      << problems_[1];

  for (const char* line : {"Walk=Nowhere", "Walk=LWin", "Walk=A,", "Walk=,"}) {
    SCOPED_TRACE(line);
    EXPECT_EQ(Read(std::string("[controls]\n") + line + "\n")[0], (KeyPair{kLeft, 0}));
    EXPECT_EQ(problems_.size(), 1u);
  }
}

TEST_F(Bindings, ADefaultKeyAnEarlierActionTookIsLeftOut) {
  // Hand-edited: Space walks, and Bomb has no line of its own.
  const auto keys = Read("[controls]\nWalk=Space\nJump=Down\n");
  EXPECT_EQ(keys, (std::vector<KeyPair>{{kSpace, 0}, {kDown, 0}, {0, 0}}));
  ASSERT_EQ(problems_.size(), 1u);
  EXPECT_NE(problems_[0].find("Bomb lost a default key to another action and keeps (none)"),
            std::string::npos)
      << problems_[0];
  for (std::size_t a = 0; a < keys.size(); ++a) {
    for (int code : keys[a]) {
      if (code != 0) {
        EXPECT_EQ(HolderOf(keys, code, a), std::nullopt) << NameOfCode(code);
      }
    }
  }
}

TEST_F(Bindings, WrittenKeysReadBackAndTheRestOfTheFileStays) {
  WriteBytes(file_, "[main]\nSound_On=False\n");
  const std::vector<KeyPair> keys = {{kA, kLeft}, {kW, kSpace}, {kDown, 0}};
  WriteBindings(file_, "controls", kActions, keys);
  profile::Flush();
  const std::string text = ReadBytes(file_);
  EXPECT_NE(text.find("Sound_On=False"), std::string::npos);
  EXPECT_NE(text.find("Jump=W, Space"), std::string::npos) << text;
  EXPECT_EQ(Read(text), keys);
  EXPECT_TRUE(problems_.empty());
}

TEST(KeyNames, NamesAndCodesAgreeBothWays) {
  for (int code = 1; code < 256; ++code) {
    const std::string name = NameOfCode(code);
    if (!name.empty()) {
      EXPECT_EQ(CodeOfName(name), code) << name;
    }
  }
  EXPECT_EQ(CodeOfName("left"), kLeft);
  EXPECT_EQ(CodeOfName(" Return "), 0x1C);
  EXPECT_EQ(CodeOfName("7"), 0x08);
  EXPECT_EQ(CodeOfName(""), std::nullopt);
  EXPECT_EQ(CodeOfName("Ctrl+Esc"), std::nullopt);
  std::string error;
  EXPECT_EQ(Parse(" space ,DOWN, Space", error), (KeyPair{kSpace, kDown}));
  EXPECT_FALSE(Parse("RWin", error));
  EXPECT_EQ(error, "RWin is kept by the keyboard lock");
  EXPECT_FALSE(CanBeBound(0));
  EXPECT_TRUE(CanBeBound(0x0F));  // Tab alone; Alt+Tab is no key at all
}

}  // namespace
}  // namespace quillon::keys
