// The replay tool is the reference in every language: under a German environment its
// state log and its pictures are the English run's, byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/test_support.h"

namespace {

// Intro, main menu, name entry, the shop, into the ride with the time shown (--hud).
const char Script[] =
    "0 time 1000\n1 snap intro\n1 tap 28\n2 snap menu\n2 tap 31\n3 snap name\n3 tap 34\n4 tap 28\n"
    "5 tap 31\n6 snap shop\n6 tap 28\n7 tap 28\n8 tap 31\n9 press 72\n90 snap ride\n91 stop\n";

ReplayRun runIn(const char* lang, const char* language) {
    setenv("LANG", lang, 1);
    if (language) setenv("LANGUAGE", language, 1);
    else unsetenv("LANGUAGE");
    return runReplay(Script, "", "--hud");
}

}  // namespace

TEST(ReplayLanguage, GermanEnvironmentKeepsLogAndPictures) {
    const char* lang = std::getenv("LANG");
    const char* language = std::getenv("LANGUAGE");
    const std::string savedLang = lang ? lang : "", savedLanguage = language ? language : "";
    const ReplayRun english = runIn("C", nullptr);
    const ReplayRun german = runIn("de_DE.UTF-8", "de");
    // The environment does reach it: its own words are German.
    const std::string usage = german.outDir + "/usage.txt";
    std::system((std::string("'") + TG_REPLAY_EXE + "' 2>'" + usage + "'").c_str());
    if (lang) setenv("LANG", savedLang.c_str(), 1);
    else unsetenv("LANG");
    if (language) setenv("LANGUAGE", savedLanguage.c_str(), 1);
    else unsetenv("LANGUAGE");

    const std::vector<std::string> said = readLines(usage);
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said[0].rfind("Aufruf: tumblegrade-replay", 0), 0u) << said[0];
    ASSERT_EQ(english.status, 0) << english.errors;
    ASSERT_EQ(german.status, 0) << german.errors;
    ASSERT_GT(english.states.size(), 90u);
    EXPECT_EQ(german.states, english.states);
    for (const char* name : {"intro", "menu", "name", "shop", "ride"}) {
        const std::vector<unsigned char> picture = readBinaryFile(english.outDir + "/" + name + ".bmp");
        ASSERT_FALSE(picture.empty()) << name;
        EXPECT_EQ(readBinaryFile(german.outDir + "/" + name + ".bmp"), picture) << name;
    }
}
