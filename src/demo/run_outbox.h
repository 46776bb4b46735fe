// A finished run whose demo verified here, queued for the board server (online/outbox)
// when a server is set; with none set nothing is written. An own course goes along only
// when the editor's proof beside it holds (its runs could not be checked otherwise).
#pragma once

#include <string>

#include "demo/demo_file.h"

// Queues the run and wakes the sender; false when nothing was queued (no server, not a
// finish, an own course without its proof, or the outbox cannot be written).
bool queueFinishedRun(const DemoHeader& header, const std::string& text);
