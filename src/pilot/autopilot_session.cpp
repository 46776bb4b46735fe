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

AutopilotSession PilotSession;

void recordKey(int iteration, const char* command, int scanCode) {
    char line[48];
    std::snprintf(line, sizeof line, "%d %s %d\n", iteration, command, scanCode);
    PilotSession.record += line;
}

void holdKey(int iteration, int scanCode, bool down) {
    if (PilotSession.held[scanCode] == down) return;
    PilotSession.held[scanCode] = down;
    PilotSession.queueKey(scanCode, down ? 1 : 0);
    recordKey(iteration, down ? "press" : "release", scanCode);
}

}  // namespace

void startAutopilotSession(void (*queueKey)(int scanCode, int down)) {
    PilotSession = AutopilotSession{};
    PilotSession.queueKey = queueKey;
}

void autopilotSessionBegin(int iteration) {
    if (iteration == 0) PilotSession.record += "0 time 1000\n";
    if (GameState.racing) {
        PilotSession.rode = true;
        const RideControls c = autopilotRide();
        const bool wanted[] = {c.up, c.ctrl, c.left, c.right, c.alt};
        for (int k = 0; k < 5; ++k) holdKey(iteration, RideKeyCodes[k], wanted[k]);
        return;
    }
    const int key = PilotSession.rode ? 0 : autopilotMenuKey();
    if (key == 0) return;
    PilotSession.queueKey(key, 1);
    PilotSession.queueKey(key, 0);
    recordKey(iteration, "tap", key);
}

int autopilotSessionEnd(int iteration) {
    const bool ended = PilotSession.rode && !GameState.racing;
    if (!ended && iteration < AutopilotIterationLimit && (GameState.racing || autopilotMenuKey() != 0)) return 0;
    PilotSession.outcome = ended ? outcomeScreenName(GameState.screen) : nullptr;
    PilotSession.record += std::to_string(iteration) + " stop\n";
    requestExit();
    return 1;
}

const char* autopilotSessionOutcome() { return PilotSession.outcome; }

const std::string& autopilotSessionRecord() { return PilotSession.record; }
