// System fonts: face choice, line breaking and alignment, drawing into the
// rectangle, duplicate keys.

#include "engine_fixture.h"
#include "platform/text_font.h"
#include "text_layout.h"

namespace quillon::testing {
namespace {

// Every character 10 pixels wide.
int Fixed(std::string_view s) { return static_cast<int>(s.size()) * 10; }

TEST(TextLayout, WrapsAtBlanksAndLineBreaks) {
  EXPECT_EQ(BreakLines("aaa bbb ccc", 75, false, Fixed), (std::vector<std::string>{"aaa bbb", "ccc"}));
  // A word wider than the box keeps a line of its own.
  EXPECT_EQ(BreakLines("a verylongword b", 50, false, Fixed),
            (std::vector<std::string>{"a", "verylongword", "b"}));
  EXPECT_EQ(BreakLines("one\r\ntwo\nthree", 500, false, Fixed),
            (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(BreakLines("one\r\ntwo", 10, true, Fixed), (std::vector<std::string>{"one  two"}));
  EXPECT_EQ(BreakLines("", 100, false, Fixed), (std::vector<std::string>{""}));
}

TEST(TextLayout, AlignmentFlags) {
  const TextBox box{100, 50, 200, 150};
  auto first = [&](std::string_view text, int flags) { return LayoutText(text, box, flags, 20, Fixed)[0]; };
  EXPECT_EQ(first("abc", 0).X, 100);
  EXPECT_EQ(first("abc", 0).Y, 50);
  EXPECT_EQ(first("abc", text_format::kCenter).X, 135);
  EXPECT_EQ(first("abc", text_format::kRight).X, 170);
  // Vertical placement needs single-line text.
  EXPECT_EQ(first("abc", text_format::kVCenter).Y, 50);
  EXPECT_EQ(first("abc", text_format::kVCenter | text_format::kSingleLine).Y, 90);
  EXPECT_EQ(first("abc", text_format::kBottom | text_format::kSingleLine).Y, 130);
  // Each wrapped line is centred for itself.
  const auto lines =
      LayoutText("aaaaaaa bbb", box, text_format::kCenter | text_format::kWordBreak, 20, Fixed);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].X, 115);
  EXPECT_EQ(lines[1].X, 135);
  EXPECT_EQ(lines[1].Y, 70);
}

TEST(FontMatch, FamilyNamesFindTheClosestInstalledFace) {
  const std::string regular = platform::MatchFontFile("Verdana", false, false);
  ASSERT_FALSE(regular.empty());
  EXPECT_NE(regular.find("DejaVuSans"), std::string::npos) << regular;
  EXPECT_NE(platform::MatchFontFile("Verdana", true, false).find("Bold"), std::string::npos);
  EXPECT_FALSE(platform::MatchFontFile("No Such Family At All", false, false).empty());
}

class Fonts : public EngineTest {
 protected:
  // The lit pixels' columns and rows.
  static void Bounds(const Frame& f, int& left, int& right, int& top, int& bottom) {
    left = f.Width, right = -1, top = f.Height, bottom = -1;
    for (int y = 0; y < f.Height; ++y) {
      for (int x = 0; x < f.Width; ++x) {
        if (f.At(x, y) == 0) continue;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
  }
};

TEST_F(Fonts, DuplicateKeysAreRefusedWhateverTheirCase) {
  Engine engine;
  StartSmall(engine);
  engine.CreateFont("Title", "Verdana", 12);
  engine.CreateFont("TITLE", "Serif", 20);
  const auto lines = LogLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "Error importing fonts KeyName.");
  EXPECT_EQ(lines.back(), "'title' already exists!");
  ASSERT_EQ(engine.Internals().Fonts.size(), 1u);
  EXPECT_EQ(engine.Internals().Fonts[0].Name, "title");
  EXPECT_EQ(engine.Internals().Fonts[0].InfoDesc.Size, 12);
}

TEST_F(Fonts, EachFontKeepsItsOwnSize) {
  Engine engine;
  StartSmall(engine);
  engine.CreateFont("small", "Verdana", 8);
  engine.CreateFont("large", "Verdana", 24, true, true);
  const auto& fonts = engine.Internals().Fonts;
  ASSERT_EQ(fonts.size(), 2u);
  ASSERT_TRUE(fonts[0].Info && fonts[1].Info);
  EXPECT_LT(fonts[0].Info->LineHeight() * 2, fonts[1].Info->LineHeight());
  EXPECT_TRUE(fonts[1].InfoDesc.Bold);
  EXPECT_FALSE(fonts[0].InfoDesc.Bold);
}

TEST_F(Fonts, DrawFontCentresInTheRectangleAndClipsToIt) {
  Engine engine;
  StartSmall(engine, 200, 100);
  engine.CreateFont("f", "Verdana", 10);
  engine.DrawFont("F", 20, 10, 160, 40, "Hi there", -1, 1);
  Frame f = ReadFrame(engine);
  int left, right, top, bottom;
  Bounds(f, left, right, top, bottom);
  ASSERT_GE(right, left);
  EXPECT_NEAR((left + right) / 2.0, 100, 2);
  EXPECT_GE(top, 10);

  // A box smaller than the text cuts it off at the box's edges.
  engine.ClearScreen();
  engine.DrawFont("f", 50, 50, 20, 5, "Wide words here", static_cast<std::int32_t>(0xFFFF0000), 0);
  f = ReadFrame(engine);
  Bounds(f, left, right, top, bottom);
  EXPECT_GE(left, 50);
  EXPECT_LE(right, 69);
  EXPECT_GE(top, 50);
  EXPECT_LE(bottom, 54);
  // The colour is the one asked for: red.
  for (int y = 50; y < 55; ++y) {
    for (int x = 50; x < 70; ++x) EXPECT_EQ(f.At(x, y) & 0x00FFFF, 0u);
  }
}

TEST_F(Fonts, UnknownKeyDrawsNothing) {
  Engine engine;
  StartSmall(engine);
  engine.DrawFont("nobody", 0, 0, 64, 64, "text");
  const Frame f = ReadFrame(engine);
  int left, right, top, bottom;
  Bounds(f, left, right, top, bottom);
  EXPECT_EQ(right, -1);
}

}  // namespace
}  // namespace quillon::testing
