#pragma once
// The pad lines of a --script file ("FRAME pad ...", see input_script.h) and
// their effect on the engine's virtual pad.

#include <optional>
#include <string>
#include <vector>

#include <quillon/engine.h>

#include "program/input_script.h"

namespace pebblerun {

// The pad event of a line's words after its frame ("pad", then "attach",
// "detach", "down|up BUTTON" or "axis AXIS VALUE") into e, whose frame is
// already set; false (the reason in error where there is one) when the line
// cannot be read.
bool ReadPadLine(const std::vector<std::string>& words, ScriptEvent& e, std::string& error);

// Attaches, detaches and sets the virtual pad as the events say.
void ApplyScriptedPad(quillon::Engine& engine, const std::vector<ScriptEvent>& events);

}  // namespace pebblerun
