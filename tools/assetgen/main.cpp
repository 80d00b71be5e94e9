// assetgen OUTDIR: writes the whole content set of the game into OUTDIR.
// The output is a pure function of this program: no clock, no unseeded
// randomness, fixed encoder settings.

#include <cstdio>
#include <exception>
#include <filesystem>

#include "audio.h"
#include "generators.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: assetgen OUTDIR\n");
    return 2;
  }
  try {
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
