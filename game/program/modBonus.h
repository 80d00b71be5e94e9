#pragma once
// Drawing of the bonuses lying in the field: each picture with its spinning
// highlight behind it, the highlight shrinking as a collected bonus's glow
// fades out.

#include "program/mod_Declares.h"

namespace pebblerun {

void DrawBonuses(Program& p);

// The picture of a bonus type ("bomb", "pie", "boot", "bombglass", "ears");
// nullptr for an unknown type.
const Texture* BonusPicture(const GameAssets& a, const std::string& type);

}  // namespace pebblerun
