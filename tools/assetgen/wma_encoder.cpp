#include "wma_encoder.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
}

namespace assetgen {

namespace {

struct CodecContextFree {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct OutputFree {
  void operator()(AVFormatContext* f) const {
    if (f->pb) avio_closep(&f->pb);
    avformat_free_context(f);
  }
};
using CodecContext = std::unique_ptr<AVCodecContext, CodecContextFree>;
using Frame = std::unique_ptr<AVFrame, FrameFree>;
using Packet = std::unique_ptr<AVPacket, PacketFree>;
using Output = std::unique_ptr<AVFormatContext, OutputFree>;

void Check(int result, const char* what) {
  if (result >= 0) return;
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(result, text, sizeof text);
  throw std::runtime_error(std::string("WMA encoding: ") + what + ": " + text);
}

CodecContext OpenEncoder(int channels, int sampleRate, int bitRate, bool globalHeader) {
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_WMAV2);
  if (!codec) throw std::runtime_error("WMA encoding: no wmav2 encoder in this FFmpeg");
  CodecContext ctx(avcodec_alloc_context3(codec));
  if (!ctx) throw std::runtime_error("WMA encoding: out of memory");
  ctx->sample_fmt = AV_SAMPLE_FMT_FLTP;
  ctx->sample_rate = sampleRate;
  ctx->bit_rate = bitRate;
  av_channel_layout_default(&ctx->ch_layout, channels);
  ctx->flags |= AV_CODEC_FLAG_BITEXACT;
  if (globalHeader) ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  Check(avcodec_open2(ctx.get(), codec, nullptr), "open encoder");
  return ctx;
}

void Drain(AVCodecContext* enc, AVFormatContext* out, AVStream* stream, AVPacket* pkt) {
  for (;;) {
    const int r = avcodec_receive_packet(enc, pkt);
    if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return;
    Check(r, "receive packet");
    av_packet_rescale_ts(pkt, enc->time_base, stream->time_base);
    pkt->stream_index = stream->index;
    Check(av_interleaved_write_frame(out, pkt), "write packet");
  }
}

}  // namespace

int WmaFrameSize(int sampleRate, int channels) {
  return OpenEncoder(channels, sampleRate, 128000, false)->frame_size;
}

void WriteWma(const std::filesystem::path& file, const std::vector<float>& interleaved, int channels,
              int sampleRate, int bitRate) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  AVFormatContext* raw = nullptr;
  Check(avformat_alloc_output_context2(&raw, nullptr, "asf", file.c_str()), "create container");
  Output out(raw);
  out->flags |= AVFMT_FLAG_BITEXACT;
  CodecContext enc = OpenEncoder(channels, sampleRate, bitRate, out->oformat->flags & AVFMT_GLOBALHEADER);
  AVStream* stream = avformat_new_stream(out.get(), nullptr);
  if (!stream) throw std::runtime_error("WMA encoding: cannot add stream");
  Check(avcodec_parameters_from_context(stream->codecpar, enc.get()), "stream parameters");
  stream->time_base = AVRational{1, sampleRate};
  Check(avio_open(&out->pb, file.c_str(), AVIO_FLAG_WRITE), "open file");
  Check(avformat_write_header(out.get(), nullptr), "write header");

  Frame frame(av_frame_alloc());
  Packet pkt(av_packet_alloc());
  if (!frame || !pkt) throw std::runtime_error("WMA encoding: out of memory");
  const int frameSize = enc->frame_size;
  const long total = static_cast<long>(interleaved.size()) / channels;
  for (long start = 0; start < total; start += frameSize) {
    frame->nb_samples = frameSize;
    frame->format = enc->sample_fmt;
    frame->sample_rate = sampleRate;
    Check(av_channel_layout_copy(&frame->ch_layout, &enc->ch_layout), "frame layout");
    Check(av_frame_get_buffer(frame.get(), 0), "frame buffer");
    const long count = std::min<long>(frameSize, total - start);
    for (int c = 0; c < channels; ++c) {
      auto* plane = reinterpret_cast<float*>(frame->extended_data[c]);
      for (long i = 0; i < frameSize; ++i)
        plane[i] = i < count ? interleaved[(start + i) * channels + c] : 0.0f;
    }
    frame->pts = start;
    Check(avcodec_send_frame(enc.get(), frame.get()), "send frame");
    av_frame_unref(frame.get());
    Drain(enc.get(), out.get(), stream, pkt.get());
  }
  Check(avcodec_send_frame(enc.get(), nullptr), "flush");
  Drain(enc.get(), out.get(), stream, pkt.get());
  Check(av_write_trailer(out.get()), "write trailer");
}

}  // namespace assetgen
