#pragma once
// Looking into video files (and pictures) the way a player would: through
// the ffmpeg and ffprobe programs, never through the code that wrote them.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace video_test {

inline std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Everything a command prints on stdout.
inline std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return out;
  std::array<char, 65536> buffer;
  std::size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  ::pclose(pipe);
  return out;
}

inline bool ToolsPresent() {
  return Output("command -v ffprobe >/dev/null && command -v ffmpeg && echo yes") != "";
}

struct Stream {
  std::string Type;  // "video", "audio"
  std::string Codec;
  int Width = 0, Height = 0;
  std::string FrameRate;    // "50/1"
  std::string PixelFormat;  // "yuv420p"
  long Frames = 0;          // decoded frames (video)
  int SampleRate = 0;
};

// The streams of file, with every video frame decoded and counted.
inline std::vector<Stream> Streams(const std::filesystem::path& file) {
  const std::string text = Output(
      "ffprobe -v error -count_frames -show_entries "
      "stream=codec_type,codec_name,width,height,r_frame_rate,pix_fmt,nb_read_frames,sample_rate -of "
      "default=noprint_wrappers=1 " +
      Quote(file.string()));
  std::vector<Stream> streams;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "codec_name") streams.emplace_back().Codec = value;
    if (streams.empty()) continue;
    Stream& s = streams.back();
    if (key == "codec_type") s.Type = value;
    if (key == "width") s.Width = std::atoi(value.c_str());
    if (key == "height") s.Height = std::atoi(value.c_str());
    if (key == "r_frame_rate") s.FrameRate = value;
    if (key == "pix_fmt") s.PixelFormat = value;
    if (key == "nb_read_frames") s.Frames = std::atol(value.c_str());
    if (key == "sample_rate") s.SampleRate = std::atoi(value.c_str());
  }
  return streams;
}

// The first sound stream decoded to interleaved float stereo at 48 kHz.
inline std::vector<float> Sound(const std::filesystem::path& file) {
  const std::string bytes = Output("ffmpeg -nostdin -v error -i " + Quote(file.string()) +
                                   " -map 0:a:0 -f f32le -ac 2 -ar 48000 -");
  std::vector<float> samples(bytes.size() / sizeof(float));
  std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
  return samples;
}

// Root mean square of both channels over stereo frames [from, to).
inline double Rms(const std::vector<float>& stereo, std::size_t from, std::size_t to) {
  to = std::min(to, stereo.size() / 2);
  if (to <= from) return 0;
  double sum = 0;
  for (std::size_t i = 2 * from; i < 2 * to; ++i) sum += double(stereo[i]) * stereo[i];
  return std::sqrt(sum / double(2 * (to - from)));
}

// The names of an MP4 file's top-level boxes, in file order ("ftyp", "moov",
// "mdat", ...); empty when the file is not one.
inline std::vector<std::string> TopLevelBoxes(const std::filesystem::path& file) {
  std::vector<std::string> boxes;
  FILE* in = std::fopen(file.c_str(), "rb");
  if (!in) return boxes;
  unsigned char head[16];
  long at = 0;
  while (std::fseek(in, at, SEEK_SET) == 0 && std::fread(head, 1, 8, in) == 8) {
    std::uint64_t size = std::uint64_t(head[0]) << 24 | head[1] << 16 | head[2] << 8 | head[3];
    if (size == 1) {  // a 64-bit size follows the name
      if (std::fread(head + 8, 1, 8, in) != 8) break;
      size = 0;
      for (int i = 8; i < 16; ++i) size = size << 8 | head[i];
    }
    boxes.emplace_back(reinterpret_cast<const char*>(head + 4), 4);
    if (size < 8) break;  // 0: to the end of the file
    at += static_cast<long>(size);
  }
  std::fclose(in);
  return boxes;
}

// A picture as 8-bit red, green, blue, row by row.
struct Picture {
  int Width = 0, Height = 0;
  std::string Rgb;
  std::array<int, 3> At(int x, int y) const {
    const std::size_t i = 3 * (static_cast<std::size_t>(y) * Width + x);
    return {static_cast<unsigned char>(Rgb[i]), static_cast<unsigned char>(Rgb[i + 1]),
            static_cast<unsigned char>(Rgb[i + 2])};
  }
};

// Frame number `frame` (0 first) of a video, or the one picture of an image
// file, at its own size.
inline Picture Frame(const std::filesystem::path& file, int width, int height, long frame = 0) {
  Picture picture;
  picture.Width = width;
  picture.Height = height;
  picture.Rgb = Output("ffmpeg -nostdin -v error -i " + Quote(file.string()) + " -map 0:v:0 -vf " +
                       Quote("select=eq(n\\," + std::to_string(frame) + ")") +
                       " -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
  if (picture.Rgb.size() != static_cast<std::size_t>(width) * height * 3) picture.Rgb.clear();
  return picture;
}

// Mean absolute difference of each channel over two pictures of one size.
inline std::array<double, 3> MeanDifference(const Picture& a, const Picture& b) {
  std::array<double, 3> sum{};
  if (a.Rgb.size() != b.Rgb.size() || a.Rgb.empty()) return {255, 255, 255};
  for (std::size_t i = 0; i < a.Rgb.size(); ++i)
    sum[i % 3] += std::abs(static_cast<unsigned char>(a.Rgb[i]) - static_cast<unsigned char>(b.Rgb[i]));
  const double pixels = static_cast<double>(a.Rgb.size() / 3);
  return {sum[0] / pixels, sum[1] / pixels, sum[2] / pixels};
}

}  // namespace video_test
