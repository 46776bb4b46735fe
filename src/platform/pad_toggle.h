// Push and the brakes toggled on the gamepad: its readings come one an iteration, so a
// press of the button (or trigger) is where it was up at the last reading and down now.
#pragma once

// One toggled key of the gamepad, from reading to reading.
struct PadToggle {
    unsigned char wasHeld;   // the controller held it at the last reading
    unsigned char latched;   // a press holds it for the game, the next press lets it go
    unsigned char carried;   // held since before toggling applied: a hold until let go
};

// Whether the game holds the key after this reading: `held` what the controller holds,
// `toggling` whether the key toggles now (the player's setting, during the ride). Out of
// toggling the latch is let go and the key is held as the controller holds it.
int padToggleReading(PadToggle* key, int held, int toggling);
