#include "platform/openal_output.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>

#include "platform/openal_voices.h"

namespace quillon::platform {

struct OpenAlOutput::Device {
  ALCdevice* Handle = nullptr;
  ALCcontext* Context = nullptr;
  LPALCRENDERSAMPLESSOFT RenderSamples = nullptr;

  Device() = default;
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;
  ~Device() {
    if (Context) {
      if (alcGetCurrentContext() == Context) alcMakeContextCurrent(nullptr);
      alcDestroyContext(Context);
    }
    if (Handle) alcCloseDevice(Handle);
  }

  bool MakeContext(const ALCint* attributes, std::string& error) {
    Context = alcCreateContext(Handle, attributes);
    if (!Context || !alcMakeContextCurrent(Context)) {
      error = "the sound device refused a mixing context";
      return false;
    }
    return true;
  }
};

OpenAlOutput::OpenAlOutput(std::unique_ptr<Device> device, int sampleRate, bool loopback)
    : device_(std::move(device)), sampleRate_(sampleRate), loopback_(loopback) {}

OpenAlOutput::~OpenAlOutput() {
  if (pumpThread_.joinable()) {
    pumpThread_.request_stop();
    pumpThread_.join();
  }
}

std::unique_ptr<OpenAlOutput> OpenAlOutput::OpenDefault(std::string& error) {
  auto device = std::make_unique<Device>();
  device->Handle = alcOpenDevice(nullptr);
  if (!device->Handle) {
    error = "the sound device could not be opened";
    return nullptr;
  }
  if (!device->MakeContext(nullptr, error)) return nullptr;
  ALCint rate = 0;
  alcGetIntegerv(device->Handle, ALC_FREQUENCY, 1, &rate);
  return std::unique_ptr<OpenAlOutput>(new OpenAlOutput(std::move(device), rate, false));
}

std::unique_ptr<OpenAlOutput> OpenAlOutput::OpenLoopback(int sampleRate, std::string& error, bool limiter) {
  if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
    error = "OpenAL offers no loopback device";
    return nullptr;
  }
  auto openLoopback =
      reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  auto device = std::make_unique<Device>();
  device->RenderSamples =
      reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
  device->Handle = openLoopback ? openLoopback(nullptr) : nullptr;
  if (!device->Handle || !device->RenderSamples) {
    error = "the loopback device could not be opened";
    return nullptr;
  }
  // Float output is never clamped: without the limiter levels come out
  // exactly as mixed (what the tests measure).
  const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                               ALC_STEREO_SOFT,
                               ALC_FORMAT_TYPE_SOFT,
                               ALC_FLOAT_SOFT,
                               ALC_FREQUENCY,
                               sampleRate,
                               ALC_HRTF_SOFT,
                               ALC_FALSE,
                               ALC_OUTPUT_LIMITER_SOFT,
                               limiter ? ALC_TRUE : ALC_FALSE,
                               0};
  if (!device->MakeContext(attributes, error)) return nullptr;
  return std::unique_ptr<OpenAlOutput>(new OpenAlOutput(std::move(device), sampleRate, true));
}

std::unique_ptr<EffectVoice> OpenAlOutput::CreateEffect(const PcmSound& sound, std::string& error) {
  return CreateOpenAlEffect(sound, error);
}

std::unique_ptr<StreamVoice> OpenAlOutput::CreateStream(int sampleRate, std::string& error) {
  return CreateOpenAlStream(sampleRate, error);
}

void OpenAlOutput::Attach(StreamFeeder* feeder) {
  {
    std::lock_guard lock(feedersMutex_);
    if (std::find(feeders_.begin(), feeders_.end(), feeder) == feeders_.end()) feeders_.push_back(feeder);
  }
  // A sound card plays on its own; something has to keep its streams fed.
  if (!loopback_ && !pumpThread_.joinable())
    pumpThread_ = std::jthread([this](const std::stop_token& stop) { PumpLoop(stop); });
}

void OpenAlOutput::Detach(StreamFeeder* feeder) {
  std::lock_guard lock(feedersMutex_);
  std::erase(feeders_, feeder);
}

void OpenAlOutput::PumpAll() {
  std::lock_guard lock(feedersMutex_);
  for (StreamFeeder* feeder : feeders_) feeder->Pump();
}

void OpenAlOutput::PumpLoop(const std::stop_token& stop) {
  using namespace std::chrono_literals;
  while (!stop.stop_requested()) {
    PumpAll();
    std::unique_lock lock(wakeMutex_);
    wake_.wait_for(lock, stop, 10ms, [] { return false; });
  }
}

void OpenAlOutput::Render(std::span<float> out) {
  if (!loopback_) return;
  // Blocks well below one stream buffer, so a stream never runs dry between
  // two pumps.
  constexpr std::size_t kBlockFrames = 512;
  std::size_t frames = out.size() / 2;
  float* target = out.data();
  while (frames > 0) {
    const std::size_t block = std::min(frames, kBlockFrames);
    PumpAll();
    device_->RenderSamples(device_->Handle, target, static_cast<ALCsizei>(block));
    target += block * 2;
    frames -= block;
  }
}

}  // namespace quillon::platform
