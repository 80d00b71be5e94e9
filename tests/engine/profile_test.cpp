#include "quillon/profile.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "engine_fixture.h"
#include "platform/profile_parse.h"
#include "quillon/atomic_file.h"
#include "quillon/extra.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace quillon::profile;

namespace {

std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void SetModifiedTime(const fs::path& file, const timespec& when) {
  const timespec times[2] = {when, when};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

timespec ModifiedTime(const fs::path& file) {
  struct stat st {};
  ::stat(file.c_str(), &st);
  return st.st_mtim;
}

}  // namespace

TEST(Profile, WritesANewFileWithWindowsLineEndsAndReadsItBack) {
  TempFolder dir;
  const fs::path file = dir / "options.bmp";
  EXPECT_EQ(ReadString(file, "main", "Sound", "def"), "def");
  EXPECT_TRUE(WriteString(file, "main", "Sound", "True"));
  EXPECT_TRUE(WriteString(file, "main", "Music", "'quoted'"));
  EXPECT_TRUE(Flush());
  EXPECT_EQ(ReadBytes(file), "[main]\r\nSound=True\r\nMusic='quoted'\r\n");
  ClearCache();  // read from disk again
  EXPECT_EQ(ReadString(file, "MAIN", "sound"), "True");
  EXPECT_EQ(ReadString(file, "main", "music"), "quoted");
  EXPECT_EQ(ReadString(file, "main", "missing"), "");
}

TEST(Profile, AReadReturnsAtMost254Characters) {
  TempFolder dir;
  const fs::path file = dir / "x.ini";
  const std::string longValue(300, 'v');
  EXPECT_TRUE(WriteString(file, "s", "k", longValue));
  EXPECT_EQ(ReadString(file, "s", "k"), std::string(254, 'v'));
  EXPECT_EQ(ReadString(file, "s", "missing", longValue).size(), 254u);
  Flush();
  EXPECT_NE(ReadBytes(file).find(longValue), std::string::npos);  // the file keeps it whole
}

TEST(Profile, WritingIntoAMissingFolderFailsAndCreatesNothing) {
  TempFolder dir;
  const fs::path file = dir / "nowhere" / "x.ini";
  EXPECT_FALSE(WriteString(file, "s", "k", "v"));
  EXPECT_EQ(ReadString(file, "s", "k"), "");
  EXPECT_FALSE(fs::exists(dir / "nowhere"));
  EXPECT_FALSE(WriteString(file, "s", "k", "v"));  // and again: nothing was held
}

TEST(Profile, RefusesLineBreaksAndNamesThatWouldNotReadBack) {
  TempFolder dir;
  const fs::path file = dir / "hs.ini";
  EXPECT_FALSE(WriteString(file, "hs", "n0", "Tobo\r\n[hs]\r\ns0=99999"));
  EXPECT_FALSE(WriteString(file, "hs", "s0=1", "v"));
  EXPECT_FALSE(fs::exists(file));
}

TEST(Profile, HugeAndBinaryFilesReadWithoutHarm) {
  TempFolder dir;
  const fs::path file = dir / "big.ini";
  std::string bytes = "[s]\nk=";
  bytes.append(100u << 20, 'x');  // one 100 MB line without a line end
  const char tail[] = "\0\n[t]\nz=\x01\x02";
  bytes.append(tail, sizeof tail - 1);
  WriteBytes(file, bytes);
  EXPECT_EQ(ReadString(file, "s", "k"), std::string(254, 'x'));
  EXPECT_EQ(ReadString(file, "t", "z"), "\x01\x02");
  ClearCache();

  const fs::path small = dir / "small.ini";
  const std::string garbage = std::string("\xff\xfe[s]\0\r\n\0\0", 10) + "\r\n[s";
  WriteBytes(small, garbage);
  EXPECT_TRUE(WriteString(small, "s", "n", "1"));
  EXPECT_EQ(ReadBytes(small), garbage + "\r\n[s]\r\nn=1\r\n");
}

TEST(Profile, SeesChangesMadeByAnotherProcess) {
  TempFolder dir;
  const fs::path file = dir / "shared.ini";
  WriteBytes(file, "[s]\nk=aaaa\n");
  ASSERT_EQ(ReadString(file, "s", "k"), "aaaa");

  // Same size, same inode, the same second: only the nanoseconds differ.
  timespec when = ModifiedTime(file);
  WriteBytes(file, "[s]\nk=bbbb\n");
  when.tv_nsec = when.tv_nsec == 999999999 ? when.tv_nsec - 1 : when.tv_nsec + 1;
  SetModifiedTime(file, when);
  EXPECT_EQ(ReadString(file, "s", "k"), "bbbb");

  // Replaced by another file of the same size and the same time: a new inode.
  const fs::path other = dir / "other.ini";
  WriteBytes(other, "[s]\nk=cccc\n");
  SetModifiedTime(other, when);
  fs::rename(other, file);
  EXPECT_EQ(ReadString(file, "s", "k"), "cccc");

  fs::remove(file);
  EXPECT_EQ(ReadString(file, "s", "k"), "");
}

TEST(Profile, HeldChangesAreWrittenByFlushAndAfterTheDelay) {
  TempFolder dir;
  const fs::path file = dir / "replay.ini";
  EXPECT_TRUE(WriteString(file, "ingame", "0_x", "1"));  // the first change is written at once
  EXPECT_EQ(ReadBytes(file), "[ingame]\r\n0_x=1\r\n");
  EXPECT_TRUE(WriteString(file, "ingame", "1_x", "2"));  // held
  EXPECT_EQ(ReadString(file, "ingame", "1_x"), "2");
  EXPECT_TRUE(Flush());
  EXPECT_EQ(ReadBytes(file), "[ingame]\r\n0_x=1\r\n1_x=2\r\n");

  EXPECT_TRUE(WriteString(file, "ingame", "2_x", "3"));  // held again
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ReadString(dir / "unrelated.ini", "a", "b");  // any later call writes what waited long enough
  EXPECT_EQ(ReadBytes(file), "[ingame]\r\n0_x=1\r\n1_x=2\r\n2_x=3\r\n");
}

TEST(Profile, HeldChangesMergeWithAnotherProcessesChange) {
  TempFolder dir;
  const fs::path file = dir / "options.bmp";
  ASSERT_TRUE(WriteString(file, "main", "mine1", "1"));
  ASSERT_TRUE(WriteString(file, "main", "mine2", "2"));  // held
  ASSERT_TRUE(quillon::WriteFileAtomically(file, "[main]\r\nmine1=1\r\ntheirs=3\r\n"));
  EXPECT_EQ(ReadString(file, "main", "theirs"), "3");
  EXPECT_EQ(ReadString(file, "main", "mine2"), "2");
  EXPECT_EQ(ReadBytes(file), "[main]\r\nmine1=1\r\ntheirs=3\r\nmine2=2\r\n");
}

TEST(Profile, HeldChangesThatCannotBeWrittenStayHeldUntilTheyCan) {
  TempFolder dir;
  const fs::path file = dir / "hs.ini";
  ASSERT_TRUE(WriteString(file, "hs", "s0", "100"));
  ASSERT_TRUE(WriteString(file, "hs", "s1", "90"));  // held
  fs::remove(file);
  fs::create_directory(file);  // nothing can replace it now
  EXPECT_FALSE(Flush());
  EXPECT_EQ(ReadString(file, "hs", "s1"), "90");
  fs::remove(file);
  EXPECT_TRUE(Flush());
  EXPECT_EQ(ReadBytes(file), "[hs]\r\ns1=90\r\n");  // s0 went with the file another process removed
}

TEST(Profile, HeldChangesReachTheDiskWhenTheProcessExits) {
  TempFolder dir;
  const fs::path file = dir / "exit.ini";
  EXPECT_EXIT(
      {
        WriteString(file, "s", "a", "1");
        WriteString(file, "s", "b", "2");  // held when exit comes
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadBytes(file), "[s]\r\na=1\r\nb=2\r\n");
}

TEST(AtomicFile, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder dir;
  const fs::path file = dir / "hs.ini";
  ASSERT_TRUE(quillon::WriteFileAtomically(file, "old contents"));
  ::chmod(file.c_str(), 0640);
  ASSERT_TRUE(quillon::WriteFileAtomically(file, "new contents"));
  EXPECT_EQ(ReadBytes(file), "new contents");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  // A file size limit makes the write itself fail half-way.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool bigWrite = quillon::WriteFileAtomically(file, std::string(100000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(bigWrite);
  EXPECT_EQ(ReadBytes(file), "new contents");

  fs::create_directory(dir / "folder.ini");  // a folder cannot be replaced by a file
  EXPECT_FALSE(quillon::WriteFileAtomically(dir / "folder.ini", "x"));
  EXPECT_FALSE(WriteString(dir / "folder.ini", "s", "k", "v"));
  EXPECT_EQ(Listing(dir.Path()), (std::vector<std::string>{"folder.ini", "hs.ini"}));
}

TEST(AtomicFile, ReplacesTheTargetOfALink) {
  TempFolder dir;
  ASSERT_TRUE(quillon::WriteFileAtomically(dir / "real.ini", "one"));
  fs::create_symlink("real.ini", dir / "link.ini");
  ASSERT_TRUE(quillon::WriteFileAtomically(dir / "link.ini", "two"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
  EXPECT_EQ(ReadBytes(dir / "real.ini"), "two");
}

namespace quillon::testing {
namespace {

namespace fs = std::filesystem;
using profile::ClearCache;
using profile::Flush;
using profile::IniDocument;
using profile::KeyValue;
using profile::ReadString;
using profile::WriteString;
using profile::WriteStrings;

class ProfileRules : public ::testing::Test {
 protected:
  void SetUp() override { ClearCache(); }
  void TearDown() override { ClearCache(); }
  TempFolder dir_;
};

TEST_F(ProfileRules, ADefaultLosesTrailingSpacesThenOnePairOfQuotes) {
  const fs::path file = dir_ / "none.ini";
  struct Case {
    const char* Default;
    const char* Read;
  };
  const Case cases[] = {
      {"abc   ", "abc"},
      {"  lead", "  lead"},
      {"   ", " "},
      {" ", " "},
      {"", ""},
      {"\"quoted\"  ", "quoted"},
      {"'single'", "single"},
      {"\"open", "\"open"},
      {"\"mixed'", "\"mixed'"},
      {" \"x\"", " \"x\""},
      {"tab\t", "tab\t"},
      {"\"\"", ""},
      {"\"", "\""},
      {"\" in \" ", " in "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadString(file, "s", "k", c.Default), c.Read) << '[' << c.Default << ']';
  // A value in the file is trimmed of blanks both ways, as always.
  WriteBytes(file, "[s]\r\nk=  \"v\" \t\r\n");
  ClearCache();
  EXPECT_EQ(ReadString(file, "s", "k", "default"), "v");
}

TEST_F(ProfileRules, ALoneCarriageReturnEndsALine) {
  const std::string old = "[old]\rsaved=on another system\rsecond=2\r[next]\r\nk=v\nlast=1";
  IniDocument doc(old);
  EXPECT_EQ(doc.Find("old", "saved"), "on another system");
  EXPECT_EQ(doc.Find("old", "second"), "2");
  EXPECT_EQ(doc.Find("next", "k"), "v");
  EXPECT_EQ(doc.Find("next", "last"), "1");
  EXPECT_EQ(doc.Serialize(), old);
  // New lines take the file's first line end.
  doc.Set("old", "third", "3");
  doc.Set("old", "saved", "here");
  EXPECT_EQ(doc.Serialize(), "[old]\rsaved=here\rsecond=2\rthird=3\r[next]\r\nk=v\nlast=1");
  // "\r\r\n" is a lone CR and then a CRLF: an empty line between.
  const IniDocument twice("[s]\r\r\nk=1\r\n");
  EXPECT_EQ(twice.Find("s", "k"), "1");
  EXPECT_EQ(twice.Serialize(), "[s]\r\r\nk=1\r\n");
}

TEST_F(ProfileRules, ASectionNameRunsToTheLastBracketOfItsLine) {
  const fs::path file = dir_ / "names.ini";
  WriteBytes(file, "[c]]\r\nk=1\r\n[a] ; note ]\r\nx=2\r\n[plain] \r\ny=3\r\n");
  EXPECT_EQ(ReadString(file, "c]", "k"), "1");
  EXPECT_EQ(ReadString(file, "c", "k"), "");
  EXPECT_EQ(ReadString(file, "a] ; note", "x"), "2");
  EXPECT_EQ(ReadString(file, "plain", "y"), "3");
  // Such names can now be written: they read back.
  EXPECT_TRUE(WriteString(file, "c]", "k", "9"));
  EXPECT_TRUE(WriteString(file, "d]]", "z", "4"));
  ASSERT_TRUE(Flush());
  ClearCache();
  EXPECT_EQ(ReadString(file, "c]", "k"), "9");
  EXPECT_EQ(ReadString(file, "d]]", "z"), "4");
  EXPECT_EQ(ReadBytes(file), "[c]]\r\nk=9\r\n[a] ; note ]\r\nx=2\r\n[plain] \r\ny=3\r\n[d]]]\r\nz=4\r\n");
}

TEST_F(ProfileRules, KeysBeforeTheFirstHeaderAreTheSectionWithTheEmptyName) {
  const fs::path file = dir_ / "top.ini";
  WriteBytes(file, "top=1\r\n; about the file\r\n\r\n[s]\r\nk=2\r\n");
  EXPECT_EQ(ReadString(file, "", "top"), "1");
  EXPECT_EQ(ReadString(file, "  ", "TOP"), "1");
  EXPECT_EQ(ReadString(file, "s", "top"), "");
  EXPECT_TRUE(WriteString(file, "", "top", "one"));
  EXPECT_TRUE(WriteString(file, "", "added", "x"));
  ASSERT_TRUE(Flush());
  EXPECT_EQ(ReadBytes(file), "top=one\r\nadded=x\r\n; about the file\r\n\r\n[s]\r\nk=2\r\n");

  // Without keys of its own the section goes just before the first header,
  // and never under a "[]" header.
  const fs::path bare = dir_ / "bare.ini";
  WriteBytes(bare, "; comment\n[s]\nk=2\n");
  EXPECT_TRUE(WriteString(bare, "", "a", "1"));
  const fs::path empty = dir_ / "empty.ini";
  EXPECT_TRUE(WriteString(empty, "", "a", "1"));
  const fs::path noHeader = dir_ / "noheader.ini";
  WriteBytes(noHeader, "; only a comment");
  EXPECT_TRUE(WriteString(noHeader, "", "a", "1"));
  ASSERT_TRUE(Flush());
  EXPECT_EQ(ReadBytes(bare), "; comment\na=1\n[s]\nk=2\n");
  EXPECT_EQ(ReadBytes(empty), "a=1\r\n");
  EXPECT_EQ(ReadBytes(noHeader), "; only a comment\r\na=1\r\n");

  // A "[]" header further down repeats the section: its keys are not read.
  const IniDocument repeated("first=1\n[]\nsecond=2\n");
  EXPECT_EQ(repeated.Find("", "first"), "1");
  EXPECT_FALSE(repeated.Find("", "second").has_value());

  // A file that starts with a "[]" header (a comment may stand before it)
  // keeps its keys readable, and new ones join them under that header.
  const fs::path leading = dir_ / "leading.ini";
  WriteBytes(leading, "; made by hand\n[]\nk=1\n[s]\nk=2\n");
  EXPECT_EQ(ReadString(leading, "", "k"), "1");
  EXPECT_EQ(ReadString(leading, "s", "k"), "2");
  EXPECT_TRUE(WriteString(leading, "", "n", "3"));
  ASSERT_TRUE(Flush());
  EXPECT_EQ(ReadBytes(leading), "; made by hand\n[]\nk=1\nn=3\n[s]\nk=2\n");
  IniDocument headerOnly("[]\n");
  EXPECT_TRUE(headerOnly.Set("", "a", "1"));
  EXPECT_EQ(headerOnly.Serialize(), "[]\na=1\n");
}

TEST_F(ProfileRules, ABracketLineWithoutCloseIsAnOrdinaryLine) {
  const IniDocument doc("[s]\n[key=1\n[not a header\nafter=2\n[t\n");
  EXPECT_EQ(doc.Find("s", "[key"), "1");
  EXPECT_EQ(doc.Find("s", "after"), "2");
  EXPECT_FALSE(doc.Find("not a header", "after").has_value());
  EXPECT_FALSE(doc.Find("t", "after").has_value());
}

// All keys of one change reach the disk in one write, at once, even right
// after another write (when single changes are held).
TEST_F(ProfileRules, SeveralKeysAreOneChangeOnDisk) {
  const fs::path file = dir_ / "table.ini";
  ASSERT_TRUE(WriteString(file, "setup", "TopX", "3"));
  ASSERT_TRUE(WriteString(file, "setup", "held", "yes"));  // held: written less than 250 ms ago
  const KeyValue change[] = {
      {"scores", "1_score", "30"}, {"scores", "1_name", "ANA"}, {"scores", "2_score", "20"}};
  ASSERT_TRUE(WriteStrings(file, change));
  EXPECT_EQ(ReadBytes(file),
            "[setup]\r\nTopX=3\r\nheld=yes\r\n[scores]\r\n1_score=30\r\n1_name=ANA\r\n2_score=20\r\n");

  // One key that would not read back refuses the whole change.
  const KeyValue refused[] = {{"scores", "1_score", "40"}, {"scores", "bad=key", "1"}};
  EXPECT_FALSE(WriteStrings(file, refused));
  EXPECT_EQ(ReadString(file, "scores", "1_score"), "30");
  // A change into a folder that is not there fails whole, and holds nothing.
  EXPECT_FALSE(WriteStrings(dir_ / "missing" / "t.ini", change));
  EXPECT_EQ(ReadString(dir_ / "missing" / "t.ini", "scores", "1_name"), "");
}

TEST_F(ProfileRules, AWriteThatCanNeverSucceedFailsAtOnceAlsoInABurst) {
  const fs::path folder = dir_ / "sub";
  fs::create_directory(folder);
  const fs::path file = folder / "x.ini";
  ASSERT_TRUE(WriteString(file, "s", "a", "1"));
  ASSERT_TRUE(WriteString(file, "s", "b", "2"));  // held
  fs::remove_all(folder);
  // Within the same 250 ms: nothing can be written there any more.
  EXPECT_FALSE(WriteString(file, "s", "c", "3"));
  EXPECT_EQ(ReadString(file, "s", "c"), "");
}

class HeldFailure : public EngineTest {};

// A held change whose write fails later is told in the log, once, and
// written as soon as it can be.
TEST_F(HeldFailure, IsLoggedOnceAndRetried) {
  const fs::path folder = Path("sub");
  fs::create_directory(folder);
  const fs::path file = folder / "x.ini";
  ASSERT_TRUE(WriteString(file, "s", "a", "1"));
  ASSERT_TRUE(WriteString(file, "s", "b", "2"));  // held
  // The file turns into a folder: nothing can replace it for now.
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_FALSE(Flush());
  EXPECT_FALSE(Flush());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ReadString(Path("other.ini"), "a", "b");  // a later call tries the held change again
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("Error in INIWrite : " + file.string(), 0), 0u) << lines[0];
  fs::remove(file);
  EXPECT_TRUE(Flush());
  EXPECT_EQ(ReadBytes(file), "[s]\r\na=1\r\nb=2\r\n");
}

}  // namespace
}  // namespace quillon::testing
