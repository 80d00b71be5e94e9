// Shared (installed) application folders: reads fall back to the shared file,
// every write lands in the user's own folders, and a folder of the user's own
// is used exactly as before.

#include "quillon/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <map>

#include "app_folder_fixture.h"
#include "letter_table.h"
#include "quillon/extra.h"
#include "quillon/key_bindings.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace quillon;

namespace {

// Every file below folder with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    files[fs::relative(entry.path(), folder).string()] =
        entry.is_regular_file() ? ReadBytes(entry.path()) : "/";
  return files;
}

// A private home and XDG folders, so nothing reaches the real user's.
class UserFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
    unsetenv("XDG_PICTURES_DIR");
    fs::create_directories(app / "Textures");
    WriteBytes(app / "Textures" / "options.bmp", "[main]\r\nSound_On=True\r\nStoryReaden=False\r\n");
    WriteBytes(app / "replay1.ini", "[Map]\r\nseed=5\r\n");
  }
  void Share() const { WriteBytes(app / std::string(paths::kInstalledMark), "installed\n"); }

  TempFolder dir;
  fs::path home = dir / "home";
  fs::path app = dir / "app";
  fs::path data = dir / "data" / "Pebblerun";
  fs::path state = dir / "state" / "Pebblerun";
};

}  // namespace

TEST_F(UserFolders, AFolderOfTheUsersOwnIsReadAndWrittenInPlace) {
  const paths::DataFolders& folders = paths::FoldersOf(app);
  EXPECT_FALSE(folders.PerUser);
  for (const char* name : {"\\textures\\options.bmp", "log.txt", "Textures\\new.ini", "replay.ini"}) {
    const fs::path where = paths::Resolve(name, app);
    EXPECT_EQ(paths::ForReading(name, app), where) << name;
    EXPECT_EQ(paths::ForWriting(name, app), where) << name;
    EXPECT_EQ(paths::ForEditing(name, app), where) << name;
  }
  EXPECT_EQ(paths::ScreenshotFolder(app), app);
  EXPECT_EQ(paths::DescribeFolders(folders), "");  // nothing moved, nothing to log
  EXPECT_FALSE(fs::exists(dir / "data"));
  EXPECT_FALSE(fs::exists(dir / "state"));
}

TEST_F(UserFolders, AMarkedFolderIsSharedAndItsFilesMoveToTheUsersFolders) {
  Share();
  const auto before = Snapshot(app);
  const paths::DataFolders& folders = paths::FoldersOf(app);
  ASSERT_TRUE(folders.PerUser);
  EXPECT_EQ(folders.Data, data);
  EXPECT_EQ(folders.State, state);
  // The private home has no pictures folder set up: screenshots stay with the data.
  EXPECT_EQ(folders.Pictures, data);
  EXPECT_NE(paths::DescribeFolders(folders).find(data.string()), std::string::npos);

  // Reads: the shared file while the user has none, in any spelling.
  const fs::path shared = app / "Textures" / "options.bmp";
  EXPECT_EQ(paths::ForReading("\\TEXTURES\\Options.BMP", app), shared);
  EXPECT_EQ(paths::ForReading("replay1.ini", app), app / "replay1.ini");
  // A file in neither place reads from where it always would have.
  EXPECT_EQ(paths::ForReading("\\textures\\dot_black2.bmp", app), app / "Textures" / "dot_black2.bmp");

  // An edit starts from the shared file, in a folder spelled as the shared one.
  const fs::path mine = paths::ForEditing("\\textures\\options.bmp", app);
  EXPECT_EQ(mine, data / "Textures" / "options.bmp");
  EXPECT_EQ(ReadBytes(mine), ReadBytes(shared));
  WriteBytes(mine, "[main]\r\nSound_On=False\r\n");
  EXPECT_EQ(paths::ForReading("\\textures\\OPTIONS.bmp", app), mine);
  EXPECT_EQ(paths::ForEditing(shared), mine);  // already there: kept, not copied again
  EXPECT_EQ(ReadBytes(mine), "[main]\r\nSound_On=False\r\n");

  // A whole-file write does not copy; the log has a folder of its own.
  EXPECT_EQ(paths::ForWriting("replay1.ini", app), data / "replay1.ini");
  EXPECT_FALSE(fs::exists(data / "replay1.ini"));
  EXPECT_EQ(paths::ForWriting("LOG.TXT", app), state / "LOG.TXT");
  EXPECT_TRUE(fs::is_directory(state));
  // Absolute names inside the shared folder follow the same rule; others do not.
  EXPECT_EQ(paths::ForWriting(app.string() + "\\textures\\dot_white2.bmp", app),
            data / "Textures" / "dot_white2.bmp");
  EXPECT_EQ(paths::ForWriting(dir / "elsewhere.ini"), dir / "elsewhere.ini");
  // A folder the shared folder does not have is not made up for the user.
  EXPECT_EQ(paths::ForWriting("saves\\one.ini", app), data / "saves" / "one.ini");
  EXPECT_FALSE(fs::exists(data / "saves"));

  EXPECT_EQ(Snapshot(app), before);
}

TEST_F(UserFolders, AFolderWithoutWritePermissionIsSharedEvenForRoot) {
  ASSERT_EQ(::chmod(app.c_str(), 0555), 0);
  const bool shared = paths::FoldersOf(app).PerUser;
  ::chmod(app.c_str(), 0755);
  EXPECT_TRUE(shared);
  // A folder that does not exist belongs to nobody: nothing is redirected.
  EXPECT_FALSE(paths::FoldersOf(dir / "missing").PerUser);
  EXPECT_FALSE(paths::FoldersOf("").PerUser);
}

TEST_F(UserFolders, PicturesGoWhereTheDesktopKeepsThem) {
  Share();
  fs::create_directories(dir / "Pictures");
  setenv("XDG_PICTURES_DIR", (dir / "Pictures").c_str(), 1);
  EXPECT_EQ(paths::ScreenshotFolder(app), dir / "Pictures");
}

TEST_F(UserFolders, RemovingForTheUserHidesTheSharedCopy) {
  Share();
  paths::FoldersOf(app);
  std::error_code error;
  // Only the user's copy exists: it goes.
  const fs::path scores = paths::ForWriting("\\textures\\dot_black2.bmp", app);
  WriteBytes(scores, "[hs]\r\ns0=10\r\n");
  EXPECT_TRUE(paths::RemoveForUser(app / "Textures" / "dot_black2.bmp", error)) << error.message();
  EXPECT_FALSE(fs::exists(scores));
  // A shared copy would show through: an empty file stands in front of it.
  EXPECT_TRUE(paths::RemoveForUser(app / "replay1.ini", error)) << error.message();
  EXPECT_EQ(paths::ForReading("replay1.ini", app), data / "replay1.ini");
  EXPECT_EQ(ReadBytes(data / "replay1.ini"), "");
  EXPECT_EQ(ReadBytes(app / "replay1.ini"), "[Map]\r\nseed=5\r\n");
  // In a folder of the user's own the file is simply deleted.
  TempFolder own;
  WriteBytes(own / "x.ini", "x");
  EXPECT_TRUE(paths::RemoveForUser(paths::ForWriting("x.ini", own.Path()), error));
  EXPECT_FALSE(fs::exists(own / "x.ini"));
  EXPECT_TRUE(paths::RemoveForUser(own / "never.ini", error));
}

TEST_F(UserFolders, AnInstalledProgramFindsItsContentBesideItsFolder) {
  fs::create_directories(dir / "prefix" / "bin");
  const fs::path content = dir / "prefix" / "share" / "games" / "pebblerun";
  fs::create_directories(content);
  EXPECT_EQ(paths::InstalledContentFolder(dir / "prefix" / "bin"), std::nullopt);  // not marked
  WriteBytes(content / std::string(paths::kInstalledMark), "");
  EXPECT_EQ(paths::InstalledContentFolder((dir / "prefix" / "bin" / "").string()), content);
  EXPECT_EQ(paths::InstalledContentFolder(dir / "prefix" / "games"), content);
  EXPECT_EQ(paths::InstalledContentFolder(app), std::nullopt);
}

// The engine's own services in a shared folder: INI files, the score table,
// the log, file checks and archive extraction.
class SharedEngineFolder : public UserFolders {
 protected:
  void SetUp() override {
    UserFolders::SetUp();
    Share();
    WriteBytes(app / "hs.ini", "[setup]\r\nTopX=3\r\nadditionalValues=0\r\n");
    lib::State().AppFolder = app.string();
    lib::State().Pak = {};
    profile::ClearCache();
  }
  void TearDown() override {
    profile::ClearCache();
    lib::State().AppFolder.clear();
    lib::State().Pak = {};
  }
};

TEST_F(SharedEngineFolder, EveryWriteOfTheEngineLandsInTheUsersFolders) {
  const auto before = Snapshot(app);
  Extra extra;
  EXPECT_EQ(extra.INIRead("main", "Sound_On", "\\textures\\options.bmp"), "True");
  EXPECT_EQ(extra.INIWrite("main", "Sound_On", "False", "\\textures\\options.bmp"), 1);
  EXPECT_EQ(extra.INIRead("main", "Sound_On", "\\textures\\options.bmp"), "False");
  // The other keys came along from the shared file.
  EXPECT_EQ(extra.INIRead("main", "StoryReaden", "\\textures\\options.bmp"), "False");

  std::string table = "hs.ini";
  std::int16_t topX = 10, values = 0;
  ASSERT_TRUE(extra.HighScore_Create(table, topX, values));
  EXPECT_EQ(topX, 3);  // read from the shared table
  EXPECT_EQ(extra.HighScore_NewScore(500, "ANA", {}), 1);
  extra.SaveLog("hello");
  EXPECT_TRUE(extra.FileExists("replay1.ini"));
  EXPECT_FALSE(extra.FileExists("nothing.ini"));

  WriteBytes(dir / "pictures.pak", "");
  ASSERT_TRUE(extra.PAK_OpenPAK((dir / "pictures.pak").string()));
  WriteBytes(dir / "end.jpg", "JPEG");
  ASSERT_TRUE(extra.PAK_AddFile((dir / "end.jpg").string()));
  EXPECT_TRUE(extra.PAK_ExtractFile("end.jpg", "\\textures\\end.jpg"));
  profile::Flush();

  EXPECT_EQ(Snapshot(app), before);
  EXPECT_NE(ReadBytes(data / "hs.ini").find("ANA"), std::string::npos);
  EXPECT_NE(ReadBytes(data / "Textures" / "options.bmp").find("Sound_On=False"), std::string::npos);
  EXPECT_EQ(ReadBytes(data / "Textures" / "end.jpg"), "JPEG");
  const std::string log = ReadBytes(state / "log.txt");
  EXPECT_NE(log.find("hello\r\n"), std::string::npos);
  EXPECT_NE(log.find("File is missing : " + (app / "nothing.ini").string()), std::string::npos);
}

// Whoever reads or writes an INI file of a shared folder (options, key
// bindings, score tables, the letter table) goes through the engine's INI
// layer, and it alone keeps the user's copy apart from the shared file.
TEST_F(SharedEngineFolder, EveryIniReadAndWriteFollowsTheUsersCopy) {
  paths::FoldersOf(app);  // as the engine's start does: the folder is known to be shared
  const auto before = Snapshot(app);
  const fs::path shared = app / "Textures" / "options.bmp";
  const profile::KeyValue changes[] = {{"main", "Sound_On", "False"}, {"controls", "Jump", "Space"}};
  ASSERT_TRUE(profile::WriteStrings(shared, changes));
  ASSERT_TRUE(profile::WriteString(app / "Textures" / "options.bmp", "main", "Details_High", "False"));
  ASSERT_TRUE(profile::Flush());
  const std::string mine = ReadBytes(data / "Textures" / "options.bmp");
  EXPECT_NE(mine.find("Sound_On=False"), std::string::npos) << mine;
  EXPECT_NE(mine.find("Details_High=False"), std::string::npos) << mine;
  EXPECT_NE(mine.find("StoryReaden=False"), std::string::npos) << mine;  // seeded from the shared file
  EXPECT_EQ(Snapshot(app), before);

  // Reads by the shared path find the user's copy, from the cache and from disk.
  for (bool cached : {true, false}) {
    if (!cached) profile::ClearCache();
    EXPECT_EQ(profile::ReadString(shared, "main", "Sound_On", "?"), "False");
    const auto snapshot = profile::LoadSnapshot(shared);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->Read("controls", "Jump", "?"), "Space");
  }

  // The key bindings of the game and of the Settings dialog.
  const keys::Binding actions[] = {{"Jump", {0xC8, 0}}, {"Bomb", {0x39, 0xD0}}};
  const keys::KeyPair bound[] = {{0x1E, 0}, {0x2C, 0}};
  keys::WriteBindings(shared, "controls", actions, bound);
  std::vector<std::string> problems;
  EXPECT_EQ(keys::ReadBindings(shared, "controls", actions, problems),
            (std::vector<keys::KeyPair>{bound[0], bound[1]}));

  // A score table made on first use, and the letter table's defaults when
  // the shared folder has no font.ini, are the user's too.
  std::string table = "new_table.ini";
  std::int16_t topX = 5, values = 0;
  Extra extra;
  ASSERT_TRUE(extra.HighScore_Create(table, topX, values));
  EXPECT_EQ(extra.HighScore_NewScore(70, "BEA", {}), 1);
  LetterTable letters;
  std::string error;
  ASSERT_TRUE(LoadLetterTable(letters, error)) << error;
  ASSERT_TRUE(profile::Flush());
  EXPECT_NE(ReadBytes(data / "new_table.ini").find("BEA"), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(data / "font.ini"));
  EXPECT_EQ(Snapshot(app), before);
}
