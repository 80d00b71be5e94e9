#pragma once
// Sound files of every format FFmpeg knows (WAV, WMA, MP3, Ogg, FLAC, ...),
// decoded to interleaved 16-bit stereo at the file's own sample rate. A mono
// file comes out with the same samples on both sides, at full level.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillon::platform {

class FfmpegDecoder {
 public:
  // nullptr, with the reason in error, when the file cannot be read or holds
  // no audio stream that can be decoded.
  static std::unique_ptr<FfmpegDecoder> Open(const std::filesystem::path& file, std::string& error);

  ~FfmpegDecoder();
  FfmpegDecoder(const FfmpegDecoder&) = delete;
  FfmpegDecoder& operator=(const FfmpegDecoder&) = delete;

  int SampleRate() const;
  // The length the file declares, in seconds; nullopt when it declares none.
  std::optional<double> DurationSeconds() const;

  // Decodes up to maxFrames stereo frames into out (2 × maxFrames samples).
  // Fewer only at the end of the file; 0 once it is over. Damaged packets are
  // skipped.
  std::size_t Read(std::int16_t* out, std::size_t maxFrames);

  // Frames handed out by Read so far.
  std::int64_t FramesRead() const;

 private:
  struct State;
  explicit FfmpegDecoder(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

// A whole sound in memory: interleaved 16-bit stereo.
struct PcmSound {
  int SampleRate = 0;
  std::vector<std::int16_t> Samples;
  std::size_t Frames() const { return Samples.size() / 2; }
};

// Decodes a whole file; nullopt, with the reason in error, when it cannot be
// read or is longer than maxFrames.
std::optional<PcmSound> DecodeWholeFile(const std::filesystem::path& file, std::size_t maxFrames,
                                        std::string& error);

}  // namespace quillon::platform
