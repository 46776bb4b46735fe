#include "menus/world_board_view.h"

#include <cinttypes>
#include <cstdio>
#include <ctime>

#include "base/scan_codes.h"
#include "files/folders.h"
#include "files/safe_write.h"
#include "lang/translation.h"
#include "menus/board_rows.h"
#include "menus/look.h"
#include "menus/panels.h"
#include "menus/top_screens.h"
#include "online/identity.h"
#include "online/world_board.h"
#include "settings/settings.h"

namespace {

constexpr int HeaderGap = 34, NoteX = 66;

enum DemoUse { UseNone = 0, UseWatch, UseGhost };

struct WorldView {
    uint64_t course;
    int state;          // BoardState
    int line;           // the chosen run of the top ten
    int ownLine;        // the rider's own line on the board, -1 when not on it
    char fetchedAt[16];  // "HH:MM UTC"
    char note[96];
    int demoUse;        // what the demo being downloaded is for
    int64_t demoRun;
    std::string ownKey;
    WorldBoard board;
    BackgroundFetch boardFetch;
    BackgroundFetch demoFetch;
};

WorldView World;
bool (*GhostChooser)(const char* demoPath, std::string* why) = nullptr;
bool (*DemoPlayer)(const char* demoPath) = nullptr;
void (*GhostDropper)(uint64_t courseHash) = nullptr;

void setNote(const char* text) { std::snprintf(World.note, sizeof World.note, "%s", text); }

int shownCount() { return World.state == BoardShown ? (World.board.count < WorldTopCount ? World.board.count : WorldTopCount) : 0; }

void takeBoard(const ServerAnswer& answer) {
    World.state = boardStateOf(answer, &World.board);
    World.ownLine = World.state == BoardShown ? boardLineOfKey(World.board, World.ownKey) : -1;
    const std::time_t now = std::time(nullptr);
    struct tm utc = {};
    gmtime_r(&now, &utc);
    std::strftime(World.fetchedAt, sizeof World.fetchedAt, "%H:%M UTC", &utc);
}

// The downloaded demo, kept as world/run-ID.tgdemo, and watched or made the ghost.
void useDemo(const ServerAnswer& answer) {
    const int use = World.demoUse;
    World.demoUse = UseNone;
    char name[64], path[4096], folder[4096];
    std::snprintf(name, sizeof name, "world/run-%" PRId64 ".tgdemo", World.demoRun);
    if (answer.status != 200) {
        setNote(answer.status == 0 ? trPage("The demo cannot be downloaded now.") : trPage("The server has no demo of this run."));
        return;
    }
    if (!xdgPath(XdgData, name, path, sizeof path) || !xdgPath(XdgData, "world", folder, sizeof folder) ||
        !makeFolders(folder) || !writeFileSafely(path, answer.body.data(), answer.body.size())) {
        setNote(trPage("The demo cannot be kept here."));
        return;
    }
    std::string why;
    if (use == UseWatch && !(DemoPlayer && DemoPlayer(path)))
        setNote(trPage("The demo of this run cannot be played."));
    else if (use == UseGhost && !(GhostChooser && GhostChooser(path, &why)))
        setNote((std::string(trPage("Not made the ghost: ")) + why).substr(0, sizeof World.note - 1).c_str());
    else if (use == UseGhost)
        setNote(trPage("This run is the ghost of the course now (F7 on your runs: your own)."));
}

void poll() {
    ServerAnswer answer;
    if (World.state == BoardFetching && pollFetch(&World.boardFetch, &answer) == FetchAnswered) takeBoard(answer);
    if (World.demoUse != UseNone && pollFetch(&World.demoFetch, &answer) == FetchAnswered) useDemo(answer);
}

void fetchDemo(int use) {
    if (World.line >= shownCount() || World.demoUse != UseNone) return;
    World.demoUse = use;
    World.demoRun = World.board.runs[World.line].id;
    setNote(trPage("Downloading the demo..."));
    startFetch(&World.demoFetch, onlineServerNow(), "/api/v1/runs/" + std::to_string(World.demoRun) + "/demo",
               DemoAnswerLimit);
}

void drawRun(DisplayContext* page, const WorldRun& run, int i, int y) {
    char rank[16], rider[48], date[16];
    std::snprintf(rank, sizeof rank, "%d.", run.rank);
    std::snprintf(rider, sizeof rider, "%.16s %.8s", run.rider, run.key);
    std::snprintf(date, sizeof date, "%.10s", run.date);
    drawBoardRow(page, y, i == World.line, i == World.ownLine, rank, rider, run.time, date);
}

// The rider's own place: "You: 3. 0:52.75", or not on the board.
void drawOwnPlace(DisplayContext* page, int right, int y) {
    char line[96];
    if (World.ownLine >= 0)
        std::snprintf(line, sizeof line, trPage("You: %d. %s - fetched %s"), World.board.runs[World.ownLine].rank,
                      World.board.runs[World.ownLine].time, World.fetchedAt);
    else
        std::snprintf(line, sizeof line, trPage("You are not on the board - fetched %s"), World.fetchedAt);
    boardTextRightAligned(page, right, y, LookDim, line);
}

}  // namespace

void openWorldBoard(uint64_t courseHash) {
    closeWorldBoard();
    World.course = courseHash;
    World.line = 0;
    World.ownLine = -1;
    World.note[0] = 0;
    RiderIdentity identity{};
    World.ownKey = readIdentity(&identity) ? publicKeyText(identity) : std::string();
    if (!onlineServerNow()[0]) {
        World.state = BoardNotAsked;
        return;
    }
    World.state = BoardFetching;
    startFetch(&World.boardFetch, onlineServerNow(),
               "/api/v1/courses/" + courseHashText(courseHash) + "/board?limit=" + std::to_string(WorldBoardCapacity),
               BoardAnswerLimit);
}

void closeWorldBoard() {
    stopFetch(&World.boardFetch);
    stopFetch(&World.demoFetch);
    World.demoUse = UseNone;
    World.state = BoardNotAsked;
}

void worldBoardKey(int scanCode, unsigned modifiers) {
    const int n = shownCount();
    switch (scanCode) {
    case ScanUp:
        if (n) World.line = (World.line + n - 1) % n;
        break;
    case ScanDown:
        if (n) World.line = (World.line + 1) % n;
        break;
    case ScanEnter:
        if (!(modifiers & TopKeyAlt)) fetchDemo(UseWatch);  // Alt+Enter is the window's
        break;
    case ScanF7: fetchDemo(UseGhost); break;
    default: break;
    }
}

void drawWorldBoard(DisplayContext* page, int tableTop, int tableBottom, int stateRight, int stateY) {
    poll();
    drawPanel(page, Look.screen, BoardRowsLeft - 4, tableTop, BoardRowsRight + 4, tableBottom);
    const char* state = nullptr;
    switch (World.state) {
    case BoardNotAsked: state = trPage("No board server is set (tumblegrade --server URL)."); break;
    case BoardFetching: state = trPage("Fetching the world board..."); break;
    case BoardOffline: state = trPage("Offline: the board server cannot be reached."); break;
    case BoardUnreadable: state = trPage("The board server's answer cannot be read."); break;
    case BoardUnknownCourse: state = trPage("The board server does not know this course yet."); break;
    default: break;
    }
    if (state) {
        boardText(page, NoteX, tableTop + 12, LookDim, state);
        return;
    }
    drawOwnPlace(page, stateRight, stateY);
    if (shownCount() == 0) {
        boardText(page, NoteX, tableTop + 12, LookDim, trPage("No runs on the world board yet."));
        return;
    }
    drawBoardHeader(page, tableTop + 8);
    for (int i = 0; i < shownCount(); ++i)
        drawRun(page, World.board.runs[i], i, tableTop + HeaderGap + i * BoardRowHeight);
}

void setWorldGhostHooks(bool (*choose)(const char* demoPath, std::string* why), void (*drop)(uint64_t courseHash)) {
    GhostChooser = choose;
    GhostDropper = drop;
}

void dropWorldGhostOf(uint64_t courseHash) {
    if (GhostDropper) GhostDropper(courseHash);
}

void setWorldDemoPlayer(bool (*play)(const char* demoPath)) { DemoPlayer = play; }

const char* worldBoardNote() { return World.note; }

int worldBoardState() { return World.state; }
int worldBoardRuns() { return shownCount(); }
int worldBoardOwnLine() { return World.ownLine; }
