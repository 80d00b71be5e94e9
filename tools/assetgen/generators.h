#pragma once
// The picture half of the content: textures, bitmap fonts and the archive of
// end pictures, each written under outDir with the names the game loads.

#include <filesystem>

namespace assetgen {

void GenerateTextures(const std::filesystem::path& outDir);
void GenerateFonts(const std::filesystem::path& outDir);
void GeneratePak(const std::filesystem::path& outDir);

// The desktop's icons of the game and of its settings dialog, in the
// freedesktop theme layout: outDir/hicolor/NxN/apps/NAME.png for every size
// the menus ask for, and outDir/hicolor/scalable/apps/NAME.svg.
void GenerateIcons(const std::filesystem::path& outDir);

}  // namespace assetgen
