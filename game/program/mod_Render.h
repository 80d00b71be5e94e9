#pragma once
// The game screen: one frame drawn from GameState, bottom layer first — sky,
// clouds, the visible rows of the field, Tobo with his trail, moving tiles,
// breaking tiles, bonuses, blasts, particles, drills, water — then the
// overlays (popups, warning arrows, banner, name prompt, hints, bomb stock,
// gauges, "BETTER" target, score, debug window, pause picture, fades).
// Drawing changes nothing of the game: every step that does ran before, in
// GameScreenStep. Only looks (spins, shivers, jitter) draw from the cosmetic
// generator.

#include "program/mod_Declares.h"

namespace pebblerun {

void DrawGameScreen(Program& p);

// The texture of a cell code as the field shows it: unpainted ground tiles in
// grey, unpainted glass grey only where greyGlass says so.
Integer ShownTileCode(const GameState& g, Integer code, bool painted, bool greyGlass);

// The score's colour from the tuning text "r,g,b" (each part Int of its
// number; a missing or broken part counts 0).
void ScoreColour(const std::string& text, Single& red, Single& green, Single& blue);

// Digits of the score as the back layer counts them (1..5).
int ScoreDigits(Single score);

// The right-margin place of bomb i (0-based): 15 to a column at x 608, the
// rest at x 576.
void BombStockPlace(int i, Single& x, Single& y);

}  // namespace pebblerun
