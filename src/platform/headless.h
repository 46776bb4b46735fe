// The headless back-end: the framework's display and messages without a window.
// Tests and the replay tool feed it messages and read what it presented.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Messages delivered to the framework's next message pump, in this order.
void headlessQueueMessage(const PlatformMessage& message);
// A key-down or key-up message for a set-1 scan code, with its German-layout character.
void headlessQueueKey(int scanCode, int down);
// The window's close button, the confirmation answered Yes (1) or No (0).
void headlessQueueClose(int yes);
// The clock that seeds the random generator; a negative value reads the real clock.
void headlessSetClock(int64_t seconds);
// Called at the start and the end of every main-loop iteration, with its number.
void headlessSetIterationHooks(void (*begin)(int iteration), void (*end)(int iteration));
int headlessIteration();
// Every presented page is converted to 32-bit ARGB into target (640 x 480 pixels), as
// the window does it; null (the start state) only counts the pages.
void headlessConvertInto(uint32_t* target);
// What the back-end was asked to show.
int headlessDisplayOpen();
int headlessFullScreen();
int headlessPresentCount();
int headlessConfirmCount();
const char* headlessLastErrorText();
// Everything back to its start state (tests).
void headlessReset();
