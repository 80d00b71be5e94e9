#pragma once
// Writing a video file with FFmpeg: pictures and stereo sound in, one file
// out, H.264 + AAC for ".mp4", H.264 + Opus for ".mkv", VP9 + Opus for
// ".webm" (chosen by the extension, without regard to case). Every FFmpeg object is owned
// through a RAII deleter; nothing here throws.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "image.h"

namespace quillon::platform {

struct VideoFormat {
  int Width = 800;  // of the pictures handed in
  int Height = 600;
  int Scale = 1;  // the file's pictures are Scale times as wide and as high, nearest pixel
  int FramesPerSecond = 50;
  int SampleRate = 48000;
};

// Where the encoder's time went, in processor seconds of the caller's thread
// (the codecs' own threads work on beside it).
struct EncoderTimes {
  double Conversion = 0;  // pictures to the codec's colours and size
  double Video = 0;       // handing pictures to the video codec and writing its packets
  double Sound = 0;       // the same for the sound
};

class VideoEncoder {
 public:
  // True when the extension of name is one the encoder writes.
  static bool KnownExtension(const std::filesystem::path& name);

  // Writes to file (created or emptied) in the container the extension of
  // name asks for; name is only looked at for its extension, so a temporary
  // file can stand in for the final one. nullptr, with the reason in error,
  // when the file cannot be written or this FFmpeg lacks a codec.
  static std::unique_ptr<VideoEncoder> Open(const std::filesystem::path& file,
                                            const std::filesystem::path& name, const VideoFormat& format,
                                            std::string& error);
  // Without Finish, closes the file as it stands: an abandoned file is not
  // worth ending (for an MP4 that would rewrite all of it).
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // The next picture, shown for 1 / FramesPerSecond s. A picture of another
  // size than the format's is stretched to it.
  bool AddPicture(const PictureView& picture, std::string& error);
  // The next stereo frames, interleaved floats of full scale 1.0 (louder is
  // clipped).
  bool AddSound(std::span<const float> stereo, std::string& error);
  // Ends both streams and writes the end of the file. Whatever happens, the
  // file is closed afterwards.
  bool Finish(std::string& error);

  const EncoderTimes& Times() const;
  std::int64_t Pictures() const;
  std::int64_t SoundFrames() const;

 private:
  struct State;
  explicit VideoEncoder(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace quillon::platform
