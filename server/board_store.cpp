#include "board_store.h"

#include <condition_variable>
#include <ctime>
#include <memory>
#include <mutex>

#include "board_schema.h"
#include "board_text.h"
#include "signing.h"
#include "sql_link.h"

namespace {

// The links: opened when first needed, dropped when the database stops answering, so a
// database that comes back is used again without a restart.
struct LinkPool {
    std::mutex lock;
    std::condition_variable freed;
    std::string url;
    std::vector<std::unique_ptr<SqlLink>> idle;
    int open;
    int capacity;
    double spentSeconds;
};

LinkPool Links;

std::unique_ptr<SqlLink> takeLink() {
    std::unique_lock<std::mutex> hold(Links.lock);
    Links.freed.wait(hold, [] { return !Links.idle.empty() || Links.open < Links.capacity; });
    if (!Links.idle.empty()) {
        std::unique_ptr<SqlLink> link = std::move(Links.idle.back());
        Links.idle.pop_back();
        return link;
    }
    ++Links.open;
    hold.unlock();
    std::string why;
    std::unique_ptr<SqlLink> link = openSqlLink(Links.url, &why);
    if (!link) {
        std::lock_guard<std::mutex> again(Links.lock);
        --Links.open;
        Links.freed.notify_one();
    }
    return link;
}

void giveLink(std::unique_ptr<SqlLink> link, bool broken) {
    std::lock_guard<std::mutex> hold(Links.lock);
    Links.spentSeconds += link->seconds;
    link->seconds = 0;
    if (broken) {
        --Links.open;
    } else {
        Links.idle.push_back(std::move(link));
    }
    Links.freed.notify_one();
}

// Runs work on a link; StoreDown when the database does not answer or fails.
template <typename Work>
int withLink(Work work) {
    std::unique_ptr<SqlLink> link = takeLink();
    if (!link) return StoreDown;
    bool broken = false;
    int answer = StoreDown;
    try {
        answer = work(link.get());
    } catch (const SqlFailure& f) {
        link->rollback();
        broken = f.kind == SqlDown;
    }
    giveLink(std::move(link), broken);
    return answer;
}

long long number(const std::string& text) { return std::strtoll(text.c_str(), nullptr, 10); }

BoardRun runOf(const SqlRow& row, uint64_t course) {
    BoardRun run{};
    run.id = number(row[0]);
    run.course = course;
    run.key = row[1];
    run.rider = row[2];
    run.iterations = int32_t(number(row[3]));
    run.submitted = number(row[4]);
    return run;
}

const char RunColumns[] = "SELECT id, key, rider, iterations, submitted FROM runs ";

// The run's place among the best runs of the other keys: faster, or as fast and earlier.
int32_t rankOf(SqlLink* link, const BoardRun& run) {
    const auto rows = link->run(
        "SELECT COUNT(*) FROM bests WHERE course = $1 AND key <> $2 AND (iterations < $3 OR (iterations = $3 AND run < $4))",
        {courseHashText(run.course), run.key, std::to_string(run.iterations), std::to_string(run.id)});
    return int32_t(number(rows.at(0).at(0)) + 1);
}

int addRunOnLink(SqlLink* link, const NewRun& run, BoardRun* out) {
    const std::string course = courseHashText(run.course);
    link->beginWrite();
    auto held = link->run(RunColumns + std::string("WHERE course = $1 AND ride = $2"), {course, run.ride});
    int answer = StoreDone;
    if (!held.empty()) {
        *out = runOf(held[0], run.course);
        answer = out->key == run.key ? StoreRepeated : StoreTaken;
    } else {
        const std::string now = std::to_string(std::time(nullptr));
        link->run("INSERT INTO riders (key, name) VALUES ($1, $2) ON CONFLICT (key) DO UPDATE SET name = excluded.name",
                  {run.key, run.rider});
        const auto id = link->run(
            "INSERT INTO runs (course, key, rider, iterations, splits, demo, ride, submitted)"
            " VALUES ($1, $2, $3, $4, $5, $6, $7, $8) RETURNING id",
            {course, run.key, run.rider, std::to_string(run.iterations), run.splits, encodeBase64Text(run.demo),
             run.ride, now});
        link->run("INSERT INTO bests (course, key, run, iterations) VALUES ($1, $2, $3, $4)"
                  " ON CONFLICT (course, key) DO UPDATE SET run = excluded.run, iterations = excluded.iterations"
                  " WHERE excluded.iterations < bests.iterations",
                  {course, run.key, id.at(0).at(0), std::to_string(run.iterations)});
        *out = BoardRun{number(id.at(0).at(0)), run.course, run.key, run.rider, run.iterations, number(now), 0};
    }
    link->commit();
    out->rank = rankOf(link, *out);
    return answer;
}

}  // namespace

bool openBoardStore(const std::string& url, int links, std::string* why) {
    Links.url = url;
    Links.capacity = links;
    std::unique_ptr<SqlLink> link = openSqlLink(url, why);
    if (!link) return false;
    for (int attempt = 0;; ++attempt) {
        try {
            migrateBoardSchema(link.get());
            break;
        } catch (const SqlFailure& f) {
            if (attempt == 2) {
                *why = f.text;
                return false;
            }
        }
    }
    std::lock_guard<std::mutex> hold(Links.lock);
    ++Links.open;
    Links.idle.push_back(std::move(link));
    return true;
}

void closeBoardStore() {
    std::lock_guard<std::mutex> hold(Links.lock);
    Links.idle.clear();
    Links.open = 0;
}

int boardStoreAnswers() {
    return withLink([](SqlLink* link) { return link->run("SELECT 1", {}).empty() ? StoreDown : StoreDone; }) ==
           StoreDone;
}

int findCourseRow(uint64_t hash, CourseRow* row) {
    return withLink([&](SqlLink* link) {
        const auto rows =
            link->run("SELECT sha256, name, file, par FROM courses WHERE hash = $1", {courseHashText(hash)});
        if (rows.empty()) return int(StoreMissing);
        row->hash = hash;
        row->sha256 = rows[0][0];
        row->name = rows[0][1];
        if (!decodeBase64Text(rows[0][2], &row->file)) return int(StoreDown);
        row->par = int32_t(number(rows[0][3]));
        return int(StoreDone);
    });
}

int addCourseRow(const CourseRow& row, int shipped) {
    return withLink([&](SqlLink* link) {
        link->run("INSERT INTO courses (hash, sha256, name, par, file, shipped, added)"
                  " VALUES ($1, $2, $3, $4, $5, $6, $7) ON CONFLICT (hash) DO NOTHING",
                  {courseHashText(row.hash), row.sha256, row.name, std::to_string(row.par),
                   encodeBase64Text(row.file), std::to_string(shipped), std::to_string(std::time(nullptr))});
        const auto held = link->run("SELECT sha256 FROM courses WHERE hash = $1", {courseHashText(row.hash)});
        return held.at(0).at(0) == row.sha256 ? int(StoreDone) : int(StoreTaken);
    });
}

int addRun(const NewRun& run, BoardRun* out) {
    // Two instances adding the same ride at once: the unique index refuses the second,
    // which then finds the first.
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool duplicate = false;
        const int answer = withLink([&](SqlLink* link) {
            try {
                return addRunOnLink(link, run, out);
            } catch (const SqlFailure& f) {
                if (f.kind != SqlDuplicate) throw;
                link->rollback();
                duplicate = true;
                return int(StoreDown);
            }
        });
        if (!duplicate) return answer;
    }
    return StoreDown;
}

int readBoard(uint64_t course, int limit, int offset, std::vector<BoardRun>* runs) {
    return withLink([&](SqlLink* link) {
        const auto rows = link->run(
            "SELECT r.id, r.key, r.rider, r.iterations, r.submitted FROM bests b JOIN runs r ON r.id = b.run"
            " WHERE b.course = $1 ORDER BY b.iterations, b.run LIMIT $2 OFFSET $3",
            {courseHashText(course), std::to_string(limit), std::to_string(offset)});
        runs->clear();
        for (const SqlRow& row : rows) {
            runs->push_back(runOf(row, course));
            runs->back().rank = int32_t(offset + int(runs->size()));
        }
        return int(StoreDone);
    });
}

int readRunDemo(int64_t id, std::string* demo) {
    return withLink([&](SqlLink* link) {
        const auto rows = link->run("SELECT demo FROM runs WHERE id = $1", {std::to_string(id)});
        if (rows.empty()) return int(StoreMissing);
        return decodeBase64Text(rows[0][0], demo) ? int(StoreDone) : int(StoreDown);
    });
}

double boardStoreSeconds() {
    std::lock_guard<std::mutex> hold(Links.lock);
    return Links.spentSeconds;
}
