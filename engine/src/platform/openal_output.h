#pragma once
// The sound device on OpenAL Soft: the system's default device, or a loopback
// device that mixes only when asked to (tests, benchmarks, machines without a
// sound card).

#include <condition_variable>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio_output.h"

namespace quillon::platform {

class OpenAlOutput final : public AudioOutput {
 public:
  static std::unique_ptr<OpenAlOutput> OpenDefault(std::string& error);
  // limiter: louder mixes are held below full scale as a sound card's output
  // holds them, instead of coming out exactly as mixed.
  static std::unique_ptr<OpenAlOutput> OpenLoopback(int sampleRate, std::string& error, bool limiter = false);
  ~OpenAlOutput() override;

  bool Audible() const override { return true; }
  std::unique_ptr<EffectVoice> CreateEffect(const PcmSound& sound, std::string& error) override;
  std::unique_ptr<StreamVoice> CreateStream(int sampleRate, std::string& error) override;
  void Attach(StreamFeeder* feeder) override;
  void Detach(StreamFeeder* feeder) override;

  // Loopback device only: mixes out.size() / 2 frames of interleaved float
  // stereo, feeding the streams before each small block as a sound card's
  // thread would.
  void Render(std::span<float> out);
  int SampleRate() const { return sampleRate_; }

 private:
  struct Device;
  OpenAlOutput(std::unique_ptr<Device> device, int sampleRate, bool loopback);
  void PumpAll();
  void PumpLoop(const std::stop_token& stop);

  std::unique_ptr<Device> device_;
  int sampleRate_;
  bool loopback_;
  std::mutex feedersMutex_;  // held while the feeders are pumped
  std::vector<StreamFeeder*> feeders_;
  std::mutex wakeMutex_;
  std::condition_variable_any wake_;
  std::jthread pumpThread_;  // last: stopped and joined before the rest goes
};

// Opens a loopback device and makes it the device of the process while it
// lives; nullptr, with the reason in error, when another device is open.
std::shared_ptr<OpenAlOutput> InstallLoopbackDevice(int sampleRate, std::string& error, bool limiter = false);

}  // namespace quillon::platform
