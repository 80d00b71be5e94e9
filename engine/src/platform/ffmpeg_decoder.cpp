#include "platform/ffmpeg_decoder.h"
#include "platform/ffmpeg_handles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace quillon::platform {
namespace {

using ffmpeg::ErrorText;

struct IoCloser {
  void operator()(AVIOContext* io) const { avio_closep(&io); }
};
struct FormatCloser {
  void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
struct ResamplerFreer {
  void operator()(SwrContext* swr) const { swr_free(&swr); }
};

// Highest rate any real sound file uses; anything above is a broken header.
constexpr int kMaxSampleRate = 768000;

// A sound file is one file: playlists and container references that would make
// the demuxer open other files or URLs are refused.
int RefuseNestedOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
  return AVERROR(EPERM);
}

// Playlists and file sequences: they would play other files than the one
// named (the nested-open refusal above covers most, not the concat list).
bool ReadsOtherFiles(const AVInputFormat& container) {
  static constexpr std::string_view kLists[] = {"concat", "hls", "dash", "imf", "image2"};
  for (std::string_view name : kLists)
    if (container.name == name) return true;
  return false;
}

ffmpeg::Dictionary FileOnlyOptions() {
  AVDictionary* options = nullptr;
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  return ffmpeg::Dictionary(options);
}

}  // namespace

struct FfmpegDecoder::State {
  // Declared before the format context: the context reads through it and is
  // closed first.
  std::unique_ptr<AVIOContext, IoCloser> Io;
  std::unique_ptr<AVFormatContext, FormatCloser> Format;
  ffmpeg::Codec Codec;
  std::unique_ptr<SwrContext, ResamplerFreer> Resampler;
  ffmpeg::Packet Packet{av_packet_alloc()};
  ffmpeg::Frame Frame{av_frame_alloc()};
  int StreamIndex = -1;
  int OutputRate = 0;

  // What the resampler was set up for; a frame that differs sets it up anew.
  int InputFormat = -1;
  int InputRate = 0;
  AVChannelLayout InputLayout{};
  int OutputChannels = 0;

  std::vector<std::int16_t> Scratch;
  std::vector<std::int16_t> Pending;  // stereo frames decoded but not handed out
  std::size_t PendingPos = 0;         // in frames
  bool InputEnded = false;
  bool Ended = false;
  std::int64_t FramesRead = 0;

  ~State() { av_channel_layout_uninit(&InputLayout); }

  bool ConfigureResampler(const AVFrame& frame);
  bool Convert(const AVFrame& frame);
  void StorePending(int frames);
  void DrainResampler();
  bool DecodeNext();
};

bool FfmpegDecoder::State::ConfigureResampler(const AVFrame& frame) {
  const int channels = frame.ch_layout.nb_channels;
  if (channels <= 0 || frame.sample_rate <= 0 || frame.sample_rate > kMaxSampleRate) return false;
  AVChannelLayout in{};
  if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || !av_channel_layout_check(&frame.ch_layout))
    av_channel_layout_default(&in, channels);
  else
    av_channel_layout_copy(&in, &frame.ch_layout);
  AVChannelLayout out{};
  av_channel_layout_default(&out, channels >= 2 ? 2 : 1);

  SwrContext* raw = nullptr;
  int rc = swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_S16, OutputRate, &in,
                               static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
  Resampler.reset(raw);
  if (rc >= 0 && raw) rc = swr_init(raw);
  av_channel_layout_uninit(&InputLayout);
  InputLayout = {};
  if (rc < 0 || !raw) {
    av_channel_layout_uninit(&in);
    Resampler.reset();
    return false;
  }
  InputLayout = in;  // takes over what in owns
  InputFormat = frame.format;
  InputRate = frame.sample_rate;
  OutputChannels = out.nb_channels;
  av_channel_layout_uninit(&out);
  return true;
}

void FfmpegDecoder::State::StorePending(int frames) {
  Pending.resize(static_cast<std::size_t>(frames) * 2);
  PendingPos = 0;
  if (OutputChannels == 2) {
    std::copy_n(Scratch.begin(), Pending.size(), Pending.begin());
    return;
  }
  for (std::size_t i = 0; i < static_cast<std::size_t>(frames); ++i)
    Pending[2 * i] = Pending[2 * i + 1] = Scratch[i];
}

bool FfmpegDecoder::State::Convert(const AVFrame& frame) {
  const bool sameInput = Resampler && frame.format == InputFormat && frame.sample_rate == InputRate &&
                         frame.ch_layout.nb_channels == InputLayout.nb_channels &&
                         (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC ||
                          av_channel_layout_compare(&frame.ch_layout, &InputLayout) == 0);
  if (!sameInput && !ConfigureResampler(frame)) return false;
  const int room = swr_get_out_samples(Resampler.get(), frame.nb_samples);
  if (room <= 0) return false;
  Scratch.resize(static_cast<std::size_t>(room) * OutputChannels);
  auto* out = reinterpret_cast<std::uint8_t*>(Scratch.data());
  const int got = swr_convert(Resampler.get(), &out, room,
                              const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples);
  if (got <= 0) return false;
  StorePending(got);
  return true;
}

void FfmpegDecoder::State::DrainResampler() {
  if (!Resampler) return;
  const int room = swr_get_out_samples(Resampler.get(), 0);
  if (room <= 0) return;
  Scratch.resize(static_cast<std::size_t>(room) * OutputChannels);
  auto* out = reinterpret_cast<std::uint8_t*>(Scratch.data());
  const int got = swr_convert(Resampler.get(), &out, room, nullptr, 0);
  if (got > 0) StorePending(got);
}

// Refills Pending; false once the file is over.
bool FfmpegDecoder::State::DecodeNext() {
  while (!Ended) {
    int rc = avcodec_receive_frame(Codec.get(), Frame.get());
    if (rc == 0) {
      const bool converted = Convert(*Frame);
      av_frame_unref(Frame.get());
      if (converted) return true;
      continue;
    }
    if (rc != AVERROR(EAGAIN)) {
      // The end of the file, or a decoder that cannot go on: either way the
      // sound ends here with what was decoded.
      Ended = true;
      DrainResampler();
      return Pending.size() > PendingPos * 2;
    }
    if (InputEnded) {
      Ended = true;
      return false;
    }
    rc = av_read_frame(Format.get(), Packet.get());
    if (rc < 0) {
      InputEnded = true;
      avcodec_send_packet(Codec.get(), nullptr);  // lets the decoder hand out its last frames
      continue;
    }
    if (Packet->stream_index == StreamIndex)
      avcodec_send_packet(Codec.get(), Packet.get());  // a damaged packet is skipped
    av_packet_unref(Packet.get());
  }
  return false;
}

FfmpegDecoder::FfmpegDecoder(std::unique_ptr<State> state) : state_(std::move(state)) {}
FfmpegDecoder::~FfmpegDecoder() = default;

std::unique_ptr<FfmpegDecoder> FfmpegDecoder::Open(const std::filesystem::path& file, std::string& error) {
  av_log_set_level(AV_LOG_FATAL);  // our own log line says what went wrong
  auto state = std::make_unique<State>();
  if (!state->Packet || !state->Frame) {
    error = "out of memory";
    return nullptr;
  }
  const std::string url = "file:" + file.string();

  AVIOContext* io = nullptr;
  auto ioOptions = FileOnlyOptions();
  AVDictionary* rawIoOptions = ioOptions.release();
  int rc = avio_open2(&io, url.c_str(), AVIO_FLAG_READ, nullptr, &rawIoOptions);
  ioOptions.reset(rawIoOptions);
  if (rc < 0) {
    error = ErrorText(rc);
    return nullptr;
  }
  state->Io.reset(io);

  const AVInputFormat* container = nullptr;
  if ((rc = av_probe_input_buffer2(io, &container, url.c_str(), nullptr, 0, 0)) < 0) {
    error = ErrorText(rc);
    return nullptr;
  }
  if (ReadsOtherFiles(*container)) {
    error = "not a sound file";
    return nullptr;
  }

  AVFormatContext* format = avformat_alloc_context();
  if (!format) {
    error = "out of memory";
    return nullptr;
  }
  format->pb = io;
  format->io_open = RefuseNestedOpen;
  auto options = FileOnlyOptions();
  AVDictionary* rawOptions = options.release();
  rc = avformat_open_input(&format, url.c_str(), container, &rawOptions);  // frees format on failure
  options.reset(rawOptions);
  if (rc < 0) {
    error = ErrorText(rc);
    return nullptr;
  }
  state->Format.reset(format);
  if ((rc = avformat_find_stream_info(format, nullptr)) < 0) {
    error = ErrorText(rc);
    return nullptr;
  }

  const AVCodec* codec = nullptr;
  rc = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (rc < 0 || !codec) {
    error = rc < 0 ? ErrorText(rc) : "no decoder for the sound";
    return nullptr;
  }
  state->StreamIndex = rc;
  const AVStream* stream = format->streams[rc];
  state->Codec.reset(avcodec_alloc_context3(codec));
  if (!state->Codec) {
    error = "out of memory";
    return nullptr;
  }
  if ((rc = avcodec_parameters_to_context(state->Codec.get(), stream->codecpar)) < 0 ||
      (state->Codec->pkt_timebase = stream->time_base,
       rc = avcodec_open2(state->Codec.get(), codec, nullptr)) < 0) {
    error = ErrorText(rc);
    return nullptr;
  }
  const int rate = state->Codec->sample_rate;
  if (rate <= 0 || rate > kMaxSampleRate || state->Codec->ch_layout.nb_channels <= 0) {
    error = "unsupported sample rate or channel count";
    return nullptr;
  }
  state->OutputRate = rate;
  return std::unique_ptr<FfmpegDecoder>(new FfmpegDecoder(std::move(state)));
}

int FfmpegDecoder::SampleRate() const { return state_->OutputRate; }

std::optional<double> FfmpegDecoder::DurationSeconds() const {
  const AVStream* stream = state_->Format->streams[state_->StreamIndex];
  if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
    return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
  if (state_->Format->duration != AV_NOPTS_VALUE && state_->Format->duration > 0)
    return static_cast<double>(state_->Format->duration) / AV_TIME_BASE;
  return std::nullopt;
}

std::size_t FfmpegDecoder::Read(std::int16_t* out, std::size_t maxFrames) {
  State& s = *state_;
  std::size_t done = 0;
  while (done < maxFrames) {
    const std::size_t available = s.Pending.size() / 2 - s.PendingPos;
    if (available == 0) {
      if (!s.DecodeNext()) break;
      continue;
    }
    const std::size_t take = std::min(available, maxFrames - done);
    std::copy_n(s.Pending.begin() + static_cast<std::ptrdiff_t>(s.PendingPos * 2), take * 2, out + done * 2);
    s.PendingPos += take;
    done += take;
  }
  s.FramesRead += static_cast<std::int64_t>(done);
  return done;
}

std::int64_t FfmpegDecoder::FramesRead() const { return state_->FramesRead; }

std::optional<PcmSound> DecodeWholeFile(const std::filesystem::path& file, std::size_t maxFrames,
                                        std::string& error) {
  auto decoder = FfmpegDecoder::Open(file, error);
  if (!decoder) return std::nullopt;
  PcmSound sound;
  sound.SampleRate = decoder->SampleRate();
  constexpr std::size_t kChunk = 16384;
  for (;;) {
    const std::size_t have = sound.Frames();
    if (have > maxFrames) {
      error = "the sound is too long for an effect";
      return std::nullopt;
    }
    sound.Samples.resize((have + kChunk) * 2);
    const std::size_t got = decoder->Read(sound.Samples.data() + have * 2, kChunk);
    sound.Samples.resize((have + got) * 2);
    if (got == 0) break;
  }
  if (sound.Samples.empty()) {
    error = "the file holds no sound";
    return std::nullopt;
  }
  return sound;
}

}  // namespace quillon::platform
