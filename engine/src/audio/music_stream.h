#pragma once
// One music file playing: decoded a few thousand frames at a time into the
// small buffers of a stream voice, never whole. The device keeps it fed from
// its own thread, while the host's calls come from the host's thread.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio_output.h"
#include "platform/ffmpeg_decoder.h"

namespace quillon::audio {

class MusicStream final : private platform::StreamFeeder {
 public:
  // nullptr, with the reason in error, when the file cannot be decoded.
  static std::unique_ptr<MusicStream> Open(std::shared_ptr<platform::AudioOutput> output,
                                           const std::filesystem::path& file, std::string& error);
  ~MusicStream();
  MusicStream(const MusicStream&) = delete;
  MusicStream& operator=(const MusicStream&) = delete;

  // Runs from where the music stands (the start when startOver is set). At
  // the end of the file it stops by itself and stays at the end.
  void Play(bool startOver);
  // Halts; unless pause is set, goes back to the start.
  void Stop(bool pause);
  void SetGain(float gain);

  double PositionSeconds();
  std::optional<double> DurationSeconds() const;

  // Frames taken from the decoder so far (how much of the file has been
  // decoded, whatever has been played of it).
  std::int64_t FramesDecoded() const;

 private:
  MusicStream(std::shared_ptr<platform::AudioOutput> output, std::filesystem::path file,
              std::unique_ptr<platform::FfmpegDecoder> decoder, std::unique_ptr<platform::StreamVoice> voice);
  void Pump() override;
  void Fill();
  void Rewind();

  // Declared first: the voice must go before the device it plays on.
  std::shared_ptr<platform::AudioOutput> output_;
  std::filesystem::path file_;
  int sampleRate_;
  std::optional<double> duration_;
  mutable std::mutex mutex_;
  std::unique_ptr<platform::FfmpegDecoder> decoder_;
  std::unique_ptr<platform::StreamVoice> voice_;
  std::vector<std::int16_t> chunk_;
  std::int64_t decodedBefore_ = 0;  // frames decoded by decoders replaced by a rewind
  bool playing_ = false;            // asked to play, and the end has not come
  bool decodeEnded_ = false;
  bool atEnd_ = false;
};

}  // namespace quillon::audio
