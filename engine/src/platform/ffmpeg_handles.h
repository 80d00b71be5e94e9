#pragma once
// What the FFmpeg decoder and encoder both hold: the library's objects, each
// freed by its own function when its owner goes, and the library's error
// codes as words for a log line or a message.

#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
}

namespace quillon::platform::ffmpeg {

struct CodecFreer {
  void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct PacketFreer {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct DictionaryFreer {
  void operator()(AVDictionary* dict) const { av_dict_free(&dict); }
};

using Codec = std::unique_ptr<AVCodecContext, CodecFreer>;
using Packet = std::unique_ptr<AVPacket, PacketFreer>;
using Frame = std::unique_ptr<AVFrame, FrameFreer>;
using Dictionary = std::unique_ptr<AVDictionary, DictionaryFreer>;

inline std::string ErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace quillon::platform::ffmpeg
