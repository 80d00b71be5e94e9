#include "platform/video_encoder.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/ffmpeg_handles.h"
#include "quillon/ascii.h"
#include "quillon/clocks.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace quillon::platform {
namespace {

using ffmpeg::Dictionary;
using ffmpeg::ErrorText;

struct FormatFreer {
  // Closes the file first (when it was opened), then the muxer.
  void operator()(AVFormatContext* format) const {
    if (format->pb && !(format->oformat->flags & AVFMT_NOFILE)) avio_closep(&format->pb);
    avformat_free_context(format);
  }
};
struct ScalerFreer {
  void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};
struct FifoFreer {
  void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
};

// What each extension is written as. H.264 and AAC play everywhere a video
// is posted; WebM is for the places that want free codecs. Matroska gets
// Opus: it says how many samples the codec put before the sound, so the
// sound starts with the first picture (AAC's 1024 would come 21 ms late).
struct Container {
  std::string_view Extension;
  const char* Muxer;
  const char* VideoCodec;
  const char* SoundCodec;
  std::int64_t SoundBitRate;
};
constexpr Container kContainers[] = {
    {".mp4", "mp4", "libx264", "aac", 160000},
    {".mkv", "matroska", "libx264", "libopus", 128000},
    {".webm", "webm", "libvpx-vp9", "libopus", 128000},
};

const Container* ContainerFor(const std::filesystem::path& name) {
  const std::string extension = name.extension().string();
  for (const Container& c : kContainers)
    if (ascii::EqualsNoCase(extension, c.Extension)) return &c;
  return nullptr;
}

// Settings that make each codec fast enough to record well faster than the
// game plays, at a quality where the game's sharp pixels survive. x264's
// "superfast" takes two thirds of the processor time of "veryfast" (which
// would leave no room for the game on two cores) and at CRF 20 gives a
// closer picture, at about twice the bits (some 2.7 Mbit/s at 800 x 600).
void TuneVideoCodec(AVCodecContext& codec, std::string_view name) {
  if (name == "libx264") {
    av_opt_set(codec.priv_data, "preset", "superfast", 0);
    av_opt_set(codec.priv_data, "crf", "20", 0);
  } else {
    av_opt_set(codec.priv_data, "crf", "32", 0);
    av_opt_set(codec.priv_data, "deadline", "realtime", 0);
    av_opt_set(codec.priv_data, "cpu-used", "8", 0);
    av_opt_set(codec.priv_data, "row-mt", "1", 0);
    codec.bit_rate = 0;  // quality alone decides
  }
}

// The first sample format of the codec's list that we can fill.
AVSampleFormat SoundFormatFor(const AVCodec& codec) {
  if (!codec.sample_fmts) return AV_SAMPLE_FMT_FLTP;
  for (const AVSampleFormat* f = codec.sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f)
    if (*f == AV_SAMPLE_FMT_FLTP || *f == AV_SAMPLE_FMT_FLT || *f == AV_SAMPLE_FMT_S16) return *f;
  return AV_SAMPLE_FMT_NONE;
}

}  // namespace

struct VideoEncoder::State {
  VideoFormat Format;
  std::unique_ptr<AVFormatContext, FormatFreer> Muxer;
  ffmpeg::Codec Video;
  ffmpeg::Codec Sound;
  AVStream* VideoStream = nullptr;  // owned by the muxer
  AVStream* SoundStream = nullptr;
  std::unique_ptr<SwsContext, ScalerFreer> Scaler;
  int SourceWidth = 0, SourceHeight = 0;  // of the pictures Scaler was made for
  std::unique_ptr<AVAudioFifo, FifoFreer> Fifo;
  ffmpeg::Frame Picture{av_frame_alloc()};
  ffmpeg::Frame Chunk{av_frame_alloc()};
  ffmpeg::Packet Packet{av_packet_alloc()};
  std::vector<std::uint8_t> Converted;  // one AddSound call in the codec's sample format
  std::int64_t Pictures = 0;
  std::int64_t SoundIn = 0;   // stereo frames handed in
  std::int64_t SoundOut = 0;  // stereo frames handed to the codec
  bool HeaderWritten = false;
  bool Finished = false;
  EncoderTimes Times;

  bool OpenVideo(const Container& container, std::string& error);
  bool OpenSound(const Container& container, std::string& error);
  bool OpenFile(const std::filesystem::path& file, std::string& error);
  bool Drain(AVCodecContext& codec, AVStream& stream, std::string& error);
  bool Send(AVCodecContext& codec, AVStream& stream, const AVFrame* frame, std::string& error);
  void ConvertSound(std::span<const float> stereo);
  bool EncodeSound(bool final, std::string& error);
  // Closes the file; with ending, after writing the end of it (an MP4's
  // index, which moving to the front rewrites the whole file for).
  bool Close(bool ending, std::string& error);
};

bool VideoEncoder::State::OpenVideo(const Container& container, std::string& error) {
  const AVCodec* codec = avcodec_find_encoder_by_name(container.VideoCodec);
  if (!codec) {
    error = std::string("this FFmpeg has no ") + container.VideoCodec + " encoder";
    return false;
  }
  Video.reset(avcodec_alloc_context3(codec));
  VideoStream = avformat_new_stream(Muxer.get(), nullptr);
  if (!Video || !VideoStream || !Picture || !Chunk || !Packet) {
    error = "out of memory";
    return false;
  }
  AVCodecContext& c = *Video;
  c.width = Format.Width * Format.Scale;
  c.height = Format.Height * Format.Scale;
  c.pix_fmt = AV_PIX_FMT_YUV420P;
  c.time_base = AVRational{1, Format.FramesPerSecond};
  c.framerate = AVRational{Format.FramesPerSecond, 1};
  c.gop_size = Format.FramesPerSecond * 5;  // a place to seek to every 5 seconds
  // The pictures are converted with the BT.601 matrix into the video range
  // (the one FFmpeg's fast converters know), and the stream says so, so
  // players turn them back into the same colours at any size.
  c.colorspace = AVCOL_SPC_SMPTE170M;
  c.color_primaries = AVCOL_PRI_SMPTE170M;
  c.color_trc = AVCOL_TRC_SMPTE170M;
  c.color_range = AVCOL_RANGE_MPEG;
  c.thread_count = 0;  // as many as the codec finds useful
  if (Muxer->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  TuneVideoCodec(c, container.VideoCodec);
  int rc = avcodec_open2(&c, codec, nullptr);
  if (rc >= 0) rc = avcodec_parameters_from_context(VideoStream->codecpar, &c);
  if (rc < 0) {
    error = std::string("the ") + container.VideoCodec + " encoder refused: " + ErrorText(rc);
    return false;
  }
  VideoStream->time_base = c.time_base;
  VideoStream->avg_frame_rate = c.framerate;
  Picture->format = c.pix_fmt;
  Picture->width = c.width;
  Picture->height = c.height;
  rc = av_frame_get_buffer(Picture.get(), 0);
  if (rc < 0) error = ErrorText(rc);
  return rc >= 0;
}

bool VideoEncoder::State::OpenSound(const Container& container, std::string& error) {
  const AVCodec* codec = avcodec_find_encoder_by_name(container.SoundCodec);
  if (!codec) {
    error = std::string("this FFmpeg has no ") + container.SoundCodec + " encoder";
    return false;
  }
  Sound.reset(avcodec_alloc_context3(codec));
  SoundStream = avformat_new_stream(Muxer.get(), nullptr);
  if (!Sound || !SoundStream) {
    error = "out of memory";
    return false;
  }
  AVCodecContext& c = *Sound;
  c.sample_fmt = SoundFormatFor(*codec);
  c.sample_rate = Format.SampleRate;
  av_channel_layout_default(&c.ch_layout, 2);
  c.bit_rate = container.SoundBitRate;
  c.time_base = AVRational{1, Format.SampleRate};
  if (Muxer->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  int rc = c.sample_fmt == AV_SAMPLE_FMT_NONE ? AVERROR(EINVAL) : avcodec_open2(&c, codec, nullptr);
  if (rc >= 0) rc = avcodec_parameters_from_context(SoundStream->codecpar, &c);
  if (rc < 0) {
    error = std::string("the ") + container.SoundCodec + " encoder refused: " + ErrorText(rc);
    return false;
  }
  SoundStream->time_base = c.time_base;
  Fifo.reset(av_audio_fifo_alloc(c.sample_fmt, 2, Format.SampleRate));
  if (!Fifo) error = "out of memory";
  return Fifo != nullptr;
}

bool VideoEncoder::State::OpenFile(const std::filesystem::path& file, std::string& error) {
  // Only the file protocol, and the name taken as a plain file name: a name
  // like "http://..." or "pipe:1" must not reach anything but a file.
  const std::string url = "file:" + file.string();
  // The MP4 muxer opens the file again by this name to move its index.
  Muxer->url = av_strdup(url.c_str());
  Muxer->protocol_whitelist = av_strdup("file");
  if (!Muxer->url || !Muxer->protocol_whitelist) {
    error = "out of memory";
    return false;
  }
  AVDictionary* raw = nullptr;
  av_dict_set(&raw, "protocol_whitelist", "file", 0);
  Dictionary options(raw);
  raw = options.release();
  int rc = avio_open2(&Muxer->pb, url.c_str(), AVIO_FLAG_WRITE, nullptr, &raw);
  options.reset(raw);
  if (rc < 0) {
    error = ErrorText(rc);
    return false;
  }
  // Players and sites can start an MP4 before it has all arrived: its index
  // goes to the front once the file is complete.
  raw = nullptr;
  if (std::string_view(Muxer->oformat->name).find("mp4") != std::string_view::npos)
    av_dict_set(&raw, "movflags", "+faststart", 0);
  rc = avformat_write_header(Muxer.get(), &raw);
  av_dict_free(&raw);
  if (rc < 0) {
    error = "the file's header could not be written: " + ErrorText(rc);
    return false;
  }
  HeaderWritten = true;
  return true;
}

bool VideoEncoder::State::Drain(AVCodecContext& codec, AVStream& stream, std::string& error) {
  for (;;) {
    int rc = avcodec_receive_packet(&codec, Packet.get());
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
    if (rc < 0) {
      error = "encoding failed: " + ErrorText(rc);
      return false;
    }
    av_packet_rescale_ts(Packet.get(), codec.time_base, stream.time_base);
    Packet->stream_index = stream.index;
    rc = av_interleaved_write_frame(Muxer.get(), Packet.get());
    if (rc < 0) {
      error = "writing failed: " + ErrorText(rc);
      return false;
    }
  }
}

bool VideoEncoder::State::Send(AVCodecContext& codec, AVStream& stream, const AVFrame* frame,
                               std::string& error) {
  const int rc = avcodec_send_frame(&codec, frame);
  if (rc < 0 && rc != AVERROR_EOF) {
    error = "encoding failed: " + ErrorText(rc);
    return false;
  }
  return Drain(codec, stream, error);
}

void VideoEncoder::State::ConvertSound(std::span<const float> stereo) {
  const std::size_t frames = stereo.size() / 2;
  const auto format = Sound->sample_fmt;
  Converted.resize(frames * 2 * static_cast<std::size_t>(av_get_bytes_per_sample(format)));
  if (format == AV_SAMPLE_FMT_S16) {
    auto* out = reinterpret_cast<std::int16_t*>(Converted.data());
    for (std::size_t i = 0; i < frames * 2; ++i)
      out[i] = static_cast<std::int16_t>(std::clamp(stereo[i], -1.0f, 1.0f) * 32767.0f);
  } else if (format == AV_SAMPLE_FMT_FLT) {
    auto* out = reinterpret_cast<float*>(Converted.data());
    for (std::size_t i = 0; i < frames * 2; ++i) out[i] = std::clamp(stereo[i], -1.0f, 1.0f);
  } else {
    auto* left = reinterpret_cast<float*>(Converted.data());
    float* right = left + frames;
    for (std::size_t i = 0; i < frames; ++i) {
      left[i] = std::clamp(stereo[2 * i], -1.0f, 1.0f);
      right[i] = std::clamp(stereo[2 * i + 1], -1.0f, 1.0f);
    }
  }
}

// Hands the codec every whole chunk that waits; with final, the rest too
// (padded with silence when the codec takes only whole chunks).
bool VideoEncoder::State::EncodeSound(bool final, std::string& error) {
  AVCodecContext& c = *Sound;
  const bool anySize = (c.codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) != 0 || c.frame_size <= 0;
  const int chunk = anySize ? Format.SampleRate / Format.FramesPerSecond : c.frame_size;
  while (av_audio_fifo_size(Fifo.get()) >= chunk || (final && av_audio_fifo_size(Fifo.get()) > 0)) {
    const int waiting = std::min(av_audio_fifo_size(Fifo.get()), chunk);
    const bool shortLast = waiting < chunk && (c.codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0;
    AVFrame& f = *Chunk;
    av_frame_unref(&f);
    f.format = c.sample_fmt;
    f.sample_rate = c.sample_rate;
    f.nb_samples = shortLast || anySize ? waiting : chunk;
    av_channel_layout_copy(&f.ch_layout, &c.ch_layout);
    int rc = av_frame_get_buffer(&f, 0);
    if (rc >= 0) rc = av_samples_set_silence(f.data, 0, f.nb_samples, 2, c.sample_fmt);
    if (rc >= 0) rc = av_audio_fifo_read(Fifo.get(), reinterpret_cast<void**>(f.data), waiting);
    if (rc < 0) {
      error = "sound could not be buffered: " + ErrorText(rc);
      return false;
    }
    f.pts = SoundOut;
    SoundOut += f.nb_samples;
    if (!Send(c, *SoundStream, &f, error)) return false;
  }
  return true;
}

bool VideoEncoder::State::Close(bool ending, std::string& error) {
  bool ok = true;
  if (HeaderWritten && ending) {
    const int rc = av_write_trailer(Muxer.get());
    if (rc < 0) {
      error = "the end of the file could not be written: " + ErrorText(rc);
      ok = false;
    }
  }
  HeaderWritten = false;
  if (Muxer && Muxer->pb) {
    const int rc = avio_closep(&Muxer->pb);
    if (rc < 0 && ok) {
      error = "the file could not be closed: " + ErrorText(rc);
      ok = false;
    }
  }
  return ok;
}

bool VideoEncoder::KnownExtension(const std::filesystem::path& name) { return ContainerFor(name) != nullptr; }

std::unique_ptr<VideoEncoder> VideoEncoder::Open(const std::filesystem::path& file,
                                                 const std::filesystem::path& name, const VideoFormat& format,
                                                 std::string& error) {
  const Container* container = ContainerFor(name);
  if (!container) {
    error = "a video file name ends in .mp4, .webm or .mkv";
    return nullptr;
  }
  if (format.Width <= 0 || format.Height <= 0 || format.Scale <= 0 || format.FramesPerSecond <= 0 ||
      format.SampleRate % format.FramesPerSecond != 0) {
    error = "no such video size or rate";
    return nullptr;
  }
  av_log_set_level(AV_LOG_FATAL);  // the caller reports what went wrong in its own words
  auto state = std::make_unique<State>();
  state->Format = format;
  AVFormatContext* raw = nullptr;
  const int rc = avformat_alloc_output_context2(&raw, nullptr, container->Muxer, nullptr);
  if (rc < 0 || !raw) {
    error = "this FFmpeg cannot write " + std::string(container->Muxer) + ": " + ErrorText(rc);
    return nullptr;
  }
  state->Muxer.reset(raw);
  if (!state->OpenVideo(*container, error) || !state->OpenSound(*container, error) ||
      !state->OpenFile(file, error)) {
    std::string ignored;
    state->Close(false, ignored);
    return nullptr;
  }
  return std::unique_ptr<VideoEncoder>(new VideoEncoder(std::move(state)));
}

VideoEncoder::VideoEncoder(std::unique_ptr<State> state) : state_(std::move(state)) {}

// Dropped without Finish: the file is being abandoned, so its end is not
// written (the caller removes it).
VideoEncoder::~VideoEncoder() {
  std::string ignored;
  if (!state_->Finished) state_->Close(false, ignored);
}

bool VideoEncoder::AddPicture(const PictureView& picture, std::string& error) {
  State& s = *state_;
  if (s.Finished || !picture.Pixels || picture.Width <= 0 || picture.Height <= 0) {
    error = s.Finished ? "the video is finished" : "an empty picture";
    return false;
  }
  const double start = clocks::ThreadCpuSeconds();
  AVFrame& f = *s.Picture;
  // Nearest pixel: a scaled-up game keeps its sharp pixels.
  const bool newSize = !s.Scaler || picture.Width != s.SourceWidth || picture.Height != s.SourceHeight;
  s.SourceWidth = picture.Width;
  s.SourceHeight = picture.Height;
  s.Scaler.reset(sws_getCachedContext(s.Scaler.release(), picture.Width, picture.Height, AV_PIX_FMT_0RGB32,
                                      f.width, f.height, AV_PIX_FMT_YUV420P, SWS_POINT, nullptr, nullptr,
                                      nullptr));
  if (!s.Scaler) {
    error = "no colour conversion for this picture";
    return false;
  }
  if (newSize) {
    sws_setColorspaceDetails(s.Scaler.get(), sws_getCoefficients(SWS_CS_ITU601), 1,
                             sws_getCoefficients(SWS_CS_ITU601), 0, 0, 1 << 16, 1 << 16);
  }
  // The codec may still hold the last picture.
  int rc = av_frame_make_writable(&f);
  if (rc < 0) {
    error = ErrorText(rc);
    return false;
  }
  const auto* source = reinterpret_cast<const std::uint8_t*>(picture.Pixels);
  const int sourcePitch = picture.Pitch * 4;
  sws_scale(s.Scaler.get(), &source, &sourcePitch, 0, picture.Height, f.data, f.linesize);
  f.pts = s.Pictures++;
  s.Times.Conversion += clocks::ThreadCpuSince(start);
  const double encode = clocks::ThreadCpuSeconds();
  const bool ok = s.Send(*s.Video, *s.VideoStream, &f, error);
  s.Times.Video += clocks::ThreadCpuSince(encode);
  return ok;
}

bool VideoEncoder::AddSound(std::span<const float> stereo, std::string& error) {
  State& s = *state_;
  if (s.Finished) {
    error = "the video is finished";
    return false;
  }
  const double start = clocks::ThreadCpuSeconds();
  const int frames = static_cast<int>(stereo.size() / 2);
  s.ConvertSound(stereo.first(static_cast<std::size_t>(frames) * 2));
  std::uint8_t* planes[2] = {s.Converted.data(), s.Converted.data() + s.Converted.size() / 2};
  if (av_audio_fifo_write(s.Fifo.get(), reinterpret_cast<void**>(planes), frames) < frames) {
    error = "out of memory";
    return false;
  }
  s.SoundIn += frames;
  const bool ok = s.EncodeSound(false, error);
  s.Times.Sound += clocks::ThreadCpuSince(start);
  return ok;
}

bool VideoEncoder::Finish(std::string& error) {
  State& s = *state_;
  if (s.Finished) return true;
  s.Finished = true;
  bool ok = s.EncodeSound(true, error) && s.Send(*s.Sound, *s.SoundStream, nullptr, error) &&
            s.Send(*s.Video, *s.VideoStream, nullptr, error);
  std::string closing;
  if (!s.Close(true, closing) && ok) {
    error = closing;
    ok = false;
  }
  return ok;
}

const EncoderTimes& VideoEncoder::Times() const { return state_->Times; }
std::int64_t VideoEncoder::Pictures() const { return state_->Pictures; }
std::int64_t VideoEncoder::SoundFrames() const { return state_->SoundIn; }

}  // namespace quillon::platform
