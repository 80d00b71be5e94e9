// Picture files written by outside tools (ImageMagick, libsquish) load with
// the right pixels; colour keys, forced sizes and damaged files.

#include <squish.h>

#include <cstdlib>

#include "dds_reader.h"
#include "engine_fixture.h"
#include "texture_loader.h"

namespace quillon::testing {
namespace {

struct Rgba {
  int r, g, b, a;
};

class TextureFiles : public EngineTest {
 protected:
  // 8 x 8: red, green / blue, and a fourth quadrant (white, or transparent).
  void MakeSource(const std::string& name, const std::string& fourth) {
    Convert("-size 4x4 xc:red xc:lime +append \\( -size 4x4 xc:blue xc:" + fourth + " +append \\) -append",
            name);
  }
  void Convert(const std::string& args, const std::string& out) {
    const std::string command = "cd '" + App() + "' && convert " + args + " '" + out + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  Image Load(const std::string& name, std::int32_t key = 0) {
    std::string error;
    auto image = LoadTextureImage(Path(name), key, {}, error);
    EXPECT_TRUE(image) << name << ": " << error;
    return image ? *image : Image{};
  }
  static void ExpectPixel(const Image& image, int x, int y, Rgba want, int tolerance = 0) {
    const std::uint8_t* p = image.Pixel(x, y);
    EXPECT_NEAR(p[0], want.r, tolerance) << x << "," << y;
    EXPECT_NEAR(p[1], want.g, tolerance) << x << "," << y;
    EXPECT_NEAR(p[2], want.b, tolerance) << x << "," << y;
    EXPECT_NEAR(p[3], want.a, tolerance) << x << "," << y;
  }
  static void ExpectQuadrants(const Image& image, Rgba fourth, int tolerance = 0) {
    ASSERT_EQ(image.Width, 8);
    ASSERT_EQ(image.Height, 8);
    ExpectPixel(image, 1, 1, {255, 0, 0, 255}, tolerance);
    ExpectPixel(image, 6, 2, {0, 255, 0, 255}, tolerance);
    ExpectPixel(image, 2, 6, {0, 0, 255, 255}, tolerance);
    if (fourth.a == 0) {
      EXPECT_EQ(image.Pixel(6, 6)[3], 0);
    } else {
      ExpectPixel(image, 6, 6, fourth, tolerance);
    }
  }
  // A DDS file of the quadrant picture compressed by libsquish.
  void WriteSquishDds(const std::string& name, int flags, const char* fourCc, bool transparentFourth) {
    Image source = SolidImage(8, 8, 255, 255, 255);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        std::uint8_t* p = source.Pixel(x, y);
        const int q = (y >= 4) * 2 + (x >= 4);
        const Rgba c = q == 0   ? Rgba{255, 0, 0, 255}
                       : q == 1 ? Rgba{0, 255, 0, 255}
                       : q == 2 ? Rgba{0, 0, 255, 255}
                                : Rgba{255, 255, 255, transparentFourth ? 0 : 255};
        p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
      }
    }
    std::vector<std::uint8_t> blocks(squish::GetStorageRequirements(8, 8, flags));
    squish::CompressImage(source.Rgba.data(), 8, 8, blocks.data(), flags | squish::kWeightColourByAlpha);
    std::vector<std::uint8_t> file(128, 0);
    auto put = [&](std::size_t at, std::uint32_t v) {
      for (int k = 0; k < 4; ++k) file[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
    };
    file[0] = 'D', file[1] = 'D', file[2] = 'S', file[3] = ' ';
    put(4, 124);
    put(8, 0x81007);  // caps, height, width, pixel format, linear size
    put(12, 8);
    put(16, 8);
    put(20, static_cast<std::uint32_t>(blocks.size()));
    put(76, 32);
    put(80, 0x4);  // four-character code
    std::copy(fourCc, fourCc + 4, file.begin() + 84);
    put(108, 0x1000);
    file.insert(file.end(), blocks.begin(), blocks.end());
    std::ofstream(Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  }
};

TEST_F(TextureFiles, DdsFromImageMagick) {
  MakeSource("opaque.png", "white");
  MakeSource("alpha.png", "none");
  Convert("opaque.png -define dds:compression=dxt1", "dxt1.dds");
  Convert("alpha.png -define dds:compression=dxt5", "dxt5.dds");
  Convert("alpha.png -define dds:compression=dxt5 -define dds:mipmaps=0", "dxt5-flat.dds");
  Convert("opaque.png -alpha off -define dds:compression=none", "rgb24.dds");
  Convert("opaque.png -alpha off -define dds:compression=none -define dds:mipmaps=0", "rgb24-flat.dds");
  Convert("alpha.png -define dds:compression=none", "rgba32.dds");
  Convert("alpha.png -define dds:compression=none -define dds:mipmaps=0", "rgba32-flat.dds");
  const Rgba white{255, 255, 255, 255}, clear{0, 0, 0, 0};
  ExpectQuadrants(Load("dxt1.dds"), white);
  ExpectQuadrants(Load("dxt5.dds"), clear);
  ExpectQuadrants(Load("dxt5-flat.dds"), clear);
  ExpectQuadrants(Load("rgb24.dds"), white);
  ExpectQuadrants(Load("rgb24-flat.dds"), white);
  ExpectQuadrants(Load("rgba32.dds"), clear);
  ExpectQuadrants(Load("rgba32-flat.dds"), clear);
}

TEST_F(TextureFiles, DdsFromSquishWithDxt3AndOneBitAlphaDxt1) {
  WriteSquishDds("dxt3.dds", squish::kDxt3, "DXT3", true);
  WriteSquishDds("dxt1a.dds", squish::kDxt1, "DXT1", true);
  WriteSquishDds("dxt1.dds", squish::kDxt1, "DXT1", false);
  ExpectQuadrants(Load("dxt3.dds"), {0, 0, 0, 0});
  const Image oneBit = Load("dxt1a.dds");
  ExpectQuadrants(oneBit, {0, 0, 0, 0});
  ExpectPixel(oneBit, 7, 7, {0, 0, 0, 0});  // one-bit alpha decodes to transparent black
  ExpectQuadrants(Load("dxt1.dds"), {255, 255, 255, 255});
}

TEST_F(TextureFiles, BmpJpegPngThroughTheImageLibrary) {
  MakeSource("pic.png", "white");
  Convert("pic.png", "pic.bmp");
  Convert("pic.png -quality 100", "pic.jpg");
  MakeSource("alpha.png", "none");
  ExpectQuadrants(Load("pic.png"), {255, 255, 255, 255});
  ExpectQuadrants(Load("pic.bmp"), {255, 255, 255, 255});
  ExpectQuadrants(Load("pic.jpg"), {255, 255, 255, 255}, 12);
  ExpectQuadrants(Load("alpha.png"), {0, 0, 0, 0});
}

TEST_F(TextureFiles, ColourKeyComparesTheColourOnly) {
  MakeSource("keyed.bmp", "magenta");
  // The key as hosts pass it: magenta with alpha 0, while the file's pixels are opaque.
  const Image keyed = Load("keyed.bmp", 0x00FF00FF);
  ExpectPixel(keyed, 6, 6, {0, 0, 0, 0});
  ExpectPixel(keyed, 1, 1, {255, 0, 0, 255});
  ExpectPixel(Load("keyed.bmp", static_cast<std::int32_t>(0xFFFF00FF)), 7, 7, {0, 0, 0, 0});
  ExpectPixel(Load("keyed.bmp"), 6, 6, {255, 0, 255, 255});
}

TEST_F(TextureFiles, CreateTextureWithForcedSizesAndErrors) {
  Engine engine;
  StartSmall(engine);
  MakeSource("pic.png", "white");
  MakeSource("other.png", "white");
  std::ofstream(Path("qlno.ini")) << "[file_texture_sizes]\r\npic.png = 16X4\r\nother.png=12\r\n";
  profile::ClearCache();
  Texture texture;
  engine.CreateTexture(texture, "pic.png");
  EXPECT_EQ(texture.Width(), 16);
  EXPECT_EQ(texture.Height(), 4);
  // A size without "x" stops the load; the variable keeps its texture.
  engine.CreateTexture(texture, "other.png");
  EXPECT_EQ(LogLines().back().rfind("Error in CreateTextureEx : ", 0), 0u);
  EXPECT_EQ(texture.Width(), 16);
  engine.CreateTexture(texture, "missing.png");
  auto lines = LogLines();
  EXPECT_EQ(lines[lines.size() - 2], "File is missing : " + App() + "/missing.png");
  EXPECT_EQ(lines.back(), "Error in CreateTextureEx : File is missing : " + App() + "/missing.png");
  std::ofstream(Path("broken.png")) << "not a picture";
  engine.CreateTexture(texture, "broken.png");
  EXPECT_EQ(LogLines().back().rfind("Error in CreateTextureEx : ", 0), 0u);
  EXPECT_EQ(texture.Width(), 16);
  // Case does not matter for names.
  Texture other;
  engine.CreateTexture(other, "OTHER.PNG");
  EXPECT_TRUE(other.Empty());  // its qlno.ini entry is still bad
}

TEST(TextureSize, ParsesWidthXHeight) {
  EXPECT_EQ(ParseTextureSize(" 256X128 ")->Width, 256);
  EXPECT_EQ(ParseTextureSize("256x128")->Height, 128);
  EXPECT_EQ(ParseTextureSize("-1x64")->Width, -1);
  EXPECT_FALSE(ParseTextureSize("256"));
  EXPECT_FALSE(ParseTextureSize("ax5"));
  EXPECT_FALSE(ParseTextureSize("0x5"));
  EXPECT_FALSE(ParseTextureSize("9000x5"));
}

TEST(DdsReader, DamagedFilesGiveErrors) {
  std::string error;
  std::vector<std::uint8_t> header(128, 0);
  header[0] = 'D', header[1] = 'D', header[2] = 'S', header[3] = ' ', header[4] = 124;
  auto set = [&](std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) header[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
  };
  set(12, 4), set(16, 4), set(80, 0x4);
  std::copy_n("DXT5", 4, header.begin() + 84);
  EXPECT_FALSE(ReadDds(header, error));  // no block data
  EXPECT_EQ(error, "DDS file is truncated");
  set(12, 0xFFFFFFFF);
  EXPECT_FALSE(ReadDds(header, error));
  set(12, 4), set(80, 0x40), set(88, 32), set(92, 0xFF0000);
  header.resize(128 + 4 * 4 * 4 - 1);
  EXPECT_FALSE(ReadDds(header, error));  // one byte short
  header.push_back(0);
  EXPECT_TRUE(ReadDds(header, error));
  set(88, 12);
  EXPECT_FALSE(ReadDds(header, error));
  EXPECT_FALSE(ReadDds(std::vector<std::uint8_t>(10, 'D'), error));
}

}  // namespace
}  // namespace quillon::testing
