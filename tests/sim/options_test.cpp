// The options file and the played-games count: defaults, what the settings
// dialog leaves out, and what a save keeps.

#include "sim/options.h"

#include <gtest/gtest.h>

#include <quillon/profile.h>

#include "sim/tuning.h"
#include "sim_folder_fixture.h"

namespace pebblerun {
namespace {

class OptionsTest : public simtest::FolderTest {
 protected:
  void Options(std::string_view text) { WriteBytes(folder_ / "textures" / "options.bmp", text); }
  std::string OptionsText() {
    quillon::profile::ClearCache();  // writes are held briefly in memory
    return ReadBytes(folder_ / "textures" / "options.bmp");
  }
};

TEST_F(OptionsTest, MissingFileTakesDefaultsAndWritesThemBack) {
  LoadOptions(*g_);
  EXPECT_TRUE(g_->StoryMode);
  EXPECT_TRUE(g_->ArcadeLocked);
  EXPECT_TRUE(g_->SoundOn);
  EXPECT_TRUE(g_->DetailsHigh);
  EXPECT_FALSE(g_->FullScreen);
  EXPECT_FALSE(g_->StoryRead);
  EXPECT_EQ(g_->Menu.MenuScreen, "story");
  EXPECT_EQ(g_->Menu.MenuItem, 10);
  EXPECT_EQ(g_->DisplayWidth, 800);
  EXPECT_EQ(g_->GameAreaHeight, 480);
  const std::string text = OptionsText();
  for (const char* key : {"Details_High=True", "GameMode_Story=True", "Sound_On=True", "FULL_SCREEN=False",
                          "ArcadeLocked=True", "StoryReaden=False"}) {
    EXPECT_NE(text.find(key), std::string::npos) << key;
  }
}

TEST_F(OptionsTest, FromTheSettingsDialogGetTheMissingKeys) {
  Options("[main]\nFULL_SCREEN=true\nSound_On=False\nDetails_High=0\nStoryReaden=True\n");
  LoadOptions(*g_);
  EXPECT_TRUE(g_->FullScreen);
  EXPECT_TRUE(g_->FullScreenOption);
  EXPECT_FALSE(g_->SoundOn);
  EXPECT_FALSE(g_->DetailsHigh);
  EXPECT_TRUE(g_->StoryRead);
  EXPECT_TRUE(g_->StoryMode);
  EXPECT_TRUE(g_->ArcadeLocked);
  EXPECT_EQ(g_->Menu.MenuScreen, "");
  const std::string text = OptionsText();
  EXPECT_NE(text.find("FULL_SCREEN=true"), std::string::npos);  // kept as written
  EXPECT_NE(text.find("GameMode_Story=True"), std::string::npos);
  EXPECT_NE(text.find("ArcadeLocked=True"), std::string::npos);
}

TEST_F(OptionsTest, SaveWritesFiveKeysAndLeavesTheRest) {
  Options("[main]\nStoryReaden=True\nExtra=1\n");
  LoadOptions(*g_);
  g_->StoryMode = false;
  g_->ArcadeLocked = false;
  g_->FullScreenOption = true;
  SaveOptions(*g_);
  quillon::profile::ClearCache();
  auto again = std::make_unique<GameState>();
  again->AppFolder = g_->AppFolder;
  LoadOptions(*again);
  EXPECT_FALSE(again->StoryMode);
  EXPECT_FALSE(again->ArcadeLocked);
  EXPECT_TRUE(again->FullScreen);
  EXPECT_TRUE(again->StoryRead);
  EXPECT_NE(OptionsText().find("Extra=1"), std::string::npos);
}

TEST_F(OptionsTest, PlayedGamesLiveInTheUserSettings) {
  const auto file = UserSettingsFile();
  ASSERT_NE(std::getenv("XDG_CONFIG_HOME"), nullptr);
  EXPECT_EQ(file.parent_path().filename(), "Pebblerun");
  std::filesystem::remove(file);
  quillon::profile::ClearCache();
  EXPECT_EQ(ReadPlayedGames(), 0);
  WritePlayedGames(17);
  EXPECT_EQ(ReadPlayedGames(), 17);
  StartGame(*g_);
  EXPECT_EQ(g_->PlayedGames, 17);
  WriteBytes(file, "[Stats]\nNumber_Of_Played_Games=lots\n");
  quillon::profile::ClearCache();
  EXPECT_EQ(ReadPlayedGames(), 0);
}

}  // namespace
}  // namespace pebblerun
