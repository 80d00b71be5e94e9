#include "image_files.h"

#include <jpeglib.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace assetgen {

namespace {

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(v & 0xff);
  b.push_back((v >> 8) & 0xff);
}

void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xffff);
  Put16(b, v >> 16);
}

}  // namespace

Bytes EncodeDds(const Pixels& p) {
  constexpr std::uint32_t kCaps = 0x1, kHeight = 0x2, kWidth = 0x4, kPitch = 0x8, kPixelFormat = 0x1000,
                          kTexture = 0x1000;
  constexpr std::uint32_t kRgb = 0x40, kAlphaPixels = 0x1;
  Bytes b{'D', 'D', 'S', ' '};
  Put32(b, 124);
  Put32(b, kCaps | kHeight | kWidth | kPitch | kPixelFormat);
  Put32(b, p.height);
  Put32(b, p.width);
  Put32(b, p.width * 4);
  Put32(b, 0);  // depth
  Put32(b, 0);  // mip levels: the image only
  for (int i = 0; i < 11; ++i) Put32(b, 0);
  Put32(b, 32);
  Put32(b, kRgb | kAlphaPixels);
  Put32(b, 0);  // no FourCC
  Put32(b, 32);
  Put32(b, 0x00ff0000);
  Put32(b, 0x0000ff00);
  Put32(b, 0x000000ff);
  Put32(b, 0xff000000);
  Put32(b, kTexture);
  for (int i = 0; i < 4; ++i) Put32(b, 0);
  b.reserve(b.size() + p.rgba.size());
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const std::uint8_t* px = p.At(x, y);
      b.insert(b.end(), {px[2], px[1], px[0], px[3]});
    }
  return b;
}

Bytes EncodeBmp24(const Pixels& p) {
  const std::uint32_t rowBytes = (p.width * 3 + 3) & ~3u;
  const std::uint32_t dataSize = rowBytes * p.height;
  Bytes b{'B', 'M'};
  Put32(b, 54 + dataSize);
  Put32(b, 0);
  Put32(b, 54);
  Put32(b, 40);
  Put32(b, p.width);
  Put32(b, p.height);  // positive: rows bottom to top
  Put16(b, 1);
  Put16(b, 24);
  Put32(b, 0);  // uncompressed
  Put32(b, dataSize);
  Put32(b, 2835);  // 72 dpi
  Put32(b, 2835);
  Put32(b, 0);
  Put32(b, 0);
  for (int y = p.height - 1; y >= 0; --y) {
    for (int x = 0; x < p.width; ++x) {
      const std::uint8_t* px = p.At(x, y);
      for (int c = 2; c >= 0; --c) b.push_back(static_cast<std::uint8_t>((px[c] * px[3] + 127) / 255));
    }
    for (std::uint32_t i = p.width * 3; i < rowBytes; ++i) b.push_back(0);
  }
  return b;
}

namespace {

struct JpegCompressor {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  JpegCompressor() {
    info.err = jpeg_std_error(&err);
    // Encoding into memory cannot meet bad input; an error here is a bug.
    err.error_exit = [](j_common_ptr compressor) {
      (*compressor->err->output_message)(compressor);
      std::exit(1);
    };
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
  }
  ~JpegCompressor() {
    jpeg_destroy_compress(&info);
    std::free(buffer);
  }
};

}  // namespace

Bytes EncodeJpeg(const Pixels& p, int quality) {
  JpegCompressor j;
  j.info.image_width = p.width;
  j.info.image_height = p.height;
  j.info.input_components = 3;
  j.info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&j.info);
  jpeg_set_quality(&j.info, quality, TRUE);
  j.info.dct_method = JDCT_ISLOW;
  // Full colour resolution keeps lettering on the pictures crisp.
  for (int c = 0; c < 3; ++c) j.info.comp_info[c].h_samp_factor = j.info.comp_info[c].v_samp_factor = 1;
  jpeg_start_compress(&j.info, TRUE);
  std::vector<std::uint8_t> row(static_cast<size_t>(p.width) * 3);
  while (j.info.next_scanline < j.info.image_height) {
    for (int x = 0; x < p.width; ++x) {
      const std::uint8_t* px = p.At(x, static_cast<int>(j.info.next_scanline));
      for (int c = 0; c < 3; ++c) row[x * 3 + c] = static_cast<std::uint8_t>((px[c] * px[3] + 127) / 255);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&j.info, rows, 1);
  }
  jpeg_finish_compress(&j.info);
  return Bytes(j.buffer, j.buffer + j.size);
}

Bytes EncodePng(const Canvas& c) {
  Bytes out;
  cairo_surface_flush(c.surface());
  const cairo_status_t status = cairo_surface_write_to_png_stream(
      c.surface(),
      [](void* closure, const unsigned char* data, unsigned int length) {
        auto* b = static_cast<Bytes*>(closure);
        b->insert(b->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
      },
      &out);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("PNG encoder failed");
  return out;
}

void KeyOntoMagenta(Pixels& p, Rgb fringe, int threshold) {
  const double f[3] = {fringe.r * 255, fringe.g * 255, fringe.b * 255};
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      std::uint8_t* px = p.At(x, y);
      if (px[3] < threshold) {
        px[0] = 255, px[1] = 0, px[2] = 255, px[3] = 255;
        continue;
      }
      const double a = px[3] / 255.0;
      for (int c = 0; c < 3; ++c) px[c] = static_cast<std::uint8_t>(px[c] * a + f[c] * (1 - a) + 0.5);
      px[3] = 255;
      if (px[0] == 255 && px[1] == 0 && px[2] == 255) px[0] = 254;
    }
}

void WriteBytes(const std::filesystem::path& outDir, std::string_view relPath, const Bytes& bytes) {
  const std::filesystem::path path = outDir / std::filesystem::path(std::string(relPath));
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void SaveTexture(const std::filesystem::path& outDir, std::string_view relPath, const Canvas& c) {
  const std::string ext = std::filesystem::path(std::string(relPath)).extension().string();
  if (ext == ".png") return WriteBytes(outDir, relPath, EncodePng(c));
  const Pixels p = c.Read();
  if (ext == ".dds") return WriteBytes(outDir, relPath, EncodeDds(p));
  if (ext == ".bmp") return WriteBytes(outDir, relPath, EncodeBmp24(p));
  if (ext == ".jpg") return WriteBytes(outDir, relPath, EncodeJpeg(p, 90));
  throw std::runtime_error("no encoder for " + std::string(relPath));
}

void SaveKeyed(const std::filesystem::path& outDir, std::string_view relPath, const Canvas& c, Rgb fringe) {
  Pixels p = c.Read();
  KeyOntoMagenta(p, fringe);
  WriteBytes(outDir, relPath, EncodeBmp24(p));
}

}  // namespace assetgen
