#pragma once
// Library-wide state and the three services the engine's own code calls:
// the log writer, the file check and the frame limiter. One copy per process,
// shared by every Engine, Extra and MP3Player object.

#include "pak_archive.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

namespace quillon::lib {

struct LibraryState {
  std::string AppFolder;  // base of all relative names; "" until an engine starts
  std::int32_t WindowHandle = 0;
  float Pi = 0;             // 4·atan(1) once an engine has started
  float Rad = 0;            // Pi / 180
  std::int32_t MouseX = 0;  // last known cursor position, engine coordinates
  std::int32_t MouseY = 0;
  std::int16_t FpsLimit = 0;  // SetFPSLimit; 0 until set

  // Set by the full engine start.
  bool FullScreen = false;
  std::int16_t ResWidth = 0, ResHeight = 0;
  std::int16_t WindowWidth = 0, WindowHeight = 0;

  // Frame limiter.
  std::int64_t LastFrameEndNs = 0;
  std::int32_t SpinCount = 0;
  std::int32_t FramesThisSecond = 0;
  std::int64_t LastSecondTickMs = 0;
  std::int32_t PublishedFps = 0;

  pak::Archive Pak;                             // the open PAK archive (Extra::PAK_*)
  std::mt19937 Random{std::random_device{}()};  // RndNum; never the game's own generator
};

LibraryState& State();

// The name made absolute as text: a relative name becomes application folder
// + "\" + name, an absolute one stays as it is.
std::string AbsoluteName(std::string_view name);

// The path on disk of a name under the application folder (absolute names as
// they stand), resolved without regard to case, to read from: in a shared
// application folder this user's copy when there is one (quillon/paths.h).
std::filesystem::path MakeAbsolute(std::string_view name);

// A name as a log line shows it: the path on disk in this system's own form
// ("/" between folders), so a reader can copy it into a shell.
std::string LogPath(std::string_view name);

// The same name to write whole (WritePath) or to change in place (EditPath):
// in a shared application folder always this user's copy.
std::filesystem::path WritePath(std::string_view name);
std::filesystem::path EditPath(std::string_view name);

// name without one leading "\" and one trailing "\" or "/" (a leading "/"
// marks an absolute name here and stays).
std::string StripOuterSeparators(std::string_view name);

// Creates the one folder name names (made absolute after stripping its outer
// separators); parents are not created and an existing folder is fine.
bool CreateFolder(std::string_view name);

// Appends text + CRLF to "log.txt" in the application folder (or to logFile,
// made absolute). Failures are not reported.
void SaveLog(std::string_view text, std::string_view logFile = "");

// True when the name exists under the application folder or as given; logs
// "File is missing : ..." otherwise (never for "qlno.ini").
bool FileExists(std::string_view path);

// Holds the frame to 1/rate seconds since the end of the previous one (no
// wait for a rate of 0 or less) and keeps the FPS counters. Sleeps until
// about 1.5 ms before the deadline, then spins; SpinCount is the number of
// spin iterations (at least 1). pumpMessages runs after every sleep slice and
// every spin iteration.
void LimitFrame(int rate, void (*pumpMessages)() = nullptr);

}  // namespace quillon::lib
