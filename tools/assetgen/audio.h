#pragma once
// The sound half of the content: every sound effect of the game's sound table
// and the two music tracks, synthesized and written under outDir.

#include <filesystem>

namespace assetgen {

void GenerateSounds(const std::filesystem::path& outDir);
void GenerateMusic(const std::filesystem::path& outDir);

}  // namespace assetgen
