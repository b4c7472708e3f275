// Reading whole files and finding them in a list of folders.
#include "read_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_fixture.h"

namespace xtool::files {
namespace {

TEST(ReadFile, GivesTheBytesOfARegularFile) {
  const xtest::TempDir dir;
  const std::string bytes("a\0b\r\n\xFF", 6);
  EXPECT_EQ(read_file_bytes(dir.write("f.txt", bytes)), bytes);
  EXPECT_EQ(read_file_bytes(dir.write("empty.txt", "")), "");
}

TEST(ReadFile, RefusesWhatIsNotAReadableRegularFileOfSaneSize) {
  const xtest::TempDir dir;
  EXPECT_EQ(read_file_bytes(dir.path() + "/missing"), std::nullopt);
  EXPECT_EQ(read_file_bytes(dir.path()), std::nullopt);  // a folder
  EXPECT_EQ(read_file_bytes(""), std::nullopt);

  const std::string fifo = dir.path() + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(read_file_bytes(fifo), std::nullopt);  // and without waiting for a writer

  const std::string big = dir.write("big.txt", "");
  ASSERT_EQ(truncate(big.c_str(), static_cast<off_t>(kMaxFileBytes) + 1), 0);
  EXPECT_EQ(read_file_bytes(big), std::nullopt);
  ASSERT_EQ(truncate(big.c_str(), static_cast<off_t>(kMaxFileBytes)), 0);
  EXPECT_EQ(read_file_bytes(big).value_or("").size(), kMaxFileBytes);

  const std::string locked = dir.write("locked.txt", "secret");
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  if (geteuid() != 0) {  // root reads it anyway
    EXPECT_EQ(read_file_bytes(locked), std::nullopt);
  }
}

TEST(FindFile, TakesTheFirstFolderThatHoldsTheFileAsARegularFile) {
  const xtest::TempDir first, second, third;
  second.write("English.nlf", "second");
  third.write("English.nlf", "third");
  ASSERT_EQ(mkdir((first.path() + "/English.nlf").c_str(), 0700), 0);  // a folder of that name
  const std::vector<std::string> dirs = {first.path() + "/absent", first.path(),
                                         second.path() + "/", third.path()};
  EXPECT_EQ(find_file(dirs, "English.nlf"), second.path() + "/English.nlf");
  EXPECT_EQ(find_file(dirs, "Japanese.nlf"), "");
  EXPECT_EQ(find_file(dirs, ""), "");
  EXPECT_EQ(find_file({}, "English.nlf"), "");
}

TEST(FindFile, AnEmptyFolderIsTheCurrentDirectory) {
  const xtest::TempDir dir;
  dir.write("ContentsXERV3_E.txt", "manual");
  const std::string old_cwd = std::filesystem::current_path().string();
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  EXPECT_EQ(find_file({"", dir.path()}, "ContentsXERV3_E.txt"), "ContentsXERV3_E.txt");
  ASSERT_EQ(chdir(old_cwd.c_str()), 0);
}

}  // namespace
}  // namespace xtool::files
