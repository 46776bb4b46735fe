// The board survives its faults: the server killed in the middle of submissions loses no
// answered run; two instances on one PostgreSQL are one board; PostgreSQL stopped and
// started again under load gives 503 meanwhile and no restart is needed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "board_client.h"

namespace {

const std::string Classic = shippedDemo("classic");
const std::vector<std::string> Unlimited = {"--rate", "0", "--key-rate", "0"};

struct Submission {
    Rider rider;
    std::string demo;
    int status = 0;
    long id = 0;
};

std::string integrityOf(const std::string& path) {
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open(path.c_str(), &db) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

TEST(BoardFaults, KilledInMidSubmissionsLosesNoAnsweredRun) {
    const std::string folder = std::string(::testing::TempDir()) + "/board-kill-" + std::to_string(getpid());
    std::system(("rm -rf '" + folder + "' && mkdir -p '" + folder + "'").c_str());
    const std::string database = "sqlite:" + folder + "/board.sqlite";
    ServerProcess server;
    ASSERT_TRUE(startServer(database, Unlimited, &server));

    constexpr int Clients = 4, EachClient = 12;
    std::vector<Submission> submissions(Clients * EachClient);
    for (size_t i = 0; i < submissions.size(); ++i) submissions[i] = Submission{newRider(), withFirstPushLater(Classic, int(i) + 1)};
    std::atomic<int> answered{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < Clients; ++c)
        clients.emplace_back([&, c] {
            for (int k = 0; k < EachClient; ++k) {
                Submission& s = submissions[size_t(c * EachClient + k)];
                const Answer a = submitRun(server, s.demo, s.rider);
                s.status = a.status;
                if (a.status == 201) {
                    s.id = a.json()["id"].get<long>();
                    ++answered;
                }
                if (a.status == 0) break;  // the server is gone
            }
        });
    while (answered < 8) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(stopServer(&server, SIGKILL), 128 + SIGKILL);
    for (std::thread& t : clients) t.join();
    EXPECT_EQ(integrityOf(folder + "/board.sqlite"), "ok");

    ASSERT_TRUE(startServer(database, Unlimited, &server));
    const auto board = getPath(server, "/api/v1/courses/" + courseHashOf(Classic) + "/board?limit=100").json();
    int kept = 0;
    for (const Submission& s : submissions) {
        if (s.status != 201) continue;
        ++kept;
        EXPECT_EQ(getPath(server, "/api/v1/runs/" + std::to_string(s.id) + "/demo").body, s.demo);
        bool onBoard = false;
        for (const auto& line : board["runs"]) onBoard |= line["key"] == keyText(s.rider);
        EXPECT_TRUE(onBoard);
    }
    EXPECT_GE(kept, 8);
    // Every client may send again: answered or not, it is taken, never lost or refused.
    for (const Submission& s : submissions) {
        const int status = submitRun(server, s.demo, s.rider).status;
        if (s.status == 201) {
            EXPECT_EQ(status, 200);
        } else {
            EXPECT_TRUE(status == 200 || status == 201) << status;  // 200: kept, the answer lost
        }
    }
    EXPECT_EQ(stopServer(&server, SIGTERM), 0);
    std::system(("rm -rf '" + folder + "'").c_str());
}

TEST(BoardFaults, SigtermFinishesTheRequestsInFlight) {
    const std::string folder = std::string(::testing::TempDir()) + "/board-term-" + std::to_string(getpid());
    std::system(("rm -rf '" + folder + "' && mkdir -p '" + folder + "'").c_str());
    const std::string database = "sqlite:" + folder + "/board.sqlite";
    ServerProcess server;
    ASSERT_TRUE(startServer(database, {}, &server));
    // A course upload takes the autopilot's whole ride: still in flight at the signal.
    const std::string own = readFile(std::string(TG_DATA_DIR) + "/track.tbk") + "# in flight\n";
    const std::string hash = courseHashOfFile(own);
    Answer upload;
    std::thread client([&] { upload = putCourse(server, hash, "late", own, newRider()); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(stopServer(&server, SIGTERM), 0);
    client.join();
    EXPECT_EQ(upload.status, 201) << upload.body;
    ASSERT_TRUE(startServer(database, {}, &server));
    EXPECT_EQ(getPath(server, "/api/v1/courses/" + hash + "/file").body, own);
    EXPECT_EQ(stopServer(&server, SIGTERM), 0);
    std::system(("rm -rf '" + folder + "'").c_str());
}

TEST(BoardFaults, RateLimitsKnowClientsBehindANamedProxyOnly) {
    const std::string folder = std::string(::testing::TempDir()) + "/board-proxy-" + std::to_string(getpid());
    std::system(("rm -rf '" + folder + "' && mkdir -p '" + folder + "'").c_str());
    for (const bool trusted : {true, false}) {
        ServerProcess server;
        std::vector<std::string> options = {"--rate", "2"};
        if (trusted) options.insert(options.end(), {"--trust-proxy", "127.0.0.1"});
        ASSERT_TRUE(startServer("sqlite:" + folder + "/board.sqlite", options, &server));
        int limited = 0;
        for (int client = 0; client < 8; ++client)  // 8 clients, 2 requests each: within a bucket of 4
            for (int k = 0; k < 2; ++k)
                limited += getPathFrom(server, "/healthz", "203.0.113." + std::to_string(client)).status == 429;
        EXPECT_EQ(limited > 0, !trusted);  // untrusted, the header is ignored: one client sending 16
        EXPECT_EQ(stopServer(&server, SIGTERM), 0);
    }
    std::system(("rm -rf '" + folder + "'").c_str());
}

TEST(BoardFaults, TwoInstancesOnOnePostgresqlAreOneBoard) {
    if (postgresUrl().empty()) GTEST_SKIP() << "no PostgreSQL server: TG_TEST_POSTGRES_URL is not set";
    const std::string database = freshPostgresDatabase();
    ServerProcess first, second;
    ASSERT_TRUE(startServer(database, Unlimited, &first));
    ASSERT_TRUE(startServer(database, Unlimited, &second));
    const Rider anna = newRider(), bert = newRider();
    ASSERT_EQ(submitRun(first, Classic, anna).status, 201);
    EXPECT_EQ(submitRun(second, Classic, anna).status, 200);
    EXPECT_EQ(submitRun(second, Classic, bert).status, 409);
    ASSERT_EQ(submitRun(second, withFirstPushLater(Classic, 3), bert).status, 201);
    for (const ServerProcess* server : {&first, &second}) {
        const auto board = getPath(*server, "/api/v1/courses/" + courseHashOf(Classic) + "/board").json();
        ASSERT_EQ(board["runs"].size(), 2u);
        EXPECT_EQ(board["runs"][0]["key"], keyText(anna));
        EXPECT_EQ(board["runs"][1]["key"], keyText(bert));
    }
    EXPECT_EQ(stopServer(&first, SIGTERM), 0);
    EXPECT_EQ(stopServer(&second, SIGTERM), 0);
}

TEST(BoardFaults, PostgresqlGoneAndBackUnderLoad) {
    const char* cluster = std::getenv("TG_TEST_POSTGRES_CLUSTER");
    if (postgresUrl().empty() || !cluster) GTEST_SKIP() << "no PostgreSQL cluster of the tests' own";
    const std::string control = std::string(TG_SOURCE_DIR) + "/scripts/postgres-cluster ";
    ServerProcess server;
    ASSERT_TRUE(startServer(freshPostgresDatabase(), Unlimited, &server));
    const std::string board = "/api/v1/courses/" + courseHashOf(Classic) + "/board";
    std::atomic<bool> reading{true};
    std::atomic<int> unanswered{0}, odd{0};
    std::thread reader([&] {
        while (reading) {
            const int status = getPath(server, board).status;
            unanswered += status == 0;
            odd += status != 0 && status != 200 && status != 503;
        }
    });
    ASSERT_EQ(std::system((control + "pause " + cluster).c_str()), 0);
    EXPECT_EQ(getPath(server, "/healthz").status, 503);
    EXPECT_EQ(submitRun(server, Classic, newRider()).status, 503);
    ASSERT_EQ(std::system((control + "resume " + cluster).c_str()), 0);
    int health = 0;
    for (int tries = 0; tries < 100 && health != 200; ++tries) {
        health = getPath(server, "/healthz").status;
        if (health != 200) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(health, 200);
    EXPECT_EQ(submitRun(server, Classic, newRider()).status, 201);
    reading = false;
    reader.join();
    EXPECT_EQ(unanswered, 0);
    EXPECT_EQ(odd, 0);
    EXPECT_EQ(stopServer(&server, SIGTERM), 0);
}

}  // namespace
