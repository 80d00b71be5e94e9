#pragma once
// The menus: main menu with its seven buttons, options, story (two pages),
// how to play, credits, high scores and the victory pictures, over a slowly
// turning background, with the title, butterflies and the fades; the
// game-start fade and the attract replay of the shipped replays.

#include <array>
#include <string>

#include "program/mod_Declares.h"

namespace pebblerun {

// One menu frame: input, logic and drawing of the current screen (the caller
// clears before and presents after).
void MenuFrame(Program& p);

// The menu keys of this frame (g.Input.Keys): selection, screens, options,
// game start, quit, replay arming, screenshots.
void MenuInput(Program& p);

// The background picture with opacity (also drawn over the game screen by
// its start and end fades).
void MenuBackground(Program& p, Single opacity);

// The attract replay: the first of the shipped replays "replay1.ini" ..
// "replay10.ini", tried once each from a random start, that exists in the
// application folder; "" when there is none.
std::string PickAttractReplay(GameState& g);

// The menu entry a screen returns to (Escape or its back button).
Integer MenuItemOfScreen(const std::string& screen, Integer current);

// A credits line's opacity at height y, given its current opacity.
Single CreditLineAlpha(Single y, Single alpha);

// A score right-aligned in five places, as the high-score screen shows it.
std::string FiveWide(long long score);

}  // namespace pebblerun
