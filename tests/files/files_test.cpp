// The files we write: the safe write keeps the old file when the new one cannot be made,
// a damaged file moves aside under a new name every time, whole-file reads keep to their
// limit, the XDG folders fall back to HOME, and the content hash is FNV-1a.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <regex>
#include <string>

#include "files/content_hash.h"
#include "files/damaged_file.h"
#include "files/file_read.h"
#include "files/folders.h"
#include "files/safe_write.h"
#include "support/test_support.h"

namespace {

std::string text(const std::string& path) {
    std::string bytes;
    readFileText(path.c_str(), &bytes, 1 << 20);
    return bytes;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 0777;
}

// Sets (or, with null, unsets) the variables for one test and puts them back after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    bool had_;
    std::string old_;
};

}  // namespace

TEST(SafeWrite, ReplacesTheFileWholeOrLeavesTheOldOneWhole) {
    const std::string dir = makeTempDir("safe-write");
    const std::string path = dir + "/kept.txt";
    ASSERT_TRUE(writeFileSafely(path.c_str(), "first\n", 6));
    ASSERT_TRUE(writeFileSafely(path.c_str(), "second\n", 7));
    EXPECT_EQ(text(path), "second\n");
    EXPECT_EQ(modeOf(path), OwnFileMode);
    EXPECT_NE(access((path + ".new").c_str(), F_OK), 0);

    ASSERT_EQ(mkdir((path + ".new").c_str(), 0700), 0);  // the new file cannot be made
    errno = 0;
    EXPECT_FALSE(writeFileSafely(path.c_str(), "third\n", 6));
    EXPECT_NE(errno, 0);
    EXPECT_EQ(text(path), "second\n");
}

TEST(DamagedFile, MovesAsideUnderANewDatedNameNeverOverAnother) {
    const std::string dir = makeTempDir("damaged");
    const std::string path = dir + "/records.txt";
    char first[512], second[512];
    writeTextFile(path, "one");
    ASSERT_TRUE(moveDamagedAside(path.c_str(), first, sizeof first));
    writeTextFile(path, "two");
    ASSERT_TRUE(moveDamagedAside(path.c_str(), second, sizeof second));
    const std::regex name(".*/records\\.txt\\.damaged-\\d{8}-\\d{6}(-\\d+)?");
    EXPECT_TRUE(std::regex_match(std::string(first), name)) << first;
    EXPECT_TRUE(std::regex_match(std::string(second), name)) << second;
    EXPECT_EQ(text(first), "one");
    EXPECT_EQ(text(second), "two");
    EXPECT_NE(access(path.c_str(), F_OK), 0);
    EXPECT_FALSE(moveDamagedAside(path.c_str(), first, sizeof first));  // nothing there
}

TEST(FileRead, AFileOverTheLimitIsRefusedNotCut) {
    const std::string dir = makeTempDir("file-read");
    const std::string path = dir + "/eight";
    writeTextFile(path, "12345678");
    std::string bytes;
    EXPECT_EQ(readFileText(path.c_str(), &bytes, 8), FileReadWhole);
    EXPECT_EQ(bytes, "12345678");
    EXPECT_EQ(readFileText(path.c_str(), &bytes, 7), FileTooLarge);
    char buffer[8];
    size_t size = 0;
    EXPECT_EQ(readFileInto(path.c_str(), buffer, 8, &size), FileReadWhole);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(readFileInto(path.c_str(), buffer, 7, &size), FileTooLarge);
    EXPECT_EQ(readFileText((dir + "/none").c_str(), &bytes, 8), FileMissing);
    EXPECT_EQ(readFileText(dir.c_str(), &bytes, 8), FileUnreadable);  // a folder
}

TEST(Folders, XdgVariablesCountWhenAbsoluteElseHomeAndNewFoldersArePrivate) {
    ScopedEnv home("HOME", "/home/anna");
    ScopedEnv data("XDG_DATA_HOME", "/data");
    ScopedEnv config("XDG_CONFIG_HOME", "relative/config");
    ScopedEnv pictures("XDG_PICTURES_DIR", nullptr);
    char path[64];
    ASSERT_TRUE(xdgPath(XdgData, "courses", path, sizeof path));
    EXPECT_STREQ(path, "/data/tumblegrade/courses");
    ASSERT_TRUE(xdgPath(XdgConfig, "settings.ini", path, sizeof path));
    EXPECT_STREQ(path, "/home/anna/.config/tumblegrade/settings.ini");
    ASSERT_TRUE(xdgPath(XdgPictures, "", path, sizeof path));
    EXPECT_STREQ(path, "/home/anna/Pictures/Tumblegrade");
    const char* tooLong = "a-name-far-longer-than-the-sixty-four-bytes-of-room-left-for-it";
    EXPECT_FALSE(xdgPath(XdgData, tooLong, path, sizeof path));
    {
        ScopedEnv noHome("HOME", "anna");
        EXPECT_FALSE(xdgPath(XdgConfig, "", path, sizeof path));
    }

    const std::string dir = makeTempDir("folders");
    ASSERT_TRUE(makeFolders((dir + "/a/b/c").c_str()));
    EXPECT_EQ(modeOf(dir + "/a"), XdgFolderMode);
    EXPECT_EQ(modeOf(dir + "/a/b/c"), XdgFolderMode);
    EXPECT_TRUE(makeFolders((dir + "/a/b/c").c_str()));  // there already
    writeTextFile(dir + "/file", "");
    EXPECT_FALSE(makeFolders((dir + "/file").c_str()));
    EXPECT_FALSE(makeFolders((dir + "/file/d").c_str()));
}

TEST(ContentHash, IsFnv1aOfTheBytesInOnePieceOrMany) {
    EXPECT_EQ(contentHash("", 0), 0xcbf29ce484222325ull);
    EXPECT_EQ(contentHash("a", 1), 0xaf63dc4c8601ec8cull);  // the FNV reference vectors
    EXPECT_EQ(contentHash("foobar", 6), 0x85944171f73967e8ull);
    EXPECT_EQ(hashBytes(contentHash("foo", 3), "bar", 3), contentHash("foobar", 6));
    const std::string path = makeTempDir("hash") + "/course.tbk";
    writeTextFile(path, "foobar");
    uint64_t hash = 0;
    ASSERT_TRUE(fileContentHash(path.c_str(), &hash));
    EXPECT_EQ(hash, contentHash("foobar", 6));
    EXPECT_FALSE(fileContentHash((path + ".none").c_str(), &hash));
}
