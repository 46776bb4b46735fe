// The window game's main, without the window, in a child process: a test that lets the
// game run whole (its start-up, its iterations, its exit) keeps its own process clean.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "app/game_main.h"

// Starts the game in dataDir after prepare() (the test's environment, hooks and installs)
// and returns the child's exit status: *failed when the test's checks set it, else the
// game's own. -1 when the child did not exit.
inline int gameMainInChild(const char* dataDir, void (*prepare)(), const int* failed) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(dataDir) != 0) _exit(3);
        prepare();
        char program[] = "tumblegrade";
        char* argv[] = {program, nullptr};
        const int status = gameMain(1, argv);
        _exit(*failed ? *failed : status);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
