#include "platform/profile_parse.h"

#include <gtest/gtest.h>

using quillon::profile::IniDocument;
using quillon::profile::IsWritable;

namespace {

std::string Value(const IniDocument& doc, std::string_view section, std::string_view key) {
  return std::string(doc.Find(section, key).value_or("<missing>"));
}

}  // namespace

TEST(IniDocument, ReadsNamesWithoutCaseAndTrimsBlanksAndQuotes) {
  const IniDocument doc(
      "orphan=before any section\n"
      "[ Main ]\n"
      "  Speed  =\t 12.5  \n"
      "name=\"Tobo the Brave\"\n"
      "single=' quoted '\n"
      "uneven=\"open\n"
      "lone=\"\n"
      "inner=a \"b\" c\n"
      "; comment=1\n"
      "[broken\n"
      "after=still main\n"
      "novalue\n"
      "empty=\n");
  EXPECT_EQ(Value(doc, "main", "SPEED"), "12.5");
  EXPECT_EQ(Value(doc, "MAIN", "Name"), "Tobo the Brave");
  EXPECT_EQ(Value(doc, "main", "single"), " quoted ");
  EXPECT_EQ(Value(doc, "main", "uneven"), "\"open");
  EXPECT_EQ(Value(doc, "main", "lone"), "\"");
  EXPECT_EQ(Value(doc, "main", "inner"), "a \"b\" c");
  EXPECT_EQ(Value(doc, "main", "after"), "still main");
  EXPECT_EQ(Value(doc, "main", "empty"), "");
  EXPECT_EQ(Value(doc, "main", "; comment"), "<missing>");
  EXPECT_EQ(Value(doc, "main", "novalue"), "<missing>");
  EXPECT_EQ(Value(doc, "main", "orphan"), "<missing>");
  EXPECT_EQ(Value(doc, "other", "speed"), "<missing>");
}

TEST(IniDocument, FirstOfRepeatedSectionsAndKeysWins) {
  IniDocument doc("[a]\nk=1\nK=2\n[b]\nx=1\n[A]\nk=3\nonly=later\n");
  EXPECT_EQ(Value(doc, "a", "k"), "1");
  EXPECT_EQ(Value(doc, "a", "only"), "<missing>");
  EXPECT_TRUE(doc.Set("a", "K", "9"));
  EXPECT_EQ(doc.Serialize(), "[a]\nk=9\nK=2\n[b]\nx=1\n[A]\nk=3\nonly=later\n");
}

TEST(IniDocument, ReadsLfAndCrLfAlike) {
  const IniDocument lf("[s]\nk=v\n");
  const IniDocument crlf("[s]\r\nk=v\r\nq=\"x\"\r\n");
  EXPECT_EQ(Value(lf, "s", "k"), "v");
  EXPECT_EQ(Value(crlf, "s", "k"), "v");
  EXPECT_EQ(Value(crlf, "s", "q"), "x");
  EXPECT_EQ(lf.NewLineEnd(), "\n");
  EXPECT_EQ(crlf.NewLineEnd(), "\r\n");
}

TEST(IniDocument, ReplacingAValueKeepsEveryOtherByte) {
  const std::string before =
      "; players may edit this\r\n"
      "[Player]\r\n"
      "  Weight = 15 ; tenths\r\n"
      "\r\n"
      "\x01\x02 garbage \xff\r\n"
      "Jump_Force=4\r\n";
  IniDocument doc(before);
  EXPECT_TRUE(doc.Set("player", "weight", "20"));
  EXPECT_EQ(
      doc.Serialize(),
      "; players may edit this\r\n[Player]\r\n  Weight =20\r\n\r\n\x01\x02 garbage \xff\r\nJump_Force=4\r\n");
  EXPECT_FALSE(doc.Set("PLAYER", "jump_force", "4"));  // same value: nothing to write
  EXPECT_TRUE(doc.Set("Player", "Jump_Force", ""));
  EXPECT_EQ(Value(doc, "player", "jump_force"), "");
}

TEST(IniDocument, NewKeysGoAfterTheLastKeyOfTheirSectionNewSectionsAtTheEnd) {
  IniDocument doc("[a]\nk=1\n; note\n\n[b]\n\n[c]\nz=1");
  EXPECT_TRUE(doc.Set("A", "new", "2"));
  EXPECT_TRUE(doc.Set("b", "first", "3"));
  EXPECT_TRUE(doc.Set("b", "second", "4"));
  EXPECT_TRUE(doc.Set("c", "y", "5"));  // after a last line without line end
  EXPECT_TRUE(doc.Set(" d ", " key ", " spaced "));
  EXPECT_EQ(doc.Serialize(),
            "[a]\nk=1\nnew=2\n; note\n\n[b]\nfirst=3\nsecond=4\n\n[c]\nz=1\ny=5\n[d]\nkey= spaced \n");
  EXPECT_EQ(Value(doc, "d", "key"), "spaced");
}

TEST(IniDocument, NewLinesFollowTheFilesLineEnds) {
  IniDocument fresh("");
  fresh.Set("main", "a", "1");
  fresh.Set("main", "b", "2");
  EXPECT_EQ(fresh.Serialize(), "[main]\r\na=1\r\nb=2\r\n");

  IniDocument lf("[main]\na=1");
  lf.Set("main", "b", "2");
  lf.Set("x", "c", "3");
  EXPECT_EQ(lf.Serialize(), "[main]\na=1\nb=2\n[x]\nc=3\n");

  IniDocument crlf("[main]\r\na=1\r\n");
  crlf.Set("main", "a", "one");
  crlf.Set("main", "b", "2");
  EXPECT_EQ(crlf.Serialize(), "[main]\r\na=one\r\nb=2\r\n");
}

TEST(IniDocument, HostileBytesParseAndEditWithoutHarm) {
  const char raw[] = "[s]\0junk\nk=\0x\n\xfe\xff=\x80\n[\n]\n[s]\nk=dup\n[[[]]\n=\n";
  const std::string nasty(raw, sizeof raw - 1);
  IniDocument doc(nasty);
  EXPECT_EQ(doc.Serialize(), nasty);
  EXPECT_EQ(Value(doc, "s", "k"), std::string("\0x", 2));
  EXPECT_EQ(Value(doc, "s", "\xfe\xff"), "\x80");
  EXPECT_EQ(Value(doc, "[[]", ""), "");  // "[[[]]" names the section "[[]": up to the last "]"

  std::string longLine(16 << 20, 'x');
  longLine = "[s]\nk=" + longLine;  // no line end at all
  IniDocument big(longLine);
  EXPECT_EQ(Value(big, "s", "k").size(), std::size_t(16) << 20);
  big.Set("s", "n", "1");
  EXPECT_EQ(big.Serialize().substr(longLine.size()), "\nn=1\n");
}

TEST(IniDocument, RefusesNamesThatWouldNotReadBack) {
  EXPECT_TRUE(IsWritable("main", "key", "any value; even = and ] and [x]"));
  EXPECT_TRUE(IsWritable("", "", ""));
  EXPECT_FALSE(IsWritable("main", "key", "two\nlines"));
  EXPECT_FALSE(IsWritable("main", "key", "cr\r"));
  EXPECT_TRUE(IsWritable("ma]in", "key", "v"));  // "[ma]in]" reads back as "ma]in"
  EXPECT_FALSE(IsWritable("main\n[evil", "key", "v"));
  EXPECT_FALSE(IsWritable("main", "a=b", "v"));
  EXPECT_FALSE(IsWritable("main", " ;key", "v"));
  EXPECT_TRUE(IsWritable("main", "[key", "v"));    // no "]": an ordinary key line
  EXPECT_FALSE(IsWritable("main", "[key", "v]"));  // "[key=v]" would be a section
  EXPECT_FALSE(IsWritable("main", "[k]ey", "v"));
}
