// Finding the data from anywhere: the order of the places and the message when none holds it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/data_dir.h"
#include "support/test_support.h"

namespace {

void makeDataFolder(const std::string& dir) {
    std::filesystem::create_directories(dir + "/Images");
    writeTextFile(dir + "/track.tbk", "");
    writeTextFile(dir + "/Images/Initpal.bmp", "");
}

struct DataDirTest : ::testing::Test {
    std::string root = std::filesystem::canonical(makeTempDir("data_dir")).string();
    std::string program = root + "/prefix/games/tumblegrade";
    void SetUp() override {
        unsetenv("TUMBLEGRADE_DATA");
        unsetenv("VRX_ROOT");
        std::filesystem::create_directories(root + "/prefix/games");
        std::filesystem::create_directories(root + "/elsewhere");
    }
    void TearDown() override { unsetenv("TUMBLEGRADE_DATA"); }
    int foundKind() {
        DataSearch search;
        searchGameData(program.c_str(), &search);
        return search.found < 0 ? -1 : search.places[search.found].kind;
    }
};

}  // namespace

TEST_F(DataDirTest, EachPlaceIsTakenOnlyWhenTheOnesBeforeItHoldNoData) {
    ScopedDir inside(root + "/elsewhere");
    EXPECT_EQ(foundKind(), -1);
    makeDataFolder(root + "/prefix/share/games/tumblegrade");
    EXPECT_EQ(foundKind(), PlaceShareGames);
    makeDataFolder(root + "/prefix/share/tumblegrade");
    EXPECT_EQ(foundKind(), PlaceShare);
    makeDataFolder(root + "/prefix/games/data");
    EXPECT_EQ(foundKind(), PlaceBuild);
    makeDataFolder(root + "/mine");
    setenv("TUMBLEGRADE_DATA", (root + "/mine").c_str(), 1);
    EXPECT_EQ(foundKind(), PlaceEnvironment);
    makeDataFolder(root + "/elsewhere");
    EXPECT_EQ(foundKind(), PlaceCurrent);
}

TEST_F(DataDirTest, AHalfFilledFolderIsNoDataFolder) {
    std::filesystem::create_directories(root + "/half/Images");
    writeTextFile(root + "/half/track.tbk", "");
    EXPECT_FALSE(holdsGameData((root + "/half").c_str()));
    EXPECT_FALSE(holdsGameData(""));
    writeTextFile(root + "/half/Images/Initpal.bmp", "");
    EXPECT_TRUE(holdsGameData((root + "/half").c_str()));
}

TEST_F(DataDirTest, TheGameStartsInsideTheFolderFoundOrSaysWhereItLooked) {
    ScopedDir inside(root + "/elsewhere");
    char text[4096];
    EXPECT_FALSE(enterGameData(program.c_str(), text, sizeof text));
    const std::string message = text;
    EXPECT_NE(message.find(root + "/elsewhere"), std::string::npos);
    EXPECT_NE(message.find("TUMBLEGRADE_DATA"), std::string::npos);
    EXPECT_NE(message.find(root + "/prefix/games/data"), std::string::npos);
    // A message cut short by a small buffer stays a terminated string.
    char small[40];
    EXPECT_FALSE(enterGameData(program.c_str(), small, sizeof small));
    EXPECT_EQ(std::string(small).size(), sizeof small - 1);

    makeDataFolder(root + "/prefix/share/tumblegrade");
    ASSERT_TRUE(enterGameData(program.c_str(), text, sizeof text));
    EXPECT_EQ(std::filesystem::current_path(),
              std::filesystem::canonical(root + "/prefix/share/tumblegrade"));
}
