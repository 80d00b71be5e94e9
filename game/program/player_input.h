#pragma once
// The player's input around the keyboard handlers: the key bindings of the
// options file, the game controller, its rumble, and a pause when it is
// pulled out in the middle of a game.

#include "program/mod_Declares.h"
#include "sim/controls.h"

namespace pebblerun {

// Where the player is: menus, play (the hero alive), or the name entry.
InputContext ContextOf(const GameState& g);

// Section "controls" of the options file into p.Controls; every line that
// cannot be used gets a log line and its action's default keys.
void LoadControls(Program& p);

// The frame's key state from the keyboard's: during play the keys pass
// through the bindings; bound keys held from play into the name entry wait
// to be let go (HeldKeys); in every context the pad adds its keys.
KeyStates PlayerKeys(Program& p, const KeyStates& keyboard);

// A pad was pulled out: a game in play pauses (not a playback, which cannot
// be paused, nor a finished game).
void PauseForLostPad(GameState& g);

// The pad's answer to a jolt of the game, while the option "Rumble" is on
// and Tobo is alive in a game that is not a playback.
void RumbleFor(Program& p, JoltKind kind);

}  // namespace pebblerun
