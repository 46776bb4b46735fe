// The game online against the repository's own board server on 127.0.0.1 (a port of its
// own, a fresh database, stopped at the end), and against servers that fail: none
// listening, one that takes the connection and never answers, one that answers garbage
// or far too much.
#include <gtest/gtest.h>
#include <httplib.h>
#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "demo_session.h"
#include "online/outbox.h"
#include "online/run_sender.h"
#include "online/world_board.h"
#include "server/board_client.h"
#include "support/local_socket.h"
#include "support/test_support.h"

namespace {

std::string urlOf(int port) { return "http://127.0.0.1:" + std::to_string(port); }

bool outboxEmptyWithin(int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!outboxEntries().empty() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return outboxEntries().empty();
}

OutboxEntry shippedRun(const std::string& demo) {
    return OutboxEntry{std::stoull(courseHashOf(demo), nullptr, 16), "", "", demo};
}

}  // namespace

// The window game rides to the finish with a server set: the run goes through the outbox
// to the board; the world view lists it, plays its downloaded demo and makes it the
// ghost; the same run sent again is answered 200 and counts as sent, once on the board.
TEST(OnlineBoard, AFinishedRunReachesTheBoardAndTheWorldViewPlaysIt) {
    const std::string base = makeTempDir("online-board");
    ServerProcess server;
    ASSERT_TRUE(startServer("sqlite:" + base + "/board.sqlite", {}, &server));
    const std::string home = base + "/home";
    EXPECT_EQ(runOnlineSession(home, urlOf(server.port)), 0);
    const std::string hash = courseHashOfFile(readFile(std::string(TG_DATA_DIR) + "/track.tbk"));
    const nlohmann::json board = getPath(server, "/api/v1/courses/" + hash + "/board").json();
    ASSERT_EQ(board["runs"].size(), 1u) << board.dump();
    EXPECT_EQ(checkWorldBoardView(home, urlOf(server.port)), 0);

    setenv("XDG_DATA_HOME", home.c_str(), 1);
    RiderIdentity identity{};
    ASSERT_TRUE(readIdentity(&identity));
    const std::vector<std::string> kept = readLines(home + "/tumblegrade/world/run-" +
                                                   std::to_string(board["runs"][0]["id"].get<int>()) + ".tgdemo");
    std::string demo;
    for (const std::string& line : kept) demo += line + "\n";
    std::string reason;
    ServerAnswer answer;
    EXPECT_EQ(sendOutboxEntry(urlOf(server.port), identity, shippedRun(demo), &reason, &answer), SendDone) << reason;
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(getPath(server, "/api/v1/courses/" + hash + "/board").json()["runs"].size(), 1u);
    stopServer(&server, SIGTERM);
}

// A run that is no finish is refused for good: it leaves the outbox for refused/.
TEST(OnlineBoard, ARunRefusedForGoodMovesAside) {
    const std::string base = makeTempDir("online-refused");
    ServerProcess server;
    ASSERT_TRUE(startServer("sqlite:" + base + "/board.sqlite", {}, &server));
    setenv("XDG_DATA_HOME", base.c_str(), 1);
    ASSERT_TRUE(queueRun(shippedRun(withHeader(shippedDemo("gate-sprint"), "outcome", "injury"))));
    startRunSender(urlOf(server.port));
    EXPECT_TRUE(outboxEmptyWithin(20));
    stopRunSender();
    int reasons = 0;
    DIR* refused = opendir((base + "/tumblegrade/outbox/refused").c_str());
    while (const dirent* e = refused ? readdir(refused) : nullptr) reasons += std::strstr(e->d_name, ".reason") != nullptr;
    if (refused) closedir(refused);
    EXPECT_EQ(reasons, 1);
    stopServer(&server, SIGTERM);
}

// No server listening, and one that takes the connection and never answers: the run
// stays in the outbox, the sender stops when told, the board is offline or unreadable.
TEST(OnlineFaults, ADownOrSilentServerKeepsTheRun) {
    for (const bool listening : {false, true}) {
        const std::string base = makeTempDir("online-down");
        setenv("XDG_DATA_HOME", base.c_str(), 1);
        int port = 0;
        const int fd = localSocket(listening, &port);
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(queueRun(shippedRun(shippedDemo("gate-sprint"))));
        startRunSender(urlOf(port));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        stopRunSender();
        EXPECT_EQ(outboxEntries().size(), 1u);
        WorldBoard board;
        const ServerAnswer answer = serverGet(urlOf(port), "/api/v1/courses/0/board", BoardAnswerLimit, 1500);
        EXPECT_EQ(boardStateOf(answer, &board), listening ? BoardUnreadable : BoardOffline) << answer.error;
        if (fd > 0) close(fd);
    }
}

// Garbage, and an answer past the size limit: the board cannot be read.
TEST(OnlineFaults, GarbageAndHugeAnswersCannotBeRead) {
    httplib::Server fake;
    fake.Get("/garbage/api/v1/courses/0/board", [](const httplib::Request&, httplib::Response& r) {
        r.set_content("{\"runs\": [1, 2", "application/json");
    });
    fake.Get("/huge/api/v1/courses/0/board", [](const httplib::Request&, httplib::Response& r) {
        r.set_content(std::string(BoardAnswerLimit * 4, ' '), "application/json");
    });
    const int port = fake.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { fake.listen_after_bind(); });
    while (!fake.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    for (const char* prefix : {"/garbage", "/huge"}) {
        WorldBoard board;
        const ServerAnswer answer =
            serverGet(urlOf(port) + prefix, "/api/v1/courses/0/board", BoardAnswerLimit, RequestTimeLimitMs);
        EXPECT_EQ(boardStateOf(answer, &board), BoardUnreadable) << prefix;
    }
    fake.stop();
    serving.join();
}
