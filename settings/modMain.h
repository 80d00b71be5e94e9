#pragma once
// The files the settings dialog works on and its INI access. Everything goes
// through the engine's INI and path layer, so the dialog and the game read and
// write the options file with the same code.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <quillon/key_bindings.h>

namespace settings {

// Section of the options file that holds every key the dialog touches.
inline constexpr std::string_view OptionsSection = "main";

inline constexpr std::string_view KeyFullScreen = "FULL_SCREEN";
inline constexpr std::string_view KeySoundOn = "Sound_On";
inline constexpr std::string_view KeyDetailsHigh = "Details_High";
inline constexpr std::string_view KeyStoryRead = "StoryReaden";
inline constexpr std::string_view KeyRumble = "Rumble";  // on when missing

// The game's actions as section "controls" of the options file names them,
// with the game's own keys (the game keeps the same table; a test holds the
// two together) and the pad buttons that do the same.
inline constexpr std::string_view ControlsSection = "controls";
enum class Action { WalkLeft, WalkRight, Jump, Bomb, Pause, Back };
inline constexpr int kActions = 6;
struct ActionRow {
  Action Id;
  quillon::keys::Binding Line;  // key name in the file, default keys
  const char* Label;
  const char* PadButtons;
};
const std::array<ActionRow, kActions>& ControlActions();

// The files, under the application folder, resolved without regard to case.
// In a shared (installed) application folder the reads and writes below go
// to this user's copies, exactly as the game's do.
std::filesystem::path OptionsFilePath(const std::filesystem::path& appDir);
std::filesystem::path StoryHighScorePath(const std::filesystem::path& appDir);
std::filesystem::path ArcadeHighScorePath(const std::filesystem::path& appDir);
std::filesystem::path GameProgramPath(const std::filesystem::path& appDir);
// The replay the game records of every game: the last game played (the
// player's copy when the folder is shared).
std::filesystem::path LastReplayPath(const std::filesystem::path& appDir);

// The value of key in section of file, "" when any of them is missing.
std::string ReadIni(const std::filesystem::path& file, std::string_view section, std::string_view key);
bool WriteIni(const std::filesystem::path& file, std::string_view section, std::string_view key,
              std::string_view value);
// Puts every held INI change on disk now, so the game sees it.
bool FlushIni();

// Whether a check box shows a key's text as ticked. "" and "false" (any case)
// are off, "true" (any case) is on, a number is off when it is 0 and on
// otherwise, the same as the game reads the key. Any other text is off, so a
// damaged file never keeps the dialog from opening; the next timer write puts
// a clean word back.
bool CheckedFromText(std::string_view text);

// Deletes a high-score file (this user's copy; a shared one is hidden behind
// an empty file). A file that is not there counts as deleted; otherwise the
// reason it could not be deleted.
std::optional<std::string> DeleteHighScoreFile(const std::filesystem::path& file);

}  // namespace settings
