// Start-up: the command line, the driver options and the random generator.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/game_main.h"

namespace {

int parse(std::vector<std::string> words, int* number = nullptr) {
    std::vector<char*> argv;
    static char program[] = "tumblegrade";
    argv.push_back(program);
    for (std::string& w : words) argv.push_back(w.data());
    int n = -1;
    const int result = parseCommandLine(number ? number : &n, int(argv.size()), argv.data());
    return result;
}

}  // namespace

TEST(CommandLine, OptionsSwitchTheirFamilyOffInAnyLetterCase) {
    resetDriverOptions();
    EXPECT_EQ(parse({"-NoVGA", "-nolinear", "-NOVBEAF"}), 0);
    EXPECT_EQ(GameDriverOptions.flag[2], 0);
    EXPECT_EQ(GameDriverOptions.flag[3], 1);  // mode X keeps its own flag
    EXPECT_EQ(GameDriverOptions.flag[5], 0);
    EXPECT_EQ(GameDriverOptions.flag[6], 0);
    EXPECT_EQ(GameDriverOptions.flag[4], 1);
    EXPECT_EQ(GameDriverOptions.flag[10], 1);  // the page stays 8 bits
    resetDriverOptions();
    parse({"-nowindirect"});
    EXPECT_EQ(GameDriverOptions.flag[0], 0);
    EXPECT_EQ(GameDriverOptions.flag[1], 1);
    EXPECT_EQ(GameDriverOptions.flag[7], 1);
}

TEST(CommandLine, HelpAndNumbersAreReadButChangeNothing) {
    resetDriverOptions();
    const DriverOptions before = GameDriverOptions;
    int number = 0;
    EXPECT_EQ(parse({"42abc", "7"}, &number), 2);
    EXPECT_EQ(number, 42);  // only the first number while the result is still 0
    EXPECT_EQ(parse({"-h", "12"}, &number), 1);
    EXPECT_EQ(parse({"hello", "--weird"}), 0);
    EXPECT_EQ(std::memcmp(&before, &GameDriverOptions, sizeof before), 0);
}

TEST(CommandLine, SplittingHonoursQuotesAndKeepsEighteenWords) {
    char storage[2048];
    char* argv[20];
    int argc = splitCommandLine("/usr/games/tumblegrade", "\"-nov\"ga  a\tb \"two words\"", storage,
                                sizeof storage, argv);
    ASSERT_EQ(argc, 5);
    EXPECT_STREQ(argv[0], "/usr/games/tumblegrade");
    EXPECT_STREQ(argv[1], "-novga");
    EXPECT_STREQ(argv[4], "two words");
    EXPECT_EQ(argv[5], nullptr);
    resetDriverOptions();
    parseCommandLine(nullptr, argc, argv);
    EXPECT_EQ(GameDriverOptions.flag[2], 0);

    std::string many;
    for (int i = 0; i < 30; ++i) {
        many += 'w';
        many += std::to_string(i);
        many += ' ';
    }
    argc = splitCommandLine("p", many.c_str(), storage, sizeof storage, argv);
    EXPECT_EQ(argc, 19);
    EXPECT_STREQ(argv[18], "w17");
    EXPECT_EQ(argv[19], nullptr);
}
