#include "sim/playback_input.h"

#include <cmath>

#include <quillon/numbers.h>
#include <quillon/profile.h>

namespace pebblerun {
namespace {

// Whole frames below this are written as plain digits; from here on the
// recorder's seven significant digits turn to the exponent form.
constexpr double kPlainFrames = 1e7;

// The frame of a key prefix written as plain digits without a leading zero.
std::optional<std::uint32_t> PlainFrame(std::string_view digits) {
  if (digits.empty() || digits.size() > 7 || (digits.size() > 1 && digits.front() == '0'))
    return std::nullopt;
  std::uint32_t frame = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    frame = frame * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return frame;
}

int FlagIndex(std::string_view name) {
  for (std::size_t i = 0; i < kRecordedFlagNames.size(); ++i)
    if (quillon::ascii::EqualsNoCase(name, kRecordedFlagNames[i])) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::shared_ptr<const PlaybackInput> PlaybackInput::Read(const quillon::profile::IniSnapshot& text) {
  auto input = std::make_shared<PlaybackInput>();
  for (const auto& [key, value] : text.Section("ingame")) input->Add(key, value);
  return input;
}

void PlaybackInput::Add(std::string_view key, std::string_view value) {
  const std::size_t cut = key.find('_');
  if (cut != std::string_view::npos) {
    const auto frame = PlainFrame(key.substr(0, cut));
    const int flag = FlagIndex(key.substr(cut + 1));
    if (frame && flag >= 0) {
      byFrame_[*frame][static_cast<std::size_t>(flag)] = value;
      return;
    }
  }
  others_.emplace(key, value);
}

std::array<std::string_view, 4> PlaybackInput::At(Single frame) const {
  std::array<std::string_view, 4> texts{};
  const double f = frame;
  if (f >= 0 && f < kPlainFrames && std::floor(f) == f) {
    const auto it = byFrame_.find(static_cast<std::uint32_t>(f));
    if (it != byFrame_.end())
      for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = it->second[i];
    return texts;
  }
  if (others_.empty()) return texts;
  const std::string prefix = quillon::vb::FormatSingle(frame) + "_";
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const auto it = others_.find(prefix + kRecordedFlagNames[i]);
    if (it != others_.end()) texts[i] = it->second;
  }
  return texts;
}

}  // namespace pebblerun
