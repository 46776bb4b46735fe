// The window game's main, without the window, in a child process: a test that lets the
// game run whole (its start-up, its iterations, its exit) keeps its own process clean.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "app/game_main.h"

// The game in the data folder (TG_DATA_DIR), set up by setUp (the test's environment,
// hooks and installs), its exit status what finish makes of gameMain's. Returns that
// status (128: the child did not exit).
inline int runGameInChild(void (*setUp)(), int (*finish)(int gameStatus)) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(TG_DATA_DIR) != 0) _exit(3);
        setUp();
        char program[] = "tumblegrade";
        char* argv[] = {program, nullptr};
        _exit(finish(gameMain(1, argv)));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}
