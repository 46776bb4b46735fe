// The world board of a course as the server answers it (GET /api/v1/courses/HASH/board),
// read into flat records; and fetches on a thread of their own, whose state the screens
// poll: the main loop never waits for the network.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "online/server_requests.h"

constexpr int WorldBoardCapacity = 100;  // the most the server gives in one answer
constexpr int WorldTopCount = 10;

struct WorldRun {
    int rank;
    int64_t id;
    int iterations;
    char rider[48];  // Latin-1, as the game writes names (others become '?')
    char key[48];    // the whole public key in base64
    char time[16];
    char date[24];
};

struct WorldBoard {
    char name[64];
    int count;
    WorldRun runs[WorldBoardCapacity];
};

// False with one line in error when the body is not a board.
bool parseBoardAnswer(const std::string& body, WorldBoard* board, std::string* error);
// The rank's index in the board of this key (base64), or -1.
int boardLineOfKey(const WorldBoard& board, const std::string& key);

enum FetchState { FetchIdle = 0, FetchRunning, FetchAnswered };

// One GET on a thread of its own; a new one waits for the last to end (its limits keep
// that short).
struct BackgroundFetch {
    std::thread thread;
    std::mutex lock;
    std::atomic<int> stop{0};
    int state = FetchIdle;
    ServerAnswer answer;
};

void startFetch(BackgroundFetch* fetch, const std::string& server, const std::string& path, size_t bodyLimit);
// The state now; with FetchAnswered, the answer is copied out.
int pollFetch(BackgroundFetch* fetch, ServerAnswer* answer);
// Ends it (the screen closed, the game ends); back to FetchIdle.
void stopFetch(BackgroundFetch* fetch);

// What the world view says.
enum BoardState { BoardNotAsked = 0, BoardFetching, BoardShown, BoardOffline, BoardUnreadable, BoardUnknownCourse };
// The board's state from its fetch's answer; `board` is filled for BoardShown.
int boardStateOf(const ServerAnswer& answer, WorldBoard* board);
