// The archive "Textures\other.pak" with the two end pictures.

#include "generators.h"
#include "textures.h"

namespace assetgen {

void GeneratePak(const path& outDir) {
  const Lettering font;
  // Until the archive is packed the pictures stand beside it, where the
  // packing step picks them up.
  WriteBytes(outDir, "textures/pak_src/wd.jpg", StoryWonPicture(font));
  WriteBytes(outDir, "textures/pak_src/wd_wow.jpg", ArcadeWonPicture(font));
}

}  // namespace assetgen
