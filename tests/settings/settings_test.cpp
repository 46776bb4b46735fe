// The settings file: what is written reads back the same, a bad line costs one message and
// that setting only, and a damaged file is kept beside the first new one.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>

#include "base/scan_codes.h"
#include "settings/settings.h"

namespace {

std::string folderForTest() {
    char pattern[] = "/tmp/tg-settings-XXXXXX";
    return mkdtemp(pattern);
}

void writeText(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

int countLines(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

std::string filesIn(const std::string& folder) {
    std::string names;
    DIR* d = opendir(folder.c_str());
    while (dirent* e = d ? readdir(d) : nullptr)
        if (e->d_name[0] != '.') names += std::string(e->d_name).substr(0, 21) + " ";
    if (d) closedir(d);
    return names;
}

}  // namespace

TEST(SettingsFile, EverySettingReadsBackAsWrittenAndChangesAreWrittenAtOnce) {
    const std::string folder = folderForTest();
    const std::string path = folder + "/tumblegrade/settings.ini";
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadSettings(path.c_str()), 0);  // no file: defaults, no fault
    Setting.fill = 1;
    Setting.windowScale = 3;
    Setting.masterVolume = 40;
    Setting.rideVolume = 0;
    Setting.effectsVolume = 75;
    Setting.key[ActionPush] = ScanW;
    Setting.key[ActionSoftBrake] = ScanSpace;
    Setting.key[ActionNextStep] = ScanN;
    Setting.padButton[PadA] = PadB;
    Setting.padButton[PadB] = PadA;
    Setting.colourSafe = Setting.largeHud = Setting.practice = 1;
    Setting.toggled[ActionSoftBrake] = 1;
    rememberCourse("Steep Gully");
    rememberSwitch("ghost", 1);
    rememberFullScreen(1);
    rememberSoundOn(0);
    const Settings written = Setting;

    EXPECT_EQ(loadSettings(path.c_str()), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(std::memcmp(&Setting, &written, sizeof Setting), 0);
    EXPECT_STREQ(rememberedCourse(), "Steep Gully");
    EXPECT_EQ(rememberedSwitch("ghost", 0), 1);
    EXPECT_EQ(rememberedSwitch("hud", 1), 1);   // never set: the game's choice
    EXPECT_EQ(rememberedSwitch("hud", 0), 0);
    EXPECT_EQ(filesIn(folder + "/tumblegrade"), "settings.ini ");  // no temporary left
    resetSettings();
}

TEST(SettingsFile, ABadLineCostsOneMessageAndThatSettingOnly) {
    Settings s;
    const std::string text =
        "[window]\nfull_screen = on\nscale = 99\n[sound]\nmaster = 30\n  ride=20 ; indented, commented\n"
        "[keys]\npush = W\nsoft_brake = Enter\nsteer_left = W\nhard_brake = NoSuchKey\nthis line has no value\n"
        "[gamepad]\na = X\n[mystery]\nx = 1\n[access]\ncolours = pink\npush = Toggle\n";
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseSettingsText(text.data(), text.size(), "my.ini", &s), 8);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countLines(messages), 8) << messages;
    for (const char* where : {"my.ini:3:", "my.ini:9:", "my.ini:10:", "my.ini:11:", "my.ini:12:", "my.ini:14:", "my.ini:16:",
                              "my.ini:18:"})
        EXPECT_NE(messages.find(where), std::string::npos) << where << " missing in " << messages;
    EXPECT_EQ(s.fullScreen, 1);
    EXPECT_EQ(s.windowScale, 0);
    EXPECT_EQ(s.masterVolume, 30);
    EXPECT_EQ(s.rideVolume, 20);
    EXPECT_EQ(s.key[ActionPush], ScanW);
    EXPECT_EQ(s.key[ActionSoftBrake], ScanAlt);
    EXPECT_EQ(s.key[ActionSteerLeft], ScanLeft);  // W was the push's already
    EXPECT_EQ(s.key[ActionHardBrake], ScanCtrl);
    EXPECT_EQ(s.colourSafe, 0);
    EXPECT_EQ(s.toggled[ActionPush], 1);
    EXPECT_EQ(s.toggled[ActionHardBrake], 0);
    // a = X alone would leave X twice: the gamepad keeps its own places.
    for (int b = 0; b < PadButtonCount; ++b) EXPECT_EQ(s.padButton[b], b);
}

TEST(SettingsFile, ACourseNameIsReadOnlyWhenItWouldReadBackAsWritten) {
    // ";Ridge" read from "course=;Ridge" would be written "course = ;Ridge": a comment.
    const struct {
        const char* line;
        const char* kept;
    } cases[] = {{"course=;Ridge", ""}, {"course=Ridge;2", "Ridge;2"}};
    for (const auto& c : cases) {
        const std::string text = std::string("[game]\n") + c.line + "\n";
        Settings read, again;
        testing::internal::CaptureStderr();
        EXPECT_EQ(parseSettingsText(text.data(), text.size(), "my.ini", &read), c.kept[0] ? 0 : 1) << c.line;
        testing::internal::GetCapturedStderr();
        EXPECT_STREQ(read.course, c.kept);
        char written[8192];
        const size_t length = formatSettings(&read, written, sizeof written);
        EXPECT_EQ(parseSettingsText(written, length, "written", &again), 0) << c.line;
        EXPECT_EQ(std::memcmp(&read, &again, sizeof read), 0) << c.line;
    }
}

TEST(SettingsFile, TheLanguageIsKeptAsAWordForTheStartToJudge) {
    // An unknown word is kept (the start names it and takes English); auto is the default.
    const struct {
        const char* line;
        const char* kept;
        int faults;
    } cases[] = {{"language = de", "de", 0}, {"language = auto", "", 0}, {"language = klingon", "klingon", 0},
                 {"language = a-name-far-too-long", "", 1}, {"language=;de", "", 1}};
    for (const auto& c : cases) {
        const std::string text = std::string("[language]\n") + c.line + "\n";
        Settings read, again;
        testing::internal::CaptureStderr();
        EXPECT_EQ(parseSettingsText(text.data(), text.size(), "my.ini", &read), c.faults) << c.line;
        testing::internal::GetCapturedStderr();
        EXPECT_STREQ(read.language, c.kept);
        char written[8192];
        const size_t length = formatSettings(&read, written, sizeof written);
        EXPECT_EQ(parseSettingsText(written, length, "written", &again), 0) << c.line;
        EXPECT_STREQ(again.language, c.kept) << c.line;
    }
}

TEST(SettingsFile, ADamagedFileIsKeptBesideTheFirstNewOne) {
    const std::string folder = folderForTest();
    const std::string path = folder + "/settings.ini";
    const std::string damaged = std::string("[sound]\nsound = off\n\x01\x02\x00garbage\n", 31);
    writeText(path, damaged);
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadSettings(path.c_str()), 1);
    EXPECT_EQ(countLines(testing::internal::GetCapturedStderr()), 1);
    EXPECT_EQ(Setting.soundOn, 0);       // the good line counts
    EXPECT_EQ(Setting.fullScreen, 0);
    EXPECT_EQ(filesIn(folder), "settings.ini ");  // reading alone changes nothing
    testing::internal::CaptureStderr();
    rememberFullScreen(1);
    rememberSoundOn(1);
    EXPECT_EQ(countLines(testing::internal::GetCapturedStderr()), 1);
    const std::string files = filesIn(folder);
    EXPECT_NE(files.find("settings.ini.damaged"), std::string::npos) << files;
    EXPECT_EQ(loadSettings(path.c_str()), 0);
    EXPECT_EQ(Setting.fullScreen, 1);
    EXPECT_EQ(Setting.soundOn, 1);
    resetSettings();
}

TEST(Controls, APhysicalKeyActsAsItsActionOnlyWhereThatActionActs) {
    Settings s;
    defaultSettings(&s);
    s.key[ActionPush] = ScanW;
    s.key[ActionSoftBrake] = ScanSpace;
    EXPECT_EQ(gameKeyFor(&s, ScanW, ContextRide), ScanUp);
    EXPECT_EQ(gameKeyFor(&s, ScanSpace, ContextRide), ScanAlt);
    EXPECT_EQ(gameKeyFor(&s, ScanUp, ContextRide), 0);     // moved away: nothing
    EXPECT_EQ(gameKeyFor(&s, ScanAlt, ContextRide), 0);
    EXPECT_EQ(gameKeyFor(&s, ScanLeft, ContextRide), ScanLeft);
    EXPECT_EQ(gameKeyFor(&s, ScanEsc, ContextRide), ScanEsc);
    EXPECT_EQ(gameKeyFor(&s, ScanUp, ContextMenus), ScanUp);  // the shop keeps its arrows
    EXPECT_EQ(gameKeyFor(&s, ScanW, ContextMenus), ScanW);
    EXPECT_EQ(gameKeyFor(&s, ScanW, ContextNone), ScanW);     // typing a name
    EXPECT_EQ(keyByName(keyName(ScanLessThan)), ScanLessThan);
    EXPECT_TRUE(keyReserved(ScanEsc) && keyReserved(ScanEnter) && keyReserved(ScanF9));
}
