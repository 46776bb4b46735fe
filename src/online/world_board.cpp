#include "online/world_board.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "lang/latin1.h"

namespace {

using nlohmann::json;

// A text of the board in the page's Latin-1 (lang/latin1), cut to fit; control codes are
// the fallback character too, since a hostile server may send them.
void latin1Of(const std::string& text, char* out, size_t capacity) {
    char latin1[256];
    const std::string head = text.substr(0, sizeof latin1 / 2);  // never more than fits
    if (utf8ToLatin1(head.c_str(), latin1, int(sizeof latin1)) < 0) latin1[0] = 0;
    std::snprintf(out, capacity, "%s", latin1);
    for (char* c = out; *c; ++c)
        if (static_cast<unsigned char>(*c) < 0x20) *c = Latin1Fallback;
}

bool textField(const json& run, const char* name, char* out, size_t capacity) {
    const auto it = run.find(name);
    if (it == run.end() || !it->is_string()) return false;
    latin1Of(it->get<std::string>(), out, capacity);
    return true;
}

bool numberField(const json& run, const char* name, int64_t low, int64_t high, int64_t* out) {
    const auto it = run.find(name);
    if (it == run.end() || !it->is_number_integer()) return false;
    *out = it->get<int64_t>();
    return *out >= low && *out <= high;
}

bool readRun(const json& run, WorldRun* out) {
    int64_t rank = 0, iterations = 0;
    if (!run.is_object() || !numberField(run, "rank", 1, 1 << 30, &rank) ||
        !numberField(run, "id", 0, INT64_MAX, &out->id) || !numberField(run, "iterations", 0, 1 << 30, &iterations))
        return false;
    out->rank = int(rank);
    out->iterations = int(iterations);
    return textField(run, "rider", out->rider, sizeof out->rider) && textField(run, "key", out->key, sizeof out->key) &&
           textField(run, "time", out->time, sizeof out->time) && textField(run, "date", out->date, sizeof out->date);
}

}  // namespace

bool parseBoardAnswer(const std::string& body, WorldBoard* board, std::string* error) {
    board->count = 0;
    board->name[0] = 0;
    const json answer = json::parse(body, nullptr, false);
    if (answer.is_discarded() || !answer.is_object()) {
        *error = "the answer is not a JSON object";
        return false;
    }
    const auto runs = answer.find("runs");
    if (runs == answer.end() || !runs->is_array()) {
        *error = "the answer has no runs";
        return false;
    }
    textField(answer, "name", board->name, sizeof board->name);
    for (const json& run : *runs) {
        if (board->count == WorldBoardCapacity) break;
        if (!readRun(run, &board->runs[board->count])) {
            *error = "a run of the board is not as the API says";
            return false;
        }
        ++board->count;
    }
    return true;
}

int boardLineOfKey(const WorldBoard& board, const std::string& key) {
    for (int i = 0; i < board.count; ++i)
        if (key == board.runs[i].key) return i;
    return -1;
}

void startFetch(BackgroundFetch* fetch, const std::string& server, const std::string& path, size_t bodyLimit) {
    stopFetch(fetch);
    fetch->state = FetchRunning;
    fetch->thread = std::thread([fetch, server, path, bodyLimit] {
        ServerAnswer answer = serverGet(server, path, bodyLimit, RequestTimeLimitMs, &fetch->stop);
        std::lock_guard<std::mutex> held(fetch->lock);
        fetch->answer = std::move(answer);
        fetch->state = FetchAnswered;
    });
}

int pollFetch(BackgroundFetch* fetch, ServerAnswer* answer) {
    std::lock_guard<std::mutex> held(fetch->lock);
    if (fetch->state == FetchAnswered && answer) *answer = fetch->answer;
    return fetch->state;
}

void stopFetch(BackgroundFetch* fetch) {
    if (fetch->thread.joinable()) {
        fetch->stop = 1;
        fetch->thread.join();
    }
    fetch->stop = 0;
    fetch->state = FetchIdle;
    fetch->answer = ServerAnswer{0, {}, {}, 0};
}

int boardStateOf(const ServerAnswer& answer, WorldBoard* board) {
    std::string error;
    if (answer.status == 0) return answer.reached ? BoardUnreadable : BoardOffline;
    if (answer.status == 404) return BoardUnknownCourse;
    if (answer.status != 200 || !parseBoardAnswer(answer.body, board, &error)) return BoardUnreadable;
    return BoardShown;
}
