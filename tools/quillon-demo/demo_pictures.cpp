#include "demo_pictures.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace demo {

namespace {

struct Picture {
  int Width, Height;
  std::vector<std::uint8_t> Bgr;  // rows top to bottom
  std::uint8_t* At(int x, int y) { return &Bgr[(static_cast<std::size_t>(y) * Width + x) * 3]; }
};

// An uncompressed 24-bit BMP.
bool WriteBmp(const std::filesystem::path& file, const Picture& p) {
  const std::uint32_t rowBytes = (p.Width * 3 + 3) & ~3u;
  const std::uint32_t dataBytes = rowBytes * p.Height;
  std::vector<std::uint8_t> out(54 + dataBytes, 0);
  auto put = [&](std::size_t at, std::uint32_t v, int n) {
    for (int k = 0; k < n; ++k) out[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
  };
  out[0] = 'B', out[1] = 'M';
  put(2, 54 + dataBytes, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, p.Width, 4);
  put(22, p.Height, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, dataBytes, 4);
  for (int y = 0; y < p.Height; ++y) {
    const std::uint8_t* row = &p.Bgr[static_cast<std::size_t>(p.Height - 1 - y) * p.Width * 3];
    std::copy(row, row + p.Width * 3, out.begin() + 54 + y * rowBytes);
  }
  std::ofstream f(file, std::ios::binary);
  f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(f);
}

// 5 x 7 letters, one string of 35 cells per sign ('#' lit).
struct Glyph {
  int Cell;  // index in the default letter table
  const char* Rows;
};

constexpr Glyph kGlyphs[] = {
    {1, " ### #   ##  ### # ###  ##   # ### "},  {2, "  #   ##    #    #    #    #   ### "},
    {3, " ### #   #    #  ##     ##   # ### "},  {4, "#####   #   #    ##     ##   # ### "},
    {5, "   #   ##  # # #  # #####   #    # "},  {6, "######    ####     #    ##   # ### "},
    {7, "  ##  #   #    #### #   ##   # ### "},  {8, "#####    #   #   #   #    #    #   "},
    {9, " ### #   ##   # ### #   ##   # ### "},  {10, " ### #   ##   # ####    #   #  ##  "},
    {11, " ### #   ##   #######   ##   ##   #"}, {12, "#### #   ##   ##### #   ##   ##### "},
    {13, " ### #   ##    #    #    #   # ### "}, {14, "#### #   ##   ##   ##   ##   ##### "},
    {15, "######    #    #### #    #    #####"}, {16, "######    #    #### #    #    #    "},
    {17, " ### #   ##    # ####   ##   # ####"}, {18, "#   ##   ##   #######   ##   ##   #"},
    {19, " ###   #    #    #    #    #   ### "}, {20, "  ###   #    #    #    # #  #  ##  "},
    {21, "#   ##  # # #  ##   # #  #  # #   #"}, {22, "#    #    #    #    #    #    #####"},
    {23, "#   ### ### # ##   ##   ##   ##   #"}, {24, "#   ##   ###  ## # ##  ###   ##   #"},
    {25, " ### #   ##   ##   ##   ##   # ### "}, {26, "#### #   ##   ##### #    #    #    "},
    {27, " ### #   ##   ##   ## # ##  #  ## #"}, {28, "#### #   ##   ##### # #  #  # #   #"},
    {29, " ####    #     ###     #    #####  "}, {30, "#####  #    #    #    #    #    #  "},
    {31, "#   ##   ##   ##   ##   ##   # ### "}, {32, "#   ##   ##   ##   ##   # # #   #  "},
    {33, "#   ##   ##   ## # ## # ## # # # # "}, {34, "#   ##   # # #   #   # # #   ##   #"},
    {35, "#   ##   # # #   #    #    #    #  "}, {36, "#####    #   #   #   #   #    #####"},
    {77, "                          ##   ##  "}, {79, "      ##   ##        ##   ##       "},
    {83, "               #####               "}, {96, "  #    #    #    #    #         #  "},
};

}  // namespace

bool WriteBall(const std::filesystem::path& file) {
  Picture p{32, 32, std::vector<std::uint8_t>(32 * 32 * 3)};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const double dx = x - 15.5, dy = y - 15.5, d = std::sqrt(dx * dx + dy * dy);
      std::uint8_t* px = p.At(x, y);
      if (d > 15) {
        px[0] = 255, px[1] = 0, px[2] = 255;  // magenta: keyed away
        continue;
      }
      const double light = std::max(0.0, 1.0 - std::hypot(x - 10.0, y - 10.0) / 26.0);
      px[0] = static_cast<std::uint8_t>(90 + 160 * light);
      px[1] = static_cast<std::uint8_t>(60 + 180 * light);
      px[2] = static_cast<std::uint8_t>(40 + 200 * light);
      if (static_cast<int>(std::atan2(dy, dx) * 3 / 3.14159265) % 2 == 0 && d > 6) px[1] = px[0] = 30;
    }
  }
  return WriteBmp(file, p);
}

bool WriteFont(const std::filesystem::path& file) {
  Picture p{253, 253, std::vector<std::uint8_t>(253 * 253 * 3, 0)};
  for (const Glyph& g : kGlyphs) {
    const int x0 = g.Cell % 11 * 23 + 1 + 3, y0 = g.Cell / 11 * 23 + 1 + 1;
    const std::string rows(g.Rows);
    for (std::size_t i = 0; i < rows.size() && i < 35; ++i) {
      if (rows[i] != '#') continue;
      const int gx = static_cast<int>(i % 5), gy = static_cast<int>(i / 5);
      for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
          std::uint8_t* px = p.At(x0 + gx * 3 + x, y0 + gy * 3 + y);
          px[0] = px[1] = px[2] = 255;
        }
      }
    }
  }
  return WriteBmp(file, p);
}

}  // namespace demo
