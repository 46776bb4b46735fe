#include "pilot/autopilot_session.h"

#include <cstdio>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "framework/framework.h"
#include "pilot/autopilot.h"

namespace {

constexpr int RideKeyCodes[] = {ScanUp, ScanCtrl, ScanLeft, ScanRight, ScanAlt};

struct AutopilotSession {
    void (*queueKey)(int scanCode, int down);
    bool rode;  // a run has started
    bool held[ScanCodeCount];
    std::string record;
    const char* outcome;
};

AutopilotSession Session;

void recordKey(int iteration, const char* command, int scanCode) {
    char line[48];
    std::snprintf(line, sizeof line, "%d %s %d\n", iteration, command, scanCode);
    Session.record += line;
}

void holdKey(int iteration, int scanCode, bool down) {
    if (Session.held[scanCode] == down) return;
    Session.held[scanCode] = down;
    Session.queueKey(scanCode, down ? 1 : 0);
    recordKey(iteration, down ? "press" : "release", scanCode);
}

}  // namespace

void startAutopilotSession(void (*queueKey)(int scanCode, int down)) {
    Session = AutopilotSession{};
    Session.queueKey = queueKey;
}

void autopilotSessionBegin(int iteration) {
    if (iteration == 0) Session.record += "0 time 1000\n";
    if (GameState.racing) {
        Session.rode = true;
        const RideControls c = autopilotRide();
        const bool wanted[] = {c.up, c.ctrl, c.left, c.right, c.alt};
        for (int k = 0; k < 5; ++k) holdKey(iteration, RideKeyCodes[k], wanted[k]);
        return;
    }
    const int key = Session.rode ? 0 : autopilotMenuKey();
    if (key == 0) return;
    Session.queueKey(key, 1);
    Session.queueKey(key, 0);
    recordKey(iteration, "tap", key);
}

int autopilotSessionEnd(int iteration) {
    const bool ended = Session.rode && !GameState.racing;
    if (!ended && iteration < AutopilotIterationLimit && (GameState.racing || autopilotMenuKey() != 0)) return 0;
    Session.outcome = ended ? outcomeScreenName(GameState.screen) : nullptr;
    Session.record += std::to_string(iteration) + " stop\n";
    requestExit();
    return 1;
}

const char* autopilotSessionOutcome() { return Session.outcome; }

const std::string& autopilotSessionRecord() { return Session.record; }
