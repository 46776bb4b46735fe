#include "demo/run_finish.h"

#include <cstdio>
#include <string>

#include "demo/demo_check.h"
#include "demo/demo_recorder.h"
#include "demo/demo_store.h"
#include "demo/run_outbox.h"
#include "menus/run_watch.h"

void finishRunWithDemo() {
    FinishedRunDemo demo;
    if (!takeFinishedRunDemo(&demo)) return;
    std::string why;
    const bool plays = demoPlaysAsItSays(demo.text, &why);
    if (!plays)
        std::fprintf(stderr, "tumblegrade: the run's demo does not play it again (%s); its time is not kept\n",
                     why.c_str());
    const KeptDemo kept = keepDemo(demo.header, demo.text, demo.ghost, demo.ghostSize, plays);
    // A best is kept for good; the last runs make way for newer ones.
    if (plays && kept.runPath[0]) keepFinishedRun(kept.newBest ? kept.bestPath : kept.runPath);
    if (plays) queueFinishedRun(demo.header, demo.text);
}
