#include "program/init_dxLoad.h"

#include <array>
#include <filesystem>

#include <quillon/frame_wait.h>
#include <quillon/paths.h>

#include "sim/game_ini.h"

namespace pebblerun {

namespace {

// Nanoseconds between two loading frames: one frame of the game.
constexpr std::int64_t kLoadingFrameInterval = 20'000'000;

constexpr const char* kTiles = "\\textures\\level_tiles\\";
constexpr const char* kMenu = "\\textures\\menu\\";
constexpr const char* kOptions = "\\textures\\menu\\options\\";
constexpr const char* kCredits = "\\textures\\menu\\credits\\";

// Ground colours in catalogue order; colour c owns CellCodes 1..4 for c = 0,
// then 7 + 4 (c - 1) onwards.
constexpr std::array<const char*, 12> kGroundColours = {"green",      "greendark", "blue",    "blue2",
                                                        "bluedark",   "bluelight", "brown",   "orange",
                                                        "orangedark", "red",       "reddark", "yellow"};
constexpr std::array<const char*, 4> kKindSuffixes = {"", "_mud", "_gum", "_ice"};

constexpr std::array<const char*, kCreditLines> kCreditFiles = {
    "c_programming",     "c_programming_1", "c_graphics",      "c_graphics_1",      "c_graphics_2",
    "c_graphics_3",      "c_graphics_4",    "c_soundandmusic", "c_soundandmusic_1", "c_soundandmusic_2",
    "c_soundandmusic_3", "c_thanksto",      "c_thanksto_1",    "c_thanksto_2",      "c_thanksto_3",
    "c_thanksto_4",      "c_thanksto_5",    "c_title",         "c_notice"};

class CatalogueBuilder {
 public:
  explicit CatalogueBuilder(std::vector<TextureEntry>& out) : out_(out) {}
  void Add(Texture& slot, std::string file, std::int32_t key = 0) {
    out_.push_back({&slot, std::move(file), key});
  }

 private:
  std::vector<TextureEntry>& out_;
};

void AddTitleTextures(CatalogueBuilder& c, GameAssets& a) {
  c.Add(a.blue, "\\fonts\\blue.bmp", kMagentaKey);
  c.Add(a.default_num, "\\fonts\\default_num.bmp", kMagentaKey);
  c.Add(a.logo, std::string(kMenu) + "logo.jpg");
  for (int i = 0; i < 5; ++i) {
    c.Add(a.logo_sponsor[i], std::string(kMenu) + "logo_sponsor_" + std::to_string(i + 1) + ".dds");
  }
  c.Add(a.logo_sponsor_plus, std::string(kMenu) + "logo_sponsor_plus.dds");
  c.Add(a.background_space, std::string(kMenu) + "background_space.jpg");
}

void AddTileTextures(CatalogueBuilder& c, GameAssets& a) {
  c.Add(a.tiles[5], std::string(kTiles) + "tile_ground_glass.bmp", kMagentaKey);
  c.Add(a.tiles[60], std::string(kTiles) + "tile_ground_glass_bw.bmp", kMagentaKey);
  c.Add(a.tiles[6], std::string(kTiles) + "tile_ground_stone.dds");
  for (std::size_t colour = 0; colour < kGroundColours.size(); ++colour) {
    const int firstCode = colour == 0 ? 1 : 7 + 4 * (static_cast<int>(colour) - 1);
    for (std::size_t kind = 0; kind < kKindSuffixes.size(); ++kind) {
      c.Add(a.tiles[firstCode + kind],
            std::string(kTiles) + "tile_ground_" + kGroundColours[colour] + kKindSuffixes[kind] + ".dds");
    }
  }
  for (std::size_t kind = 0; kind < kKindSuffixes.size(); ++kind) {
    c.Add(a.tiles[56 + kind], std::string(kTiles) + "tile_ground_bw" + kKindSuffixes[kind] + ".dds");
  }
}

void AddFieldTextures(CatalogueBuilder& c, GameAssets& a) {
  c.Add(a.level_text, "\\textures\\level_text.dds");
  for (int i = 0; i < 12; ++i) c.Add(a.level_num[i], "\\textures\\level_num_" + std::to_string(i) + ".dds");
  c.Add(a.paused, "\\textures\\paused.dds");
  c.Add(a.tiles[51], "\\textures\\tile_wall_bricks.bmp");
  c.Add(a.tiles[52], "\\textures\\tile_wall_wood.bmp");
  c.Add(a.tiles[61], "\\textures\\tile_wall_wood_bw.bmp");
  c.Add(a.tiles[54], "\\textures\\tile_wall_bricks2.bmp");
  c.Add(a.tiles[62], "\\textures\\tile_wall_bricks2_bw.bmp");
  c.Add(a.tiles[55], "\\textures\\tile_wall_metal.dds");
  c.Add(a.bonus_selection, "\\textures\\bonus\\bonus_selection.dds");
  c.Add(a.bomb, "\\textures\\bonus\\bomb.dds");
  c.Add(a.pie, "\\textures\\bonus\\pie.bmp", kMagentaKey);
  c.Add(a.boot, "\\textures\\bonus\\boot.dds");
  c.Add(a.bombglass, "\\textures\\bonus\\bombglass.dds");
  c.Add(a.bigears, "\\textures\\bonus\\bigears.dds");
  c.Add(a.sidebar, "\\textures\\sidebar.dds");
  c.Add(a.sidebar_h, "\\textures\\sidebar_h.dds");
  c.Add(a.debug_window, "\\textures\\debug_window.bmp");
  c.Add(a.tobo_blue, "\\textures\\tobo_blue.dds");
  c.Add(a.tobo_eyes, "\\textures\\tobo_eyes.dds");
  c.Add(a.background_sky, "\\textures\\background_sky.bmp");
  c.Add(a.background_lightblue, "\\textures\\background_lightblue.bmp");
  c.Add(a.background_black, "\\textures\\background_black.bmp");
  c.Add(a.background_red, "\\textures\\background_red.bmp");
  c.Add(a.sharp, "\\textures\\sharp.bmp", kMagentaKey);
  c.Add(a.clouds, "\\textures\\clouds.dds");
  c.Add(a.tile_wall_ground, "\\textures\\tile_wall_ground.bmp");
  c.Add(a.explosion, "\\textures\\bonus\\explosion.dds");
  c.Add(a.text_boom, "\\textures\\bonus\\text_boom.bmp", kMagentaKey);
  c.Add(a.arrow, "\\textures\\arrow.dds");
  c.Add(a.arrow_help, "\\textures\\arrow_help.dds");
  c.Add(a.wd_wow, "\\wd_wow.jpg");
  c.Add(a.particles, "\\textures\\particles.png");
  c.Add(a.weighticon, "\\textures\\weighticon.dds");
}

void AddMenuTextures(CatalogueBuilder& c, GameAssets& a) {
  const std::string menu = kMenu;
  c.Add(a.load1, menu + "load1.jpg");
  c.Add(a.title, menu + "title.dds");
  for (int i = 0; i < kButterflies; ++i)
    c.Add(a.butterfly[i], menu + "butterfly" + std::to_string(i + 1) + ".dds");
  c.Add(a.story, menu + "story.dds");
  c.Add(a.story2, menu + "story2.dds");
  MenuButtonTextures& b = a.buttons;
  for (auto [slot, name] : {std::pair{&b.b_newgame, "b_newgame"},
                            {&b.b_highscores, "b_highscores"},
                            {&b.b_story, "b_story"},
                            {&b.b_options, "b_options"},
                            {&b.b_howtoplay, "b_howtoplay"},
                            {&b.b_credits, "b_credits"},
                            {&b.b_exit, "b_exit"},
                            {&b.b_back, "b_back"},
                            {&b.b_next, "b_next"}}) {
    c.Add(*slot, menu + name + ".dds");
  }
  for (int i = 0; i < kCreditLines; ++i)
    c.Add(a.credits[i], std::string(kCredits) + kCreditFiles[i] + ".dds");
  for (int i = 0; i < 2; ++i) {
    c.Add(a.credit_logos[i], std::string(kCredits) + "c_logo_" + std::to_string(i + 1) + ".dds");
  }
  c.Add(a.howtoplay, menu + "howtoplay.dds");
  c.Add(a.s_title, menu + "s_title.dds");
  c.Add(a.s_yournameplease, menu + "s_yournameplease.dds");
}

void AddOptionTextures(CatalogueBuilder& c, GameAssets& a) {
  OptionTextures& o = a.options;
  for (auto [slot, name] : {std::pair{&o.o_gamemode, "o_gamemode"},
                            {&o.o_fullscreen, "o_fullscreen"},
                            {&o.o_details, "o_details"},
                            {&o.o_sound, "o_sound"},
                            {&o.o_s_gamemode, "o_s_gamemode"},
                            {&o.o_s_fullscreen, "o_s_fullscreen"},
                            {&o.o_s_details, "o_s_details"},
                            {&o.o_s_sound, "o_s_sound"},
                            {&o.o_s_on, "o_s_on"},
                            {&o.o_ss_on, "o_ss_on"},
                            {&o.o_s_off, "o_s_off"},
                            {&o.o_ss_off, "o_ss_off"},
                            {&o.o_s_arcade, "o_s_arcade"},
                            {&o.o_ss_arcade, "o_ss_arcade"},
                            {&o.o_s_story, "o_s_story"},
                            {&o.o_ss_story, "o_ss_story"},
                            {&o.unlock, "unlock"},
                            {&o.restart, "restart"}}) {
    c.Add(*slot, std::string(kOptions) + name + ".dds");
  }
}

}  // namespace

std::vector<TextureEntry> TextureCatalogue(GameAssets& assets) {
  std::vector<TextureEntry> entries;
  entries.reserve(168);
  CatalogueBuilder c(entries);
  AddTitleTextures(c, assets);
  AddTileTextures(c, assets);
  AddFieldTextures(c, assets);
  AddMenuTextures(c, assets);
  AddOptionTextures(c, assets);
  return entries;
}

std::string ShowLoadingFrame(Program& p) {
  if (!p.Assets.LoadingScreen) return "";
  // The picture never changes, so a frame more often than the game's own 50
  // a second shows nothing new; on a software renderer each one costs a few
  // milliseconds of stretching the logo, which added half a second to the
  // start with some 150 textures to load.
  const std::int64_t now = quillon::ClockNanoseconds();
  if (p.Assets.LastLoadingFrame == 0 || now - p.Assets.LastLoadingFrame >= kLoadingFrameInterval) {
    p.Assets.LastLoadingFrame = now;
    quillon::Engine& e = p.Objects.EngineObj;
    e.AmbientColor(255, 255, 255);
    e.Draw(p.Assets.logo, 0, 0, 640, 480);
    e.Present();
  }
  // The first loading frame of the start begins the menu's opening logo sequence.
  if (!p.Assets.LogoSequenceStarted) {
    p.Assets.LogoSequenceStarted = true;
    p.Game->Menu.IntroTimer = 100;
    p.Game->Menu.LogoFade = 100;
  }
  return "";
}

bool ContentFileExists(const GameState& g, const std::string& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(quillon::paths::ForReading(file, g.AppFolder), error);
}

void LoadTexture(Program& p, Texture& slot, const std::string& file, std::int32_t colourKey) {
  // A missing picture gets one log line here; the engine would write two.
  if (ContentFileExists(*p.Game, file)) {
    p.Objects.EngineObj.CreateTexture(slot, file, colourKey);
  } else {
    p.Objects.ExtraObj.SaveLog("Error in LoadTexture : File is missing : " +
                               GameFile(*p.Game, file).string());
  }
  ShowLoadingFrame(p);
}

void LoadTextures(Program& p) {
  p.Objects.ExtraObj.PAK_OpenPAK(kArchiveFile, false, "Open File", "");
  auto catalogue = TextureCatalogue(p.Assets);
  for (std::size_t i = 0; i < catalogue.size(); ++i) {
    if (i == kTexturesBeforeLoadingScreen) p.Assets.LoadingScreen = true;
    const TextureEntry& entry = catalogue[i];
    // The arcade end picture is there only if an earlier run left it: its
    // absence is normal and not worth a log line.
    if (entry.Slot == &p.Assets.wd_wow && !ContentFileExists(*p.Game, entry.File)) {
      ShowLoadingFrame(p);
      continue;
    }
    LoadTexture(p, *entry.Slot, entry.File, entry.ColourKey);
  }
}

void LoadFonts(Program& p) {
  // Two slots of the same face; the game draws with both.
  p.Objects.EngineObj.CreateFont(kGameFont, "Verdana", 7, false, false);
  p.Objects.EngineObj.CreateFont(kGameFont2, "Verdana", 7, false, false);
}

void EngineEvents::ShowEndPicture(const std::string& picture) {
  Program& p = program_;
  p.Objects.EngineObj.PumpEvents();
  p.Objects.ExtraObj.PAK_ExtractFile(picture);
  p.Assets.EndPicture.Reset();
  LoadTexture(p, p.Assets.EndPicture, "\\" + picture, 0);
  if (picture == "wd_wow.jpg") {
    p.Assets.wd_wow.Reset();
    LoadTexture(p, p.Assets.wd_wow, "\\" + picture, 0);
  }
  p.Objects.EngineObj.PumpEvents();
}

void EngineEvents::SaveScreenshot() { program_.Objects.EngineObj.SaveScreenshot(); }

void EngineEvents::Log(const std::string& line) { program_.Objects.ExtraObj.SaveLog(line); }
void EngineEvents::SetCursorVisible(bool visible) { program_.Objects.EngineObj.SetCursorVisible(visible); }

}  // namespace pebblerun
