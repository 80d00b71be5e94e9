#pragma once
// Loading: the texture catalogue with its loading screen, the sound table,
// the music, the two system fonts, and the game's sound wrapper. Also the
// program's answer to what the simulation asks of it (GameEvents).
//
// Nothing here stops the game: a file that cannot be loaded leaves its slot
// empty (the engine writes one log line naming it) and loading goes on.

#include <string>
#include <vector>

#include "program/mod_Declares.h"

namespace pebblerun {

struct TextureEntry {
  Texture* Slot = nullptr;
  std::string File;  // as the game names it, under the application folder
  std::int32_t ColourKey = 0;
};

// The whole catalogue in load order. The first ten load before
// the loading screen is up.
std::vector<TextureEntry> TextureCatalogue(GameAssets& assets);
inline constexpr std::size_t kTexturesBeforeLoadingScreen = 10;

struct SoundEntry {
  const char* Name;
  const char* File;
};
const std::vector<SoundEntry>& SoundTable();

inline constexpr const char* kMenuMusicFile = "music\\music_menu.wma";
inline constexpr const char* kGameMusicFile = "music\\music_game.wma";
inline constexpr const char* kArchiveFile = "Textures\\other.pak";

// True when file (a name of the catalogue) is in the application folder.
bool ContentFileExists(const GameState& g, const std::string& file);

void LoadTexture(Program& p, Texture& slot, const std::string& file, std::int32_t colourKey);
void LoadTextures(Program& p);
// Draws the logo picture over the whole back buffer and presents it while
// the loading screen is up. Returns "" (a loading frame cannot fail).
std::string ShowLoadingFrame(Program& p);
void LoadSounds(Program& p);
void LoadFonts(Program& p);

// Plays a sound of the table, only while sound is on.
void PlaySound(Program& p, const std::string& name, bool loop = false, std::int32_t volume = 100,
               std::int32_t pan = 0, std::int32_t frequency = 0);

// GameEvents on the engine: sounds, the end pictures out of the archive,
// screenshots, the cursor.
class EngineEvents final : public GameEvents {
 public:
  explicit EngineEvents(Program& program) : program_(program) {}
  void PlaySound(const std::string& name, bool loop, std::int32_t volume, std::int32_t pan,
                 std::int32_t frequency) override;
  void StopSound(const std::string& name) override;
  void ShowEndPicture(const std::string& picture) override;
  void SaveScreenshot() override;
  void Log(const std::string& line) override;
  void SetCursorVisible(bool visible) override;
  void Jolt(JoltKind kind) override;

 private:
  Program& program_;
};

}  // namespace pebblerun
