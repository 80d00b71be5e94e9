#pragma once
// The files the settings dialog works on and its INI access. Everything goes
// through the engine's INI and path layer, so the dialog and the game read and
// write the options file with the same code.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// Section of the options file that holds every key the dialog touches.
inline constexpr std::string_view OptionsSection = "main";

inline constexpr std::string_view KeyFullScreen = "FULL_SCREEN";
inline constexpr std::string_view KeySoundOn = "Sound_On";
inline constexpr std::string_view KeyDetailsHigh = "Details_High";
inline constexpr std::string_view KeyStoryRead = "StoryReaden";

// The files, under the application folder, resolved without regard to case.
// In a shared (installed) application folder the reads and writes below go
// to this user's copies, exactly as the game's do.
std::filesystem::path OptionsFilePath(const std::filesystem::path& appDir);
std::filesystem::path StoryHighScorePath(const std::filesystem::path& appDir);
std::filesystem::path ArcadeHighScorePath(const std::filesystem::path& appDir);
std::filesystem::path GameProgramPath(const std::filesystem::path& appDir);

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
