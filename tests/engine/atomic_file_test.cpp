// A write killed between its temporary file and the rename leaves the
// temporary behind; the next write of that file (or a start that asks for
// it) removes the temporaries whose writer is gone, and only those.

#include "quillon/atomic_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "child_process.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::string Pid(pid_t pid) { return std::to_string(pid); }

// Sets a file's modification time to seconds after the epoch.
void Backdate(const fs::path& file, time_t seconds) {
  const timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

class StaleTemporaries : public ::testing::Test {
 protected:
  fs::path Temp(const std::string& name) {
    const fs::path file = folder_ / name;
    WriteBytes(file, "left over");
    return file;
  }
  TempFolder folder_;
};

TEST_F(StaleTemporaries, NextWriteRemovesThoseOfEndedWritersOnly) {
  const std::string dead = Pid(pebblerun::support::DeadProcessId()), live = Pid(::getpid());
  const fs::path complete = Temp(".options.bmp." + dead + ".0.tmp");
  const fs::path empty = folder_ / (".options.bmp." + dead + ".7.tmp");
  WriteBytes(empty, "");
  const fs::path running = Temp(".options.bmp." + live + ".3.tmp");
  const fs::path otherFile = Temp(".hs.ini." + dead + ".0.tmp");
  const fs::path longerName = Temp(".options.bmp.old." + dead + ".0.tmp");
  const fs::path notOurs = Temp(".options.bmp." + dead + ".x.tmp");

  ASSERT_TRUE(quillon::WriteFileAtomically(folder_ / "options.bmp", "[main]"));
  EXPECT_FALSE(fs::exists(complete));
  EXPECT_FALSE(fs::exists(empty));
  EXPECT_TRUE(fs::exists(running)) << "its writer still runs";
  EXPECT_TRUE(fs::exists(otherFile)) << "another file's, for its own next write";
  EXPECT_TRUE(fs::exists(longerName));
  EXPECT_TRUE(fs::exists(notOurs));
  EXPECT_EQ(ReadBytes(folder_ / "options.bmp"), "[main]");
}

TEST_F(StaleTemporaries, AReusedProcessIdDoesNotKeepAnOlderTemporary) {
  // This process runs, but a temporary under its id last written long
  // before it started was written by an earlier process with the same id.
  const fs::path before = Temp(".hs.ini." + Pid(::getpid()) + ".0.tmp");
  Backdate(before, 1'000'000'000);
  const fs::path now = Temp(".hs.ini." + Pid(::getpid()) + ".1.tmp");
  const fs::path init = Temp(".hs.ini.1.0.tmp");  // process 1 outlives everything
  Backdate(init, 1'000'000'000);

  quillon::RemoveStaleTemporaries(folder_ / "hs.ini");
  EXPECT_FALSE(fs::exists(before));
  EXPECT_TRUE(fs::exists(now));
  EXPECT_FALSE(fs::exists(init));
  EXPECT_FALSE(fs::exists(folder_ / "hs.ini")) << "a clean-up writes nothing";
}

TEST_F(StaleTemporaries, AFolderOrAMissingFolderIsLeftAlone) {
  const fs::path folderLike = folder_ / (".x.ini." + Pid(pebblerun::support::DeadProcessId()) + ".0.tmp");
  fs::create_directory(folderLike);
  quillon::RemoveStaleTemporaries(folder_ / "x.ini");
  quillon::RemoveStaleTemporaries(folder_ / "no folder" / "x.ini");
  EXPECT_TRUE(fs::is_directory(folderLike));
}

}  // namespace
