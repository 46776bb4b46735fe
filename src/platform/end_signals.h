// SIGTERM and SIGINT (a logout, kill, Ctrl+C in the terminal) end the game as a clean
// exit. The handler only notes the signal; the message pump turns it into an exit.
#pragma once

// Installs the handlers; a second signal of the same kind ends the process at once.
void catchEndSignals();
// 1 once SIGTERM or SIGINT has arrived.
int endSignalCaught();
