#include "audio/music_stream.h"

#include <algorithm>

namespace quillon::audio {

std::unique_ptr<MusicStream> MusicStream::Open(std::shared_ptr<platform::AudioOutput> output,
                                               const std::filesystem::path& file, std::string& error) {
  auto decoder = platform::FfmpegDecoder::Open(file, error);
  if (!decoder) return nullptr;
  auto voice = output->CreateStream(decoder->SampleRate(), error);
  if (!voice) return nullptr;
  std::unique_ptr<MusicStream> stream(
      new MusicStream(std::move(output), file, std::move(decoder), std::move(voice)));
  stream->output_->Attach(stream.get());
  return stream;
}

MusicStream::MusicStream(std::shared_ptr<platform::AudioOutput> output, std::filesystem::path file,
                         std::unique_ptr<platform::FfmpegDecoder> decoder,
                         std::unique_ptr<platform::StreamVoice> voice)
    : output_(std::move(output)),
      file_(std::move(file)),
      sampleRate_(decoder->SampleRate()),
      duration_(decoder->DurationSeconds()),
      decoder_(std::move(decoder)),
      voice_(std::move(voice)),
      chunk_(voice_->BufferFrames() * 2) {}

MusicStream::~MusicStream() {
  // Not under mutex_: the device holds its feeder lock while it pumps, and
  // Pump takes mutex_.
  output_->Detach(this);
}

void MusicStream::Fill() {
  std::size_t free = voice_->Reclaim();
  while (free-- > 0 && !decodeEnded_) {
    const std::size_t got = decoder_ ? decoder_->Read(chunk_.data(), voice_->BufferFrames()) : 0;
    if (got == 0) {
      decodeEnded_ = true;
      break;
    }
    voice_->Queue({chunk_.data(), got * 2});
  }
}

void MusicStream::Pump() {
  std::lock_guard lock(mutex_);
  if (!playing_) return;
  Fill();
  if (decodeEnded_ && voice_->QueuedBuffers() == 0) {
    playing_ = false;
    atEnd_ = true;
  } else if (!voice_->Running()) {
    voice_->Start();  // ran dry (a slow disk, a busy machine): go on
  }
}

void MusicStream::Rewind() {
  voice_->Flush();
  if (decoder_) decodedBefore_ += decoder_->FramesRead();
  // Opening the file again is the one way back to the start that is exact
  // for every format.
  std::string error;
  decoder_ = platform::FfmpegDecoder::Open(file_, error);
  decodeEnded_ = atEnd_ = false;
}

void MusicStream::Play(bool startOver) {
  std::lock_guard lock(mutex_);
  if (startOver) Rewind();
  if (atEnd_) return;
  playing_ = true;
  Fill();
  voice_->Start();
}

void MusicStream::Stop(bool pause) {
  std::lock_guard lock(mutex_);
  playing_ = false;
  voice_->Pause();
  if (!pause) Rewind();
}

void MusicStream::SetGain(float gain) {
  std::lock_guard lock(mutex_);
  voice_->SetGain(gain);
}

double MusicStream::PositionSeconds() {
  std::lock_guard lock(mutex_);
  double position = static_cast<double>(voice_->PlayedFrames()) / sampleRate_;
  // A file that has played to its end stands at its full length, even when
  // its decoder hands out a little less than the file declares.
  if (atEnd_ && duration_) return std::max(position, *duration_);
  if (duration_) position = std::min(position, *duration_);
  return position;
}

std::optional<double> MusicStream::DurationSeconds() const { return duration_; }

std::int64_t MusicStream::FramesDecoded() const {
  std::lock_guard lock(mutex_);
  return decodedBefore_ + (decoder_ ? decoder_->FramesRead() : 0);
}

}  // namespace quillon::audio
