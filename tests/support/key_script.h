#pragma once
// Scripted key presses for `Pebblerun --script`: each press held for one
// frame, one after another, five frames apart (a longer Escape would also
// confirm the name prompt it opens).

#include <sstream>
#include <string>

namespace pebblerun::support {

class KeyScript {
 public:
  explicit KeyScript(int startFrame = 10) : frame_(startFrame) {}
  KeyScript& Press(const std::string& key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      out_ << frame_ << " down " << key << "\n" << frame_ + 1 << " up " << key << "\n";
      frame_ += 5;
    }
    return *this;
  }
  KeyScript& Wait(int frames) {
    frame_ += frames;
    return *this;
  }
  std::string Text() const { return out_.str(); }

 private:
  int frame_;
  std::ostringstream out_;
};

}  // namespace pebblerun::support
