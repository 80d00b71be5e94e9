// The output of a machine without a sound device: every voice accepts its
// calls and plays nothing.

#include "platform/audio_output.h"

namespace quillon::platform {
namespace {

class NullEffect final : public EffectVoice {
 public:
  void SetGains(float, float) override {}
  void SetPitch(float) override {}
  void Play(bool) override {}
  void Stop(bool) override {}
  bool Playing() const override { return false; }
};

class NullStream final : public StreamVoice {
 public:
  std::size_t BufferFrames() const override { return 4096; }
  std::size_t BufferCount() const override { return 1; }
  std::size_t Reclaim() override { return 0; }
  void Queue(std::span<const std::int16_t>) override {}
  std::size_t QueuedBuffers() const override { return 0; }
  std::int64_t PlayedFrames() override { return 0; }
  void Start() override {}
  void Pause() override {}
  void Flush() override {}
  bool Running() const override { return false; }
  void SetGain(float) override {}
};

class NullOutput final : public AudioOutput {
 public:
  bool Audible() const override { return false; }
  std::unique_ptr<EffectVoice> CreateEffect(const PcmSound&, std::string&) override {
    return std::make_unique<NullEffect>();
  }
  std::unique_ptr<StreamVoice> CreateStream(int, std::string&) override {
    return std::make_unique<NullStream>();
  }
  void Attach(StreamFeeder*) override {}
  void Detach(StreamFeeder*) override {}
};

}  // namespace

std::shared_ptr<AudioOutput> NullAudioOutput() { return std::make_shared<NullOutput>(); }

}  // namespace quillon::platform
