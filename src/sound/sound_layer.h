// The sound layer's place in the program: started by the windowed game's entry,
// called by the framework once at the end of every main-loop iteration.
#pragma once

// Opens the audio device unless the command line says -nosound, and hooks the layer
// into the main loop. Without a device the game runs silently.
void startSound(int argc, char** argv);
// One iteration: observe, compare with the last iteration, play; F9 mutes and unmutes.
void soundFrame();
// Sound on or off, as F9 switches it (the options screen).
void setSoundOn(int on);
// The volumes of the player's settings, at once.
void applySoundVolumes();
