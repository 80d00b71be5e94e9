#pragma once
// The sound device as the engine sees it: effect voices that hold a whole
// sound, stream voices that are fed a few small buffers at a time, and the
// device that mixes them. One device serves the whole process (the Engine's
// effects and every MP3Player); when none can be opened the null output
// stands in and every voice is silent.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/ffmpeg_decoder.h"

namespace quillon::platform {

// One sound effect. Each side of the output has its own voice, so that the
// level of the left and the right channel can be set apart.
class EffectVoice {
 public:
  virtual ~EffectVoice() = default;
  virtual void SetGains(float left, float right) = 0;
  // Playback rate against the sound's own rate (1 = as recorded).
  virtual void SetPitch(float ratio) = 0;
  // Starts from the beginning, also when already playing or paused.
  virtual void Play(bool loop) = 0;
  // Stops; a paused voice keeps its place, a stopped one goes back to the start.
  virtual void Stop(bool pause) = 0;
  virtual bool Playing() const = 0;
};

// Music: a voice fed with interleaved 16-bit stereo in buffers of at most
// BufferFrames() frames, at most BufferCount() queued at a time.
class StreamVoice {
 public:
  virtual ~StreamVoice() = default;
  virtual std::size_t BufferFrames() const = 0;
  virtual std::size_t BufferCount() const = 0;
  // Takes back the buffers that have been played; returns how many buffers
  // are free to be filled.
  virtual std::size_t Reclaim() = 0;
  virtual void Queue(std::span<const std::int16_t> stereo) = 0;
  virtual std::size_t QueuedBuffers() const = 0;
  // Frames played since the last Flush.
  virtual std::int64_t PlayedFrames() = 0;
  // Runs, also again after the queue ran dry.
  virtual void Start() = 0;
  virtual void Pause() = 0;
  // Stops and drops everything queued.
  virtual void Flush() = 0;
  // False when stopped, paused or starved of buffers.
  virtual bool Running() const = 0;
  virtual void SetGain(float gain) = 0;
};

// Something that keeps stream voices fed; the device calls Pump often enough
// (on its own thread for a sound card, before each block for a loopback
// device).
class StreamFeeder {
 public:
  virtual void Pump() = 0;

 protected:
  ~StreamFeeder() = default;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // False for the null output.
  virtual bool Audible() const = 0;
  // nullptr, with the reason in error, when the device refuses the sound.
  virtual std::unique_ptr<EffectVoice> CreateEffect(const PcmSound& sound, std::string& error) = 0;
  virtual std::unique_ptr<StreamVoice> CreateStream(int sampleRate, std::string& error) = 0;
  // After Detach returns, Pump of that feeder is not running and is not
  // called again.
  virtual void Attach(StreamFeeder* feeder) = 0;
  virtual void Detach(StreamFeeder* feeder) = 0;
};

// The names of the sound devices of this machine (empty when there is none).
std::vector<std::string> ListSoundDevices();

struct SoundDeviceResult {
  std::shared_ptr<AudioOutput> Output;  // nullptr when the device did not open
  std::string Error;
};

// The device every sound of the process plays on: the one already open, or
// the system's default device opened now.
SoundDeviceResult OpenSoundDevice();

// An output that plays nothing, for machines without a sound device.
std::shared_ptr<AudioOutput> NullAudioOutput();

}  // namespace quillon::platform
