// A file that cannot be read as what it should be is moved out of the way, never over
// another file: <path>.damaged-YYYYMMDD-HHMMSS (UTC), with -2, -3, ... when that name is
// taken. The caller says so in one line on standard error.
#pragma once

#include <cstddef>

// Moves the file aside; its new name goes to `aside`. 1 when moved.
int moveDamagedAside(const char* path, char* aside, size_t size);
