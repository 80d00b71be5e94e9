#pragma once
// A video encoder on a thread of its own, a frame or two behind its caller:
// the caller (the game's loop) hands over a copy of each picture and its
// sound and goes on drawing the next frame while this one is converted and
// encoded. At most two frames wait, so memory stays flat however long the
// video; a caller that is faster than the encoder waits for it.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "image.h"
#include "platform/video_encoder.h"

namespace quillon {

class EncoderThread {
 public:
  explicit EncoderThread(std::unique_ptr<platform::VideoEncoder> encoder);
  // Stops the thread; an unfinished file stays unfinished.
  ~EncoderThread();
  EncoderThread(const EncoderThread&) = delete;
  EncoderThread& operator=(const EncoderThread&) = delete;

  // Queues a copy of the picture and the sound. False, with the reason, once
  // the encoder has failed (on this frame's predecessors).
  bool Add(const PictureView& picture, std::span<const float> stereo, std::string& error);
  // Encodes what waits, then ends the file.
  bool Finish(std::string& error);

  // The encoder's processor time, on its thread.
  platform::EncoderTimes Times();

 private:
  struct Frame {
    std::vector<std::uint32_t> Pixels;
    int Width = 0, Height = 0;
    std::vector<float> Sound;
  };
  static constexpr std::size_t kMaxWaiting = 2;

  void Run();

  std::unique_ptr<platform::VideoEncoder> encoder_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Frame> waiting_;
  std::vector<Frame> spare_;  // buffers of encoded frames, used again
  bool busy_ = false;         // the thread is encoding a frame
  bool stop_ = false;
  std::string failure_;
  platform::EncoderTimes times_;
  std::thread thread_;  // last: started when everything else is ready
};

}  // namespace quillon
