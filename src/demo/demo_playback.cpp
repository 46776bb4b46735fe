#include "demo/demo_playback.h"

#include <cstdio>
#include <cstring>

#include "base/game_state.h"
#include "base/keyboard_layout.h"
#include "base/scan_codes.h"
#include "demo/demo_run_watch.h"
#include "demo/game_checkpoint.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "game/shop.h"
#include "profile/rider_profile.h"
#include "race/damage_table.h"
#include "race/ride.h"

namespace {

// Keys that would leave the game leave the demo instead: the program goes on.
bool leavesGame(int scanCode) {
    if (scanCode == ScanEsc) return GameState.racing || !isShopPage(GameState.screen);
    return scanCode == ScanEnter && !GameState.racing && GameState.screen == ScreenCredits;
}

void leaveDemo(DemoFeed* feed) {
    feed->ended = 1;
    feed->left = 1;
}

void feedKey(DemoFeed* feed, int scanCode, int down) {
    if (down && leavesGame(scanCode)) {
        leaveDemo(feed);
        return;
    }
    InputEvent e;
    makeKeyEvent(scanCode, germanCharacterOf(scanCode), down, &e);
    if (e.type == KeyDown) onKeyDown(&e);
}

void feedCommand(DemoFeed* feed, const ReplayCommand& c) {
    switch (c.type) {
    case ReplayTime: feed->seed = uint32_t(c.value); break;
    case ReplayMode: fillDamageTable(feed->seed); break;  // a window switch fills the table again
    case ReplayPress: feedKey(feed, int(c.value), 1); break;
    case ReplayRelease: feedKey(feed, int(c.value), 0); break;
    case ReplayTap:
        feedKey(feed, int(c.value), 1);
        feedKey(feed, int(c.value), 0);
        break;
    case ReplayCloseYes: leaveDemo(feed); break;
    default: break;
    }
}

}  // namespace

uint32_t demoStartSeed(const ReplayScript& script) {
    uint32_t seed = 0;
    for (const ReplayCommand& c : script.commands)
        if (c.iteration == 0 && c.type == ReplayTime) seed = uint32_t(c.value);
    return seed;
}

void startDemoFeed(DemoFeed* feed, const ReplayScript& script) {
    *feed = DemoFeed{};
    feed->script = &script;
    feed->seed = demoStartSeed(script);
    feed->ended = script.commands.empty();
    resetGameToStart(feed->seed);
}

int playDemoIteration(DemoFeed* feed) {
    const ReplayScript& script = *feed->script;
    while (feed->command < script.commands.size() && script.commands[feed->command].iteration == feed->next)
        feedCommand(feed, script.commands[feed->command++]);
    gameLogic();
    const int showsRide = advanceFrame();
    ++feed->next;
    if (feed->next > script.lastIteration) feed->ended = 1;
    return showsRide;
}

DemoPlayed playDemoRun(const DemoHeader& header, const ReplayScript& script, int iterationCap,
                       DemoRunObserver observer, void* context) {
    DemoFeed feed;
    startDemoFeed(&feed, script);
    DemoRunWatch run;
    beginDemoRunWatch(&run, header.start);
    while (!feed.ended && feed.next < iterationCap) {
        playDemoIteration(&feed);
        const int ended = watchDemoRun(&run, feed.next - 1, feed.left);
        if (observer && run.inRun) observer(context, feed.next - 1);
        if (ended) break;
    }
    DemoPlayed played{};
    played.ended = run.ended;
    played.outcome = run.ended ? run.outcome : DemoNoOutcome;
    played.iterations = run.iterations;
    played.startedAt = run.startedAt;
    played.played = feed.next;
    std::snprintf(played.rider, sizeof played.rider, "%s", Rider.name());
    return played;
}

bool demoPlayedAsHeader(const DemoPlayed& p, const DemoHeader& h) {
    return p.ended && p.outcome == h.outcome && p.iterations == h.iterations && std::strcmp(p.rider, h.rider) == 0;
}
