#include "platform/openal_voices.h"

#include <AL/al.h>
#include <AL/alext.h>

#include <array>
#include <climits>
#include <deque>
#include <vector>

namespace quillon::platform {
namespace {

// Owners of OpenAL source and buffer names. Sources are declared after their
// buffers so that they are deleted first: OpenAL keeps a buffer that a source
// still holds.
template <std::size_t N>
struct AlBuffers {
  std::array<ALuint, N> Ids{};
  bool Made = false;
  AlBuffers() {
    alGetError();
    alGenBuffers(N, Ids.data());
    Made = alGetError() == AL_NO_ERROR;
  }
  ~AlBuffers() {
    if (Made) alDeleteBuffers(N, Ids.data());
  }
  AlBuffers(const AlBuffers&) = delete;
  AlBuffers& operator=(const AlBuffers&) = delete;
};

template <std::size_t N>
struct AlSources {
  std::array<ALuint, N> Ids{};
  bool Made = false;
  AlSources() {
    alGetError();
    alGenSources(N, Ids.data());
    Made = alGetError() == AL_NO_ERROR;
    if (!Made) return;
    for (ALuint id : Ids) {
      // Never placed in space: no distance fall-off, no panning.
      alSourcei(id, AL_SOURCE_RELATIVE, AL_TRUE);
      alSourcef(id, AL_ROLLOFF_FACTOR, 0.0f);
      alSourcei(id, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
    }
  }
  ~AlSources() {
    if (!Made) return;
    alSourceStopv(N, Ids.data());
    for (ALuint id : Ids) alSourcei(id, AL_BUFFER, 0);
    alDeleteSources(N, Ids.data());
  }
  AlSources(const AlSources&) = delete;
  AlSources& operator=(const AlSources&) = delete;
};

bool FillBuffer(ALuint buffer, const std::int16_t* stereo, std::size_t frames, int rate) {
  alGetError();
  alBufferData(buffer, AL_FORMAT_STEREO16, stereo, static_cast<ALsizei>(frames * 4), rate);
  return alGetError() == AL_NO_ERROR;
}

class OpenAlEffect final : public EffectVoice {
 public:
  bool Load(const PcmSound& sound, std::string& error) {
    if (!buffers_.Made || !sources_.Made) {
      error = "the sound device has no voice left";
      return false;
    }
    if (sound.Frames() == 0 || sound.Frames() > INT_MAX / 4) {
      error = "the sound is empty or too long";
      return false;
    }
    // The left voice carries the left channel with a silent right, and the
    // other way round.
    std::vector<std::int16_t> side(sound.Samples.size(), 0);
    for (int channel = 0; channel < 2; ++channel) {
      for (std::size_t i = 0; i < sound.Frames(); ++i) {
        side[2 * i + channel] = sound.Samples[2 * i + channel];
        side[2 * i + 1 - channel] = 0;
      }
      if (!FillBuffer(buffers_.Ids[channel], side.data(), sound.Frames(), sound.SampleRate)) {
        error = "the sound device refused the sound";
        return false;
      }
      alSourcei(sources_.Ids[channel], AL_BUFFER, static_cast<ALint>(buffers_.Ids[channel]));
    }
    return true;
  }

  void SetGains(float left, float right) override {
    alSourcef(sources_.Ids[0], AL_GAIN, left);
    alSourcef(sources_.Ids[1], AL_GAIN, right);
  }
  void SetPitch(float ratio) override {
    for (ALuint id : sources_.Ids) alSourcef(id, AL_PITCH, ratio);
  }
  void Play(bool loop) override {
    for (ALuint id : sources_.Ids) alSourcei(id, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourceRewindv(2, sources_.Ids.data());
    alSourcePlayv(2, sources_.Ids.data());  // both sides start on the same sample
  }
  void Stop(bool pause) override {
    if (pause) {
      alSourcePausev(2, sources_.Ids.data());
    } else {
      alSourceStopv(2, sources_.Ids.data());
      alSourceRewindv(2, sources_.Ids.data());
    }
  }
  bool Playing() const override {
    ALint state = AL_STOPPED;
    alGetSourcei(sources_.Ids[0], AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
  }

 private:
  AlBuffers<2> buffers_;
  AlSources<2> sources_;
};

// Six buffers of 4096 frames: about half a second ahead at 44.1 kHz.
constexpr std::size_t kStreamBuffers = 6;
constexpr std::size_t kStreamBufferFrames = 4096;

class OpenAlStream final : public StreamVoice {
 public:
  explicit OpenAlStream(int rate) : rate_(rate) {
    if (buffers_.Made) free_.assign(buffers_.Ids.begin(), buffers_.Ids.end());
  }
  bool Ready() const { return buffers_.Made && sources_.Made; }

  std::size_t BufferFrames() const override { return kStreamBufferFrames; }
  std::size_t BufferCount() const override { return kStreamBuffers; }

  std::size_t Reclaim() override {
    ALint processed = 0;
    alGetSourcei(Source(), AL_BUFFERS_PROCESSED, &processed);
    while (processed-- > 0 && !queuedFrames_.empty()) {
      ALuint id = 0;
      alSourceUnqueueBuffers(Source(), 1, &id);
      free_.push_back(id);
      played_ += static_cast<std::int64_t>(queuedFrames_.front());
      queuedFrames_.pop_front();
    }
    // A stopped source counts whatever is queued next as played already; back
    // at its initial state it does not. With nothing queued the rewind loses
    // nothing.
    if (queuedFrames_.empty()) {
      ALint state = AL_INITIAL;
      alGetSourcei(Source(), AL_SOURCE_STATE, &state);
      if (state == AL_STOPPED) alSourceRewind(Source());
    }
    return free_.size();
  }

  void Queue(std::span<const std::int16_t> stereo) override {
    const std::size_t frames = stereo.size() / 2;
    if (free_.empty() || frames == 0 || frames > kStreamBufferFrames) return;
    const ALuint id = free_.back();
    if (!FillBuffer(id, stereo.data(), frames, rate_)) return;
    alSourceQueueBuffers(Source(), 1, &id);
    free_.pop_back();
    queuedFrames_.push_back(frames);
  }

  std::size_t QueuedBuffers() const override { return queuedFrames_.size(); }

  std::int64_t PlayedFrames() override {
    Reclaim();
    // Counted from the first buffer still queued, which Reclaim just made
    // the oldest unplayed one.
    ALint offset = 0;
    alGetSourcei(Source(), AL_SAMPLE_OFFSET, &offset);
    return played_ + offset;
  }

  void Start() override {
    Reclaim();
    if (!Running() && !queuedFrames_.empty()) alSourcePlay(Source());
  }
  void Pause() override { alSourcePause(Source()); }
  void Flush() override {
    alSourceStop(Source());
    alSourcei(Source(), AL_BUFFER, 0);
    alSourceRewind(Source());  // see Reclaim
    free_.assign(buffers_.Ids.begin(), buffers_.Ids.end());
    queuedFrames_.clear();
    played_ = 0;
  }
  bool Running() const override {
    ALint state = AL_STOPPED;
    alGetSourcei(Source(), AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
  }
  void SetGain(float gain) override { alSourcef(Source(), AL_GAIN, gain); }

 private:
  ALuint Source() const { return sources_.Ids[0]; }

  int rate_;
  AlBuffers<kStreamBuffers> buffers_;
  AlSources<1> sources_;
  std::vector<ALuint> free_;
  std::deque<std::size_t> queuedFrames_;
  std::int64_t played_ = 0;
};

}  // namespace

std::unique_ptr<EffectVoice> CreateOpenAlEffect(const PcmSound& sound, std::string& error) {
  auto voice = std::make_unique<OpenAlEffect>();
  if (!voice->Load(sound, error)) return nullptr;
  return voice;
}

std::unique_ptr<StreamVoice> CreateOpenAlStream(int sampleRate, std::string& error) {
  auto voice = std::make_unique<OpenAlStream>(sampleRate);
  if (!voice->Ready()) {
    error = "the sound device has no voice left";
    return nullptr;
  }
  return voice;
}

}  // namespace quillon::platform
