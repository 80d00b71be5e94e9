#include "program_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app_folders.h"

namespace pebblerun::support {

namespace fs = std::filesystem;

namespace {

bool IsProgramOrLibrary(const fs::path& file) {
  const std::string name = file.filename().string();
  return name.rfind("libquillon", 0) == 0 || name == "Pebblerun" || name == "Settings" || name == "log.txt" ||
         name.rfind("replay", 0) == 0 || name.rfind("wd", 0) == 0;
}

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

AppCopy::AppCopy() {
  static int counter = 0;
  dir_ = fs::temp_directory_path() /
         ("pebblerun-app-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  const fs::path source = BuiltAppFolder();
  for (auto it = fs::recursive_directory_iterator(source); it != fs::recursive_directory_iterator(); ++it) {
    const fs::path target = dir_ / fs::relative(it->path(), source);
    if (it->is_directory()) {
      fs::create_directories(target);
    } else if (it->is_regular_file() && !IsProgramOrLibrary(it->path())) {
      fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing);
    }
  }
}

AppCopy::~AppCopy() {
  std::error_code error;
  fs::remove_all(dir_, error);
}

std::string AppCopy::Read(const std::string& relative) const {
  std::ifstream in(dir_ / relative, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string AppCopy::Log() const { return Read("log.txt"); }

void AppCopy::Write(const std::string& relative, const std::string& text) const {
  fs::create_directories((dir_ / relative).parent_path());
  std::ofstream(dir_ / relative, std::ios::binary) << text;
}

RunResult RunProgram(const fs::path& program, const std::vector<std::string>& args) {
  std::string command = Quote(program.string());
  for (const auto& arg : args) command += " " + Quote(arg);
  command += " 2>&1";
  RunResult result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.Output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

int CountOf(const std::string& text, const std::string& needle) {
  int count = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
    ++count;
  return count;
}

}  // namespace pebblerun::support
