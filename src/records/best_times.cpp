#include "records/best_times.h"

#include <cstring>
#include <ctime>

#include "records/run_time.h"

namespace {

bool faster(const RunRecord& a, const RunRecord& b) {
    return a.steps < b.steps || (a.steps == b.steps && a.date < b.date);
}

constexpr int RiderColumn = 20;

// A Latin-1 name written as UTF-8, padded with blanks to `width` characters.
void printName(FILE* out, const char* name, int width) {
    int shown = 0;
    for (const unsigned char* p = (const unsigned char*)name; *p; ++p, ++shown) {
        if (*p < 0x80) {
            std::fputc(*p, out);
        } else {
            std::fputc(0xC0 | (*p >> 6), out);
            std::fputc(0x80 | (*p & 0x3F), out);
        }
    }
    for (; shown < width; ++shown) std::fputc(' ', out);
}

}  // namespace

int bestRuns(const RecordTable& table, uint64_t courseHash, const RunRecord** out, int capacity) {
    int count = 0;
    for (const RunRecord& run : table.runs) {
        if (run.courseHash != courseHash) continue;
        int at = count < capacity ? count : capacity;
        while (at > 0 && faster(run, *out[at - 1])) --at;
        if (at >= capacity) continue;
        const int last = count < capacity ? count : capacity - 1;
        for (int i = last; i > at; --i) out[i] = out[i - 1];
        out[at] = &run;
        if (count < capacity) ++count;
    }
    return count;
}

const RunRecord* ridersBest(const RecordTable& table, uint64_t courseHash, const char* rider) {
    const RunRecord* best = nullptr;
    for (const RunRecord& run : table.runs)
        if (run.courseHash == courseHash && std::strcmp(run.rider, rider) == 0 && (!best || faster(run, *best)))
            best = &run;
    return best;
}

const RunRecord* personalBest(const RecordTable& table, uint64_t courseHash, const char* rider) {
    if (const RunRecord* own = ridersBest(table, courseHash, rider)) return own;
    const RunRecord* best[1];
    return bestRuns(table, courseHash, best, 1) ? best[0] : nullptr;
}

int coursesWithRecords(const RecordTable& table, uint64_t* hashes, int capacity) {
    int count = 0;
    for (const RunRecord& run : table.runs) {
        bool seen = false;
        for (int i = 0; i < count && !seen; ++i) seen = hashes[i] == run.courseHash;
        if (!seen && count < capacity) hashes[count++] = run.courseHash;
    }
    return count;
}

const RunRecord* latestRunOf(const RecordTable& table, uint64_t courseHash) {
    const RunRecord* latest = nullptr;
    for (const RunRecord& run : table.runs)
        if (run.courseHash == courseHash) latest = &run;
    return latest;
}

void formatRunDate(int64_t date, char* out, int size) {
    const time_t when = time_t(date);
    struct tm local = {};
    localtime_r(&when, &local);
    if (std::strftime(out, size_t(size), "%Y-%m-%d", &local) == 0 && size > 0) out[0] = 0;
}

void printBestTimes(FILE* out, const RecordTable& table, uint64_t courseHash) {
    const RunRecord* latest = latestRunOf(table, courseHash);
    if (!latest) return;
    char par[RunTimeTextCapacity + 8] = "no par";
    if (latest->par > 0) {
        std::memcpy(par, "par ", 4);
        formatRunTime(latest->par, par + 4, sizeof par - 4);
    }
    std::fprintf(out, "%s  (%s, course %016llx)\n", latest->courseName[0] ? latest->courseName : "?", par,
                 (unsigned long long)courseHash);
    const RunRecord* best[BestRunCount];
    const int count = bestRuns(table, courseHash, best, BestRunCount);
    for (int i = 0; i < count; ++i) {
        char time[RunTimeTextCapacity], date[16];
        formatRunTime(best[i]->steps, time, sizeof time);
        formatRunDate(best[i]->date, date, sizeof date);
        std::fprintf(out, "%3d  ", i + 1);
        printName(out, best[i]->rider[0] ? best[i]->rider : "-", RiderColumn);
        std::fprintf(out, " %9s  %s\n", time, date);
    }
}
