// The thread that sends the outbox to the board server. It starts only when a server is
// set, sends every entry (an own course first with PUT when the server may not know it),
// waits longer after each error (2 s doubling to 5 min) and is woken when a run is queued.
// A run leaves the outbox on a 2xx answer (the 200 of a repeat included) or moves to
// refused/ on a 4xx that sending again cannot change; anything else waits for the next try,
// after a restart too. Nothing here is ever waited for by the main loop.
#pragma once

#include <string>

#include "online/outbox.h"
#include "online/server_requests.h"

enum SendResult { SendDone = 0, SendRefused, SendLater };

// One entry sent now (the thread's step, and tumblegrade --submit); `reason` says why not
// sent. `answer` gets the run's answer when there was one.
SendResult sendOutboxEntry(const std::string& server, const RiderIdentity& identity, const OutboxEntry& entry,
                           std::string* reason, ServerAnswer* answer = nullptr, const std::atomic<int>* stop = nullptr);

// Starts the thread, or points the running one at another server ("" makes it idle):
// never waits for the network.
void startRunSender(const std::string& server);
// A run was queued: send it now rather than at the next try.
void wakeRunSender();
// Ends the thread: the request in flight ends within its time limits. Safe when not started.
void stopRunSender();
int runSenderRunning();
// Runs sent since the start (tests and the options screen).
int runsSent();
