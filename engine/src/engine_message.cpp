#include "quillon/engine.h"

#include "platform/message_box.h"

namespace quillon {

bool Engine::ShowMessage(std::string_view title, std::string_view text) {
  return platform::ShowMessageBox(std::string(text), std::string(title));
}

}  // namespace quillon
