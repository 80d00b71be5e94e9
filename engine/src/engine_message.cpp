#include "quillon/engine.h"

#include "platform/message_box.h"

namespace quillon {

void Engine::ShowMessage(std::string_view title, std::string_view text) {
  platform::ShowMessageBox(std::string(text), std::string(title));
}

}  // namespace quillon
