// The world board's reader on any bytes as the server's answer: a board it takes holds at
// most its capacity of runs, each with ranks and texts the screen can draw.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "online/world_board.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static WorldBoard board;
    std::string error;
    if (!parseBoardAnswer(std::string(reinterpret_cast<const char*>(data), size), &board, &error)) return 0;
    if (board.count < 0 || board.count > WorldBoardCapacity) std::abort();
    for (int i = 0; i < board.count; ++i) {
        const WorldRun& run = board.runs[i];
        if (run.rank < 1 || std::memchr(run.rider, 0, sizeof run.rider) == nullptr ||
            std::memchr(run.time, 0, sizeof run.time) == nullptr || std::memchr(run.date, 0, sizeof run.date) == nullptr)
            std::abort();
    }
    return 0;
}
