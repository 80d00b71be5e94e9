#pragma once
// The desktop around the program: opening links with the user's default
// handler, the file-open dialog and the network state.
// Helper programs are started directly (never through a shell), so no text
// handed in is ever interpreted as a command.

#include <filesystem>
#include <string>

namespace quillon::platform {

// Hands target to the desktop's default handler (xdg-open) without waiting.
void OpenWithDesktop(const std::string& target);

// Asks the user for a file with the desktop's file-open dialog (zenity or
// kdialog), starting in folder. "" when cancelled or when no dialog program
// or display is available.
std::string AskForFile(const std::string& title, const std::filesystem::path& folder);

// The desktop's folder of a kind ("PICTURES", "MUSIC", ...) as xdg-user-dir
// reports it; "" when the program is missing or fails.
std::string DesktopUserFolder(const std::string& kind);

// True when a network interface other than loopback is up and has an
// address.
bool IsNetworkUp();

}  // namespace quillon::platform
