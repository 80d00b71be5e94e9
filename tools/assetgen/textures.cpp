// Every texture of the catalogue, group by group.

#include "textures.h"
#include "generators.h"

namespace assetgen {

void GenerateTextures(const path& outDir) {
  const Lettering font;
  MakeTiles(outDir);
  MakeHero(outDir);
  MakeItems(outDir, font);
  MakeBackdrops(outDir);
  MakeMenuTextures(outDir, font);
  MakeCredits(outDir, font);
  MakePages(outDir, font);
  MakePictures(outDir, font);
}

}  // namespace assetgen
