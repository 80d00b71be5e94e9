#include "encoder_thread.h"

#include <algorithm>

namespace quillon {

EncoderThread::EncoderThread(std::unique_ptr<platform::VideoEncoder> encoder)
    : encoder_(std::move(encoder)), thread_([this] { Run(); }) {}

EncoderThread::~EncoderThread() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    waiting_.clear();
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool EncoderThread::Add(const PictureView& picture, std::span<const float> stereo, std::string& error) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return waiting_.size() < kMaxWaiting || !failure_.empty(); });
  if (!failure_.empty()) {
    error = failure_;
    return false;
  }
  Frame frame;
  if (!spare_.empty()) {
    frame = std::move(spare_.back());
    spare_.pop_back();
  }
  lock.unlock();
  // The copy is made outside the lock, while the thread goes on encoding.
  frame.Width = picture.Width;
  frame.Height = picture.Height;
  frame.Pixels.resize(static_cast<std::size_t>(picture.Width) * picture.Height);
  for (int y = 0; y < picture.Height; ++y) {
    const std::uint32_t* row = picture.Pixels + static_cast<std::ptrdiff_t>(y) * picture.Pitch;
    std::copy(row, row + picture.Width,
              frame.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.Width);
  }
  frame.Sound.assign(stereo.begin(), stereo.end());
  lock.lock();
  waiting_.push_back(std::move(frame));
  lock.unlock();
  changed_.notify_all();
  return true;
}

void EncoderThread::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stop_ || !waiting_.empty(); });
    if (waiting_.empty()) return;  // stopped, nothing left
    Frame frame = std::move(waiting_.front());
    waiting_.pop_front();
    busy_ = true;
    lock.unlock();
    std::string error;
    const PictureView picture{frame.Pixels.data(), frame.Width, frame.Height, frame.Width};
    const bool ok = encoder_->AddPicture(picture, error) && encoder_->AddSound(frame.Sound, error);
    lock.lock();
    busy_ = false;
    times_ = encoder_->Times();
    if (!ok && failure_.empty()) failure_ = error;
    spare_.push_back(std::move(frame));
    changed_.notify_all();
  }
}

bool EncoderThread::Finish(std::string& error) {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return (waiting_.empty() && !busy_) || !failure_.empty(); });
    stop_ = true;
    waiting_.clear();  // after a failure nothing more is worth encoding
  }
  changed_.notify_all();
  thread_.join();
  if (!failure_.empty()) {
    error = failure_;
    return false;
  }
  const bool ok = encoder_->Finish(error);
  times_ = encoder_->Times();
  return ok;
}

platform::EncoderTimes EncoderThread::Times() {
  std::lock_guard lock(mutex_);
  return times_;
}

}  // namespace quillon
