// A finished run in the window game, in order: its demo's text (from the recorder), the
// check that the demo plays the same run (demo_check.h), keeping the demo (demo_store.h:
// among the last runs, and as the best when it is the fastest and plays), keeping the
// run in the records with its demo file, and queueing a verified run for the board server
// when one is set (run_outbox.h). A demo that does not play it again stays among
// the last runs (to be looked into), never the best, and the time is not kept.
#pragma once

// After the recorder's iteration; does nothing when no run finished in it.
void finishRunWithDemo();
