// Arbitrary bytes as the options file's "controls" section: every action gets
// keys that can be bound, no key drives two actions, and the key state made
// from any held keys has each action's code down exactly when one of its keys is.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <quillon/profile.h>

#include "fuzz_folder.h"
#include "sim/controls.h"
#include "sim/scan_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pebblerun;
  const auto file = fuzzing::Folder("controls") / "textures" / "options.bmp";
  const std::string head = "[controls]\n";
  std::vector<std::uint8_t> bytes(head.begin(), head.end());
  bytes.insert(bytes.end(), data, data + size);
  fuzzing::Write(file, bytes.data(), bytes.size());
  quillon::profile::ClearCache();

  std::vector<std::string> problems;
  const ControlBindings b = ReadBindings(file, problems);
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
