#include "pak_archive.h"
#include "app_folder_fixture.h"
#include "quillon/extra.h"

#include <gtest/gtest.h>

using quillon::Extra;
namespace pak = quillon::pak;

namespace {

const std::string Split(pak::SplitMarker);
const std::string Here(pak::NameMarker);

}  // namespace

TEST(PakIndex, MarkersAreTheFormatsByteStrings) {
  EXPECT_EQ(pak::SplitMarker.size(), 16u);
  EXPECT_EQ(pak::NameMarker.size(), 14u);
}

TEST(PakIndex, BothLayoutsAndMixturesReadTheSame) {
  const std::string leading = Split + "a.png" + Here + "AAA" + Split + "dir\\b.TXT" + Here + "BB";
  const std::string trailing = "a.png" + Here + "AAA" + Split + "dir\\b.TXT" + Here + "BB" + Split;
  const std::string mixed = "a.png" + Here + "AAA" + Split + Split + "dir\\b.TXT" + Here + "BB";
  for (const std::string& bytes : {leading, trailing, mixed}) {
    const auto index = pak::ParseIndex(bytes);
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[0].ShortName, "a.png");
    EXPECT_EQ(index[0].Data, "AAA");
    EXPECT_EQ(index[0].Extension, "png");
    EXPECT_EQ(index[1].StoredName, "dir\\b.TXT");
    EXPECT_EQ(index[1].ShortName, "b.TXT");
    EXPECT_EQ(index[1].Extension, "txt");
    EXPECT_EQ(index[1].Data, "BB");
  }
}

TEST(PakIndex, OddPiecesAndEmptyArchives) {
  // No split marker at all: no entries, whatever else is there.
  auto index = pak::ParseIndex("a.png" + Here + "data");
  ASSERT_EQ(index.size(), 1u);
  EXPECT_TRUE(index[0].IsEmpty());
  EXPECT_EQ(pak::ParseIndex("").size(), 1u);

  // A piece without a name marker is skipped; a second name marker ends the data.
  index = pak::ParseIndex(Split + "garbage" + Split + "x.bin" + Here + "12" + Here + "34");
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(index[0].ShortName, "x.bin");
  EXPECT_EQ(index[0].Data, "12");

  // Binary data with NUL bytes survives.
  const std::string binary("\0\xff\r\n\0", 5);
  index = pak::ParseIndex(Split + "z" + Here + binary);
  EXPECT_EQ(index[0].Data, binary);
}

TEST(PakIndex, StoredNamesAreNotTrusted) {
  EXPECT_EQ(pak::SafeShortName("C:\\games\\pic.png"), "pic.png");
  EXPECT_EQ(pak::SafeShortName("../../etc/passwd"), "passwd");
  EXPECT_EQ(pak::SafeShortName("..\\..\\x"), "x");
  EXPECT_EQ(pak::SafeShortName("a/.."), "");
  EXPECT_EQ(pak::SafeShortName(".."), "");
  EXPECT_EQ(pak::SafeShortName("."), "");
  EXPECT_EQ(pak::SafeShortName("dir/"), "");
  EXPECT_EQ(pak::SafeShortName(std::string("a\0b", 3)), "");
  EXPECT_EQ(pak::SafeShortName(" blank "), " blank ");

  const auto index = pak::ParseIndex(Split + ".." + Here + "x" + Split + "/abs/ok.txt" + Here + "y");
  ASSERT_EQ(index.size(), 2u);
  EXPECT_TRUE(index[0].IsEmpty());
  EXPECT_EQ(index[1].ShortName, "ok.txt");
}

TEST(PakIndex, WritersProduceWhatTheReaderReads) {
  std::vector<pak::Entry> index{pak::MakeEntry("one.txt", "1"), pak::Entry{},
                                pak::MakeEntry("d\\two.txt", "22")};
  const std::string rewritten = pak::TrailingMarkerArchive(index);
  EXPECT_EQ(rewritten, "one.txt" + Here + "1" + Split + "d\\two.txt" + Here + "22" + Split);
  const auto reread = pak::ParseIndex(rewritten + pak::LeadingMarkerEntry("three", "333"));
  ASSERT_EQ(reread.size(), 3u);
  EXPECT_EQ(reread[1].StoredName, "d\\two.txt");
  EXPECT_EQ(reread[2].Data, "333");

  EXPECT_TRUE(pak::IsStorable("a.png", "plain bytes"));
  EXPECT_FALSE(pak::IsStorable("a.png", "x" + Here + "y"));
  EXPECT_FALSE(pak::IsStorable("a" + Split, "y"));
}

class PakArchive : public AppFolderTest {
 protected:
  // Short names of the open archive's index records, in order.
  static std::vector<std::string> IndexNames() {
    std::vector<std::string> names;
    for (const auto& record : quillon::lib::State().Pak.Index) {
      names.push_back(record.ShortName);
    }
    return names;
  }

  Extra extra;
};

TEST_F(PakArchive, NothingWorksBeforeAnArchiveIsOpen) {
  Write("a.txt", "A");
  std::string rename;
  EXPECT_FALSE(extra.PAK_AddFile("a.txt", rename));
  EXPECT_FALSE(extra.PAK_ExtractFile("a.txt"));
  EXPECT_FALSE(extra.PAK_ExtractAll());
  EXPECT_FALSE(extra.PAK_DeleteFile("a.txt"));
  EXPECT_EQ(extra.PAK_FileCount(), 0);
  EXPECT_FALSE(extra.PAK_OpenPAK("missing.pak"));
  EXPECT_FALSE(extra.PAK_OpenPAK(""));  // the application folder is no archive
}

TEST_F(PakArchive, AddExtractAndReopen) {
  Write("data.pak", "");
  Write("one.txt", "first file");
  Write("two.bin", std::string("\0\x01\x02", 3));
  ASSERT_TRUE(extra.PAK_OpenPAK("data.pak"));
  EXPECT_EQ(extra.PAK_FileCount(), 0);

  std::string rename;
  ASSERT_TRUE(extra.PAK_AddFile("one.txt", rename));
  EXPECT_EQ(rename, "one.txt");  // the caller's variable takes the name used
  EXPECT_EQ(extra.PAK_FileCount(), 1);
  EXPECT_EQ(Read("data.pak").rfind(Split, 0), 0u);
  std::string stored = "Pics\\Second.BIN";
  ASSERT_TRUE(extra.PAK_AddFile("two.bin", stored));
  EXPECT_EQ(extra.PAK_FileCount(), 2);

  // Another object sees the same archive; a reopened archive holds the same.
  Extra other;
  ASSERT_TRUE(other.PAK_OpenPAK(app_.string() + "/data.pak"));
  EXPECT_EQ(other.PAK_FileCount(), 2);
  EXPECT_FALSE(other.PAK_ExtractFile("second.bin", "out\\copy.bin"));  // no such folder yet
  std::filesystem::create_directory(Path("out"));
  ASSERT_TRUE(other.PAK_ExtractFile("SECOND.bin", "out\\copy.bin"));
  EXPECT_EQ(Read("out/copy.bin"), std::string("\0\x01\x02", 3));
  ASSERT_TRUE(extra.PAK_ExtractFile("one.txt", "one-again.txt"));
  EXPECT_EQ(Read("one-again.txt"), "first file");
  // Only names with a drive letter (or from the root) are reduced to their short name.
  EXPECT_TRUE(extra.PAK_ExtractFile("C:\\elsewhere\\one.txt", "c.txt"));
  EXPECT_FALSE(extra.PAK_ExtractFile("Pics\\Second.BIN", "d.bin"));
  EXPECT_FALSE(extra.PAK_ExtractFile("", "e.bin"));
}

TEST_F(PakArchive, DuplicateNamesAreRefusedOnceTheIndexHasTwoRecords) {
  Write("data.pak", "");
  Write("a.txt", "A");
  Write("b.txt", "B");
  ASSERT_TRUE(extra.PAK_OpenPAK("data.pak"));
  std::string name;
  ASSERT_TRUE(extra.PAK_AddFile("a.txt", name));
  name = "A.TXT";  // one record only: not compared
  EXPECT_TRUE(extra.PAK_AddFile("a.txt", name));
  name = "x\\a.txt";
  EXPECT_FALSE(extra.PAK_AddFile("b.txt", name, true));  // headless: the notice goes to the log
  EXPECT_NE(Log().find("File already exists : b.txt"), std::string::npos);
  EXPECT_EQ(extra.PAK_FileCount(), 2);
}

TEST_F(PakArchive, DeleteRewritesWithTrailingMarkersAndReusesTheRecord) {
  Write("data.pak", "");
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    Write(name, std::string("content of ") + name);
  }
  ASSERT_TRUE(extra.PAK_OpenPAK("data.pak"));
  for (std::string name : {"a.txt", "b.txt", "c.txt"}) {
    ASSERT_TRUE(extra.PAK_AddFile(name, name));
  }
  ASSERT_TRUE(extra.PAK_DeleteFile("B.TXT"));
  EXPECT_TRUE(extra.PAK_DeleteFile("not-there"));
  EXPECT_EQ(extra.PAK_FileCount(), 2);
  EXPECT_EQ(Read("data.pak"),
            "a.txt" + Here + "content of a.txt" + Split + "c.txt" + Here + "content of c.txt" + Split);

  // Extracting everything skips the emptied record.
  ASSERT_TRUE(extra.PAK_ExtractAll("unpacked"));
  EXPECT_EQ(Read("unpacked/a.txt"), "content of a.txt");
  EXPECT_EQ(Read("unpacked/c.txt"), "content of c.txt");
  EXPECT_FALSE(std::filesystem::exists(Path("unpacked/b.txt")));
  EXPECT_EQ(Log().find("PAK - Error"), std::string::npos);

  // The emptied record takes the next file; a reopened archive agrees.
  std::string name = "d.txt";
  Write("d.txt", "D");
  ASSERT_TRUE(extra.PAK_AddFile("d.txt", name));
  EXPECT_EQ(IndexNames(), (std::vector<std::string>{"a.txt", "d.txt", "c.txt"}));
  ASSERT_TRUE(extra.PAK_OpenPAK("data.pak"));
  EXPECT_EQ(IndexNames(), (std::vector<std::string>{"a.txt", "c.txt", "d.txt"}));

  for (const char* gone : {"a.txt", "c.txt", "d.txt"}) {
    ASSERT_TRUE(extra.PAK_DeleteFile(gone));
  }
  EXPECT_EQ(Read("data.pak"), "");
  ASSERT_TRUE(extra.PAK_OpenPAK("data.pak"));
  EXPECT_EQ(extra.PAK_FileCount(), 0);
}

TEST_F(PakArchive, ExtractMatchesCaseAndBlanksOfTheStoredName) {
  Write("data.pak", Split + "Dir\\ Picture.PNG " + Here + "png bytes");
  ASSERT_TRUE(extra.PAK_OpenPAK("DATA.PAK"));  // names resolve without regard to case
  ASSERT_TRUE(extra.PAK_ExtractFile("picture.png"));
  EXPECT_EQ(Read("picture.png"), "png bytes");
}

TEST_F(PakArchive, OpeningAMissingArchiveKeepsTheOpenOne) {
  Write("data.pak", Split + "x.txt" + Here + "x");
  ASSERT_TRUE(extra.PAK_OpenPAK("data.pak"));
  EXPECT_FALSE(extra.PAK_OpenPAK("nothing.pak"));
  EXPECT_EQ(extra.PAK_FileCount(), 1);
  EXPECT_TRUE(extra.PAK_ExtractFile("x.txt"));
}

TEST_F(PakArchive, HostileNamesNeverLeaveTheTargetFolder) {
  std::filesystem::create_directory(Path("inside"));
  Write("evil.pak", Split + "../../escaped.txt" + Here + "1" + Split + "..\\..\\escaped2.txt" + Here + "2" +
                        Split + ".." + Here + "3" + Split + "sub/.." + Here + "4" + Split + "/tmp/" + Here +
                        "5" + Split + "safe.txt" + Here + "6");
  ASSERT_TRUE(extra.PAK_OpenPAK("evil.pak"));
  EXPECT_EQ(extra.PAK_FileCount(), 3);
  ASSERT_TRUE(extra.PAK_ExtractAll("inside"));
  EXPECT_FALSE(std::filesystem::exists(app_ / "escaped.txt"));
  EXPECT_FALSE(std::filesystem::exists(app_.parent_path() / "escaped.txt"));
  EXPECT_EQ(Read("inside/escaped.txt"), "1");
  EXPECT_EQ(Read("inside/escaped2.txt"), "2");
  EXPECT_EQ(Read("inside/safe.txt"), "6");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Path("inside"))) {
    ++files;
  }
  EXPECT_EQ(files, 3u);
  EXPECT_FALSE(extra.PAK_ExtractFile(".."));
}

TEST_F(PakArchive, TruncatedAndGarbageArchivesOpenWithoutHarm) {
  const std::string full = Split + "a.txt" + Here + "hello";
  for (std::size_t cut = 0; cut < full.size(); ++cut) {
    Write("cut.pak", full.substr(0, cut));
    ASSERT_TRUE(extra.PAK_OpenPAK("cut.pak"));
    EXPECT_LE(extra.PAK_FileCount(), 1);
  }
  std::string garbage(4096, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) {
    garbage[i] = static_cast<char>(i * 131 % 251);
  }
  Write("garbage.pak", garbage);
  ASSERT_TRUE(extra.PAK_OpenPAK("garbage.pak"));
  EXPECT_EQ(extra.PAK_FileCount(), 0);
}

TEST_F(PakArchive, FailedAddsChangeNothingAndSayWhy) {
  Write("data.pak", Split + "keep.txt" + Here + "kept");
  ASSERT_TRUE(extra.PAK_OpenPAK("data.pak"));
  const std::string before = Read("data.pak");

  std::string name;
  EXPECT_FALSE(extra.PAK_AddFile("missing.txt", name));  // unreadable source
  Write("marker.txt", "a" + Here + "b");
  name = "";
  EXPECT_FALSE(extra.PAK_AddFile("marker.txt", name));  // would not read back the same
  Write("ok.txt", "ok");
  name = "folder\\";
  EXPECT_FALSE(extra.PAK_AddFile("ok.txt", name));  // no file name to extract under
  name = "..";
  EXPECT_FALSE(extra.PAK_AddFile("ok.txt", name));

  EXPECT_EQ(Read("data.pak"), before);
  EXPECT_EQ(extra.PAK_FileCount(), 1);
  EXPECT_NE(Log().find("PAK - Error adding file : " + app_.string() + "/missing.txt"), std::string::npos);
}

TEST_F(PakArchive, FailedExtractAllNamesTheFileInTheLog) {
  Write("data.pak", Split + "a.txt" + Here + "A");
  ASSERT_TRUE(extra.PAK_OpenPAK("data.pak"));
  // The target's parent does not exist: only one folder level is created.
  EXPECT_FALSE(extra.PAK_ExtractAll("no\\such\\folder"));
  const std::string expected =
      "PAK - Error Extracting All files : " + app_.string() + "/no/such/folder '&' a.txt\r\n";
  EXPECT_EQ(Log(), expected);
}
