// The files of the game online: the rider's identity (0600, damaged moved aside, a new
// key), the outbox's entries, the board's answer and the [online] settings.
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "online/identity.h"
#include "online/outbox.h"
#include "online/world_board.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {

std::string freshDataHome(const char* tag) {
    const std::string home = makeTempDir(tag);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    return home;
}

int filesNamed(const std::string& folder, const std::string& start) {
    int n = 0;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* e = dir ? readdir(dir) : nullptr) n += std::string(e->d_name).rfind(start, 0) == 0;
    if (dir) closedir(dir);
    return n;
}

}  // namespace

TEST(Identity, MadeOnceOwnFileKeptAndDamagedMovedAside) {
    const std::string home = freshDataHome("identity");
    RiderIdentity first{}, again{}, fresh{};
    ASSERT_TRUE(loadOrMakeIdentity(&first));
    struct stat info {};
    ASSERT_EQ(stat((home + "/tumblegrade/identity").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_TRUE(loadOrMakeIdentity(&again));
    EXPECT_EQ(publicKeyText(first), publicKeyText(again));
    EXPECT_EQ(publicKeyText(first).size(), 44u);
    EXPECT_EQ(signatureText(first, "body").size(), 88u);

    writeTextFile(home + "/tumblegrade/identity", "# tumblegrade identity 1\nseed not-base64\n");
    ASSERT_TRUE(loadOrMakeIdentity(&fresh));
    EXPECT_NE(publicKeyText(fresh), publicKeyText(first));
    EXPECT_EQ(filesNamed(home + "/tumblegrade", "identity.damaged-"), 1);
}

TEST(Identity, TextReadsBackOnlyWhole) {
    uint8_t seed[RiderSeedBytes] = {1, 2, 3};
    RiderIdentity fromText{}, fromSeed{};
    std::string error;
    const std::string text = identityText(seed);
    ASSERT_TRUE(parseIdentityText(text, &fromText, &error)) << error;
    identityFromSeed(seed, &fromSeed);
    EXPECT_EQ(publicKeyText(fromText), publicKeyText(fromSeed));
    for (const std::string& bad : {std::string(), text.substr(0, text.size() - 1), text.substr(0, 30),
                                   text + "more\n", "# tumblegrade identity 2\n" + text.substr(25)})
        EXPECT_FALSE(parseIdentityText(bad, &fromText, &error)) << bad;
}

TEST(Outbox, EntriesReadBackAndDamagedOnesMoveAside) {
    const std::string home = freshDataHome("outbox");
    const OutboxEntry shipped{0x0123456789abcdefull, "", "", "# tumblegrade-demo 1\nbody\n"};
    const OutboxEntry own{42, "/tmp/own.tbk", "steep one", "# tumblegrade-demo 1\nother\n"};
    for (const OutboxEntry& entry : {shipped, own}) {
        OutboxEntry back;
        std::string error;
        ASSERT_TRUE(parseOutboxText(outboxEntryText(entry), &back, &error)) << error;
        EXPECT_EQ(back.courseHash, entry.courseHash);
        EXPECT_EQ(back.courseFile, entry.courseFile);
        EXPECT_EQ(back.courseName, entry.courseName);
        EXPECT_EQ(back.demo, entry.demo);
        ASSERT_TRUE(queueRun(entry));
    }
    ASSERT_TRUE(queueRun(shipped));  // the same run is one entry
    std::vector<std::string> entries = outboxEntries();
    ASSERT_EQ(entries.size(), 2u);

    writeTextFile(entries[0], "# tumblegrade-outbox 1\ncourse-hash nothex\n\nx");
    OutboxEntry read;
    EXPECT_FALSE(readOutboxEntry(entries[0], &read));
    EXPECT_TRUE(readOutboxEntry(entries[1], &read));
    EXPECT_EQ(outboxEntries().size(), 1u);
    refuseEntry(entries[1], "422 the course is unknown");
    EXPECT_TRUE(outboxEntries().empty());
    EXPECT_EQ(readLines(home + "/tumblegrade/outbox/refused" + entries[1].substr(entries[1].rfind('/')) + ".reason"),
              std::vector<std::string>{"422 the course is unknown"});
}

TEST(WorldBoard, AnswersAsTheApiWritesThemAndNothingElse) {
    const std::string good =
        R"({"course":"ae1a4ef22e757738","name":"classic","runs":[{"rank":1,"id":7,"rider":"J\u00f6rg \u4e2d",)"
        R"("key":"EKZ6rZemq3jXSE81a3K9dowKdPFp2Kdmo9/npAq7hSk=","time":"0:52.75","iterations":3165,)"
        R"("date":"2026-12-10T16:30:00Z"}]})";
    WorldBoard board;
    std::string error;
    ASSERT_TRUE(parseBoardAnswer(good, &board, &error)) << error;
    ASSERT_EQ(board.count, 1);
    EXPECT_STREQ(board.name, "classic");
    EXPECT_STREQ(board.runs[0].rider, "J\xf6rg ?");
    EXPECT_EQ(board.runs[0].id, 7);
    EXPECT_EQ(boardLineOfKey(board, "EKZ6rZemq3jXSE81a3K9dowKdPFp2Kdmo9/npAq7hSk="), 0);
    for (const char* bad : {"", "garbage", "[]", R"({"runs":{}})", R"({"runs":[{"rank":"1"}]})",
                            R"({"runs":[{"rank":0,"id":1,"rider":"a","key":"k","time":"t","iterations":1,"date":"d"}]})"})
        EXPECT_FALSE(parseBoardAnswer(bad, &board, &error)) << bad;
    EXPECT_EQ(boardStateOf(ServerAnswer{200, "garbage", "", 1}, &board), BoardUnreadable);
    EXPECT_EQ(boardStateOf(ServerAnswer{0, "", "the answer is too large", 1}, &board), BoardUnreadable);
    EXPECT_EQ(boardStateOf(ServerAnswer{0, "", "Connection", 0}, &board), BoardOffline);
    EXPECT_EQ(boardStateOf(ServerAnswer{404, "{}", "", 1}, &board), BoardUnknownCourse);
}

TEST(OnlineSettings, TheServerIsWrittenOnlyWhenSetAndKeptWhenOff) {
    Settings s;
    defaultSettings(&s);
    char text[8192];
    formatSettings(&s, text, sizeof text);
    EXPECT_EQ(std::string(text).find("[online]"), std::string::npos);
    std::snprintf(s.onlineServer, sizeof s.onlineServer, "http://127.0.0.1:8470");
    s.onlineOff = 1;
    const size_t length = formatSettings(&s, text, sizeof text);
    Settings back;
    EXPECT_EQ(parseSettingsText(text, length, "settings.ini", &back), 0);
    EXPECT_STREQ(back.onlineServer, "http://127.0.0.1:8470");
    EXPECT_EQ(back.onlineOff, 1);
    const char bad[] = "[online]\nserver = http://a b\nsend = maybe\n";
    settingsMessagesTo(fopen("/dev/null", "w"));
    EXPECT_EQ(parseSettingsText(bad, sizeof bad - 1, "settings.ini", &back), 2);
    settingsMessagesTo(nullptr);
    EXPECT_STREQ(back.onlineServer, "");
}
