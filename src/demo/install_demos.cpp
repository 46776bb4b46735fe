#include "demo/install_demos.h"

#include "demo/demo_recorder.h"

void installDemos() { startDemoRecorder(); }
