#pragma once
// The game's scan code of a key pressed in the dialog. The game reads keys by
// their place on the keyboard, so on desktops that tell it (X11, Wayland) the
// key's hardware code decides; elsewhere (Qt's offscreen platform in tests)
// the key Qt names, as it sits on a US layout.

#include <QString>

class QKeyEvent;

namespace settings {

// 0 for a key the game has no code for.
int ScanCodeOfKeyEvent(const QKeyEvent& event);

// Whether the key of event is Shift, Control, Alt or AltGr: such a key is
// taken only when it is let go alone, so that it can begin a combination.
bool IsModifierKey(const QKeyEvent& event);

// The name of a combination of event's key with the Control, Alt or Shift
// keys held, such as "Alt+Enter" or "Ctrl+Escape"; "" when none is held.
QString CombinationName(const QKeyEvent& event);

}  // namespace settings
