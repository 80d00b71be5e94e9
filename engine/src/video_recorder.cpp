#include "quillon/video_recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>
#include <vector>

#include "encoder_thread.h"
#include "engine_impl.h"
#include "platform/openal_output.h"
#include "platform/video_encoder.h"
#include "quillon/atomic_file.h"
#include "quillon/clocks.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

fs::path Absolute(const fs::path& file) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(file, ec);
  return ec ? file : absolute.lexically_normal();
}

// The bytes on disk before the name moves, and the move itself on disk
// after it: a crash right after Finish leaves the whole video or none.
void SyncFile(const fs::path& file, int flags) {
  const int fd = ::open(file.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

struct VideoRecorder::Impl {
  fs::path Target;
  fs::path Temp;
  std::unique_ptr<EncoderThread> Encoder;
  std::shared_ptr<platform::OpenAlOutput> Sound;
  std::vector<float> Mix;
  std::vector<std::uint32_t> Scratch;
  std::int64_t Frames = 0;
  TimeSpent Times;

  void KeepEncoderTimes() {
    if (!Encoder) return;
    const auto& e = Encoder->Times();
    Times.Conversion = e.Conversion;
    Times.Video = e.Video;
    Times.Sound = e.Sound;
  }

  void RemoveTemp() {
    KeepEncoderTimes();
    Encoder.reset();  // closes the file
    std::error_code ec;
    if (!Temp.empty()) fs::remove(Temp, ec);
    Temp.clear();
  }
};

VideoRecorder::VideoRecorder() : impl_(std::make_unique<Impl>()) {}

VideoRecorder::~VideoRecorder() { Abandon(); }

bool VideoRecorder::CheckFileName(const fs::path& file, std::string& error) {
  if (file.empty() || !file.has_filename()) {
    error = "no file name";
    return false;
  }
  if (!platform::VideoEncoder::KnownExtension(file)) {
    error = "a video file name ends in .mp4, .webm or .mkv";
    return false;
  }
  std::error_code ec;
  if (fs::is_directory(file, ec)) {
    error = "that is a folder";
    return false;
  }
  const fs::path folder = Absolute(file).parent_path();
  if (!fs::is_directory(folder, ec)) {
    error = "the folder " + folder.string() + " does not exist";
    return false;
  }
  return true;
}

fs::path VideoRecorder::TemporaryFile(const fs::path& file, long pid) {
  const fs::path target = Absolute(file);
  // Named as every atomic write names its temporary, so that the next
  // recording of the same file removes one a killed process left behind.
  return target.parent_path() / ("." + target.filename().string() + "." + std::to_string(pid) + ".0.tmp");
}

bool VideoRecorder::Open(const fs::path& file, int width, int height, int scale, std::string& error) {
  Abandon();
  if (!CheckFileName(file, error)) return false;
  Impl& r = *impl_;
  r.Target = Absolute(file);
  RemoveStaleTemporaries(r.Target);
  r.Temp = TemporaryFile(r.Target, static_cast<long>(::getpid()));
  platform::VideoFormat format;
  format.Width = width;
  format.Height = height;
  format.Scale = scale;
  format.FramesPerSecond = kFramesPerSecond;
  format.SampleRate = kSampleRate;
  auto encoder = platform::VideoEncoder::Open(r.Temp, r.Target, format, error);
  if (encoder) {
    try {
      r.Encoder = std::make_unique<EncoderThread>(std::move(encoder));
    } catch (const std::exception& e) {
      error = e.what();
    }
  }
  if (!r.Encoder) {
    error = "cannot write " + r.Target.string() + ": " + error;
    r.RemoveTemp();
    return false;
  }
  r.Frames = 0;
  r.Times = TimeSpent{};
  return true;
}

bool VideoRecorder::CaptureSound(std::string& error) {
  if (impl_->Sound) return true;
  // Held below full scale as a sound card holds a loud moment, rather than
  // clipped by the codec.
  impl_->Sound = platform::InstallLoopbackDevice(kSampleRate, error, true);
  return impl_->Sound != nullptr;
}

bool VideoRecorder::AddFrame(Engine& engine, std::string& error) {
  Impl& r = *impl_;
  if (!r.Encoder) {
    error = "no video is being written";
    return false;
  }
  platform::Video* video = engine.Internals().Video.get();
  if (!video) {
    error = "the engine shows no picture";
    return false;
  }
  double start = clocks::ThreadCpuSeconds();
  PictureView picture;
  if (!video->WindowPicture(picture, r.Scratch, error)) return false;
  r.Times.Picture += clocks::ThreadCpuSince(start);
  start = clocks::ThreadCpuSeconds();
  r.Mix.assign(2 * static_cast<std::size_t>(kSampleRate / kFramesPerSecond), 0.0f);
  if (r.Sound) r.Sound->Render(r.Mix);
  r.Times.SoundMix += clocks::ThreadCpuSince(start);
  // The copy for the encoder's thread is the reading's cost too.
  start = clocks::ThreadCpuSeconds();
  const bool added = r.Encoder->Add(picture, r.Mix, error);
  r.Times.Picture += clocks::ThreadCpuSince(start);
  if (!added) return false;
  ++r.Frames;
  return true;
}

bool VideoRecorder::Finish(std::string& error) {
  Impl& r = *impl_;
  if (!r.Encoder) {
    error = "no video is being written";
    return false;
  }
  bool ok = r.Encoder->Finish(error);
  r.KeepEncoderTimes();
  r.Encoder.reset();
  if (ok) {
    SyncFile(r.Temp, O_RDONLY);
    std::error_code ec;
    fs::rename(r.Temp, r.Target, ec);
    if (ec) {
      error = "cannot name the video " + r.Target.string() + ": " + ec.message();
      ok = false;
    } else {
      r.Temp.clear();
      SyncFile(r.Target.parent_path(), O_RDONLY | O_DIRECTORY);
    }
  }
  if (!ok) r.RemoveTemp();
  return ok;
}

void VideoRecorder::Abandon() { impl_->RemoveTemp(); }

std::int64_t VideoRecorder::Frames() const { return impl_->Frames; }

VideoRecorder::TimeSpent VideoRecorder::Times() const {
  impl_->KeepEncoderTimes();
  return impl_->Times;
}

}  // namespace quillon
