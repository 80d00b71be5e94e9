#pragma once
// The pad lines of a --script file ("FRAME pad ...", see input_script.h) and
// their effect on the engine's virtual pad.

#include <optional>
#include <string>
#include <vector>

#include <quillon/engine.h>

#include "program/input_script.h"

namespace pebblerun {

// The pad event of line, whose frame is already in e; nullopt with the reason
// in error when the line cannot be read.
std::optional<ScriptEvent> ParsePadLine(const std::string& line, ScriptEvent e, std::string& error);

// Attaches, detaches and sets the virtual pad as the events say.
void ApplyScriptedPad(quillon::Engine& engine, const std::vector<ScriptEvent>& events);

}  // namespace pebblerun
