// The clock and the records in a program: the run watcher, the overlays, the
// best-times screen and the free keys.
#pragma once

// The window game: finished runs kept, the ride display (Tab), the finish lines, the
// best-times screen (F3 on the main menu), ride again (F5 on the finish, injury, defect
// and crash screens).
void installClockAndRecords();
// The replay tool: keepRecords (--records) keeps finished runs in the records file,
// drawHud (--hud) draws the ride display and the finish lines into its pages. No key
// changes its meaning.
void installReplayClock(int keepRecords, int drawHud);
