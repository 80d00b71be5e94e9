#pragma once
// The picture half of the content: textures, bitmap fonts and the archive of
// end pictures, each written under outDir with the names the game loads.

#include <filesystem>

namespace assetgen {

void GenerateTextures(const std::filesystem::path& outDir);
void GenerateFonts(const std::filesystem::path& outDir);
void GeneratePak(const std::filesystem::path& outDir);

}  // namespace assetgen
