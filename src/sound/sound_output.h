// The audio device behind the sound layer (SDL2_mixer). Every call returns at once:
// loops are mixed by the audio thread from levels handed over atomically, one-shots
// go to the mixer's channels.
#pragma once

// Opens the device and reads the sound files; 0 when there is no device (one line on
// standard error says so, and every other call then does nothing).
int openSoundOutput();
void closeSoundOutput();
int soundOutputOpen();

void playSound(int id);
// Target levels of the two loops; the audio thread glides to them.
void setLoopLevels(float rideVolume, float ridePitch, float windVolume);
void setSoundMuted(int muted);
// The player's volumes, 0 to 1: over everything, the two loops, the one-shots.
void setSoundVolumes(float master, float ride, float effects);
