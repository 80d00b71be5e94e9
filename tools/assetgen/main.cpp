// assetgen OUTDIR: writes the whole content set of the game into OUTDIR.
// assetgen --icons OUTDIR: writes the desktop's icons of the game into OUTDIR.
// The output is a pure function of this program: no clock, no unseeded
// randomness, fixed encoder settings.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "audio.h"
#include "generators.h"

int main(int argc, char** argv) {
  const bool icons = argc == 3 && std::string_view(argv[1]) == "--icons";
  if (argc != 2 && !icons) {
    std::fprintf(stderr, "usage: assetgen OUTDIR\n       assetgen --icons OUTDIR\n");
    return 2;
  }
  try {
    if (icons) {
      assetgen::GenerateIcons(argv[2]);
      return 0;
    }
    const std::filesystem::path outDir = argv[1];
    std::filesystem::create_directories(outDir);
    assetgen::GenerateTextures(outDir);
    assetgen::GenerateFonts(outDir);
    assetgen::GeneratePak(outDir);
    assetgen::GenerateSounds(outDir);
    assetgen::GenerateMusic(outDir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
