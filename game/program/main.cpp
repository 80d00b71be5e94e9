// Pebblerun: the program's entry. Everything else is in mod_Main.

#include <filesystem>
#include <string>
#include <vector>

#include "program/command_line.h"
#include "program/mod_Main.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::error_code error;
  auto folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
  if (error) folder = std::filesystem::absolute(argv[0], error).parent_path();
  return pebblerun::Main(pebblerun::ParseCommandLine(args), folder.string());
}
