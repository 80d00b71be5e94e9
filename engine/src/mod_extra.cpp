#include "mod_extra.h"

#include "platform/files.h"
#include "quillon/ascii.h"
#include "quillon/paths.h"

namespace quillon::lib {

// Never destroyed: the INI layer's cache writes its held changes at process
// exit and may log then, after function-local statics made later are gone.
LibraryState& State() {
  static LibraryState* state = new LibraryState;
  return *state;
}

std::string AbsoluteName(std::string_view name) {
  if (paths::IsAbsolute(name)) {
    return std::string(name);
  }
  std::string absolute = State().AppFolder;
  absolute += '\\';
  absolute += name;
  return absolute;
}

std::filesystem::path MakeAbsolute(std::string_view name) {
  return paths::ForReading(name, State().AppFolder);
}

std::filesystem::path WritePath(std::string_view name) { return paths::ForWriting(name, State().AppFolder); }

std::filesystem::path EditPath(std::string_view name) { return paths::ForEditing(name, State().AppFolder); }

std::string LogPath(std::string_view name) { return MakeAbsolute(name).string(); }

std::string StripOuterSeparators(std::string_view name) {
  if (!name.empty() && name.front() == '\\') {
    name.remove_prefix(1);
  }
  if (!name.empty() && (name.back() == '\\' || name.back() == '/')) {
    name.remove_suffix(1);
  }
  return std::string(name);
}

bool CreateFolder(std::string_view name) {
  return platform::CreateOneFolder(WritePath(AbsoluteName(StripOuterSeparators(name))));
}

void SaveLog(std::string_view text, std::string_view logFile) {
  const std::filesystem::path file = WritePath(logFile.empty() ? std::string_view("log.txt") : logFile);
  std::string line(text);
  line += "\r\n";
  platform::AppendToFile(file, line);
}

bool FileExists(std::string_view path) {
  const std::string underAppFolder = State().AppFolder + "\\" + std::string(path);
  if (platform::PathExists(MakeAbsolute(underAppFolder))) {
    return true;
  }
  // "Unchanged" means as the process itself would open the name.
  std::error_code ec;
  const std::filesystem::path workingFolder = std::filesystem::current_path(ec);
  if (!path.empty() && platform::PathExists(paths::Resolve(path, workingFolder))) {
    return true;
  }
  if (ascii::ToLower(path) != "qlno.ini") {
    SaveLog("File is missing : " + LogPath(underAppFolder));
  }
  return false;
}

}  // namespace quillon::lib
