// The end signals' handler: one flag, nothing else is safe inside a handler.
#include "platform/end_signals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t EndSignal = 0;

void noteEndSignal(int) { EndSignal = 1; }

}  // namespace

void catchEndSignals() {
    struct sigaction action {};
    action.sa_handler = noteEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;  // the default action for a second signal
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int endSignalCaught() { return EndSignal ? 1 : 0; }
