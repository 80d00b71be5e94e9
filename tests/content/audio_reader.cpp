#include "audio_reader.h"

#include <algorithm>
#include <cmath>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace content_test {

namespace {

struct InputClose {
  void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct CodecFree {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};

// Appends the frame's samples, averaged over the channels.
bool AppendMono(const AVFrame& frame, int channels, std::vector<float>& out) {
  const auto format = static_cast<AVSampleFormat>(frame.format);
  const bool planar = av_sample_fmt_is_planar(format);
  for (int i = 0; i < frame.nb_samples; ++i) {
    double sum = 0;
    for (int c = 0; c < channels; ++c) {
      const int plane = planar ? c : 0, index = planar ? i : i * channels + c;
      switch (av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_S16:
          sum += reinterpret_cast<const int16_t*>(frame.extended_data[plane])[index] / 32768.0;
          break;
        case AV_SAMPLE_FMT_FLT:
          sum += reinterpret_cast<const float*>(frame.extended_data[plane])[index];
          break;
        default: return false;
      }
    }
    out.push_back(static_cast<float>(sum / channels));
  }
  return true;
}

bool Receive(AVCodecContext* dec, AVFrame* frame, Audio& audio, std::string& error) {
  for (;;) {
    const int r = avcodec_receive_frame(dec, frame);
    if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
    if (r < 0) return error = "decoding failed", false;
    if (audio.frameSize == 0) audio.frameSize = frame->nb_samples;
    if (!AppendMono(*frame, audio.channels, audio.mono)) return error = "unexpected sample format", false;
  }
}

}  // namespace

Audio ReadAudio(const std::filesystem::path& file, std::string& error) {
  AVFormatContext* raw = nullptr;
  if (avformat_open_input(&raw, file.c_str(), nullptr, nullptr) < 0) return error = "cannot open", Audio{};
  std::unique_ptr<AVFormatContext, InputClose> in(raw);
  if (avformat_find_stream_info(in.get(), nullptr) < 0) return error = "no stream info", Audio{};
  const int index = av_find_best_stream(in.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (index < 0) return error = "no audio stream", Audio{};
  const AVCodecParameters* par = in->streams[index]->codecpar;
  const AVCodec* codec = avcodec_find_decoder(par->codec_id);
  if (!codec) return error = "no decoder", Audio{};
  std::unique_ptr<AVCodecContext, CodecFree> dec(avcodec_alloc_context3(codec));
  if (!dec || avcodec_parameters_to_context(dec.get(), par) < 0 ||
      avcodec_open2(dec.get(), codec, nullptr) < 0)
    return error = "cannot open decoder", Audio{};
  Audio audio;
  audio.codec = codec->name;
  audio.rate = par->sample_rate;
  audio.channels = par->ch_layout.nb_channels;
  audio.containerSeconds = in->duration > 0 ? static_cast<double>(in->duration) / AV_TIME_BASE : 0.0;
  std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
  std::unique_ptr<AVPacket, PacketFree> pkt(av_packet_alloc());
  while (av_read_frame(in.get(), pkt.get()) >= 0) {
    const bool ours = pkt->stream_index == index;
    const int sent = ours ? avcodec_send_packet(dec.get(), pkt.get()) : 0;
    av_packet_unref(pkt.get());
    if (sent < 0) return error = "bad packet", Audio{};
    if (ours && !Receive(dec.get(), frame.get(), audio, error)) return Audio{};
  }
  avcodec_send_packet(dec.get(), nullptr);
  if (!Receive(dec.get(), frame.get(), audio, error)) return Audio{};
  return audio;
}

double Rms(const std::vector<float>& s, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count && i < s.size(); ++i) sum += static_cast<double>(s[i]) * s[i];
  return count ? std::sqrt(sum / count) : 0.0;
}

double Peak(const std::vector<float>& s) {
  float peak = 0;
  for (float v : s) peak = std::max(peak, std::fabs(v));
  return peak;
}

double ToDb(double level) { return 20.0 * std::log10(std::max(level, 1e-9)); }

}  // namespace content_test
