// The archive "Textures\other.pak" with the two end pictures, written by the
// engine's own archive code so the game reads exactly what it would write.

#include <quillon/extra.h>

#include <unistd.h>
#include <stdexcept>
#include <string>

#include "generators.h"
#include "mod_extra.h"
#include "textures.h"

namespace assetgen {

void GeneratePak(const path& outDir) {
  const Lettering font;
  const path archive = outDir / "textures" / "other.pak";
  // Adding appends: start from an empty archive so every run writes the same
  // bytes.
  WriteBytes(outDir, "textures/other.pak", {});
  quillon::lib::State().AppFolder = std::filesystem::absolute(outDir).string();
  quillon::Extra extra;
  if (!extra.PAK_OpenPAK("Textures\\other.pak")) throw std::runtime_error("cannot open " + archive.string());

  const path staging = std::filesystem::temp_directory_path() / ("assetgen-pak-" + std::to_string(getpid()));
  struct Pictures {
    const char* name;
    Bytes bytes;
  };
  const Pictures pictures[] = {{"wd.jpg", StoryWonPicture(font)}, {"wd_wow.jpg", ArcadeWonPicture(font)}};
  for (const Pictures& p : pictures) {
    WriteBytes(staging, p.name, p.bytes);
    std::string storedName = p.name;
    const bool added = extra.PAK_AddFile((staging / p.name).string(), storedName);
    std::filesystem::remove(staging / p.name);
    if (!added) throw std::runtime_error(std::string("cannot pack ") + p.name);
  }
  std::filesystem::remove(staging);
}

}  // namespace assetgen
