// The board's API (server/API.md) against a running tumblegrade-server, on SQLite and,
// where TG_TEST_POSTGRES_URL names a PostgreSQL server, on PostgreSQL.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "board_client.h"
#include "coursegen/daily_course.h"

namespace {

class BoardApi : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (GetParam() == "postgresql") {
            if (postgresUrl().empty()) {
                GTEST_SKIP() << "no PostgreSQL server: TG_TEST_POSTGRES_URL is not set";
            }
            database_ = freshPostgresDatabase();
        } else {
            folder_ = std::string(::testing::TempDir()) + "/board-" + std::to_string(getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name();
            std::system(("rm -rf '" + folder_ + "' && mkdir -p '" + folder_ + "'").c_str());
            database_ = "sqlite:" + folder_ + "/board.sqlite";
        }
        ASSERT_TRUE(startServer(database_, options(), &server_));
    }
    void TearDown() override {
        if (server_.pid > 0) {
            EXPECT_EQ(stopServer(&server_, SIGTERM), 0);  // SIGTERM ends it cleanly
        }
        if (!folder_.empty()) std::system(("rm -rf '" + folder_ + "'").c_str());
    }
    virtual std::vector<std::string> options() { return {"--rate", "0", "--key-rate", "0"}; }

    std::string folder_, database_;
    ServerProcess server_;
};

const std::string Classic = shippedDemo("classic");

std::string boardPath(const std::string& hash, const std::string& query = "") {
    return "/api/v1/courses/" + hash + "/board" + query;
}

TEST_P(BoardApi, ARunIsReplayedKeptAndBelongsToItsFirstKey) {
    const Rider anna = newRider(), bert = newRider();
    const Answer added = submitRun(server_, Classic, anna);
    ASSERT_EQ(added.status, 201) << added.body;
    const auto run = added.json();
    EXPECT_EQ(run["course"], courseHashOf(Classic));
    EXPECT_EQ(run["rider"], "PILOT");
    EXPECT_EQ(run["key"], keyText(anna));
    EXPECT_EQ(run["iterations"], 3165);
    EXPECT_EQ(run["time"], "0:52.75");
    EXPECT_EQ(run["rank"], 1);

    const Answer again = submitRun(server_, Classic, anna);  // resubmission is idempotent
    EXPECT_EQ(again.status, 200);
    EXPECT_EQ(again.json()["id"], run["id"]);
    // The same ride under another key: copied, with a comment added, or with the name
    // typed differently (PILOA: the last letter's tap changed, and the header with it).
    EXPECT_EQ(submitRun(server_, Classic, bert).status, 409);
    std::string padded = Classic;
    padded.insert(padded.find('\n') + 1, "# a note\n");
    padded.insert(padded.find("0 time 1000\n") + 12, "0 release 42\n");  // a key that was not down
    EXPECT_EQ(submitRun(server_, padded, bert).status, 409);
    std::string renamed = withHeader(Classic, "rider", "PILOA");
    const size_t tap = renamed.find(" tap 20\n");  // T's scan code
    ASSERT_NE(tap, std::string::npos);
    renamed.replace(tap, 8, " tap 30\n");  // A's
    const Answer copied = submitRun(server_, renamed, bert);
    EXPECT_EQ(copied.status, 409) << copied.body;

    // A later push is another ride: bert's, behind anna on the board.
    const Answer later = submitRun(server_, withFirstPushLater(Classic, 5), bert);
    ASSERT_EQ(later.status, 201) << later.body;
    EXPECT_EQ(later.json()["rank"], 2);  // as fast, submitted later
    const auto board = getPath(server_, boardPath(courseHashOf(Classic), "?limit=10")).json();
    EXPECT_EQ(board["name"], "classic");
    ASSERT_EQ(board["runs"].size(), 2u);
    EXPECT_EQ(board["runs"][0]["key"], keyText(anna));
    EXPECT_EQ(board["runs"][1]["rank"], 2);
    EXPECT_EQ(board["runs"][0]["date"].get<std::string>().size(), 20u);
    EXPECT_EQ(getPath(server_, boardPath(courseHashOf(Classic), "?limit=1&offset=1")).json()["runs"][0]["key"],
              keyText(bert));
    const Answer demo = getPath(server_, "/api/v1/runs/" + std::to_string(run["id"].get<int>()) + "/demo");
    EXPECT_EQ(demo.status, 200);
    EXPECT_EQ(demo.body, Classic);
}

TEST_P(BoardApi, BadInputGetsAClearAnswer) {
    const Rider anna = newRider(), bert = newRider();
    EXPECT_EQ(submitRun(server_, std::string("\x01\xff\x00garbage", 10), anna).status, 400);
    EXPECT_EQ(submitRun(server_, Classic.substr(0, Classic.rfind('\n', Classic.size() / 2) + 1), anna).status,
              422);  // stops mid-run
    EXPECT_EQ(submitRun(server_, Classic.substr(0, 40), anna).status, 400);                  // header cut
    EXPECT_EQ(submitSignedBy(server_, Classic, anna, bert).status, 401);
    EXPECT_EQ(submitRun(server_, withHeader(Classic, "iterations", "3000"), anna).status, 422);
    EXPECT_EQ(submitRun(server_, withHeader(Classic, "rider", "ANNA"), anna).status, 422);
    const Answer unknown = submitRun(server_, withHeader(Classic, "course-hash", "0123456789abcdef"), anna);
    EXPECT_EQ(unknown.status, 422);
    EXPECT_NE(unknown.json()["reason"].get<std::string>().find("unknown"), std::string::npos);
    const std::string otherCourse = courseHashOf(shippedDemo("gate-sprint"));
    EXPECT_EQ(submitRun(server_, withHeader(Classic, "course-hash", otherCourse), anna).status, 422);
    EXPECT_EQ(submitRun(server_, std::string(10 << 20, 'x'), anna).status, 413);

    const std::string hash = courseHashOf(Classic);
    EXPECT_EQ(getPath(server_, boardPath(hash, "?limit=0")).status, 400);
    EXPECT_EQ(getPath(server_, boardPath(hash, "?limit=101")).status, 400);
    EXPECT_EQ(getPath(server_, boardPath("0123456789abcdef")).status, 404);
    EXPECT_EQ(getPath(server_, boardPath("0123456789ABCDEF")).status, 404);
    EXPECT_EQ(getPath(server_, "/api/v1/runs/99/demo").status, 404);
    // Nothing refused reached the board, and the server still takes an honest run.
    EXPECT_EQ(getPath(server_, boardPath(hash)).json()["runs"].size(), 0u);
    EXPECT_EQ(submitRun(server_, Classic, anna).status, 201);
}

TEST_P(BoardApi, CoursesAreCheckedBeforeRunsOnThem) {
    const Rider anna = newRider();
    const std::string classicFile = readFile(std::string(TG_DATA_DIR) + "/track.tbk");
    const std::string hash = courseHashOf(Classic);
    EXPECT_EQ(getPath(server_, "/api/v1/courses/" + hash + "/file").body, classicFile);
    EXPECT_EQ(putCourse(server_, hash, "classic", classicFile, anna).status, 200);  // shipped, same file
    EXPECT_EQ(putCourse(server_, hash, "classic", classicFile + "\n", anna).status, 409);
    EXPECT_EQ(putCourse(server_, "0123456789abcdef", "mine", classicFile + "\n", anna).status, 422);
    EXPECT_EQ(putCourse(server_, "0123456789abcdef", "mine", "not a course\n", anna).status, 422);

    // The classic course with a comment added: another fingerprint, the same ride.
    const std::string own = classicFile + "# mine\n";
    const std::string ownHash = courseHashOfFile(own);
    const Answer added = putCourse(server_, ownHash, "mine", own, anna);
    ASSERT_EQ(added.status, 201) << added.body;
    EXPECT_EQ(added.json()["par"], 3165);
    const Answer run = submitRun(server_, withHeader(Classic, "course-hash", ownHash), anna);
    EXPECT_EQ(run.status, 201) << run.body;
    EXPECT_EQ(getPath(server_, boardPath(ownHash)).json()["name"], "mine");
}

// A daily course's demo, the autopilot's ride made into a demo by the replay tool.
std::string dailyDemo(const std::string& folder, const std::string& name) {
    const std::string tool = std::string("XDG_CACHE_HOME='") + folder + "/cache' '" + TG_REPLAY_EXE + "' ";
    const std::string data = " --data '" + std::string(TG_DATA_DIR) + "' --course " + name;
    std::system((tool + "--autopilot" + data + " --record '" + folder + "/ride.txt' >/dev/null").c_str());
    std::system((tool + "'" + folder + "/ride.txt'" + data + " --make-demo '" + folder + "/ride.tgdemo' --out '" +
                 folder + "' >/dev/null").c_str());
    return readFile(folder + "/ride.tgdemo");
}

TEST_P(BoardApi, DailyCoursesAreKnownFromTheirDateWithoutBeingSent) {
    const Rider anna = newRider();
    const std::string folder = std::string(::testing::TempDir()) + "/daily-" + std::to_string(getpid());
    std::system(("mkdir -p '" + folder + "'").c_str());
    const std::string demo = dailyDemo(folder, "daily");
    char today[DailyNameCapacity], later[DailyNameCapacity];
    dailyCourseName(todayUtc(), today);
    ASSERT_NE(demo.find(std::string("# course ") + today + "\n"), std::string::npos) << demo.substr(0, 200);
    const Answer run = submitRun(server_, demo, anna);
    ASSERT_EQ(run.status, 201) << run.body;
    const auto board = getPath(server_, boardPath(courseHashOf(demo))).json();
    EXPECT_EQ(board["name"], today);
    EXPECT_EQ(board["runs"].size(), 1u);

    // Two days ahead is not out yet; a daily name on another course's fingerprint is refused.
    dailyCourseName(todayUtc() + 2, later);
    const std::string text = dailyCourseText(todayUtc() + 2);
    const Answer early = submitRun(
        server_, withHeader(withHeader(demo, "course", later), "course-hash", courseHashOfFile(text)), anna);
    EXPECT_EQ(early.status, 422);
    EXPECT_NE(early.body.find("not out yet"), std::string::npos) << early.body;
    const Answer other = submitRun(server_, withHeader(withHeader(Classic, "course", "daily-2026-01-01"), "course-hash",
                                                       courseHashOfFile(text)), anna);
    EXPECT_EQ(other.status, 422);
    EXPECT_NE(other.body.find("is not the daily course"), std::string::npos) << other.body;
    std::system(("rm -rf '" + folder + "'").c_str());
}

TEST_P(BoardApi, HealthAndMetrics) {
    EXPECT_EQ(getPath(server_, "/healthz").status, 200);
    const Rider anna = newRider();
    ASSERT_EQ(submitRun(server_, Classic, anna).status, 201);
    ASSERT_EQ(submitRun(server_, withHeader(Classic, "iterations", "3"), anna).status, 422);
    const std::string metrics = getPath(server_, "/metrics").body;
    EXPECT_NE(metrics.find("tumblegrade_requests_total{route=\"POST /api/v1/runs\",status=\"201\"} 1"), std::string::npos);
    EXPECT_NE(metrics.find("tumblegrade_runs_verified_total 1"), std::string::npos);
    EXPECT_NE(metrics.find("tumblegrade_runs_refused_total 1"), std::string::npos);
    EXPECT_NE(metrics.find("tumblegrade_database_seconds_total"), std::string::npos);
}

class LimitedBoardApi : public BoardApi {
    std::vector<std::string> options() override { return {"--rate", "5", "--key-rate", "1"}; }
};

TEST_P(LimitedBoardApi, OneAddressOrOneKeySendingTooMuchGets429) {
    const Rider anna = newRider();
    EXPECT_EQ(submitRun(server_, Classic, anna).status, 201);
    EXPECT_EQ(submitRun(server_, withFirstPushLater(Classic, 1), anna).status, 201);
    EXPECT_EQ(submitRun(server_, withFirstPushLater(Classic, 2), anna).status, 429);  // a bucket holds two
    int limited = 0;
    for (int i = 0; i < 20; ++i) limited += getPath(server_, "/healthz").status == 429;
    EXPECT_GE(limited, 10);
}

INSTANTIATE_TEST_SUITE_P(Databases, BoardApi, ::testing::Values("sqlite", "postgresql"));
INSTANTIATE_TEST_SUITE_P(Databases, LimitedBoardApi, ::testing::Values("sqlite"));

}  // namespace
