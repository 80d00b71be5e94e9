// Arbitrary bytes as the options file's "controls" section, fed from memory: every action gets
// keys that can be bound, no key drives two actions, and the key state made
// from any held keys has each action's code down exactly when one of its keys is.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <quillon/profile.h>

#include "sim/controls.h"
#include "sim/scan_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pebblerun;
  const std::string text = "[controls]\n" + std::string(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> problems;
  const ControlBindings b = ReadBindings(quillon::profile::IniSnapshot(text), problems);
  KeyStates held{};
  for (std::size_t i = 0; i < size && i < 64; ++i) held[data[i]] = scan::kDown;
  const KeyStates keys = PlayKeys(b, held);
  for (const auto& info : GameActions()) {
    bool down = false;
    for (int code : b[info.Action]) {
      if (code == 0) continue;
      if (!quillon::keys::CanBeBound(code) ||
          quillon::keys::HolderOf(b.Keys, code, static_cast<std::size_t>(info.Action)))
        std::abort();
      down = down || held[static_cast<std::size_t>(code)] == scan::kDown;
    }
    if ((keys[static_cast<std::size_t>(info.GameCode)] == scan::kDown) != down) std::abort();
  }
  return 0;
}
