// The records reader on any bytes; every text it accepts is written again and must read
// back the same, and the best-ten query runs over it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "records/best_times.h"
#include "records/records_text.h"

namespace {

bool sameRun(const RunRecord& a, const RunRecord& b) {
    return a.courseHash == b.courseHash && std::strcmp(a.courseName, b.courseName) == 0 &&
           std::strcmp(a.rider, b.rider) == 0 && a.steps == b.steps && a.date == b.date &&
           a.health == b.health && a.condition == b.condition && a.par == b.par &&
           a.splitCount == b.splitCount &&
           std::memcmp(a.splits, b.splits, sizeof(int32_t) * size_t(a.splitCount)) == 0 &&
           std::strcmp(a.demo, b.demo) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordTable table;
    const char* why = nullptr;
    int line = 0;
    if (!parseRecordsText(reinterpret_cast<const char*>(data), size, &table, &why, &line)) return 0;
    std::string written;
    formatRecordsText(table, &written);
    RecordTable again;
    if (!parseRecordsText(written.data(), written.size(), &again, &why, &line)) __builtin_trap();
    if (again.runs.size() != table.runs.size()) __builtin_trap();
    for (size_t i = 0; i < table.runs.size(); ++i)
        if (!sameRun(table.runs[i], again.runs[i])) __builtin_trap();
    uint64_t courses[8];
    const int count = coursesWithRecords(table, courses, 8);
    for (int i = 0; i < count; ++i) {
        const RunRecord* best[BestRunCount];
        const int n = bestRuns(table, courses[i], best, BestRunCount);
        for (int k = 1; k < n; ++k)
            if (best[k - 1]->steps > best[k]->steps) __builtin_trap();
        personalBest(table, courses[i], "A");
    }
    return 0;
}
