// The records: times as shown, the file's text, the file on disk (damaged files, a
// writer killed half way, two writers at once) and the best-ten query.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "files/safe_write.h"
#include "records/best_times.h"
#include "records/records_store.h"
#include "records/records_text.h"
#include "records/run_time.h"
#include "support/test_support.h"

namespace {

RunRecord makeRun(uint64_t hash, const char* rider, int32_t steps, int64_t date = 1765300000) {
    RunRecord run{};
    run.courseHash = hash;
    std::snprintf(run.courseName, sizeof run.courseName, "Course %llx", (unsigned long long)hash);
    std::snprintf(run.rider, sizeof run.rider, "%s", rider);
    run.steps = steps;
    run.date = date;
    run.health = 70;
    run.condition = 55;
    run.par = 5400;
    return run;
}

std::vector<std::string> filesIn(const std::string& dir, const char* prefix) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    while (dirent* e = d ? readdir(d) : nullptr)
        if (std::strncmp(e->d_name, prefix, std::strlen(prefix)) == 0) names.push_back(e->d_name);
    if (d) closedir(d);
    return names;
}

std::string text(const std::string& path) {
    const std::vector<unsigned char> bytes = readBinaryFile(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(RunTime, TimesAndSplitsAsShown) {
    char t[RunTimeTextCapacity];
    const struct { int32_t steps; const char* time; const char* delta; } cases[] = {
        {0, "0:00.00", "+0.00"},
        {61, "0:01.01", "+1.01"},         // hundredths rounded down
        {-25, "0:00.00", "-0.41"},
        {66, "0:01.10", "+1.10"},
        {4270, "1:11.16", "+1:11.16"},
        {216000, "60:00.00", "+60:00.00"},
        {-3750, "0:00.00", "-1:02.50"},
    };
    for (const auto& c : cases) {
        formatRunTime(c.steps, t, sizeof t);
        EXPECT_STREQ(t, c.time) << c.steps;
        formatSplitDelta(c.steps, t, sizeof t);
        EXPECT_STREQ(t, c.delta) << c.steps;
    }
    formatSplitDelta(INT32_MIN, t, sizeof t);
    EXPECT_EQ(t[0], '-');
}

TEST(RecordsText, EveryFieldComesBackAndBadLinesAreRefused) {
    RecordTable table;
    RunRecord odd = makeRun(0xfedcba9876543210ull, "J\xDCRGEN %\t", 4270);
    std::snprintf(odd.courseName, sizeof odd.courseName, "Tab\there, 100%%");
    odd.splitCount = 3;
    odd.splits[0] = 600, odd.splits[1] = 600, odd.splits[2] = 4000;
    std::snprintf(odd.demo, sizeof odd.demo, "demos/run 1.tgd");
    odd.health = -5;
    table.runs.push_back(odd);
    table.runs.push_back(makeRun(1, "", 1, 0));
    std::string written;
    formatRecordsText(table, &written);
    EXPECT_EQ(written.rfind("tumblegrade-records 1\nrun\tfedcba9876543210\tTab%09here, 100%25\tJ%dcRGEN %25%09\t4270\t", 0), 0u)
        << written;

    RecordTable read;
    const char* why = nullptr;
    int line = 0;
    ASSERT_TRUE(parseRecordsText(written.data(), written.size(), &read, &why, &line)) << why << " " << line;
    ASSERT_EQ(read.runs.size(), 2u);
    const RunRecord& back = read.runs[0];
    EXPECT_EQ(back.courseHash, odd.courseHash);
    EXPECT_STREQ(back.courseName, odd.courseName);
    EXPECT_STREQ(back.rider, odd.rider);
    EXPECT_EQ(back.steps, 4270);
    EXPECT_EQ(back.date, odd.date);
    EXPECT_EQ(back.health, -5);
    EXPECT_EQ(back.condition, 55);
    EXPECT_EQ(back.par, 5400);
    ASSERT_EQ(back.splitCount, 3);
    EXPECT_EQ(back.splits[2], 4000);
    EXPECT_STREQ(back.demo, odd.demo);
    EXPECT_EQ(read.runs[1].date, 0);

    const std::string head = "tumblegrade-records 1\n";
    const std::string good = "run\t0000000000000001\tc\tr\t100\t2026-12-09T17:00:00Z\t1\t2\t0\t10,20\t";
    const std::string bad[] = {
        "tumblegrade-records 2\n",                                   // another version
        "",                                                          // empty file
        head + "run\t000000000000001\tc\tr\t100\t2026-12-09T17:00:00Z\t1\t2\t0\t\t",   // short hash
        head + "run\t0000000000000001\tc\tr\t0\t2026-12-09T17:00:00Z\t1\t2\t0\t\t",    // no time
        head + "run\t0000000000000001\tc\tr\t100\t2026-02-30T17:00:00Z\t1\t2\t0\t\t",  // no such day
        head + "run\t0000000000000001\tc\tr\t100\t2026-12-09T17:00:00Z\t1\t2\t0\t20,10\t",  // back in time
        head + "run\t0000000000000001\tc\tr\t100\t2026-12-09T17:00:00Z\t1\t2\t0\t101\t",    // after the finish
        head + "run\t0000000000000001\tc%0\tr\t100\t2026-12-09T17:00:00Z\t1\t2\t0\t\t",     // cut escape
        head + "run\t0000000000000001\tc%00\tr\t100\t2026-12-09T17:00:00Z\t1\t2\t0\t\t",    // zero byte
        head + "run\t0000000000000001\tc\tr\t99999999999\t2026-12-09T17:00:00Z\t1\t2\t0\t\t",
        head + good + "\textra",
        head + good + "\n" + std::string(RecordLineCapacity, 'x'),
    };
    for (const std::string& b : bad) {
        RecordTable t;
        EXPECT_FALSE(parseRecordsText(b.data(), b.size(), &t, &why, &line)) << b;
    }
    const std::string fine = head + "# a comment\n\n" + good + "\n";
    RecordTable t;
    EXPECT_TRUE(parseRecordsText(fine.data(), fine.size(), &t, &why, &line)) << why;
    EXPECT_EQ(t.runs.size(), 1u);
}

TEST(RecordsStore, RoundTripAndDamagedFilesMovedAsideNeverOverwritten) {
    const std::string dir = makeTempDir("records") + "/deep/tumblegrade";
    RecordTable table;
    ASSERT_TRUE(loadRecordsFrom(dir.c_str(), &table));  // no folder: no records, none made
    EXPECT_TRUE(table.runs.empty());
    EXPECT_EQ(access(dir.c_str(), F_OK), -1);
    ASSERT_TRUE(keepRunIn(dir.c_str(), makeRun(7, "ANNA", 500), &table));
    ASSERT_TRUE(keepRunIn(dir.c_str(), makeRun(7, "BEN", 400), &table));
    RecordTable again;
    ASSERT_TRUE(loadRecordsFrom(dir.c_str(), &again));
    ASSERT_EQ(again.runs.size(), 2u);
    EXPECT_STREQ(again.runs[1].rider, "BEN");
    EXPECT_TRUE(filesIn(dir, "records.txt.new").empty());

    for (int n = 0; n < 2; ++n) {
        writeTextFile(dir + "/records.txt", "garbage " + std::to_string(n) + "\n");
        testing::internal::CaptureStderr();
        ASSERT_TRUE(loadRecordsFrom(dir.c_str(), &again));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(again.runs.empty());
        EXPECT_NE(said.find("damaged"), std::string::npos);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    }
    const std::vector<std::string> aside = filesIn(dir, "records.txt.damaged-");
    ASSERT_EQ(aside.size(), 2u);  // the second did not replace the first
    EXPECT_NE(text(dir + "/" + aside[0]), text(dir + "/" + aside[1]));
    EXPECT_EQ(access((dir + "/records.txt").c_str(), F_OK), -1);
    ASSERT_TRUE(keepRunIn(dir.c_str(), makeRun(7, "CARL", 450), &table));
    EXPECT_EQ(table.runs.size(), 1u);
}

TEST(RecordsStore, AWriterKilledBeforeTheRenameLeavesTheOldRecords) {
    const std::string dir = makeTempDir("records-kill");
    RecordTable table;
    ASSERT_TRUE(keepRunIn(dir.c_str(), makeRun(7, "ANNA", 500), &table));
    const std::string before = text(dir + "/records.txt");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        BeforeSafeRename = [] { raise(SIGKILL); };
        RecordTable mine;
        keepRunIn(dir.c_str(), makeRun(7, "BEN", 400), &mine);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_FALSE(filesIn(dir, "records.txt.new").empty());  // killed with its new file written
    EXPECT_EQ(text(dir + "/records.txt"), before);
    ASSERT_TRUE(keepRunIn(dir.c_str(), makeRun(7, "CARL", 450), &table));  // the lock went with it
    ASSERT_EQ(table.runs.size(), 2u);
    EXPECT_STREQ(table.runs[1].rider, "CARL");
}

TEST(RecordsStore, TwoWritersAtOnceLoseNoRun) {
    const std::string dir = makeTempDir("records-two");
    constexpr int Writers = 2, RunsEach = 25;
    pid_t children[Writers];
    for (int w = 0; w < Writers; ++w) {
        children[w] = fork();
        ASSERT_GE(children[w], 0);
        if (children[w] == 0) {
            RecordTable mine;
            int kept = 0;
            for (int i = 0; i < RunsEach; ++i) kept += keepRunIn(dir.c_str(), makeRun(w, "W", 100 + i), &mine);
            _exit(kept == RunsEach ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    RecordTable table;
    ASSERT_TRUE(loadRecordsFrom(dir.c_str(), &table));
    EXPECT_EQ(int(table.runs.size()), Writers * RunsEach);
}

TEST(BestTimes, TheTenFastestOfACourseAndTheRunSplitsCompareWith) {
    RecordTable table;
    for (int i = 0; i < 12; ++i) table.runs.push_back(makeRun(1, i % 2 ? "ODD" : "EVEN", 1000 - 10 * i, 100 + i));
    table.runs.push_back(makeRun(1, "TIE", 1000 - 10 * 11, 50));  // as fast as the best, earlier
    table.runs.push_back(makeRun(2, "ELSEWHERE", 5));
    const RunRecord* best[BestRunCount];
    ASSERT_EQ(bestRuns(table, 1, best, BestRunCount), BestRunCount);
    EXPECT_STREQ(best[0]->rider, "TIE");
    EXPECT_EQ(best[1]->steps, 890);
    for (int i = 1; i < BestRunCount; ++i) EXPECT_LE(best[i - 1]->steps, best[i]->steps);
    EXPECT_EQ(best[9]->steps, 970);

    EXPECT_EQ(personalBest(table, 1, "EVEN")->steps, 900);  // the rider's own best
    EXPECT_STREQ(personalBest(table, 1, "NEWCOMER")->rider, "TIE");  // else the course's
    EXPECT_EQ(personalBest(table, 3, "EVEN"), nullptr);
    uint64_t courses[4];
    ASSERT_EQ(coursesWithRecords(table, courses, 4), 2);
    EXPECT_EQ(courses[1], 2u);

    char* printed = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&printed, &size);
    printBestTimes(out, table, 2);
    std::fclose(out);
    EXPECT_NE(std::string(printed).find("Course 2  (par 1:30.00"), std::string::npos) << printed;
    EXPECT_NE(std::string(printed).find("  1  ELSEWHERE              0:00.08  "), std::string::npos) << printed;
    std::free(printed);
}
