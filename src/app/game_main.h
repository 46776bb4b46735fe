// The game's entry: command line, framework set-up, callbacks, game initialisation and
// the main loop.
#pragma once

#include "app/command_line.h"
#include "app/init_game.h"
#include "framework/framework.h"

int gameMain(int argc, char** argv);
// Menu screens read their picture and the font from disk every frame: about a megabyte
// allocated and freed each time. The allocator keeps it instead of handing it back to
// the system, so the next frame costs no page faults. gameMain does this first.
void keepFrameMemory();
// The gamepad's B acts as Esc on the shop pages only (back one category); elsewhere
// Esc quits, and no button should quit by accident.
int gamepadBActsAsEsc();
// The main menu is showing (the gamepad's Y and shoulders open the screens of our own).
int gamepadOnMainMenu();
// Where the player's keys go now (a ControlContext): the ride, the menus, or nowhere
// (typing a name, screens of our own) where every key is itself.
int keyContextNow();
// The window game runs with the screens of our own (menus/top_screens.h); the replay
// tool runs the game alone. Set before gameMain.
void useTopScreens(int on);
// The callbacks the game registers that no other subsystem owns.
void onMouseDown(InputEvent* event);
void onModeSwitched(ModeRequest* request, int windowed);
void onActivate(int active);
int onSuspend(DisplayContext* dc, int kind);
