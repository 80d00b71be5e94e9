#pragma once
// Builds the text of a --script file: key presses and combinations, one
// after another, each held for a frame or two.

#include <initializer_list>
#include <sstream>
#include <string>

namespace pebblerun::support {

class KeyScript {
 public:
  explicit KeyScript(int startFrame = 10) : frame_(startFrame) {}

  // Each press down for one frame, then 5 frames to the next.
  KeyScript& Press(const std::string& key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      Line(frame_, "down " + key);
      Line(frame_ + 1, "up " + key);
      frame_ += 5;
    }
    return *this;
  }
  // The keys go down one per frame in the order given and come up in the
  // reverse order: Chord({"LCtrl", "Escape"}) is Control+Escape.
  KeyScript& Chord(std::initializer_list<std::string> keys) {
    int at = frame_;
    for (const std::string& key : keys) Line(at++, "down " + key);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) Line(at++, "up " + *it);
    frame_ = at + 4;
    return *this;
  }
  KeyScript& Hold(const std::string& key, int frames) {
    Line(frame_, "down " + key);
    Line(frame_ + frames, "up " + key);
    frame_ += frames + 2;
    return *this;
  }
  KeyScript& Wait(int frames) {
    frame_ += frames;
    return *this;
  }
  KeyScript& WaitUntil(int frame) {
    if (frame > frame_) frame_ = frame;
    return *this;
  }
  // The frame the next key will go down in.
  int Frame() const { return frame_; }
  std::string Text() const { return out_.str(); }

 private:
  void Line(int frame, const std::string& what) { out_ << frame << ' ' << what << '\n'; }
  int frame_;
  std::ostringstream out_;
};

}  // namespace pebblerun::support
