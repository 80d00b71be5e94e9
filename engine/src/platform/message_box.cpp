#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>

#include "mod_extra.h"
#include "platform/video.h"

namespace quillon::platform {

bool ShowMessageBox(const std::string& text, const std::string& title) {
  if (!VideoSystem::Headless() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr) == 0) {
    return true;
  }
  lib::SaveLog(text);
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  return false;
}

}  // namespace quillon::platform
