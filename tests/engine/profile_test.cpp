#include "quillon/profile.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "quillon/atomic_file.h"
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
